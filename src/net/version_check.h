// The check for a newer version of the program: the version file on the program's web
// server names the latest version, the page to download it from and what changed.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "base/task_progress.h"
#include "base/version.h"

namespace tarvolin {

// The version file is read up to this many bytes; the rest is ignored.
inline constexpr size_t VersionFileLimit = 1048576;

// Up to four decimal numbers 0..65535 separated by "."; missing parts count as 0, parts after
// the fourth are ignored, and any part that is not such a number makes the whole version 0.
TProgramVersion ParseVersionNumber(const std::string& Text);

struct TVersionFile {
    std::string VersionText; // line 1
    std::string DownloadURL; // line 2
    // The lines after a line "CHANGELOG" (any letter case), each followed by CR LF;
    // "(unknown)" when there is no such line or nothing follows it.
    std::string ChangeLog;
};

// Splits the file into lines (CR LF, LF or CR). The bytes are UTF-8 unless they begin with a
// byte-order mark of UTF-8, UTF-16LE or UTF-16BE.
TVersionFile ParseVersionFile(std::string_view Body);

// Server + "Tarvolin/version.txt" ("Tarvolin/version_RUS.txt" for the Russian interface);
// "" when no server is configured.
std::string VersionFileURL(const std::string& Server, bool Russian);
// "Tarvolin 1.5.3.0".
std::string UpdateCheckUserAgent(const TProgramVersion& Version);

struct TUpdateCheck {
    std::string Server;
    bool Russian = false;
    TProgramVersion Current;
    long TimeoutSeconds = 20;
    bool IgnoreCertificateErrors = false;
};

// Fetches and reads the version file; the file when it names a version newer than Current,
// nothing otherwise. Every failure (no server configured, no connection, a status other than
// 200, an unreadable file) also gives nothing: the check never reports anything.
// Progress (may be null) can cancel it.
std::optional<TVersionFile> CheckForNewVersion(const TUpdateCheck& Check, TTaskProgress* Progress = nullptr);

} // namespace tarvolin
