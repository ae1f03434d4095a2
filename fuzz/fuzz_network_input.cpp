// Feeds arbitrary bytes to the readers of what servers and archives send: the zip reader, the
// header rules of a download (status line, Content-Disposition name, the plain file name) and
// the version file.
//
// The first byte chooses the reader. Only EZipError may come out of the zip reader, and never
// more bytes than its bound; a file name from a server must come out as a plain name (no
// folder, no drive, no control character, never "." or ".."); a version file's fields must
// hold no line break and its version must not exceed the four 16-bit parts.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "net/http_client.h"
#include "net/rom_download.h"
#include "net/version_check.h"
#include "persist/zip_archive.h"

using namespace tarvolin;

namespace {

void Check(bool Condition) {
    if (!Condition) std::abort();
}

void FuzzZip(const std::string& Data, bool Named) {
    try {
        const std::string Entry =
            ReadZipEntry(Data, Named ? "mh-06" : "", Named ? TZipEntryChoice::NamedElseFirst : TZipEntryChoice::NamedOnly, 4096);
        Check(Entry.size() <= 4096);
    } catch (const EZipError&) {
    }
}

void FuzzHeaders(const std::string& Data) {
    const std::string Name = PlainFileName(ContentDispositionFileName(Data));
    Check(Name.size() <= 200);
    Check(Name.find_first_of("/\\:") == std::string::npos);
    for (char c : Name) Check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
    Check(Name != "." && Name != "..");
    Check(Name.empty() || (Name.front() != '.' && Name.back() != '.' && Name.back() != ' '));
    (void)StatusTextOfLine(Data);
    (void)LastURLPathSegment(Data);
}

void FuzzVersionFile(const std::string& Data) {
    const TVersionFile File = ParseVersionFile(Data);
    Check(File.VersionText.find_first_of("\r\n") == std::string::npos);
    Check(File.DownloadURL.find_first_of("\r\n") == std::string::npos);
    Check(!File.ChangeLog.empty());
    (void)ParseVersionNumber(File.VersionText);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0) return 0;
    const std::string Rest(reinterpret_cast<const char*>(Data) + 1, Size - 1);
    switch (Data[0] % 4) {
    case 0: FuzzZip(Rest, true); break;
    case 1: FuzzZip(Rest, false); break;
    case 2: FuzzHeaders(Rest); break;
    default: FuzzVersionFile(Rest); break;
    }
    return 0;
}
