// The run control behind the main window: owns the MCU, the listing and the breakpoint
// lists, runs instructions, decides what is redrawn and holds every command of the window.
// It knows the window only through TDebuggerView and asks the user through TPrompter.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/mcu.h"
#include "base/types.h"
#include "debugger/breakpoints.h"
#include "debugger/debugger_view.h"
#include "debugger/pane_model.h"
#include "debugger/prompter.h"
#include "disasm/listing.h"
#include "lcd/raster.h"

namespace tarvolin {

class TSettings;

enum TRunType : uint8_t {
    rtNoEmulation = 0,
    rtTraceInto = 1,
    rtAnimatedRun = 2,
    rtStepOver = 3,
    rtSteppingOver = 4,
    rtUnattendedRunUntilReturn = 5,
    rtUnattendedRun = 6,
};

// Speed factor positions 0..6.
struct TSpeedFactor {
    uint32_t CyclesPerSecond; // 0 = no pacing
    const char* Text;
};
extern const std::array<TSpeedFactor, 7> SpeedFactors;
constexpr int DefaultSpeedFactor = 3;

// True for a call: opcode C0..FF, or 70..7F followed by C0..FF.
constexpr bool IsCallInstruction(uint8_t Opcode, uint8_t Operand) {
    return Opcode >= 0xC0 || (Opcode >= 0x70 && Opcode <= 0x7F && Operand >= 0xC0);
}

// How a disassembly row is coloured.
enum class TListRowStyle : uint8_t {
    Normal,         // default colours
    PC,             // background (0,0,128), text (255,255,255)
    PCBreakpoint,   // background (0,0,128), text (255,0,0)
    Breakpoint,     // background (255,0,0), text (255,255,255)
    Selected,       // background (166,202,240), window text
};
struct TListRowLook {
    TListRowStyle Style = TListRowStyle::Normal;
    bool GreyText = false;      // Normal/Selected rows during a full run
    bool OpcodeChanged = false; // text colour (128,128,0) whatever the style says
};

// The raw input buttons: K4..K1 of the four ground rows, Alpha, Beta and the ACL reset.
enum TRawButton : uint8_t {
    rbDiK4, rbDiK3, rbDiK2, rbDiK1,
    rbR4K4, rbR4K3, rbR4K2, rbR4K1,
    rbR3K4, rbR3K3, rbR3K2, rbR3K1,
    rbR2K4, rbR2K3, rbR2K2, rbR2K1,
    rbAlpha, rbBeta, rbACL,
    rbCount,
    rbNone = 0xFF,
};
struct TRawButtonState {
    bool Pressed = false; // mouse or key held on it (or on a game control tied to it)
    bool Latched = false; // sticky down state
};

// The LCD image pop-up's image items.
struct TLCDImageMenu {
    bool Visible = false; // only when the game supports more than one LCD image
    std::string Header;   // "---  ALL AVAILABLE LCD IMAGES  ---" / "---  COMPATIBLE LCD IMAGES  ---"
    std::vector<std::string> Captions; // theme names with "&" doubled
    int Checked = -1;
};

// States of the disassembly list's pop-up menu, computed when it opens.
struct TDisAsmPopupStates {
    bool Show7SegmentVisible = false;
    bool RunToCursor = false, GoToAddress = false, GoToCurrentPC = false, Follow = false,
         GoToCaller = false, GoToPrevious = false, SetNewPC = false, SetAddressDescription = false,
         ChangeOpcode = false, RevertOpcode = false, RevertAllOpcodes = false, Search = false,
         SearchNext = false, SaveDisassembly = false;
};

// States of the value pop-up menu for the component under the mouse.
struct TValuePopupStates {
    bool ChangeValueVisible = false, ChangeValueEnabled = false;
    bool FollowVisible = false, FollowEnabled = false;
    // Memory breakpoint items, indexed by TMemoryBreakpointKind.
    std::array<bool, 3> SetVisible{}, SetEnabled{}, RemoveVisible{};
    bool Show7SegmentVisible = false;
    bool ShowMCUPinsVisible = false;
    bool ShowInterconnectionVisible = false;
};

class TDebugger {
public:
    TDebugger(TDebuggerView& View, TPrompter& Prompter, TSettings& Settings);
    ~TDebugger();
    TDebugger(const TDebugger&) = delete;
    TDebugger& operator=(const TDebugger&) = delete;

    // Start-up: "Tarvolin" caption and CloseGame; the window calls it once it exists.
    void Initialize();
    // The games the command line knows by short name (the custom game never matches);
    // the whole catalogue by default.
    void SetGameCatalogue(std::vector<const TMCUClass*> Games) { FCatalogue = std::move(Games); }

    // ---- state queries ----
    TSHARP_SM5A_MCU* MCU() const { return FMCU.get(); }
    // The class the loaded game was created from (nullptr without a game).
    const TMCUClass* GameClass() const { return FGameClass; }
    bool IsGameLoaded() const { return FMCU != nullptr; }
    TRunType RunType() const { return static_cast<TRunType>(FRunType); }
    bool IsStopped() const { return FRunType <= rtTraceInto; }
    bool IsAnimatedRun() const { return FRunType == rtAnimatedRun; }
    bool IsFullRun() const { return FRunType >= rtStepOver && FRunType <= rtUnattendedRun; }
    bool IsPCShown() const { return FRunType <= rtAnimatedRun; }
    bool IsResetting() const { return FResetting; }
    const std::string& StatusText() const { return FStatusText; }
    TStatusColour StatusColour() const { return FStatusColour; }
    const std::string& HintLabel() const { return FHintLabel; }
    const TCommandStates& CommandStates() const { return FStates; }
    const std::string& Caption() const { return FCaption; }
    static constexpr const char* ApplicationName = "Tarvolin";

    // ---- main loop ----
    void SetRunType(TRunType RunType, const std::string& StatusText = {}, bool Highlight = false);
    // One instruction with everything around it (breakpoints, panes, stop conditions).
    void ExecuteStep(bool CheckBreakpoints);
    // The idle loop: runs instructions while a run is going, until the run stops or
    // ShouldReturn() (an event is pending / the time slice is used up) holds. An animated run
    // returns after each instruction, because it has redrawn the panes. Returns true while a
    // run is still going (call again after handling events).
    bool RunSlice(const std::function<bool()>& ShouldReturn);
    void UpdatePanes(TPanes Panes, bool OnlyChanged, bool Force, bool FollowPC);
    void UpdateHintLabel();
    void ResetMCU();
    // Asks about an active sound recording (and a modified session) and closes the game.
    // False when the user cancelled. lTerminating: the window is closing, keep the game.
    bool CanCloseGame(bool lTerminating = false);
    void CloseGame();

    // ---- Debug menu ----
    void TraceInto();
    void StepOver();
    void RunUntilReturn();
    void AnimatedRun();
    void UnattendedRun();
    void Pause();
    void Refresh();
    void MCUReset();
    // "&Breakpoints...": false (after "No breakpoint set.") when there is nothing to show;
    // otherwise Model is filled for the dialog.
    bool PrepareBreakpointsDialog(std::unique_ptr<TBreakpointsDialogModel>& Model);
    // The dialog's OK.
    void ApplyBreakpointsDialog(const TBreakpointsDialogModel& Model);
    // The dialog's "Delete &all" question; true when the user agreed.
    bool ConfirmDeleteAllBreakpoints();

    // ---- speed and update check boxes ----
    int SpeedFactor() const { return FSpeedFactor; }
    void SetSpeedFactor(int Position);
    static std::string SpeedFactorText(int Position);
    // Pane is pnDisAsm, pnRegisters, pnRAM or pnLCDRegisters.
    void SetUpdateCheckBox(TPane Pane, bool Checked);
    bool UpdateCheckBox(TPane Pane) const;

    // ---- game loading ----
    // LoadGame of a game class; FileName is used for the custom game only ("" = ask).
    bool LoadGame(const TMCUClass* GameClass, const std::string& FileName = {});
    // A Game menu entry: CanCloseGame, then LoadGame; the entry is checked on success.
    bool LoadGameFromMenu(const TMCUClass* GameClass);
    // The first command-line argument (short name, ".dbgsession" file or ROM file).
    void HandleCommandLine(const std::string& Argument);
    const TMCUClass* FindGameByShortName(const std::string& ShortName) const;

    // ---- disassembly list ----
    const TListing& Listing() const { return FListing; }
    int SelectedIndex() const { return FSelectedIndex; }
    bool GetSelectedAddr(T11bits& Addr) const;
    T11bits ItemIndexToAddr(int Index) const { return FListing.ItemIndexToAddr(Index); }
    int AddrToItemIndex(T11bits Addr) const { return FListing.AddrToItemIndex(Addr); }
    TListRowLook RowLook(int Index) const;
    // Page header (with its leading line feed, "" = none) and user label of a row.
    std::string RowHeader(int Index) const;
    std::string RowLabel(int Index) const;
    // Number of base-height rows the entry occupies (1 + header lines + 1 for a label).
    int RowLines(int Index) const;
    // Selects a row as if the user had clicked it (-1 = none).
    void SelectItem(int Index);
    // Selects the row of Addr and scrolls it into view when needed; addresses outside the ROM
    // are ignored.
    void GoToAddr(T11bits Addr);
    void ListDoubleClick();            // toggles the breakpoint of the selected row
    TDisAsmPopupStates DisAsmPopupStates() const;
    void Show7SegmentCodingTableForSelection();
    void ShowOpcodeLegendForSelection();
    void ToggleBreakpointAtSelection();
    void RunToCursor();
    void GoToAddress();
    void GoToCurrentPC();
    void Follow();
    void GoToCaller();
    void GoToPrevious();
    void SetPCToCursor();
    void SetAddressDescription();
    void SearchOpcode();
    void FindNext();
    void SaveDisassembly();
    T11bits PreviousSelectedAddr() const { return FPreviousSelectedAddr; }
    T11bits PreviousGotoAddr() const { return FPreviousGotoAddr; }
    // Applies changed options (after the options dialog): mnemonics, listing texts, panes.
    void OptionsChanged();

    // ---- breakpoints ----
    void ToggleCodeBreakpoint(T11bits Addr);
    bool IsCodeBreakpoint(T11bits Addr) const { return FCodeBreakpoints.Contains(Addr); }
    void AddTempCodeBreakpoint(T11bits Addr);
    bool IsTempCodeBreakpoint(T11bits Addr) const { return FTempCodeBreakpoints.Contains(Addr); }
    void AddMemoryBreakpoint(TMemoryBreakpointKind Kind, T7bits Addr);
    void RemoveMemoryBreakpoint(TMemoryBreakpointKind Kind, T7bits Addr);
    bool IsMemoryBreakpoint(TMemoryBreakpointKind Kind, T7bits Addr) const;
    bool HasMemoryBreakpoint(T7bits Addr) const;
    const TAddressList& CodeBreakpoints() const { return FCodeBreakpoints; }
    const TAddressList& TempCodeBreakpoints() const { return FTempCodeBreakpoints; }
    const TAddressList& MemoryBreakpoints(TMemoryBreakpointKind Kind) const { return FMemoryBreakpoints[size_t(Kind)]; }
    // The value pop-up's "Set ... memory breakpoint" / "Remove ..." commands (with their questions).
    void SetMemoryBreakpointCommand(TMemoryBreakpointKind Kind, T7bits Addr);
    void RemoveMemoryBreakpointCommand(TMemoryBreakpointKind Kind, T7bits Addr);
    // The RAM address a value component stands for (a RAM cell its own, the DP and (DP) rows
    // the current DP), or -1 when none.
    int ValueRAMAddress(TValueId Id) const;

    // ---- panes ----
    // The texts of the value panes (computed now if a full run left them pending).
    const TPaneTexts& PaneTexts();
    // Double-click action of a value (prompts, writes, redraws); false when it has none or
    // was cancelled.
    bool EditValue(TValueId Id);
    bool HasEditAction(TValueId Id) const;
    TValuePopupStates ValuePopupStates(TValueId Id) const;
    void FollowValue(TValueId Id);                 // "&Follow" on PC or A
    void ShowSevenSegmentCodingTableForValue(TValueId Id);
    void DigitLabelClicked(TOIndex Index);
    void SetCurrentTime();

    // ---- LCD image ----
    const TRaster& LCDBitmap() const { return FLCDBitmap; }
    const TLCDImageMenu& LCDImageMenu() const { return FLCDImageMenu; }
    // Double click on the image: next supported driver (previous with Shift), wrapping.
    void SwitchLCDImage(bool lPrevious);
    void SelectLCDImage(int Index);
    // Background colour of the LCD panel (0x00BBGGRR), used when the scene is attached.
    void SetLCDBackgroundColor(TColor Color) { FLCDBackground = Color; }

    // ---- Game specific menu ----
    void ShowCheats();
    void ToggleSoundRecording();
    // The Sound recording item is checked (recording started, not yet stopped).
    bool IsSoundRecording() const;

    // ---- raw input ----
    const std::array<TRawButtonState, rbCount>& RawButtons() const { return FRawButtons; }
    // Samples the raw buttons into the input matrix (when stopped or at an input instruction).
    void ReadRawInputButtons(TRawButton HandledButton = rbNone);
    void RawButtonMouseDown(TRawButton Button);
    void RawButtonClick(TRawButton Button);
    // lCtrlOnly: Ctrl is the only modifier; lInside: the pointer is still on the button;
    // lGameControl: the release came through a game control.
    void RawButtonMouseUp(TRawButton Button, bool lCtrlOnly, bool lInside, bool lGameControl = false);
    void SetRawButtonPressed(TRawButton Button, bool Pressed);
    void ResetButtonClick();
    // The dosimeter game's radiation simulator (track bar positions 0..3).
    int RadiationIntensity() const { return FRadiationIntensity; }
    void SetRadiationIntensity(int Position);

    // ---- session hooks (the session file comes later) ----
    void MarkSessionModified();
    bool HasDebugSession() const { return FHasDebugSession; }
    bool IsSessionModified() const { return FSessionModified; }
    // Saves the debug session (the Session menu's Save); false when it was not saved.
    std::function<bool()> OnSaveSession;

private:
    // Breakpoint handlers installed as the MCU's RAM callbacks.
    static void ReadMemoryHandler(void* Obj, T7bits RAMAddr, T4bits Value);
    static void WriteMemoryHandler(void* Obj, T7bits RAMAddr, T4bits NewValue, T4bits PreviousValue);
    void ReportMemoryBreakpoint();
    void StorePreviousValues(TPanes Panes);
    void FlushLazyPaneTexts();
    void ComputePaneTexts(TPanes Panes, bool OnlyChanged);
    void ComputeNoGamePaneTexts();
    void SendStates();
    void SetStatus(const std::string& Text, TStatusColour Colour);
    void FillDisAsmList();
    void SetupGameWindow(const TMCUClass& GameClass);
    void BuildLCDImageMenu();
    void AttachLCDDriver();
    void ChangeLCDDriverTo(int Index);
    int CurrentLCDDriverIndex() const;
    void RefreshLCD(bool lErrorOnUndefinedLCDpad);
    bool ReadROMFile(const std::string& FileName, std::string& Data, uint64_t& Size);
    bool SaveSoundRecordingAs();
    void RefreshRawInputButtons();
    void SimulateRadiation();
    void UpdateDosimeterMode();
    void SetDosimeterInput(T4bits Value);

    TDebuggerView& FView;
    TPrompter& FPrompter;
    TSettings& FSettings;
    std::vector<const TMCUClass*> FCatalogue;

    std::unique_ptr<TSHARP_SM5A_MCU> FMCU;
    const TMCUClass* FGameClass = nullptr; // the class the game was loaded as
    uint8_t FRunType = rtNoEmulation; // 255 during a reset
    TRunType FPreResetRunType = rtNoEmulation;
    bool FResetting = false;
    bool FLoadingDebugSession = false;
    bool FHasDebugSession = false;
    bool FSessionModified = false;
    bool FIsDosimeterGame = false;
    bool FSoundRecording = false; // the Sound recording item is checked
    const TMCUClass* FCheckedGame = nullptr;
    bool FStatesSent = false;
    bool FHintLabelSent = false;
    bool FUpdateDisAsm = true, FUpdateRegisters = true, FUpdateRAM = true, FUpdateLCDRegisters = true;

    std::string FCaption = ApplicationName;
    std::string FStatusText;
    TStatusColour FStatusColour = TStatusColour::Normal;
    std::string FHintLabel;
    TCommandStates FStates;
    int FSpeedFactor = DefaultSpeedFactor;

    // Listing and navigation.
    TListing FListing;
    int FSelectedIndex = -1;
    T11bits FPreviousSelectedAddr = NoAddress;
    T11bits FPreviousGotoAddr = NoAddress;
    int FOpcodeToSearch = -1; // -1 = never searched; survives game changes

    // Breakpoints.
    TAddressList FCodeBreakpoints;
    TAddressList FTempCodeBreakpoints;
    std::array<TAddressList, 3> FMemoryBreakpoints;
    T4bits FMemoryBreakpointFieldValue = 0;
    T4bits FMemoryBreakpointPreviousFieldValue = 0;
    T7bits FTriggeredReadMemoryBreakpointAddress = 0x7F;
    T7bits FTriggeredWriteMemoryBreakpointAddress = 0x7F;
    T7bits FTriggeredChangeMemoryBreakpointAddress = 0x7F;
    bool FMemoryBreakpointTriggered = false; // any of the three above during this step

    // Previous values of the panes.
    T4bits FPrevAcc = 0;
    T7bits FPrevDP = 0;
    T14bits FPrevT = 0;
    T1bit FPrevMSB = 0;
    T4bits FPrevPage = 0;
    T11bits FPrevPC = 0;
    T11bits FPrevA = 0;
    bool FPrevCarry = false, FPrevOneSecond = false;
    T4bits FPrevR = 0;
    T4bits FPrevDPCell = 0;
    TRAM FPrevRAM{};
    TORegister FPrevO{}, FPrevO_{};
    bool FPrevTD = false, FPrevLD0 = false;
    TPaneTexts FPaneTexts;
    TPanes FLazyPanes = 0; // value panes whose texts a full run has not computed yet

    // LCD.
    TRaster FLCDBitmap;
    TColor FLCDBackground = 0xF0F0F0;
    TLCDImageMenu FLCDImageMenu;

    // Raw input.
    std::array<TRawButtonState, rbCount> FRawButtons{};
    // What the buttons put into the input matrix, kept between button changes.
    struct TButtonInputs {
        TInputMatrix Matrix{};
        bool Alpha = false;
        bool Beta = false;
    };
    TButtonInputs FButtonInputs;
    bool FButtonInputsStale = true;
    void ApplyButtonInputs(const TButtonInputs& In);
    bool FDosimeterModeActive = false;
    int FRadiationIntensity = 1;
};

} // namespace tarvolin
