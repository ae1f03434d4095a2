// The main window: the disassembly list on the left, registers, RAM and LCD on the right,
// menus, status bar and the main loop. It is a view of TDebugger: every command goes to the
// controller, which answers through TDebuggerView and asks the user through TPrompter.
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "debugger/debugger.h"
#include "debugger/debugger_view.h"
#include "base/reporter.h"
#include "debugger/prompter.h"
#include "debugger/ui/state_panes.h"
#include "debugger/ui/disasm_list_view.h"
#include "games/game_catalogue.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QSlider;
class QStackedWidget;

namespace tarvolin {

class TSettings;

// A file dialog filter of the form "Text files (*.txt)|*.txt|All files (*.*)|*.*" in Qt's form,
// "Text files (*.txt);;All files (*)": "*.*" becomes "*", which on this platform also
// matches names without an extension.
QString QtFileFilter(const std::string& Filter);

class TMainFrm : public QMainWindow, public TDebuggerView, public TPrompter, private TDisAsmListSource {
    Q_OBJECT
public:
    explicit TMainFrm(TSettings& Settings, QWidget* Parent = nullptr);
    ~TMainFrm() override;

    TDebugger& Debugger() { return *FDebugger; }
    // Builds the Game menu (catalogue games in menu order with separators, then the custom game);
    // the window starts with the whole catalogue.
    void SetGameMenu(const std::vector<TGameMenuEntry>& Entries);
    // The first command-line argument, acted on once the window has been shown ("" = none).
    void SetCommandLineArgument(const std::string& Argument) { FCommandLineArgument = Argument; }
    // Sets the Debug menu's and the list's shortcuts from the UseMAMEKeyMapping option.
    void ApplyDebugShortcuts();

    // Message boxes, input and file dialogs are answered by this prompter instead of real
    // dialogs (tests); nullptr restores the dialogs.
    void SetPrompterOverride(TPrompter* Prompter) { FPrompterOverride = Prompter; }

    // The main loop: a zero-interval timer runs instructions in slices of this length.
    void SetSliceMilliseconds(int Milliseconds) { FSliceNanoseconds = int64_t(Milliseconds) * 1000000; }
    bool IsMainLoopActive() const { return FIdleTimer.isActive(); }
    // Runs every command through here: exceptions end in an error box, a started run starts the loop.
    template <class F> void Command(F&& Action);

    // Parts of the window, for tests and the benchmark.
    TDisAsmListView* DisAsmList() const { return FDisAsmList; }
    TStatePanes* Panes() const { return FPanes; }
    QLabel* StatusLabel() const { return FStatusLabel; }
    QColor StatusBarColour() const;
    QLabel* HintLabel() const { return FHintLabel; }
    QWidget* StartInfoPanel() const { return FStartInfoPanel; }
    QAction* Action(const std::string& Name) const;
    QMenu* GameMenu() const { return FGameMenu; }
    QMenu* DisAsmPopupMenu() const { return FDisAsmPopup; }
    QSlider* SpeedFactorTrackBar() const { return FSpeedTrackBar; }
    // The value pop-up menu built for one component (shown by a right click), for tests.
    QMenu* BuildValuePopupMenu(int Row, TLabelRole Role);
    QMenu* BuildLCDImagePopupMenu();
    uint64_t DrawPanesCount() const { return FDrawPanesCount; }
    class TInputPanel* InputPanel() const { return FInputPanel; }

    // ---- TDebuggerView ----
    void SetStatus(const std::string& Text, TStatusColour Colour) override;
    void SetCaption(const std::string& Caption) override;
    void CommandStatesChanged(const TCommandStates& States) override;
    void DrawPanes(TPanes Panes, bool OnlyChanged) override;
    void ListReset() override;
    void ListItemChanged(int Index) override;
    void RepaintList() override;
    void ListSelectionChanged(int Index) override;
    void ScrollListTo(int TopIndex) override;
    int ListTopIndex() const override;
    int ListVisibleRows() const override;
    void FocusList() override;
    void SetHintLabel(const std::string& Text) override;
    void LCDImageChanged(const TRaster& Bitmap) override;
    void ShowLCDThemeName(const std::string& Name) override;
    void LCDImageMenuChanged() override;
    void RebuildInputPanel() override;
    void SetBusy(bool Busy) override;
    void ShowSevenSegmentCodingTable(int O, int O_, bool TD0IsCOM1, int HighlightAcc) override;
    void ShowOpcodeLegend(uint8_t Opcode, uint8_t Operand) override;
    void RefreshOpcodeLegend() override;
    // The tool windows (nullptr until first used).
    class TOpcodeLegendForm* OpcodeLegendForm() const { return FOpcodeLegend; }
    class TSevenSegmentCodingTableForm* SevenSegmentForm() const { return FSevenSegment; }

    // ---- TPrompter ----
    TMessageResult Message(TMessageKind Kind, const std::string& Text, TMessageButtons Buttons) override;
    bool Input(TInputDialog& Dialog) override;
    bool OpenFile(const TFileDialog& Dialog, std::string& FileName) override;
    bool SaveFile(const TFileDialog& Dialog, std::string& FileName) override;

protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    bool event(QEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    // ---- TDisAsmListSource ----
    int ItemCount() const override;
    std::string ItemText(int Index) const override;
    std::string RowHeader(int Index) const override;
    std::string RowLabel(int Index) const override;
    TListRowLook RowLook(int Index) const override;

    void CreateMenus();
    void CreateDisAsmPopup();
    void CreateWidgets();
    QAction* AddAction(QMenu* Menu, const std::string& Name, const QString& Caption);
    void OnIdle();
    void EnsureMainLoop();
    void FlushDeferredDrawing(bool Force);
    void DrawPanesNow(TPanes Panes, bool OnlyChanged);
    void DrawValue(int Row, const TValueText& Text, bool OnlyChanged);
    void ShowValuePopup(int Row, TLabelRole Role, const QPoint& GlobalPos);
    void OpenBreakpointsDialog();
    void AfterShow();
    TPrompter& ActivePrompter();
    static TValueId RowToValueId(int Row);

    std::unique_ptr<TDebugger> FDebugger;
    TSettings& FSettings;
    TPrompter* FPrompterOverride = nullptr;

    // Widgets.
    QStackedWidget* FLeftStack = nullptr;
    QWidget* FStartInfoPanel = nullptr;
    QWidget* FDisAsmPage = nullptr;
    QLabel* FHintLabel = nullptr;
    TDisAsmListView* FDisAsmList = nullptr;
    QWidget* FRightPanel = nullptr;
    TStatePanes* FPanes = nullptr;
    class TInputPanel* FInputPanel = nullptr;
    QLabel* FStatusLabel = nullptr;
    QLabel* FSpeedLabel = nullptr;
    QSlider* FSpeedTrackBar = nullptr;
    class QCheckBox* FUpdateDisAsmCB = nullptr;
    QTimer FThemeNameTimer;
    class TOpcodeLegendForm* FOpcodeLegend = nullptr;
    class TSevenSegmentCodingTableForm* FSevenSegment = nullptr;

    // Menus and actions.
    std::map<std::string, QAction*> FActions;
    QMenu* FGameMenu = nullptr;
    QActionGroup* FGameGroup = nullptr;
    std::map<const TMCUClass*, QAction*> FGameActions;
    QMenu* FGameSpecificMenu = nullptr;
    QAction* FGameSpecificMenuAction = nullptr;
    QMenu* FDisAsmPopup = nullptr;
    TCommandStates FStates;
    bool FUpdatingStates = false;

    // Main loop.
    QTimer FIdleTimer;
    int64_t FSliceNanoseconds = 8 * 1000000;
    bool FInSlice = false;
    TPanes FDeferredPanes = 0;
    bool FLCDChangePending = false;
    QElapsedTimer FLastDeferredDraw;
    uint64_t FDrawPanesCount = 0;

    std::string FCommandLineArgument;
    bool FShownOnce = false;

    // Messages of the core that do not abort an operation (a short ROM, a bad ".dat" file, a
    // missing LCD image) reach the user as message boxes of this window.
    class TReporter : public TMessageReporter {
    public:
        explicit TReporter(TMainFrm& Owner) : FOwner(Owner) {}
        void ShowError(const std::string& Text) override { FOwner.ActivePrompter().Error(Text); }
        void ShowWarning(const std::string& Text) override {
            FOwner.ActivePrompter().Message(TMessageKind::Warning, Text, TMessageButtons::OK);
        }

    private:
        TMainFrm& FOwner;
    };
    TReporter FReporter{*this};
    TMessageReporter* FPreviousReporter = nullptr;
};

template <class F> void TMainFrm::Command(F&& Action) {
    try {
        Action();
    } catch (const std::exception& e) {
        ActivePrompter().Error(e.what());
    }
    EnsureMainLoop();
}

} // namespace tarvolin
