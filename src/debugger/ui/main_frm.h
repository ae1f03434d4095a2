// The main window: assembles the views of the debugger's features, the menus, the toolbar, the
// status bar and the main loop. The disassembly pane is the central widget; the Registers, RAM,
// LCD, LCD picture and Input panes are dock widgets the user can resize, move and hide, kept
// with the window's geometry in the settings between runs. The Play layout (F11) shows the LCD
// picture filling the screen with large game controls beneath it. Every command goes through
// RunCommand.
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "base/reporter.h"
#include "debugger/debugger.h"
#include "debugger/debugger_view.h"
#include "debugger/ui/command_runner.h"
#include "debugger/ui/debug_actions.h"
#include "debugger/ui/disasm_pane.h"
#include "debugger/ui/lcd_picture_view.h"
#include "debugger/ui/main_loop.h"
#include "debugger/ui/qt_prompter.h"
#include "debugger/ui/qt_task_runner.h"
#include "debugger/ui/state_panes.h"
#include "debugger/ui/tool_windows_view.h"
#include "debugger/ui/value_panes_view.h"

class QDockWidget;
class QLabel;
class QMenu;
class QPushButton;
class QSlider;
class QStackedWidget;

namespace tarvolin {

class TLiveSoundView;

class TSettings;
class TInputPanel;

class TMainFrm : public QMainWindow, public TWindowView, public TCommandRunner {
    Q_OBJECT
public:
    explicit TMainFrm(TSettings& Settings, QWidget* Parent = nullptr);
    ~TMainFrm() override;

    TDebugger& Debugger() { return *FDebugger; }
    // The first command-line argument, acted on once the window has been shown ("" = none).
    void SetCommandLineArgument(const std::string& Argument) { FCommandLineArgument = Argument; }
    // Sets the Debug menu's and the list's shortcuts from the UseMAMEKeyMapping option.
    void ApplyDebugShortcuts() { FActions->ApplyDebugShortcuts(); }

    // Message boxes, input and file dialogs are answered by this prompter instead of real
    // dialogs (tests); nullptr restores the dialogs.
    void SetPrompterOverride(TPrompter* Prompter) { FPrompter.SetOverride(Prompter); }

    // The main loop.
    void SetSliceMilliseconds(int Milliseconds) { FLoop->SetSliceMilliseconds(Milliseconds); }
    bool IsMainLoopActive() const { return FLoop->IsActive(); }
    // ---- TCommandRunner ----
    void RunCommand(const std::function<void()>& Action) override;
    template <class F> void Command(F&& Action) { RunCommand(std::function<void()>(std::forward<F>(Action))); }

    // Parts of the window, for tests and the benchmark.
    TDisAsmListView* DisAsmList() const { return FDisAsm->List(); }
    TStatePanes* Panes() const { return FPanes; }
    QLabel* StatusLabel() const { return FStatusLabel; }
    QColor StatusBarColour() const;
    QLabel* HintLabel() const { return FDisAsm->HintLabel(); }
    QWidget* StartInfoPanel() const { return FStartInfoPanel; }
    // The docks by their object names: "RegistersDock", "RAMDock", "LCDDock", "LCDPictureDock",
    // "InputDock" (nullptr for another name).
    QDockWidget* Dock(const QString& Name) const;
    QLabel* SpeedLabel() const { return FSpeedLabel; }
    QLabel* CyclesLabel() const { return FCyclesLabel; }
    QLabel* RecordingLabel() const { return FRecordingLabel; }
    QWidget* PlayPage() const { return FPlayPage; }
    QAction* Action(const std::string& Name) const { return FActions->Action(Name); }
    QMenu* GameMenu() const { return FActions->GameMenu(); }
    QMenu* DisAsmPopupMenu() const { return FDisAsm->PopupMenu(); }
    QSlider* SpeedFactorTrackBar() const { return FDisAsm->SpeedTrackBar(); }
    // The value pop-up menu built for one component (shown by a right click), for tests.
    QMenu* BuildValuePopupMenu(int Row, TLabelRole Role) { return FValuePanes->BuildValuePopupMenu(Row, Role); }
    QMenu* BuildValuePopupMenu(TValueId Id) { return FValuePanes->BuildValuePopupMenu(Id); }
    QMenu* BuildLCDImagePopupMenu() { return FLCDView->BuildLCDImagePopupMenu(); }
    uint64_t DrawPanesCount() const { return FValuePanes->DrawPanesCount(); }
    TInputPanel* InputPanel() const { return FInputPanel; }
    TToolWindowsView& ToolWindows() { return FTools; }

    // The Play layout: the LCD picture fills the (full-screen) window, the game controls large
    // beneath it; off again brings back the panes as they were.
    void SetPlayLayout(bool On);
    bool IsPlayLayout() const { return FPlayLayout; }
    // The docks in their first arrangement.
    void ResetLayout();
    // Window geometry and dock arrangement, kept in the settings store (group "Window").
    void SaveLayout();
    bool RestoreLayout();
    // Runs long operations (downloads) off the window's thread with a progress dialog.
    TQtTaskRunner& TaskRunner() { return *FTaskRunner; }
    // The prompter the features use (message boxes, or the test override).
    TPrompter& Prompter() { return FPrompter; }

    // ---- TWindowView ----
    void SetStatus(const std::string& Text, TStatusColour Colour) override;
    void SetCaption(const std::string& Caption) override;
    void CommandStatesChanged(const TCommandStates& States) override;
    void SetBusy(bool Busy) override;
    void SetSoundNote(const std::string& Note) override;
    bool GetWindowPlacement(TWindowPlacement& Placement) const override;
    void SetWindowPlacement(const TWindowPlacement& Placement) override;
    int RightPanelWidth() const override;
    void SetRightPanelWidth(int Width) override;

signals:
    // Once, after the window was first shown and before the command-line argument is acted
    // on (the update check starts here).
    void FirstShown();

protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    bool event(QEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void dragEnterEvent(QDragEnterEvent* Event) override;
    void dropEvent(QDropEvent* Event) override;

private:
    void CreateWidgets();
    void CreateDocks();
    void CreatePlayPage();
    void CreateStatusBar();
    void AfterShow();
    void UpdateRunStatistics(bool Running);
    void ApplyDefaultSizes();
    QDockWidget* AddDock(const QString& Title, const QString& Name, QWidget* Widget);

    TSettings& FSettings;
    TQtPrompter FPrompter{this};
    TToolWindowsView FTools{this};
    TMainLoop* FLoop = nullptr;
    TLiveSoundView* FLiveSoundView = nullptr;
    TDebugActions* FActions = nullptr;

    // Views.
    QStackedWidget* FCentralStack = nullptr; // the debugger's central pane, or the play page
    QStackedWidget* FLeftStack = nullptr;
    QWidget* FStartInfoPanel = nullptr;
    QWidget* FDisAsmPage = nullptr;
    TDisAsmPane* FDisAsm = nullptr;
    TStatePanes* FPanes = nullptr;
    TValuePanesView* FValuePanes = nullptr;
    TLCDPictureView* FLCDView = nullptr;
    TInputPanel* FInputPanel = nullptr;
    QLabel* FStatusLabel = nullptr;
    QLabel* FRecordingLabel = nullptr;
    QLabel* FSpeedLabel = nullptr;
    QLabel* FCyclesLabel = nullptr;
    std::vector<QDockWidget*> FDocks;
    QDockWidget* FRegistersDock = nullptr;
    QDockWidget* FRAMDock = nullptr;
    QDockWidget* FLCDDock = nullptr;
    QDockWidget* FPictureDock = nullptr;
    QDockWidget* FInputDock = nullptr;
    QByteArray FDefaultState;
    bool FLayoutRestored = false;
    // The play page and what the window was before it was shown.
    QWidget* FPlayPage = nullptr;
    QLayout* FPlayPictureRoom = nullptr;
    QLayout* FPlayControlsRoom = nullptr;
    bool FPlayLayout = false;
    QByteArray FNormalState;
    QByteArray FNormalGeometry;
    QRect FNormalRect;
    Qt::WindowStates FNormalWindowState;
    bool FToolBarWasVisible = true;
    // The speed actually reached: cycles and time at the last look.
    QTimer* FRunStatsTimer = nullptr;
    QElapsedTimer FRunStatsClock;
    uint64_t FRunStatsCycles = 0;
    std::unique_ptr<TQtTaskRunner> FTaskRunner;

    std::unique_ptr<TDebugger> FDebugger;
    std::string FCommandLineArgument;
    bool FShownOnce = false;

    // Messages of the core that do not abort an operation (a short ROM, a bad ".dat" file, a
    // missing LCD image) reach the user as message boxes of this window.
    class TReporter : public TMessageReporter {
    public:
        explicit TReporter(TPrompter& Prompter) : FPrompter(Prompter) {}
        void ShowError(const std::string& Text) override { FPrompter.Error(Text); }
        void ShowWarning(const std::string& Text) override {
            FPrompter.Message(TMessageKind::Warning, Text, TMessageButtons::OK);
        }

    private:
        TPrompter& FPrompter;
    };
    TReporter FReporter{FPrompter};
    TMessageReporter* FPreviousReporter = nullptr;
};

} // namespace tarvolin
