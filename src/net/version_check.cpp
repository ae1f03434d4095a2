#include "net/version_check.h"

#include <cctype>
#include <cstdio>
#include <exception>
#include <vector>

#include "net/http_client.h"
#include "base/translate.h"
#include "persist/stream.h"

namespace tarvolin {

namespace {

std::string Trim(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return {};
    const size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

bool EqualsNoCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && !b[i];
}

std::string DecodeText(std::string_view Body) {
    auto Starts = [&](std::string_view Mark) { return Body.substr(0, Mark.size()) == Mark; };
    if (Starts("\xEF\xBB\xBF")) return std::string(Body.substr(3));
    const bool LE = Starts("\xFF\xFE"), BE = Starts("\xFE\xFF");
    if (!LE && !BE) return std::string(Body);
    std::u16string Units;
    for (size_t i = 2; i + 1 < Body.size(); i += 2) {
        const auto a = static_cast<unsigned char>(Body[i]), b = static_cast<unsigned char>(Body[i + 1]);
        Units.push_back(static_cast<char16_t>(LE ? (a | b << 8) : (a << 8 | b)));
    }
    return Utf16ToUtf8(Units);
}

// Lines as a text list holds them: a line break at the very end starts no further line.
std::vector<std::string> SplitLines(const std::string& Text) {
    std::vector<std::string> Lines;
    std::string Line;
    for (size_t i = 0; i < Text.size(); ++i) {
        const char c = Text[i];
        if (c == '\r' || c == '\n') {
            Lines.push_back(Line);
            Line.clear();
            if (c == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
        } else {
            Line += c;
        }
    }
    if (!Line.empty()) Lines.push_back(Line);
    return Lines;
}

} // namespace

TProgramVersion ParseVersionNumber(const std::string& Text) {
    uint16_t Parts[4] = {0, 0, 0, 0};
    const std::string s = Trim(Text);
    size_t Start = 0;
    for (int i = 0; i < 4; ++i) {
        size_t End = s.find('.', Start);
        const std::string Part = s.substr(Start, End == std::string::npos ? std::string::npos : End - Start);
        if (Part.empty() || Part.size() > 5) return {};
        unsigned Value = 0;
        for (char c : Part) {
            if (c < '0' || c > '9') return {};
            Value = Value * 10 + unsigned(c - '0');
        }
        if (Value > 65535) return {};
        Parts[i] = static_cast<uint16_t>(Value);
        if (End == std::string::npos) break;
        Start = End + 1;
    }
    return {Parts[0], Parts[1], Parts[2], Parts[3]};
}

TVersionFile ParseVersionFile(std::string_view Body) {
    const std::vector<std::string> Lines = SplitLines(DecodeText(Body));
    TVersionFile File;
    if (!Lines.empty()) File.VersionText = Trim(Lines[0]);
    if (Lines.size() > 1) File.DownloadURL = Trim(Lines[1]);
    File.ChangeLog = Tr("UpdateCheck", "(unknown)");
    for (size_t i = 0; i < Lines.size(); ++i) {
        if (!EqualsNoCase(Trim(Lines[i]), "CHANGELOG")) continue;
        if (i + 1 < Lines.size()) {
            File.ChangeLog.clear();
            for (size_t j = i + 1; j < Lines.size(); ++j) File.ChangeLog += Lines[j] + "\r\n";
        }
        break;
    }
    return File;
}

std::string VersionFileURL(const std::string& Server, bool Russian) {
    if (Server.empty()) return {};
    std::string Base = Server;
    if (Base.back() != '/') Base += '/';
    return Base + (Russian ? "Tarvolin/version_RUS.txt" : "Tarvolin/version.txt");
}

std::string UpdateCheckUserAgent(const TProgramVersion& v) {
    char Buffer[64];
    std::snprintf(Buffer, sizeof Buffer, "%u.%u.%u.%u", unsigned(v.Major), unsigned(v.Minor), unsigned(v.Release),
                  unsigned(v.Build));
    return std::string("Tarvolin ") + Buffer;
}

std::optional<TVersionFile> CheckForNewVersion(const TUpdateCheck& Check, TTaskProgress* Progress) {
    const std::string URL = VersionFileURL(Check.Server, Check.Russian);
    if (URL.empty()) return std::nullopt;
    THttpOptions Http;
    Http.UserAgent = UpdateCheckUserAgent(Check.Current);
    Http.ConnectTimeoutSeconds = Check.TimeoutSeconds;
    Http.TotalTimeoutSeconds = Check.TimeoutSeconds;
    Http.StallTimeoutSeconds = Check.TimeoutSeconds;
    Http.MaxBodyBytes = VersionFileLimit;
    Http.TruncateBody = true;
    Http.IgnoreCertificateErrors = Check.IgnoreCertificateErrors;
    try {
        const THttpResponse Response = HttpGet(URL, Http, Progress);
        // An error page is no version file, whatever its first line says.
        if (Response.StatusCode != 200 || Response.Body.empty()) return std::nullopt;
        TVersionFile File = ParseVersionFile(Response.Body);
        if (File.VersionText.empty() || !(ParseVersionNumber(File.VersionText) > Check.Current)) return std::nullopt;
        return File;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace tarvolin
