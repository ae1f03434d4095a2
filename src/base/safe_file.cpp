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

[[noreturn]] void Fail(const fs::path& FileName, const std::string& Reason) {
    throw std::runtime_error(
        Format(Tr("Files", "Cannot write file \"%s\": %s").c_str(), FileName.string().c_str(), Reason.c_str()));
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

// A removed-on-failure temporary file in the folder of Target holding Data.
class TTempFile {
public:
    TTempFile(const fs::path& Target, std::string_view Data) : FTarget(Target) {
        const fs::path Folder = Target.has_parent_path() ? Target.parent_path() : fs::path(".");
        FPath = (Folder / ("." + Target.filename().string() + ".XXXXXX")).string();
        const int Fd = ::mkstemp(FPath.data());
        if (Fd < 0) Fail(Target, std::strerror(errno));
        bool Ok = WriteAll(Fd, Data.data(), Data.size());
        int Err = Ok ? 0 : errno;
        if (Ok && ::fsync(Fd) != 0) {
            Ok = false;
            Err = errno;
        }
        // mkstemp creates the file for its owner only; give it the rights a new file gets.
        const mode_t Mask = ::umask(0);
        ::umask(Mask);
        ::fchmod(Fd, 0666 & ~Mask);
        if (::close(Fd) != 0 && Ok) {
            Ok = false;
            Err = errno;
        }
        if (!Ok) {
            ::unlink(FPath.c_str());
            Fail(Target, std::strerror(Err));
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
    fs::path FTarget;
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

} // namespace

void WriteFileReplacing(const fs::path& FileName, std::string_view Data) {
    std::error_code Ec;
    if (fs::is_directory(FileName, Ec)) Fail(FileName, std::strerror(EISDIR));
    TTempFile Temp(FileName, Data);
    // A replaced file keeps its permissions.
    struct stat Existing {};
    if (::stat(FileName.c_str(), &Existing) == 0) ::chmod(Temp.Path().c_str(), Existing.st_mode & 07777);
    if (std::rename(Temp.Path().c_str(), FileName.c_str()) != 0) Fail(FileName, std::strerror(errno));
    Temp.Keep();
}

fs::path WriteNewFile(const fs::path& FileName, std::string_view Data) {
    TTempFile Temp(FileName, Data);
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
                Fail(Candidate, std::strerror(Err));
            }
            Temp.Keep();
            return Candidate;
        }
        const int Err = errno;
        if (Err != EEXIST) Fail(Candidate, std::strerror(Err));
        if (HoldsExactly(Candidate, Data)) return Candidate;
    }
    Fail(FileName, Tr("Files", "too many files of that name exist already"));
}

TSafeFileStream::TSafeFileStream(fs::path FileName) : FFileName(std::move(FileName)) {
    std::error_code Ec;
    if (fs::is_directory(FFileName, Ec)) Fail(FFileName, std::strerror(EISDIR));
    const fs::path Folder = FFileName.has_parent_path() ? FFileName.parent_path() : fs::path(".");
    FTempPath = (Folder / ("." + FFileName.filename().string() + ".XXXXXX")).string();
    FFd = ::mkstemp(FTempPath.data());
    if (FFd < 0) {
        FTempPath.clear();
        Fail(FFileName, std::strerror(errno));
    }
}

TSafeFileStream::~TSafeFileStream() {
    if (FFd >= 0) ::close(FFd);
    if (!FTempPath.empty()) ::unlink(FTempPath.c_str());
}

void TSafeFileStream::Append(std::string_view Data) {
    if (FFd < 0) Fail(FFileName, std::strerror(EBADF));
    if (!WriteAll(FFd, Data.data(), Data.size())) {
        const int Err = errno;
        ::close(FFd);
        FFd = -1;
        Fail(FFileName, std::strerror(Err));
    }
}

void TSafeFileStream::Commit() {
    if (FFd < 0) Fail(FFileName, std::strerror(EBADF));
    bool Ok = ::fsync(FFd) == 0;
    int Err = Ok ? 0 : errno;
    const mode_t Mask = ::umask(0);
    ::umask(Mask);
    struct stat Existing {};
    ::fchmod(FFd, ::stat(FFileName.c_str(), &Existing) == 0 ? (Existing.st_mode & 07777) : (0666 & ~Mask));
    if (::close(FFd) != 0 && Ok) {
        Ok = false;
        Err = errno;
    }
    FFd = -1;
    if (Ok && std::rename(FTempPath.c_str(), FFileName.c_str()) != 0) {
        Ok = false;
        Err = errno;
    }
    if (!Ok) Fail(FFileName, std::strerror(Err));
    FTempPath.clear();
}

} // namespace tarvolin
