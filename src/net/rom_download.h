// Downloading a game's ROM image: the server's answer is a zip archive (the wanted file is
// taken out of it) or a file of another kind, which is kept in the program folder for the
// user to unpack by hand.
#pragma once

#include <filesystem>
#include <string>

#include "base/task_progress.h"
#include "net/http_client.h"

namespace tarvolin {

// The file name a server gives its answer: the first header line that begins with
// "Content-Disposition" and contains "; filename=\"" (both without regard to letter case)
// gives the text after that marker up to the next double quote, or to the end of the line.
// "" when there is none.
std::string ContentDispositionFileName(const std::string& RawHeaders);

// A name from a server reduced to a plain file name that stays in the folder it is saved in:
// no folders (the part after the last '/', '\' or ':'), no control characters, no leading dots
// or spaces, no trailing dots or spaces, at most 200 bytes. "" when nothing is left.
std::string PlainFileName(const std::string& Name);

// The last segment of the URL's path (query and fragment ignored), "" when the path ends in '/'.
std::string LastURLPathSegment(const std::string& URL);

struct TROMDownload {
    std::string URL;
    std::string FileNameInArchive;     // "" = the archive's first file
    std::filesystem::path SaveFolder;  // where an answer that is not a zip archive is kept
    THttpOptions Http;
};

// Fills ROM with the image taken from the answer at Download.URL; true when ROM then holds at
// least 1856 bytes. ErrorText says why not ("unknown reason" when nothing more is known).
// Progress hears "Downloading ROM..." and "Saving ROM..." and may cancel. Never throws for
// network, archive or file failures: they end up in ErrorText.
bool DownloadROM(const TROMDownload& Download, TTaskProgress& Progress, std::string& ErrorText, std::string& ROM);

} // namespace tarvolin
