#include "app/program_folder.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace tarvolin {

namespace {

std::filesystem::path& Decided() {
    static std::filesystem::path folder;
    return folder;
}

std::filesystem::path ExecutableFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe.parent_path();
}

std::filesystem::path UserDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg == '/') return std::filesystem::path(xdg) / "Tarvolin";
    const char* home = std::getenv("HOME");
    if (home && *home) return std::filesystem::path(home) / ".local" / "share" / "Tarvolin";
    return std::filesystem::temp_directory_path() / "Tarvolin";
}

} // namespace

std::filesystem::path ProgramFolder() {
    std::filesystem::path& folder = Decided();
    if (!folder.empty()) return folder;
    const std::filesystem::path exeFolder = ExecutableFolder();
    if (!exeFolder.empty() && access(exeFolder.c_str(), W_OK) == 0) {
        folder = exeFolder;
    } else {
        folder = UserDataFolder();
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
    }
    return folder;
}

void SetProgramFolder(const std::filesystem::path& Folder) { Decided() = Folder; }

} // namespace tarvolin
