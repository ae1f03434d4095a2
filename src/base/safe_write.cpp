#include "base/safe_write.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvolin {

namespace {

bool WriteAll(int fd, const char* Data, size_t Size) {
    while (Size > 0) {
        const ssize_t n = ::write(fd, Data, Size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        Data += n;
        Size -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace

void WriteFileReplacing(const std::filesystem::path& FileName, std::string_view Data) {
    // Messages name the file the user asked for, not the temporary one.
    auto Fail = [&](int Error) {
        throw std::runtime_error("Cannot write file \"" + FileName.string() + "\": " + std::strerror(Error));
    };
    std::error_code ec;
    if (std::filesystem::is_directory(FileName, ec)) Fail(EISDIR);

    std::string Temp = FileName.string() + ".XXXXXX";
    const int fd = ::mkstemp(Temp.data());
    if (fd < 0) Fail(errno);

    mode_t Mode;
    struct stat Existing {};
    if (::stat(FileName.c_str(), &Existing) == 0) {
        Mode = Existing.st_mode & 07777;
    } else {
        const mode_t Mask = ::umask(0);
        ::umask(Mask);
        Mode = 0666 & ~Mask;
    }
    int Error = 0;
    if (!WriteAll(fd, Data.data(), Data.size())) Error = errno;
    if (!Error && ::fsync(fd) != 0) Error = errno;
    ::fchmod(fd, Mode);
    if (::close(fd) != 0 && !Error) Error = errno;
    if (!Error && std::rename(Temp.c_str(), FileName.c_str()) != 0) Error = errno;
    if (Error) {
        ::unlink(Temp.c_str());
        Fail(Error);
    }
}

} // namespace tarvolin
