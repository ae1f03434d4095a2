// Where the program keeps its files: per-game ".dat" files, downloaded ROMs and the user's
// artwork in the data folder, the settings (with the ROM file list) in the config folder.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace tarvolin {

// What the choice of folders depends on; an empty text stands for an unset variable.
struct TFolderEnvironment {
    std::filesystem::path ExecutableFolder; // "" when the system does not tell
    bool ExecutableFolderWritable = false;
    std::string XdgDataHome;
    std::string XdgConfigHome;
    std::string Home;
    // Whether a folder exists (the real file system, or a table in tests).
    std::function<bool(const std::filesystem::path&)> FolderExists;
};

struct TUserFolders {
    std::filesystem::path Data;         // .dat files, downloaded .rom files, artwork/
    std::filesystem::path Config;       // the settings file
    std::filesystem::path SettingsFile; // in Config
};

// The rule: the data folder is the executable's folder when it is known, writable and not a
// system folder (/usr, /bin, /sbin, /opt, /snap and below, where an installed program lives
// even when root runs it): a portable copy keeps its files beside it. Otherwise it is
// $XDG_DATA_HOME/tarvolin (an absolute XDG_DATA_HOME only, as the XDG rules say), else
// $HOME/.local/share/tarvolin. The settings are per user in every case:
// $XDG_CONFIG_HOME/tarvolin/tarvolin.conf, else $HOME/.config/tarvolin/tarvolin.conf.
// Earlier versions used the folder name "Tarvolin" (and the settings file Tarvolin.conf); such
// a folder stays in use while the new one does not exist, so nothing a user kept there is
// lost. Without HOME the folders are made in the temporary folder.
TUserFolders ChooseUserFolders(const TFolderEnvironment& Environment);

// The folders of this run, decided once from the real environment and remembered. The
// per-user folders are created on first use.
const TUserFolders& UserFolders();
// The data folder (.dat files and downloaded ROMs); tests may point it elsewhere.
std::filesystem::path ProgramFolder();
// The folder of the user's LCD artwork: the data folder's "artwork" (not created here).
std::filesystem::path UserArtworkFolder();
// The settings file of the desktop program.
std::filesystem::path SettingsFilePath();
// The full path of the running program ("" when the system does not tell).
std::filesystem::path ExecutablePath();
// Overrides the data folder (tests point it at a temporary folder); an empty path decides afresh.
void SetProgramFolder(const std::filesystem::path& Folder);

} // namespace tarvolin
