#include "base/program_folder.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace tarvolin {

namespace {

constexpr const char* FolderName = "tarvolin";
constexpr const char* EarlierFolderName = "Tarvolin"; // the name earlier versions used

// Base/tarvolin, or Base/Tarvolin while only that one exists.
std::filesystem::path OwnFolderIn(const std::filesystem::path& Base, const TFolderEnvironment& Environment,
                                  bool& Earlier) {
    const std::filesystem::path Current = Base / FolderName, Old = Base / EarlierFolderName;
    Earlier = Environment.FolderExists && !Environment.FolderExists(Current) && Environment.FolderExists(Old);
    return Earlier ? Old : Current;
}

// The XDG base folder: the variable when it holds an absolute path, else HOME + the default.
std::filesystem::path XdgBase(const std::string& Variable, const std::string& Home, const char* Default) {
    if (!Variable.empty() && Variable.front() == '/') return Variable;
    if (!Home.empty()) return std::filesystem::path(Home) / Default;
    return {};
}

// Folders of the system's installed programs: the program is installed there even when the
// user (root) may write into them, and its files belong in the user's folders.
bool IsSystemFolder(const std::filesystem::path& Folder) {
    const std::filesystem::path f = Folder.lexically_normal();
    for (const char* root : {"/usr", "/bin", "/sbin", "/opt", "/snap"}) {
        const std::filesystem::path r(root);
        auto [end, _] = std::mismatch(r.begin(), r.end(), f.begin(), f.end());
        if (end == r.end()) return true;
    }
    return false;
}

std::filesystem::path TempBase() {
    std::error_code ec;
    const std::filesystem::path t = std::filesystem::temp_directory_path(ec);
    return ec ? std::filesystem::path("/tmp") : t;
}

struct TDecided {
    bool Done = false;
    TUserFolders Folders;
    std::filesystem::path DataOverride;
};

TDecided& Decided() {
    static TDecided d;
    return d;
}

std::string Env(const char* Name) {
    const char* v = std::getenv(Name);
    return v ? v : "";
}

} // namespace

TUserFolders ChooseUserFolders(const TFolderEnvironment& Environment) {
    TUserFolders r;
    bool EarlierData = false, EarlierConfig = false;
    std::filesystem::path DataBase = XdgBase(Environment.XdgDataHome, Environment.Home, ".local/share");
    std::filesystem::path ConfigBase = XdgBase(Environment.XdgConfigHome, Environment.Home, ".config");
    if (DataBase.empty()) DataBase = TempBase();
    if (ConfigBase.empty()) ConfigBase = TempBase();
    if (!Environment.ExecutableFolder.empty() && Environment.ExecutableFolderWritable &&
        !IsSystemFolder(Environment.ExecutableFolder))
        r.Data = Environment.ExecutableFolder;
    else
        r.Data = OwnFolderIn(DataBase, Environment, EarlierData);
    r.Config = OwnFolderIn(ConfigBase, Environment, EarlierConfig);
    r.SettingsFile = r.Config / (std::string(EarlierConfig ? EarlierFolderName : FolderName) + ".conf");
    return r;
}

std::filesystem::path ExecutablePath() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe;
}

const TUserFolders& UserFolders() {
    TDecided& d = Decided();
    if (d.Done) return d.Folders;
    TFolderEnvironment e;
    e.ExecutableFolder = ExecutablePath().parent_path();
    e.ExecutableFolderWritable = !e.ExecutableFolder.empty() && access(e.ExecutableFolder.c_str(), W_OK) == 0;
    e.XdgDataHome = Env("XDG_DATA_HOME");
    e.XdgConfigHome = Env("XDG_CONFIG_HOME");
    e.Home = Env("HOME");
    e.FolderExists = [](const std::filesystem::path& p) {
        std::error_code ec;
        return std::filesystem::is_directory(p, ec);
    };
    d.Folders = ChooseUserFolders(e);
    std::error_code ec;
    // The config folder is made by the settings store when it first writes.
    if (d.Folders.Data != e.ExecutableFolder) std::filesystem::create_directories(d.Folders.Data, ec);
    d.Done = true;
    return d.Folders;
}

std::filesystem::path ProgramFolder() {
    const TDecided& d = Decided();
    return d.DataOverride.empty() ? UserFolders().Data : d.DataOverride;
}

std::filesystem::path UserArtworkFolder() { return ProgramFolder() / "artwork"; }

std::filesystem::path SettingsFilePath() { return UserFolders().SettingsFile; }

void SetProgramFolder(const std::filesystem::path& Folder) {
    Decided().DataOverride = Folder;
}

} // namespace tarvolin
