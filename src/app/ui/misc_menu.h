// The Misc menu's windows and the update check, joined to the main window: the entries
// "&Useful links..." and "&About..." open their windows, and the update check starts when the
// window is first shown.
#pragma once

namespace tarvolin {

class TMainFrm;
class TUpdateChecker;

// Connects and enables the Misc entries of Window and returns the window's update checker
// (owned by the window).
TUpdateChecker* InstallMiscMenu(TMainFrm& Window);

} // namespace tarvolin
