// The window's commands as one set of actions, shared by the menus, the toolbar, the shortcuts
// and the pop-up menus, enabled and checked in one place from the debugger's command states.
// The menu bar: Game, Session, Debug, View, the game-specific menu, Options and Misc; the
// toolbar holds the run commands, each with its shortcut in its tooltip.
#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "debugger/debugger_view.h"
#include "games/game_catalogue.h"

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;
class QToolBar;

namespace tarvolin {

class TCommandRunner;
class TDebugger;

class TDebugActions : public QObject {
    Q_OBJECT
public:
    TDebugActions(QMainWindow& Window, TCommandRunner& Runner, TToolWindows& Tools);
    void SetDebugger(TDebugger* Debugger) { FDebugger = Debugger; }

    // An action by name ("DebugTraceInto", "DisAsmLBFollow", ...), nullptr when there is none.
    QAction* Action(const std::string& Name) const;
    // Creates a named action owned by the window, added to Menu when given.
    QAction* Add(QMenu* Menu, const std::string& Name, const QString& Caption);

    // Builds the Game menu (catalogue games in menu order with separators, then the custom
    // game) and hands the catalogue's games to the debugger's command line.
    void SetGameMenu(const std::vector<TGameMenuEntry>& Entries);
    QMenu* GameMenu() const { return FGameMenu; }
    // Sets the Debug menu's and the list's shortcuts from the UseMAMEKeyMapping option.
    void ApplyDebugShortcuts();
    void ApplyStates(const TCommandStates& States);

    QToolBar* ToolBar() const { return FToolBar; }
    // The View menu: the window adds its docks' items at its top.
    QMenu* ViewMenu() const { return FViewMenu; }
    // The window switches its Play layout and puts its docks back (View menu, toolbar, F11).
    std::function<void(bool)> OnPlayLayout;
    std::function<void()> OnResetLayout;
    void SetPlayLayoutChecked(bool On);
    // The list of the game's keys, as the Game-specific menu shows it ("" = none).
    void SetGameKeysText(const QString& Text);

private:
    void CreateMenus();
    void CreateToolBar();
    void UpdateToolTips();
    void OpenBreakpointsDialog();
    void OpenOptionsDialog();
    // The Game menu's "Recent ROMs" submenu, filled from the debugger each time it opens.
    void AddRecentROMsMenu();

    QMainWindow& FWindow;
    TCommandRunner& FRunner;
    TToolWindows& FTools;
    TDebugger* FDebugger = nullptr;
    std::map<std::string, QAction*> FActions;
    QMenu* FGameMenu = nullptr;
    QActionGroup* FGameGroup = nullptr;
    std::map<const TMCUClass*, QAction*> FGameActions;
    QMenu* FGameSpecificMenu = nullptr;
    QMenu* FViewMenu = nullptr;
    QToolBar* FToolBar = nullptr;
    QString FGameKeysText;
    QAction* FGameSpecificMenuAction = nullptr;
    const TMCUClass* FCheckedGame = nullptr;
    bool FSoundRecordingChecked = false;
};

} // namespace tarvolin
