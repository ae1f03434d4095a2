// What the debugger's features ask of the window: one small interface per part of it. The
// main window implements them all (TDebuggerView); tests record the calls. The window reads
// everything it draws from the features' queries.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/types.h"

namespace tarvolin {

class TRaster;
struct TMCUClass;
struct TWindowPlacement;

// Panes of one refresh.
enum TPane : uint8_t {
    pnDisAsm = 1,
    pnRegisters = 2,
    pnRAM = 4,
    pnRawInput = 8,
    pnLCDRegisters = 16,
};
using TPanes = uint8_t;
constexpr TPanes AllPanes = 0x1F;

enum class TStatusColour : uint8_t {
    Normal,    // the window's own colour
    Running,   // RGB(C0,FF,C0)
    Highlight, // RGB(FF,B0,B0)
};

// Enabled, visible and checked states of menu items and controls that follow the run state
// and the loaded game. The owner sends the whole set whenever any of it changes.
struct TCommandStates {
    // Debug menu (Breakpoints... and the 7-segment table item are handled here too).
    bool TraceInto = false, StepOver = false, RunUntilReturn = false, AnimatedRun = false,
         UnattendedRun = false, Pause = false, Refresh = false, MCUReset = false, Breakpoints = false;
    // Debug menu: the history (Step back, Step back over, Run backwards), its switch, coverage
    // and the trace log.
    bool StepBack = false, KeepHistory = false, KeepHistoryChecked = false, TrackCoverageChecked = false,
         ClearCoverage = false, TraceLog = false, TraceLogChecked = false;
    // Session menu: Save and Save as.
    bool SessionSave = false;
    // Game menu: the radio item of the loaded game (nullptr = none checked).
    const TMCUClass* CheckedGame = nullptr;
    // Game specific menu: visible while a game is loaded, captioned with its name.
    bool GameSpecificVisible = false;
    std::string GameSpecificCaption;
    bool MCUPins = false, Interconnection = false, Cheats = false;
    bool SoundRecording = false, SoundRecordingChecked = false;
    bool SoundRecordingIndicatorVisible = false;
    // The Sound command (live sound through the audio output) is on.
    bool LiveSoundChecked = false;
    bool SetCurrentTime = false;
    // The four "update during runs" check boxes: visible, ticked.
    bool UpdateDisAsmVisible = false, UpdateRegistersVisible = false, UpdateRAMVisible = false,
         UpdateLCDRegistersVisible = false;
    bool UpdateDisAsmChecked = true, UpdateRegistersChecked = true, UpdateRAMChecked = true,
         UpdateLCDRegistersChecked = true;
    // Speed label and track bar (visible exactly in a full run) and the track bar position.
    bool SpeedControlsVisible = false;
    int SpeedFactor = 3;
    // The start information panel over the disassembly area (shown while no game is loaded).
    bool StartPanelVisible = true;
    // The nine "- digit -" labels beside O8..O0, by O index.
    std::array<bool, 9> DigitLabelVisible{};
    // Hint of the LCD image ("" = none; set when the game has more than one LCD image).
    std::string LCDImageHint;

    friend bool operator==(const TCommandStates&, const TCommandStates&) = default;
};

// The window as a whole: status bar, caption, the enabled states of its commands.
class TWindowView {
public:
    virtual ~TWindowView() = default;
    virtual void SetStatus(const std::string& Text, TStatusColour Colour) = 0;
    // "Tarvolin" or "Tarvolin - <game name>".
    virtual void SetCaption(const std::string& Caption) = 0;
    virtual void CommandStatesChanged(const TCommandStates& States) = 0;
    // A lasting note about the live sound beside the status text ("" = none).
    virtual void SetSoundNote(const std::string& /*Note*/) {}
    // Busy (hourglass) cursor around long operations.
    virtual void SetBusy(bool /*Busy*/) {}
    // The window's placement and the width of the right panel (registers, RAM, LCD), as
    // debug sessions keep them. False: the placement cannot be obtained.
    virtual bool GetWindowPlacement(TWindowPlacement& /*Placement*/) const { return false; }
    virtual void SetWindowPlacement(const TWindowPlacement& /*Placement*/) {}
    virtual int RightPanelWidth() const { return 0; }
    virtual void SetRightPanelWidth(int /*Width*/) {}
};

// The disassembly list and the hint text above it. The navigation feature holds the
// selection and the entries; the list draws what it is told.
class TListView {
public:
    virtual ~TListView() = default;
    virtual void ListReset() = 0;                 // entries replaced (game load/close): re-measure all rows
    virtual void ListItemChanged(int Index) = 0;  // one entry's row height or text changed
    // Entries [First, First + Removed) were replaced by Inserted new ones (opcode patching);
    // the selection and the top row are sent again afterwards.
    virtual void ListItemsReplaced(int /*First*/, int /*Removed*/, int /*Inserted*/) { ListReset(); }
    virtual void RepaintList() = 0;
    virtual void ListSelectionChanged(int Index) = 0; // -1 = none
    virtual void ScrollListTo(int TopIndex) = 0;      // make TopIndex the first visible row
    virtual int ListTopIndex() const = 0;
    virtual int ListVisibleRows() const = 0;          // client height div the base row height
    virtual void FocusList() = 0;                     // only when it has items and can take focus
    virtual void SetHintLabel(const std::string& Text) = 0;
};

// The register, RAM and LCD-register panes and the raw input buttons.
class TPanesView {
public:
    virtual ~TPanesView() = default;
    // Redraw these panes from the pane texts (the raw buttons' states for pnRawInput). With
    // OnlyChanged, labels whose text has Rewrite false keep their texts; the red colour
    // (Changed), the RAM backgrounds and the "!" warning are always applied. The disassembly
    // list is handled through TListView, not here.
    virtual void DrawPanes(TPanes Panes, bool OnlyChanged) = 0;
};

// The LCD picture: the LCD feature owns the bitmap the driver draws into.
class TLCDView {
public:
    virtual ~TLCDView() = default;
    virtual void LCDImageChanged(const TRaster& Bitmap) = 0;
    // The theme name shown for 1500 ms after a switch; an empty name hides it at once.
    virtual void ShowLCDThemeName(const std::string& Name) = 0;
    // The LCD image pop-up's image items changed.
    virtual void LCDImageMenuChanged() = 0;
    // A message about the user artwork of the image just attached (why it was refused).
    virtual void ShowArtworkNote(const std::string& /*Text*/) {}
};

// The game input panel.
class TInputView {
public:
    virtual ~TInputView() = default;
    // Rebuilt for the loaded game (or for none): labels, hints, game controls.
    virtual void RebuildInputPanel() = 0;
};

// Tool windows that belong to other parts of the program. O/O_ are -1 when none;
// HighlightAcc is -1 when no row is highlighted.
class TToolWindows {
public:
    virtual ~TToolWindows() = default;
    virtual void ShowSevenSegmentCodingTable(int /*O*/, int /*O_*/, bool /*TD0IsCOM1*/, int /*HighlightAcc*/) {}
    virtual void ShowOpcodeLegend(uint8_t /*Opcode*/, uint8_t /*Operand*/) {}
    virtual void RefreshOpcodeLegend() {}
    virtual void ShowMCUPins() {}
    virtual void RefreshMCUPins() {}
    virtual void ShowInterconnection() {}
    virtual void CloseInterconnection() {}
};

// The parts of the window the features talk to; each may be a widget of its own.
struct TDebuggerViews {
    TWindowView& Window;
    TListView& List;
    TPanesView& Panes;
    TLCDView& LCD;
    TInputView& Input;
    TToolWindows& Tools;
};

// Everything the features ask of the window in one object (tests, the headless run control).
class TDebuggerView : public TWindowView,
                      public TListView,
                      public TPanesView,
                      public TLCDView,
                      public TInputView,
                      public TToolWindows {
public:
    TDebuggerViews Views() { return {*this, *this, *this, *this, *this, *this}; }
};

} // namespace tarvolin
