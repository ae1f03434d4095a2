// The folder where the program keeps per-game ".dat" files and downloaded ROMs.
#pragma once

#include <filesystem>

namespace tarvolin {

// The executable's folder when it is writable (portable use); otherwise
// $XDG_DATA_HOME/Tarvolin or ~/.local/share/Tarvolin, created on first use.
// Decided once and remembered.
std::filesystem::path ProgramFolder();
// The rule itself: the executable's folder when it is known and writable, else
// $XDG_DATA_HOME/Tarvolin (an absolute XDG_DATA_HOME only), else <Home>/.local/share/Tarvolin.
std::filesystem::path ChooseProgramFolder(const std::filesystem::path& ExecutableFolder,
                                          bool ExecutableFolderWritable, const char* XdgDataHome,
                                          const char* Home);
// The full path of the running program ("" when the system does not tell).
std::filesystem::path ExecutablePath();
// Overrides the decision (tests point it at a temporary folder); an empty path decides afresh.
void SetProgramFolder(const std::filesystem::path& Folder);

} // namespace tarvolin
