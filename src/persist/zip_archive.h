// Reading one file out of a zip archive held in memory (ROM sets are commonly kept zipped).
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tarvolin {

// A zip archive that cannot be opened or read, or lacks the wanted entry. The message says
// which and why.
class EZipError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An entry larger than this is refused: a ROM image is 1856 bytes, and a small bound keeps an
// archive that inflates to gigabytes from exhausting memory.
inline constexpr size_t ZipEntryLimit = 65536;

enum class TZipEntryChoice {
    NamedOnly,          // the named entry or an error
    NamedElseFirst,     // the named entry when the archive has it, else the first file
};

// The bytes of the entry named EntryName in Archive (letter case and folders inside the
// archive do not matter), or of the archive's first file when EntryName is empty. Folder
// entries are never taken. Reads at most MaxSize bytes and refuses a larger entry; its
// stored size is not trusted. Throws EZipError.
std::string ReadZipEntry(std::string_view Archive, const std::string& EntryName,
                         TZipEntryChoice Choice = TZipEntryChoice::NamedOnly, size_t MaxSize = ZipEntryLimit);

// True when Data begins like a zip archive (a local file header or an empty archive's end record).
bool LooksLikeZipArchive(std::string_view Data);

} // namespace tarvolin
