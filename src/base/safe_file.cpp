#include "base/safe_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <system_error>

#include "base/text_format.h"
#include "base/translate.h"

namespace tarvolin {

namespace {

namespace fs = std::filesystem;

// Links followed before a target counts as a loop (the kernel's own limit).
constexpr int MaxLinkDepth = 40;

std::string Shown(const fs::path& FileName) { return PrintableText(FileName.string(), 1024); }

[[noreturn]] void Fail(const fs::path& FileName, const std::string& Reason) {
    throw std::runtime_error(
        Format(Tr("Files", "Cannot write file \"%s\": %s").c_str(), Shown(FileName).c_str(), Reason.c_str()));
}

[[noreturn]] void FailOpen(const fs::path& FileName, const std::string& Reason) {
    throw std::runtime_error(
        Format(Tr("Files", "Cannot open file \"%s\": %s").c_str(), Shown(FileName).c_str(), Reason.c_str()));
}

[[noreturn]] void FailRead(const fs::path& FileName, const std::string& Reason) {
    throw std::runtime_error(
        Format(Tr("Files", "Cannot read file \"%s\": %s").c_str(), Shown(FileName).c_str(), Reason.c_str()));
}

// What a file that is no regular file is, in words; empty for a regular file.
std::string KindReason(mode_t Mode) {
    if (S_ISREG(Mode)) return {};
    if (S_ISDIR(Mode)) return Tr("Files", "it is a folder");
    if (S_ISFIFO(Mode)) return Tr("Files", "it is a named pipe (FIFO), not a file");
    if (S_ISCHR(Mode) || S_ISBLK(Mode)) return Tr("Files", "it is a device, not a file");
    if (S_ISSOCK(Mode)) return Tr("Files", "it is a socket, not a file");
    return Tr("Files", "it is not a regular file");
}

bool WriteAll(int Fd, const char* Data, size_t Size) {
    while (Size > 0) {
        const ssize_t n = ::write(Fd, Data, Size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        Data += n;
        Size -= static_cast<size_t>(n);
    }
    return true;
}

// The file a write to Target lands in: Target itself, or the end of the chain of links it
// starts (a dangling link names the file to create). Folders and special files are refused.
fs::path WriteTarget(const fs::path& Target) {
    fs::path p = Target;
    for (int Depth = 0; Depth <= MaxLinkDepth; ++Depth) {
        struct stat St {};
        if (::lstat(p.c_str(), &St) != 0) {
            if (errno == ENOENT) return p;
            Fail(Target, FileErrorReason(errno));
        }
        if (!S_ISLNK(St.st_mode)) {
            const std::string Reason = KindReason(St.st_mode);
            if (!Reason.empty()) Fail(Target, Reason);
            return p;
        }
        std::error_code Ec;
        const fs::path Link = fs::read_symlink(p, Ec);
        if (Ec) Fail(Target, FileErrorReason(Ec.value()));
        p = Link.is_absolute() ? Link : p.parent_path() / Link;
    }
    Fail(Target, FileErrorReason(ELOOP));
}

void SyncFolder(const fs::path& File) {
    const fs::path Folder = File.has_parent_path() ? File.parent_path() : fs::path(".");
    const int Fd = ::open(Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (Fd < 0) return;
    ::fsync(Fd); // the rename itself on disk; a folder that cannot be synced still holds the file
    ::close(Fd);
}

// A replacing file keeps the permissions of the file it replaces (Existing), and its owner
// where we may give it; a new one gets the rights a new file gets (mkstemp creates it for its
// owner only).
void GiveRights(int Fd, const struct stat* Existing) {
    if (Existing) {
        ::fchmod(Fd, Existing->st_mode & 07777);
        if (::geteuid() == 0 && ::fchown(Fd, Existing->st_uid, Existing->st_gid) != 0) {
            // the file is then root's, as a new one would be
        }
    } else {
        const mode_t Mask = ::umask(0);
        ::umask(Mask);
        ::fchmod(Fd, 0666 & ~Mask);
    }
}

// A removed-on-failure temporary file in the folder of Target holding Data. mkstemp creates
// it exclusively (O_EXCL) under a fresh random name, so no planted file or link is followed.
class TTempFile {
public:
    TTempFile(const fs::path& Target, const fs::path& Shown, std::string_view Data, const struct stat* Existing) {
        const fs::path Folder = Target.has_parent_path() ? Target.parent_path() : fs::path(".");
        // The name stays well inside the 255 bytes a folder entry may have.
        std::string Name = Target.filename().string();
        if (Name.size() > 200) Name.resize(200);
        FPath = (Folder / ("." + Name + ".XXXXXX")).string();
        const int Fd = ::mkstemp(FPath.data());
        if (Fd < 0) {
            const int Err = errno;
            FPath.clear();
            Fail(Shown, FileErrorReason(Err));
        }
        bool Ok = WriteAll(Fd, Data.data(), Data.size());
        int Err = Ok ? 0 : errno;
        if (Ok && ::fsync(Fd) != 0) {
            Ok = false;
            Err = errno;
        }
        GiveRights(Fd, Existing);
        if (::close(Fd) != 0 && Ok) {
            Ok = false;
            Err = errno;
        }
        if (!Ok) {
            ::unlink(FPath.c_str());
            FPath.clear();
            Fail(Shown, FileErrorReason(Err));
        }
    }
    ~TTempFile() {
        if (!FPath.empty()) ::unlink(FPath.c_str());
    }
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;

    const std::string& Path() const { return FPath; }
    void Keep() { FPath.clear(); }

private:
    std::string FPath;
};

bool HoldsExactly(const fs::path& File, std::string_view Data) {
    std::error_code Ec;
    if (!fs::is_regular_file(File, Ec) || fs::file_size(File, Ec) != Data.size() || Ec) return false;
    std::ifstream f(File, std::ios::binary);
    if (!f) return false;
    std::string Bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    return Bytes == Data;
}

// Opens a regular file for reading without waiting: the kind is looked at before the open
// (a FIFO or device is never opened) and again on the open file (it may have been swapped).
int OpenRegular(const fs::path& FileName, struct stat& St) {
    if (::stat(FileName.c_str(), &St) != 0) FailOpen(FileName, FileErrorReason(errno));
    if (const std::string Reason = KindReason(St.st_mode); !Reason.empty()) FailOpen(FileName, Reason);
    const int Fd = ::open(FileName.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (Fd < 0) FailOpen(FileName, FileErrorReason(errno));
    if (::fstat(Fd, &St) != 0 || !S_ISREG(St.st_mode)) {
        const std::string Reason = S_ISREG(St.st_mode) ? FileErrorReason(errno) : KindReason(St.st_mode);
        ::close(Fd);
        FailOpen(FileName, Reason);
    }
    return Fd;
}

std::string ReadUpTo(int Fd, const fs::path& FileName, uint64_t MaxBytes, uint64_t SizeHint) {
    std::string Data;
    Data.reserve(static_cast<size_t>(std::min<uint64_t>(MaxBytes, SizeHint)));
    char Buffer[65536];
    while (Data.size() < MaxBytes) {
        const size_t Want = static_cast<size_t>(std::min<uint64_t>(sizeof Buffer, MaxBytes - Data.size()));
        const ssize_t n = ::read(Fd, Buffer, Want);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int Err = errno;
            ::close(Fd);
            FailRead(FileName, FileErrorReason(Err));
        }
        if (n == 0) break;
        Data.append(Buffer, static_cast<size_t>(n));
    }
    ::close(Fd);
    return Data;
}

} // namespace

std::string FileErrorReason(int Errno) {
    switch (Errno) {
    case EACCES:
    case EPERM: return Tr("Files", "permission denied");
    case ENOENT: return Tr("Files", "no such file or directory");
    case ELOOP: return Tr("Files", "too many levels of symbolic links");
    case ENOSPC: return Tr("Files", "no space left on device");
    case EDQUOT: return Tr("Files", "disk quota exceeded");
    case EROFS: return Tr("Files", "read-only file system");
    case EISDIR: return Tr("Files", "it is a folder");
    case ENOTDIR: return Tr("Files", "a part of the path is not a folder");
    case ENAMETOOLONG: return Tr("Files", "the file name is too long");
    case EIO: return Tr("Files", "input/output error");
    case EFBIG: return Tr("Files", "the file is too large");
    case EMFILE:
    case ENFILE: return Tr("Files", "too many open files");
    default: return std::strerror(Errno);
    }
}

std::string NotAFileReason(const fs::path& Path) {
    struct stat St {};
    if (::stat(Path.c_str(), &St) != 0) return FileErrorReason(errno);
    return KindReason(St.st_mode);
}

bool SameFile(const fs::path& A, const fs::path& B) {
    struct stat Sa {}, Sb {};
    if (::stat(A.c_str(), &Sa) != 0 || ::stat(B.c_str(), &Sb) != 0) return false;
    return Sa.st_dev == Sb.st_dev && Sa.st_ino == Sb.st_ino;
}

void WriteFileReplacing(const fs::path& FileName, std::string_view Data) {
    const fs::path Target = WriteTarget(FileName);
    struct stat Existing {};
    const bool Exists = ::stat(Target.c_str(), &Existing) == 0;
    TTempFile Temp(Target, FileName, Data, Exists ? &Existing : nullptr);
    if (std::rename(Temp.Path().c_str(), Target.c_str()) != 0) Fail(FileName, FileErrorReason(errno));
    Temp.Keep();
    SyncFolder(Target);
}

fs::path WriteNewFile(const fs::path& FileName, std::string_view Data) {
    TTempFile Temp(FileName, FileName, Data, nullptr);
    const fs::path Folder = FileName.parent_path();
    const std::string Stem = FileName.stem().string();
    const std::string Ext = FileName.extension().string();
    for (int i = 1; i <= 1000; ++i) {
        const fs::path Candidate = i == 1 ? FileName : Folder / (Stem + " (" + std::to_string(i) + ")" + Ext);
        // The name is claimed with an exclusive create, so an existing file is never replaced,
        // not even one that appears between a look and the write; the complete temporary file
        // then takes the claimed (empty) file's place.
        const int Fd = ::open(Candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (Fd >= 0) {
            ::close(Fd);
            if (std::rename(Temp.Path().c_str(), Candidate.c_str()) != 0) {
                const int Err = errno;
                ::unlink(Candidate.c_str());
                Fail(Candidate, FileErrorReason(Err));
            }
            Temp.Keep();
            SyncFolder(Candidate);
            return Candidate;
        }
        const int Err = errno;
        if (Err != EEXIST) Fail(Candidate, FileErrorReason(Err));
        if (HoldsExactly(Candidate, Data)) return Candidate;
    }
    Fail(FileName, Tr("Files", "too many files of that name exist already"));
}

TSafeFileStream::TSafeFileStream(fs::path FileName) : FFileName(std::move(FileName)) {
    // Written through a link to the file it names; a folder or special file is refused now,
    // before anything is written.
    const fs::path Target = WriteTarget(FFileName);
    const fs::path Folder = Target.has_parent_path() ? Target.parent_path() : fs::path(".");
    std::string Name = Target.filename().string();
    if (Name.size() > 200) Name.resize(200);
    FTempPath = (Folder / ("." + Name + ".XXXXXX")).string();
    FFd = ::mkstemp(FTempPath.data());
    if (FFd < 0) {
        const int Err = errno;
        FTempPath.clear();
        Fail(FFileName, FileErrorReason(Err));
    }
}

TSafeFileStream::~TSafeFileStream() {
    if (FFd >= 0) ::close(FFd);
    if (!FTempPath.empty()) ::unlink(FTempPath.c_str());
}

void TSafeFileStream::Append(std::string_view Data) {
    if (FFd < 0) Fail(FFileName, FileErrorReason(EBADF));
    if (!WriteAll(FFd, Data.data(), Data.size())) {
        const int Err = errno;
        ::close(FFd);
        FFd = -1;
        Fail(FFileName, FileErrorReason(Err));
    }
}

void TSafeFileStream::Commit() {
    if (FFd < 0) Fail(FFileName, FileErrorReason(EBADF));
    // The target is looked at again: it may have become a link or a special file meanwhile.
    const fs::path Target = WriteTarget(FFileName);
    bool Ok = ::fsync(FFd) == 0;
    int Err = Ok ? 0 : errno;
    struct stat Existing {};
    GiveRights(FFd, ::stat(Target.c_str(), &Existing) == 0 ? &Existing : nullptr);
    if (::close(FFd) != 0 && Ok) {
        Ok = false;
        Err = errno;
    }
    FFd = -1;
    if (Ok && std::rename(FTempPath.c_str(), Target.c_str()) != 0) {
        Ok = false;
        Err = errno;
    }
    if (!Ok) Fail(FFileName, FileErrorReason(Err));
    FTempPath.clear();
    SyncFolder(Target);
}

std::string ReadFilePrefix(const fs::path& FileName, uint64_t MaxBytes, uint64_t& FileSize) {
    struct stat St {};
    const int Fd = OpenRegular(FileName, St);
    FileSize = static_cast<uint64_t>(St.st_size);
    return ReadUpTo(Fd, FileName, MaxBytes, FileSize);
}

std::string ReadFileBounded(const fs::path& FileName, uint64_t Limit) {
    struct stat St {};
    const int Fd = OpenRegular(FileName, St);
    const auto TooLarge = [&](uint64_t Size) {
        FailRead(FileName, Format(Tr("Files", "it holds %llu bytes, more than the %llu bytes such a file can have").c_str(),
                                  static_cast<unsigned long long>(Size), static_cast<unsigned long long>(Limit)));
    };
    if (static_cast<uint64_t>(St.st_size) > Limit) {
        ::close(Fd);
        TooLarge(static_cast<uint64_t>(St.st_size));
    }
    // A file that grows while it is read (or reports no size, as some system files do) is
    // still cut off one byte past the limit.
    std::string Data = ReadUpTo(Fd, FileName, Limit + 1, static_cast<uint64_t>(St.st_size));
    if (Data.size() > Limit) TooLarge(Data.size());
    return Data;
}

} // namespace tarvolin
