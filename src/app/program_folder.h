// The folder where the program keeps per-game ".dat" files and downloaded ROMs.
#pragma once

#include <filesystem>

namespace tarvolin {

// The executable's folder when it is writable (portable use); otherwise
// $XDG_DATA_HOME/Tarvolin or ~/.local/share/Tarvolin, created on first use.
// Decided once and remembered.
std::filesystem::path ProgramFolder();
// Overrides the decision (tests point it at a temporary folder); an empty path decides afresh.
void SetProgramFolder(const std::filesystem::path& Folder);

} // namespace tarvolin
