// The one way the program writes files, and the checked way it reads them.
//
// Writing: the bytes go to a unique temporary file created exclusively in the target's
// folder, are flushed and synced, and the temporary file is renamed onto the target only when
// it is complete, so a failed write (full disk, no permission) never leaves a truncated or
// half-replaced file behind. A target that is a symbolic link is written through to the file
// it points to (the temporary file lives in that file's folder, the link stays a link); a
// folder, device, named pipe or socket is refused before anything is written.
//
// Reading: a file is looked at before it is opened, so a named pipe or a device never blocks
// the program and a folder is named as one; reads are bounded, so a huge or endless input is
// refused with its size instead of filling the memory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tarvolin {

// The reason of a failed file operation in words ("permission denied", "no space left on
// device", ...), translated for the common causes, the system's text for the others.
std::string FileErrorReason(int Errno);

// Why Path cannot be read or written as a regular file: empty for a regular file (or a link
// that ends in one), else "no such file or directory", "it is a folder", "it is a named pipe
// (FIFO)", "it is a device", "it is a socket", or the reason the look failed. Never opens Path.
std::string NotAFileReason(const std::filesystem::path& Path);

// True when A and B are the same existing file (through links, hard links and different
// spellings of the path). An output that is its own input is refused with this.
bool SameFile(const std::filesystem::path& A, const std::filesystem::path& B);

// Writes Data as FileName, replacing an existing file as a whole (its permissions kept; a
// link is written through). Throws std::runtime_error ("Cannot write file "<FileName>":
// <reason>"); the target is then left as it was.
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

// Reads the first MaxBytes bytes of the regular file FileName (all of it when it is shorter);
// FileSize receives the size of the whole file. Throws std::runtime_error ("Cannot open file
// "<FileName>": <reason>", "Cannot read file ...") for a missing or unreadable file and for
// anything that is not a regular file, which is refused without being opened for long.
std::string ReadFilePrefix(const std::filesystem::path& FileName, uint64_t MaxBytes, uint64_t& FileSize);

// Reads the whole regular file FileName, which may hold at most Limit bytes; a larger one is
// refused ("Cannot read file "<FileName>": it holds N bytes, more than the M bytes such a
// file can have") before it is read. Other failures as ReadFilePrefix.
std::string ReadFileBounded(const std::filesystem::path& FileName, uint64_t Limit);

} // namespace tarvolin
