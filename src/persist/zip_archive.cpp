#include "persist/zip_archive.h"

#include <zip.h>

#include <memory>

#include "base/text_format.h"
#include "base/translate.h"

namespace tarvolin {

namespace {

struct TArchiveCloser {
    void operator()(zip_t* Z) const { zip_discard(Z); }
};
struct TFileCloser {
    void operator()(zip_file_t* F) const { zip_fclose(F); }
};

bool IsFolder(const char* Name) {
    const std::string_view n(Name ? Name : "");
    return n.empty() || n.back() == '/';
}

// The first entry that is a file, -1 when there is none.
zip_int64_t FirstFile(zip_t* Z) {
    const zip_int64_t Count = zip_get_num_entries(Z, 0);
    for (zip_int64_t i = 0; i < Count; ++i)
        if (!IsFolder(zip_get_name(Z, zip_uint64_t(i), 0))) return i;
    return -1;
}

} // namespace

bool LooksLikeZipArchive(std::string_view Data) {
    return Data.substr(0, 4) == std::string_view("PK\x03\x04", 4) || Data.substr(0, 4) == std::string_view("PK\x05\x06", 4);
}

std::string ReadZipEntry(std::string_view Archive, const std::string& EntryName, TZipEntryChoice Choice,
                         size_t MaxSize) {
    zip_error_t Error;
    zip_error_init(&Error);
    // The source only reads the caller's bytes; it never frees or changes them.
    zip_source_t* Source = zip_source_buffer_create(Archive.data(), Archive.size(), 0, &Error);
    if (!Source) {
        std::string Text = zip_error_strerror(&Error);
        zip_error_fini(&Error);
        throw EZipError(Format(Tr("Zip", "Cannot open the zip archive: %s.").c_str(), Text.c_str()));
    }
    std::unique_ptr<zip_t, TArchiveCloser> Z(zip_open_from_source(Source, ZIP_RDONLY | ZIP_CHECKCONS, &Error));
    if (!Z) {
        zip_source_free(Source);
        std::string Text = zip_error_strerror(&Error);
        zip_error_fini(&Error);
        throw EZipError(Format(Tr("Zip", "The data is not a readable zip archive: %s.").c_str(), Text.c_str()));
    }
    zip_error_fini(&Error);

    zip_int64_t Index = -1;
    if (!EntryName.empty()) {
        Index = zip_name_locate(Z.get(), EntryName.c_str(), ZIP_FL_NOCASE | ZIP_FL_NODIR);
        if (Index >= 0 && IsFolder(zip_get_name(Z.get(), zip_uint64_t(Index), 0))) Index = -1;
    }
    if (Index < 0 && (EntryName.empty() || Choice == TZipEntryChoice::NamedElseFirst)) Index = FirstFile(Z.get());
    if (Index < 0) {
        if (!EntryName.empty() && Choice == TZipEntryChoice::NamedOnly)
            throw EZipError(Format(Tr("Zip", "The zip archive has no file named \"%s\".").c_str(), EntryName.c_str()));
        throw EZipError(Tr("Zip", "The zip archive holds no file."));
    }
    const char* RawName = zip_get_name(Z.get(), zip_uint64_t(Index), 0);
    const std::string Name = RawName ? RawName : EntryName;

    std::unique_ptr<zip_file_t, TFileCloser> F(zip_fopen_index(Z.get(), zip_uint64_t(Index), 0));
    if (!F)
        throw EZipError(Format(Tr("Zip", "Cannot read \"%s\" from the zip archive: %s.").c_str(), Name.c_str(),
                               zip_error_strerror(zip_get_error(Z.get()))));
    std::string Data;
    char Buffer[8192];
    for (;;) {
        const zip_int64_t n = zip_fread(F.get(), Buffer, sizeof Buffer);
        if (n < 0)
            throw EZipError(Format(Tr("Zip", "Cannot read \"%s\" from the zip archive: %s.").c_str(), Name.c_str(),
                                   zip_error_strerror(zip_file_get_error(F.get()))));
        if (n == 0) break;
        if (Data.size() + size_t(n) > MaxSize)
            throw EZipError(
                Format(Tr("Zip", "The file \"%s\" in the zip archive is larger than %zu bytes; it is not a ROM image.")
                           .c_str(),
                       Name.c_str(), MaxSize));
        Data.append(Buffer, size_t(n));
    }
    return Data;
}

} // namespace tarvolin
