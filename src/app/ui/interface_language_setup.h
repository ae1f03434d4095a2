// Choosing the interface texts at start: when the language stored for this executable is
// Russian and the Russian texts load, they are installed for the Qt views and for the code
// without Qt, and the program runs with the Russian interface for the whole run.
#pragma once

namespace tarvolin {

class TSettingsStore;

// Returns true when the Russian interface is active (RussianUIActive then says so too).
// Needs the QApplication; call it before any window is created.
bool SetUpInterfaceLanguage(const TSettingsStore& Store);

} // namespace tarvolin
