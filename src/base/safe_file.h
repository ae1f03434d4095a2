// The one way the program writes files: the bytes go to a unique temporary file in the
// target's folder, which is renamed onto the target only when it is complete, so a failed
// write (full disk, no permission) never leaves a truncated or half-replaced file behind.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvolin {

// Writes Data as FileName, replacing an existing file as a whole. Throws std::runtime_error
// ("Cannot write file "<FileName>": <reason>"); the target is then left as it was.
void WriteFileReplacing(const std::filesystem::path& FileName, std::string_view Data);

// Writes Data as a new file and never replaces one: FileName when no such file exists, else
// the first free "<stem> (2)<ext>", "<stem> (3)<ext>", ... in the same folder. A file of one of
// these names that already holds exactly Data is taken as it is. Returns the path that holds
// Data. Throws std::runtime_error like WriteFileReplacing.
std::filesystem::path WriteNewFile(const std::filesystem::path& FileName, std::string_view Data);

// A file written piece by piece the same way: the pieces go to a unique temporary file in the
// target's folder, which replaces the target only at Commit. Destroyed without Commit (or after
// a failed write), the temporary file is removed and the target stays as it was. Append and
// Commit throw std::runtime_error like WriteFileReplacing.
class TSafeFileStream {
public:
    explicit TSafeFileStream(std::filesystem::path FileName);
    ~TSafeFileStream();
    TSafeFileStream(const TSafeFileStream&) = delete;
    TSafeFileStream& operator=(const TSafeFileStream&) = delete;

    void Append(std::string_view Data);
    void Commit();
    const std::filesystem::path& FileName() const { return FFileName; }

private:
    std::filesystem::path FFileName;
    std::string FTempPath;
    int FFd = -1;
};

} // namespace tarvolin
