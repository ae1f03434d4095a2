#include "debugger/ui/debug_actions.h"

#include <QAction>
#include <QApplication>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QToolBar>

#include "base/options.h"
#include "debugger/debugger.h"
#include "debugger/ui/breakpoints_dialog.h"
#include "debugger/ui/command_runner.h"
#include "debugger/ui/options_dialog.h"
#include "debugger/ui/run_icons.h"

namespace tarvolin {

namespace {

// The caption without its accelerator mark ("&Trace into" -> "Trace into").
QString PlainCaption(const QString& Caption) {
    QString s = Caption;
    s.replace("&&", QChar(0xE000));
    s.remove('&');
    s.replace(QChar(0xE000), "&");
    return s;
}

} // namespace

TDebugActions::TDebugActions(QMainWindow& Window, TCommandRunner& Runner, TToolWindows& Tools)
    : QObject(&Window), FWindow(Window), FRunner(Runner), FTools(Tools) {
    CreateMenus();
    CreateToolBar();
}

QAction* TDebugActions::Action(const std::string& Name) const {
    auto it = FActions.find(Name);
    return it == FActions.end() ? nullptr : it->second;
}

QAction* TDebugActions::Add(QMenu* Menu, const std::string& Name, const QString& Caption) {
    auto* a = new QAction(Caption, &FWindow);
    if (Menu) Menu->addAction(a);
    FActions[Name] = a;
    return a;
}

void TDebugActions::CreateMenus() {
    QMenuBar* bar = FWindow.menuBar();
    FGameMenu = bar->addMenu(tr("&Game"));
    FGameGroup = new QActionGroup(this);
    FGameGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);

    QMenu* session = bar->addMenu(tr("&Session"));
    connect(Add(session, "SessionOpen", tr("&Open...")), &QAction::triggered, this,
            [this] { FRunner.RunCommand([&] { FDebugger->SessionCommands().OpenCommand(); }); });
    connect(Add(session, "SessionSave", tr("&Save")), &QAction::triggered, this,
            [this] { FRunner.RunCommand([&] { FDebugger->SessionCommands().SaveCommand(); }); });
    connect(Add(session, "SessionSaveAs", tr("Save &as...")), &QAction::triggered, this,
            [this] { FRunner.RunCommand([&] { FDebugger->SessionCommands().SaveAsCommand(); }); });
    Action("SessionSave")->setEnabled(false);
    Action("SessionSaveAs")->setEnabled(false);

    QMenu* debug = bar->addMenu(tr("&Debug"));
    auto cmd = [this](QMenu* menu, const std::string& name, const QString& caption, void (TRunControl::*fn)()) {
        QAction* a = Add(menu, name, caption);
        connect(a, &QAction::triggered, this, [this, fn] { FRunner.RunCommand([&] { (FDebugger->Run().*fn)(); }); });
        return a;
    };
    cmd(debug, "DebugTraceInto", tr("&Trace into"), &TRunControl::TraceInto);
    cmd(debug, "DebugStepOver", tr("&Step over"), &TRunControl::StepOver);
    cmd(debug, "DebugRunUntilReturn", tr("Run u&ntil Return"), &TRunControl::RunUntilReturn);
    debug->addSeparator();
    auto rev = [this](QMenu* menu, const std::string& name, const QString& caption, void (TReverseControl::*fn)()) {
        QAction* a = Add(menu, name, caption);
        connect(a, &QAction::triggered, this, [this, fn] { FRunner.RunCommand([&] { (FDebugger->Reverse().*fn)(); }); });
        return a;
    };
    rev(debug, "DebugStepBack", tr("Step bac&k"), &TReverseControl::StepBack);
    rev(debug, "DebugStepBackOver", tr("Step back o&ver"), &TReverseControl::StepBackOver);
    rev(debug, "DebugRunBackwards", tr("Run back&wards"), &TReverseControl::RunBackwards);
    QAction* keep = Add(debug, "DebugKeepHistory", tr("Keep &history"));
    keep->setCheckable(true);
    connect(keep, &QAction::triggered, this, [this](bool on) {
        FRunner.RunCommand([&] { FDebugger->Reverse().SetKeepHistory(on); });
        Action("DebugKeepHistory")->setChecked(FDebugger->Reverse().KeepHistory());
    });
    rev(debug, "DebugHistoryMemory", tr("History &memory..."), &TReverseControl::HistoryLimitCommand);
    debug->addSeparator();
    cmd(debug, "DebugAnimatedRun", tr("&Animated run"), &TRunControl::AnimatedRun);
    cmd(debug, "DebugUnattendedRun", tr("&Unattended run"), &TRunControl::UnattendedRun);
    cmd(debug, "DebugPause", tr("&Pause"), &TRunControl::Pause);
    debug->addSeparator();
    cmd(debug, "DebugRefresh", tr("Re&fresh"), &TRunControl::Refresh);
    cmd(debug, "DebugReset", tr("MCU &Reset"), &TRunControl::MCUReset);
    debug->addSeparator();
    QAction* bps = Add(debug, "DebugBreakpoints", tr("&Breakpoints..."));
    connect(bps, &QAction::triggered, this, &TDebugActions::OpenBreakpointsDialog);
    QAction* seven = Add(debug, "Debug7SegmentCodingTable", tr("&7-segment Coding Table..."));
    connect(seven, &QAction::triggered, this, [this] { FTools.ShowSevenSegmentCodingTable(-1, -1, true, -1); });
    debug->addSeparator();
    QAction* coverage = Add(debug, "DebugTrackCoverage", tr("Mark e&xecuted code"));
    coverage->setCheckable(true);
    connect(coverage, &QAction::triggered, this, [this](bool on) {
        FRunner.RunCommand([&] { FDebugger->Reverse().SetTrackCoverage(on); });
        Action("DebugTrackCoverage")->setChecked(FDebugger->Reverse().TrackCoverage());
    });
    rev(debug, "DebugClearCoverage", tr("C&lear coverage"), &TReverseControl::ClearCoverage);
    QAction* log = rev(debug, "DebugTraceLog", tr("Trace l&og..."), &TReverseControl::TraceLogCommand);
    log->setCheckable(true);
    connect(log, &QAction::triggered, this,
            [this] { Action("DebugTraceLog")->setChecked(FDebugger->Reverse().IsTraceLogging()); });
    // The buzzer through the audio output while a run goes on; the feature decides the check.
    QAction* liveSound = Add(debug, "DebugSound", tr("S&ound"));
    liveSound->setCheckable(true);
    liveSound->setChecked(Options().LiveSound);
    connect(liveSound, &QAction::triggered, this, [this] {
        FRunner.RunCommand([&] { FDebugger->LiveSound().ToggleSound(); });
        Action("DebugSound")->setChecked(Options().LiveSound);
    });
    // Works in the Play layout too, where the menu bar is hidden.
    FWindow.addAction(liveSound);
    Action("DebugPause")->setShortcut(QKeySequence(Qt::Key_Escape));
    for (const char* n : {"DebugTraceInto", "DebugStepOver", "DebugRunUntilReturn", "DebugAnimatedRun",
                          "DebugUnattendedRun", "DebugPause", "DebugRefresh", "DebugReset", "DebugBreakpoints",
                          "DebugStepBack", "DebugStepBackOver", "DebugRunBackwards", "DebugClearCoverage",
                          "DebugTraceLog"})
        Action(n)->setEnabled(false);
    // The stepping shortcuts stay with the window when the menu bar is hidden (Play layout).
    for (const char* n : {"DebugStepBack", "DebugStepBackOver", "DebugRunBackwards"}) FWindow.addAction(Action(n));

    // View: the docks (added by the window), the toolbar and the layouts.
    FViewMenu = bar->addMenu(tr("&View"));
    QAction* play = Add(FViewMenu, "ViewPlayLayout", tr("&Play layout"));
    play->setCheckable(true);
    connect(play, &QAction::triggered, this, [this](bool on) {
        if (OnPlayLayout) OnPlayLayout(on);
    });
    connect(Add(FViewMenu, "ViewResetLayout", tr("&Reset layout")), &QAction::triggered, this, [this] {
        if (OnPlayLayout) OnPlayLayout(false);
        if (OnResetLayout) OnResetLayout();
    });

    FGameSpecificMenu = bar->addMenu(tr("Game"));
    FGameSpecificMenuAction = FGameSpecificMenu->menuAction();
    FGameSpecificMenuAction->setVisible(false);
    QAction* pins = Add(FGameSpecificMenu, "GameMCUPins", tr("&MCU pins..."));
    connect(pins, &QAction::triggered, this, [this] { FRunner.RunCommand([&] { FTools.ShowMCUPins(); }); });
    QAction* inter = Add(FGameSpecificMenu, "GameInterconnection", tr("&Interconnection of MCU and LCD..."));
    connect(inter, &QAction::triggered, this, [this] { FRunner.RunCommand([&] { FTools.ShowInterconnection(); }); });
    pins->setEnabled(false);
    inter->setEnabled(false);
    FGameSpecificMenu->addSeparator();
    QAction* keys = Add(FGameSpecificMenu, "GameKeys", tr("Game &keys..."));
    connect(keys, &QAction::triggered, this, [this] {
        QMessageBox box(QMessageBox::Information, tr("Game keys"), FGameKeysText, QMessageBox::Ok, &FWindow);
        box.exec();
    });
    keys->setVisible(false);
    QAction* cheats = Add(FGameSpecificMenu, "GameCheats", tr("&Cheats / Test modes / Hidden features..."));
    connect(cheats, &QAction::triggered, this,
            [this] { FRunner.RunCommand([&] { FDebugger->GameMenu().ShowCheats(); }); });
    FGameSpecificMenu->addSeparator();
    QAction* sound = Add(FGameSpecificMenu, "GameSoundRecording", tr("Sound recording"));
    sound->setCheckable(true);
    connect(sound, &QAction::triggered, this, [this] {
        FRunner.RunCommand([&] { FDebugger->Sound().ToggleSoundRecording(); });
        // The feature decides the checked state.
        Action("GameSoundRecording")->setChecked(FSoundRecordingChecked);
    });

    QAction* options = Add(nullptr, "Options", tr("&Options..."));
    bar->addAction(options);
    connect(options, &QAction::triggered, this, &TDebugActions::OpenOptionsDialog);
    // The Misc windows belong to the program around the debugger (app/ui), which connects
    // these entries and enables them when it installs its windows (InstallMiscMenu).
    QMenu* misc = bar->addMenu(tr("&Misc"));
    Add(misc, "MiscUsefulLinks", tr("&Useful links..."))->setEnabled(false);
    Add(misc, "MiscAbout", tr("&About..."))->setEnabled(false);
}

void TDebugActions::CreateToolBar() {
    const QString title = tr("Run commands");
    FToolBar = new QToolBar(title, &FWindow);
    FToolBar->setObjectName("RunToolBar");
    FToolBar->setAccessibleName(title);
    FToolBar->setIconSize(QSize(20, 20));
    FToolBar->toggleViewAction()->setText(tr("&Toolbar"));
    const struct {
        const char* Name;
        TRunIcon Icon;
    } items[] = {
        {"DebugTraceInto", TRunIcon::TraceInto},       {"DebugStepOver", TRunIcon::StepOver},
        {"DebugRunUntilReturn", TRunIcon::RunUntilReturn}, {nullptr, {}},
        {"DebugAnimatedRun", TRunIcon::AnimatedRun},   {"DebugUnattendedRun", TRunIcon::UnattendedRun},
        {"DebugPause", TRunIcon::Pause},               {nullptr, {}},
        {"DebugRefresh", TRunIcon::Refresh},           {"DebugReset", TRunIcon::Reset},
        {nullptr, {}},                                 {"DebugBreakpoints", TRunIcon::Breakpoints},
        {nullptr, {}},                                 {"ViewPlayLayout", TRunIcon::PlayLayout},
    };
    for (const auto& item : items) {
        if (!item.Name) {
            FToolBar->addSeparator();
            continue;
        }
        QAction* a = Action(item.Name);
        a->setIcon(RunIcon(item.Icon));
        FToolBar->addAction(a);
        // The shortcuts stay with the window when the menu bar is hidden (Play layout).
        FWindow.addAction(a);
    }
    FWindow.addToolBar(Qt::TopToolBarArea, FToolBar);
    FViewMenu->insertAction(Action("ViewPlayLayout"), FToolBar->toggleViewAction());
    FViewMenu->insertSeparator(Action("ViewPlayLayout"));
}

void TDebugActions::SetGameKeysText(const QString& Text) {
    FGameKeysText = Text;
    // Shown for the games that have keys.
    Action("GameKeys")->setVisible(!Text.isEmpty());
}

void TDebugActions::SetPlayLayoutChecked(bool On) { Action("ViewPlayLayout")->setChecked(On); }

void TDebugActions::UpdateToolTips() {
    for (const auto& [name, a] : FActions) {
        const QString caption = PlainCaption(a->text());
        const QKeySequence key = a->shortcut();
        a->setToolTip(key.isEmpty() ? caption : caption + " (" + key.toString(QKeySequence::NativeText) + ")");
    }
}

void TDebugActions::SetGameMenu(const std::vector<TGameMenuEntry>& Entries) {
    FGameMenu->clear();
    for (QAction* a : FGameGroup->actions()) FGameGroup->removeAction(a);
    FGameActions.clear();
    for (const TGameMenuEntry& e : Entries) {
        if (!e.Class) {
            FGameMenu->addSeparator();
            continue;
        }
        QAction* a = FGameMenu->addAction(QString::fromUtf8(e.MenuCaption));
        a->setCheckable(true);
        FGameGroup->addAction(a);
        if (e.MenuShortcut && *e.MenuShortcut) a->setShortcut(QKeySequence(QString::fromUtf8(e.MenuShortcut)));
        const TMCUClass* cls = e.Class;
        connect(a, &QAction::triggered, this, [this, cls] {
            FRunner.RunCommand([&] { FDebugger->Loading().LoadGameFromMenu(cls); });
            for (auto& [c, act] : FGameActions) act->setChecked(c == FCheckedGame);
        });
        FGameActions[cls] = a;
    }
    AddRecentROMsMenu();
    std::vector<const TMCUClass*> catalogue;
    for (const TGameMenuEntry& e : Entries)
        if (e.Class && !e.Class->IsCustomGame()) catalogue.push_back(e.Class);
    if (FDebugger) FDebugger->Loading().SetGameCatalogue(std::move(catalogue));
}

void TDebugActions::ApplyDebugShortcuts() {
    const bool mame = Options().UseMAMEKeyMapping;
    struct S {
        const char* Name;
        const char* Default;
        const char* MAME;
    };
    static const S table[] = {
        {"DebugTraceInto", "F7", "F11"},         {"DebugStepOver", "F8", "F10"},
        {"DebugRunUntilReturn", "Ctrl+F8", "Shift+F11"}, {"DebugAnimatedRun", "F9", "Ctrl+F5"},
        {"DebugUnattendedRun", "Ctrl+F9", "F5"}, {"DebugRefresh", "F5", "F2"},
        {"DebugReset", "Ctrl+F2", "Shift+F3"},   {"DisAsmLBToggleBreakpoint", "F2", "F9"},
        {"DisAsmLBRunToCursor", "F4", "F4"},     {"ViewPlayLayout", "F11", "Ctrl+F11"},
        {"DebugStepBack", "Shift+F7", "Ctrl+Shift+F11"}, {"DebugStepBackOver", "Shift+F8", "Ctrl+Shift+F10"},
        {"DebugRunBackwards", "Shift+F9", "Ctrl+Shift+F5"},
        {"DebugSound", "Ctrl+M", "Ctrl+M"},
    };
    for (const S& s : table)
        if (QAction* a = Action(s.Name)) a->setShortcut(QKeySequence(mame ? s.MAME : s.Default));
    UpdateToolTips();
}

void TDebugActions::ApplyStates(const TCommandStates& S) {
    FCheckedGame = S.CheckedGame;
    FSoundRecordingChecked = S.SoundRecordingChecked;
    Action("DebugTraceInto")->setEnabled(S.TraceInto);
    Action("DebugStepOver")->setEnabled(S.StepOver);
    Action("DebugRunUntilReturn")->setEnabled(S.RunUntilReturn);
    Action("DebugAnimatedRun")->setEnabled(S.AnimatedRun);
    Action("DebugUnattendedRun")->setEnabled(S.UnattendedRun);
    Action("DebugPause")->setEnabled(S.Pause);
    Action("DebugRefresh")->setEnabled(S.Refresh);
    Action("DebugReset")->setEnabled(S.MCUReset);
    Action("DebugBreakpoints")->setEnabled(S.Breakpoints);
    for (const char* n : {"DebugStepBack", "DebugStepBackOver", "DebugRunBackwards"}) Action(n)->setEnabled(S.StepBack);
    Action("DebugKeepHistory")->setEnabled(S.KeepHistory);
    Action("DebugKeepHistory")->setChecked(S.KeepHistoryChecked);
    Action("DebugTrackCoverage")->setChecked(S.TrackCoverageChecked);
    Action("DebugClearCoverage")->setEnabled(S.ClearCoverage);
    Action("DebugTraceLog")->setEnabled(S.TraceLog);
    Action("DebugTraceLog")->setChecked(S.TraceLogChecked);
    Action("SessionSave")->setEnabled(S.SessionSave);
    Action("SessionSaveAs")->setEnabled(S.SessionSave);
    for (auto& [cls, act] : FGameActions) act->setChecked(cls == S.CheckedGame);
    FGameSpecificMenuAction->setVisible(S.GameSpecificVisible);
    FGameSpecificMenu->setTitle(QString::fromStdString(S.GameSpecificCaption).replace("&", "&&"));
    Action("GameMCUPins")->setEnabled(S.MCUPins);
    Action("GameInterconnection")->setEnabled(S.Interconnection);
    Action("GameCheats")->setEnabled(S.Cheats);
    Action("GameSoundRecording")->setEnabled(S.SoundRecording);
    Action("GameSoundRecording")->setChecked(S.SoundRecordingChecked);
    Action("DebugSound")->setChecked(S.LiveSoundChecked);
}

void TDebugActions::OpenOptionsDialog() {
    FRunner.RunCommand([this] {
        TOptionsControl& control = FDebugger->OptionsDialog();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        TOptionsDlg dlg(&FWindow, control.DialogValues());
        QApplication::restoreOverrideCursor();
        if (dlg.exec() != QDialog::Accepted) return;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        control.Accept(dlg.Values());
        QApplication::restoreOverrideCursor();
        // The options take effect at once.
        ApplyDebugShortcuts();
        FDebugger->OptionsChanged();
    });
}

void TDebugActions::OpenBreakpointsDialog() {
    FRunner.RunCommand([this] {
        TBreakpointControl& bps = FDebugger->Breakpoints();
        std::unique_ptr<TBreakpointsDialogModel> model;
        if (!bps.PrepareBreakpointsDialog(model) || !model) return;
        TBreakpointsDlg dlg(
            &FWindow, *model, [&bps] { return bps.ConfirmDeleteAllBreakpoints(); },
            [this](T11bits a) { FRunner.RunCommand([&] { FDebugger->Navigation().GoToTarget(a); }); });
        if (dlg.exec() == QDialog::Accepted) bps.ApplyBreakpointsDialog(*model);
    });
}

void TDebugActions::AddRecentROMsMenu() {
    delete FGameMenu->findChild<QMenu*>("GameRecentROMs", Qt::FindDirectChildrenOnly);
    FGameMenu->addSeparator();
    QMenu* recent = FGameMenu->addMenu(tr("&Recent ROMs"));
    recent->setObjectName("GameRecentROMs");
    // An empty list leaves the submenu disabled; it is looked at whenever the Game menu opens.
    connect(FGameMenu, &QMenu::aboutToShow, recent, [this, recent] {
        recent->setEnabled(FDebugger && !FDebugger->Loading().RecentROMs().empty());
    });
    connect(recent, &QMenu::aboutToShow, recent, [this, recent] {
        recent->clear();
        if (!FDebugger) return;
        const std::vector<TRecentROMEntry> entries = FDebugger->Loading().RecentROMs();
        for (size_t i = 0; i < entries.size(); ++i) {
            QAction* a = recent->addAction(QString::fromStdString(entries[i].Caption));
            a->setToolTip(QString::fromStdString(entries[i].File));
            connect(a, &QAction::triggered, this, [this, i] {
                FRunner.RunCommand([&] { FDebugger->Loading().LoadRecentROM(i); });
            });
        }
        recent->addSeparator();
        connect(recent->addAction(tr("&Clear list")), &QAction::triggered, this,
                [this] { FRunner.RunCommand([&] { FDebugger->Loading().ClearRecentROMs(); }); });
    });
    recent->setToolTipsVisible(true);
    recent->setEnabled(false);
}

} // namespace tarvolin
