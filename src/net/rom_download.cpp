#include "net/rom_download.h"

#include <cctype>
#include <cstdio>
#include <exception>
#include <vector>

#include "base/safe_file.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "base/types.h"
#include "persist/zip_archive.h"

namespace tarvolin {

namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

std::string ContentDispositionFileName(const std::string& RawHeaders) {
    static const std::string Header = "content-disposition";
    static const std::string Marker = "; filename=\"";
    size_t Start = 0;
    while (Start < RawHeaders.size()) {
        size_t End = RawHeaders.find('\n', Start);
        if (End == std::string::npos) End = RawHeaders.size();
        std::string Line = RawHeaders.substr(Start, End - Start);
        if (!Line.empty() && Line.back() == '\r') Line.pop_back();
        Start = End + 1;
        const std::string LowerLine = Lower(Line);
        if (LowerLine.rfind(Header, 0) != 0) continue;
        const size_t At = LowerLine.find(Marker);
        if (At == std::string::npos) continue;
        const size_t From = At + Marker.size();
        const size_t Quote = Line.find('"', From);
        return Line.substr(From, Quote == std::string::npos ? std::string::npos : Quote - From);
    }
    return {};
}

std::string PlainFileName(const std::string& Name) {
    const size_t Cut = Name.find_last_of("/\\:");
    std::string s = Cut == std::string::npos ? Name : Name.substr(Cut + 1);
    std::string Clean;
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) continue;
        Clean += c;
    }
    if (Clean.size() > 200) {
        // Keep a short extension, cut the stem; never end inside a UTF-8 sequence (at most
        // three continuation bytes are dropped, whatever the bytes are).
        const size_t Dot = Clean.find_last_of('.');
        std::string Ext = Dot != std::string::npos && Clean.size() - Dot <= 10 ? Clean.substr(Dot) : std::string();
        std::string Stem = Clean.substr(0, 200 - Ext.size());
        for (int i = 0; i < 3 && !Stem.empty() && (static_cast<unsigned char>(Stem.back()) & 0xC0) == 0x80; ++i)
            Stem.pop_back();
        if (!Stem.empty() && (static_cast<unsigned char>(Stem.back()) & 0xC0) == 0xC0) Stem.pop_back();
        Clean = Stem + Ext;
    }
    // No hidden files, no names that end in a dot or a space.
    const size_t First = Clean.find_first_not_of(". ");
    if (First == std::string::npos) return {};
    Clean.erase(0, First);
    while (!Clean.empty() && (Clean.back() == '.' || Clean.back() == ' ')) Clean.pop_back();
    return Clean;
}

std::string LastURLPathSegment(const std::string& URL) {
    std::string s = URL.substr(0, URL.find_first_of("?#"));
    const size_t Scheme = s.find("://");
    if (Scheme != std::string::npos) {
        const size_t Path = s.find('/', Scheme + 3);
        s = Path == std::string::npos ? std::string() : s.substr(Path);
    }
    const size_t Slash = s.find_last_of('/');
    return Slash == std::string::npos ? s : s.substr(Slash + 1);
}

bool DownloadROM(const TROMDownload& Download, TTaskProgress& Progress, std::string& ErrorText, std::string& ROM) {
    ROM.clear();
    ErrorText = Tr("Download", "unknown reason");
    if (Download.URL.empty()) return false;
    Progress.Status(Tr("Download", "Downloading ROM..."));
    try {
        const THttpResponse Response = HttpGet(Download.URL, Download.Http, &Progress);
        // A cancel that came too late to break off the transfer still stops the download.
        if (Progress.Cancelled()) throw EHttpError(Tr("Download", RequestCancelledText));
        std::string Body;
        std::string FileName;
        if (Response.StatusCode == 200) {
            if (Response.RawHeaders.empty()) {
                ErrorText = Tr("Download", "Cannot retrieve raw HTTP headers.");
            } else {
                FileName = ContentDispositionFileName(Response.RawHeaders);
                Body = Response.Body;
            }
        } else if (Response.StatusCode != 0) {
            ErrorText = Format(Tr("Download", "HTTP status code: %d ('%s')").c_str(),
                               static_cast<int>(Response.StatusCode), Response.StatusText.c_str());
        } else {
            ErrorText = Tr("Download", "Cannot retrieve HTTP status code.");
        }
        if (!Body.empty()) {
            if (FileName.empty()) FileName = LastURLPathSegment(Download.URL);
            // A name from the server never leaves the save folder.
            FileName = PlainFileName(FileName);
            const std::string Ext = Lower(std::filesystem::path(FileName).extension().string());
            if (FileName.empty() || Ext == ".zip") {
                ROM = ReadZipEntry(Body, Download.FileNameInArchive);
                if (ROM.size() < size_t(ROMSize)) {
                    ErrorText =
                        Format(Tr("Download", "The file in the archive holds %u bytes; a ROM image has %u.").c_str(),
                               static_cast<unsigned>(ROM.size()), static_cast<unsigned>(ROMSize));
                }
            } else {
                Progress.Status(Tr("Download", "Saving ROM..."));
                const std::filesystem::path Saved = WriteNewFile(Download.SaveFolder / FileName, Body);
                ErrorText =
                    Format(Tr("Download", "Unsupported archive type.\n\nUnpack '%s' from '%s' manually.").c_str(),
                           Download.FileNameInArchive.c_str(), Saved.string().c_str());
            }
        }
    } catch (const std::exception& e) {
        ErrorText = e.what();
        ROM.clear();
    }
    return ROM.size() >= size_t(ROMSize);
}

} // namespace tarvolin
