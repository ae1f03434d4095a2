#include "base/program_folder.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace tarvolin {

namespace {

std::filesystem::path& Decided() {
    static std::filesystem::path folder;
    return folder;
}

std::filesystem::path ExecutableFolder() { return ExecutablePath().parent_path(); }

} // namespace

std::filesystem::path ExecutablePath() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe;
}

std::filesystem::path ChooseProgramFolder(const std::filesystem::path& ExecutableFolder,
                                          bool ExecutableFolderWritable, const char* XdgDataHome,
                                          const char* Home) {
    if (!ExecutableFolder.empty() && ExecutableFolderWritable) return ExecutableFolder;
    if (XdgDataHome && *XdgDataHome == '/') return std::filesystem::path(XdgDataHome) / "Tarvolin";
    if (Home && *Home) return std::filesystem::path(Home) / ".local" / "share" / "Tarvolin";
    return std::filesystem::temp_directory_path() / "Tarvolin";
}

std::filesystem::path ProgramFolder() {
    std::filesystem::path& folder = Decided();
    if (!folder.empty()) return folder;
    const std::filesystem::path exeFolder = ExecutableFolder();
    const bool writable = !exeFolder.empty() && access(exeFolder.c_str(), W_OK) == 0;
    folder = ChooseProgramFolder(exeFolder, writable, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (folder != exeFolder) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
    }
    return folder;
}

void SetProgramFolder(const std::filesystem::path& Folder) {
    Decided() = Folder;
}

} // namespace tarvolin
