// The listing and navigation feature: the disassembly listing of the loaded game and the
// list's selection, how each row looks, going to addresses (go to, follow, caller, previous,
// current PC), searching opcodes, labels and comments, run to cursor, setting PC, and saving
// the listing.
#pragma once

#include <cstdint>
#include <string>

#include "debugger/breakpoints.h"
#include "debugger/feature_links.h"
#include "debugger/prompter.h"
#include "debugger/session.h"
#include "disasm/listing.h"

namespace tarvolin {

// How a disassembly row is coloured.
enum class TListRowStyle : uint8_t {
    Normal,       // default colours
    PC,           // background (0,0,128), text (255,255,255)
    PCBreakpoint, // background (0,0,128), text (255,0,0)
    Breakpoint,   // background (255,0,0), text (255,255,255)
    Selected,     // background (166,202,240), window text
};
struct TListRowLook {
    TListRowStyle Style = TListRowStyle::Normal;
    bool GreyText = false;      // Normal/Selected rows during a full run
    bool OpcodeChanged = false; // text colour (128,128,0) whatever the style says
    bool Executed = false;      // the coverage mark: ran since reset or "Clear coverage"
};

// States of the disassembly list's pop-up menu, computed when it opens.
struct TDisAsmPopupStates {
    bool Show7SegmentVisible = false;
    bool RunToCursor = false, GoToAddress = false, GoToCurrentPC = false, Follow = false, GoToCaller = false,
         GoToPrevious = false, SetNewPC = false, SetAddressDescription = false, ChangeOpcode = false,
         RevertOpcode = false, RevertAllOpcodes = false, Search = false, SearchNext = false, SaveDisassembly = false;
};

class TNavigationControl : public TListNavigator, public TListingUpdates {
public:
    TNavigationControl(TLoadedGame& Game, const TRunState& Run, TListView& View, TToolWindows& Tools,
                       TPrompter& Prompter, TSessionControl& Session, TBreakpointControl& Breakpoints,
                       TPaneRefresh& Panes, TRunCommands& Commands);

    const TListing& Listing() const { return FListing; }
    int SelectedIndex() const { return FSelectedIndex; }
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
    T11bits PreviousSelectedAddr() const { return FPreviousSelectedAddr; }
    T11bits PreviousGotoAddr() const { return FPreviousGotoAddr; }

    // ---- TListNavigator ----
    // Addresses outside the ROM are ignored.
    void GoToAddr(T11bits Addr) override;
    // Goes to Target and remembers the selection it leaves (a target with context above).
    void GoToRemembering(T11bits Target) override;
    // Selects the row of a target the user goes to (go to, follow, caller, previous, a found
    // opcode, a breakpoint): when it has to scroll, up to TargetContextRows rows (a quarter of
    // the visible rows at most) stay in view above it.
    void GoToTarget(T11bits Addr);
    static constexpr int TargetContextRows = 3;
    void SelectRowOf(T11bits Addr) override;
    bool GetSelectedAddr(T11bits& Addr) const override;
    bool HasRows() const override { return FListing.Count() > 0; }
    void ForgetHistory() override;

    // ---- TListingUpdates ----
    void BeginListingChanges() override;
    void EndListingChanges() override;
    void ROMBytesWritten(T11bits FirstAddr, T11bits LastAddr) override;

    // ---- the list's commands ----
    void ListDoubleClick(); // toggles the breakpoint of the selected row
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

    // ---- for the owner ----
    void FillList();  // a game was installed
    void ClearList(); // the game was closed
    // The instruction texts follow changed options (mnemonics, notation, comments).
    void RefreshTexts();

private:
    TLoadedGame& FGame;
    const TRunState& FRun;
    TListView& FView;
    TToolWindows& FTools;
    TPrompter& FPrompter;
    TSessionControl& FSession;
    TBreakpointControl& FBreakpoints;
    TPaneRefresh& FPanes;
    TRunCommands& FCommands;

    TListing FListing;
    int FSelectedIndex = -1;
    T11bits FPreviousSelectedAddr = NoAddress;
    T11bits FPreviousGotoAddr = NoAddress;
    int FOpcodeToSearch = -1; // -1 = never searched; survives game changes
    // While the listing follows ROM changes: the addresses the selection and the top row keep.
    int FListingChangeDepth = 0;
    T11bits FKeptSelectedAddr = NoAddress;
    T11bits FKeptTopAddr = NoAddress;
};

} // namespace tarvolin
