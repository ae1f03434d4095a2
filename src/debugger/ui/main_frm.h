// The main window: assembles the views of the debugger's features (the disassembly pane on
// the left; registers, RAM and the LCD picture on the right; the input panel under the list),
// the menus, the status bar and the main loop. Every command goes through RunCommand.
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

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

class QLabel;
class QMenu;
class QSlider;
class QSplitter;
class QStackedWidget;

namespace tarvolin {

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
    // Runs long operations (downloads) off the window's thread with a progress dialog.
    TQtTaskRunner& TaskRunner() { return *FTaskRunner; }
    // The prompter the features use (message boxes, or the test override).
    TPrompter& Prompter() { return FPrompter; }

    // ---- TWindowView ----
    void SetStatus(const std::string& Text, TStatusColour Colour) override;
    void SetCaption(const std::string& Caption) override;
    void CommandStatesChanged(const TCommandStates& States) override;
    void SetBusy(bool Busy) override;
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

private:
    void CreateWidgets();
    void AfterShow();

    TSettings& FSettings;
    TQtPrompter FPrompter{this};
    TToolWindowsView FTools{this};
    TMainLoop* FLoop = nullptr;
    TDebugActions* FActions = nullptr;

    // Views.
    QSplitter* FSplitter = nullptr;
    QWidget* FRightPanel = nullptr;
    QStackedWidget* FLeftStack = nullptr;
    QWidget* FStartInfoPanel = nullptr;
    QWidget* FDisAsmPage = nullptr;
    TDisAsmPane* FDisAsm = nullptr;
    TStatePanes* FPanes = nullptr;
    TValuePanesView* FValuePanes = nullptr;
    TLCDPictureView* FLCDView = nullptr;
    TInputPanel* FInputPanel = nullptr;
    QLabel* FStatusLabel = nullptr;
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
