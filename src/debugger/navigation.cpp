#include "debugger/navigation.h"

#include <algorithm>
#include <exception>

#include "base/translate.h"
#include "debugger/input_dialogs.h"
#include "disasm/disasm.h"

namespace tarvolin {

TNavigationControl::TNavigationControl(TLoadedGame& Game, const TRunState& Run, TListView& View, TToolWindows& Tools,
                                       TPrompter& Prompter, TSessionControl& Session, TBreakpointControl& Breakpoints,
                                       TPaneRefresh& Panes, TRunCommands& Commands)
    : FGame(Game), FRun(Run), FView(View), FTools(Tools), FPrompter(Prompter), FSession(Session),
      FBreakpoints(Breakpoints), FPanes(Panes), FCommands(Commands) {}

// ---- rows ----

bool TNavigationControl::GetSelectedAddr(T11bits& Addr) const {
    Addr = FListing.ItemIndexToAddr(FSelectedIndex);
    return FSelectedIndex >= 0 && Addr != NoAddress;
}

TListRowLook TNavigationControl::RowLook(int Index) const {
    TListRowLook Look;
    const T11bits Addr = FListing.ItemIndexToAddr(Index);
    if (Addr == NoAddress) return Look;
    const TSHARP_SM5A_MCU* MCU = FGame.Get();
    const bool Breakpoint = FBreakpoints.IsCodeBreakpoint(Addr);
    if (MCU && Addr == MCU->PC && FRun.IsPCShown()) {
        Look.Style = Breakpoint ? TListRowStyle::PCBreakpoint : TListRowStyle::PC;
    } else if (Breakpoint) {
        Look.Style = TListRowStyle::Breakpoint;
    } else {
        Look.Style = Index == FSelectedIndex ? TListRowStyle::Selected : TListRowStyle::Normal;
        Look.GreyText = FRun.IsFullRun();
    }
    Look.OpcodeChanged = MCU && MCU->IsOpcodeChanged(Addr);
    Look.Executed = MCU && MCU->TrackCoverage() && MCU->ExecutionCount(Addr) > 0;
    return Look;
}

std::string TNavigationControl::RowHeader(int Index) const {
    const T11bits Addr = FListing.ItemIndexToAddr(Index);
    if (!FGame.IsLoaded() || Addr > LastROMAddress) return {};
    return FGame.MCU->ShownROMAddressComment(Addr);
}

std::string TNavigationControl::RowLabel(int Index) const {
    const T11bits Addr = FListing.ItemIndexToAddr(Index);
    if (!FGame.IsLoaded() || Addr > LastROMAddress) return {};
    return FGame.MCU->GetAddressLabel(Addr);
}

int TNavigationControl::RowLines(int Index) const {
    int Lines = 1;
    const std::string Header = RowHeader(Index);
    if (!Header.empty()) Lines += 1 + static_cast<int>(std::count(Header.begin(), Header.end(), '\n'));
    if (!RowLabel(Index).empty()) ++Lines;
    return Lines;
}

void TNavigationControl::SelectItem(int Index) {
    if (Index < 0 || Index >= FListing.Count()) Index = -1;
    FSelectedIndex = Index;
    FView.ListSelectionChanged(Index);
    FTools.RefreshOpcodeLegend();
}

// ---- TListNavigator ----

void TNavigationControl::GoToAddr(T11bits Addr) {
    if (Addr > LastROMAddress || FListing.Count() == 0) return;
    const int i = FListing.AddrToItemIndex(Addr);
    if (i < 0) return;
    const int Top = FView.ListTopIndex();
    const bool Scroll = FRun.IsResetting() || i < Top || i >= Top + FView.ListVisibleRows();
    SelectItem(i);
    if (Scroll) FView.ScrollListTo(i);
}

void TNavigationControl::GoToTarget(T11bits Addr) {
    if (Addr > LastROMAddress || FListing.Count() == 0) return;
    const int i = FListing.AddrToItemIndex(Addr);
    if (i < 0) return;
    // A few rows above the target stay in view: the code that leads to it.
    const int Visible = FView.ListVisibleRows();
    const int Context = std::clamp(Visible / 4, 0, TargetContextRows);
    const int Top = FView.ListTopIndex();
    const int WantedTop = std::max(0, i - Context);
    const bool Scroll = i >= Top + Visible || (i < Top + Context && Top != WantedTop);
    SelectItem(i);
    if (Scroll) FView.ScrollListTo(WantedTop);
}

void TNavigationControl::GoToRemembering(T11bits Target) {
    T11bits Sel = NoAddress;
    GetSelectedAddr(Sel);
    FPreviousSelectedAddr = Sel;
    GoToTarget(Target);
}

void TNavigationControl::SelectRowOf(T11bits Addr) {
    if (Addr > LastROMAddress) return;
    const int i = AddrToItemIndex(Addr);
    if (i >= 0 && i != FSelectedIndex) SelectItem(i);
}

void TNavigationControl::ForgetHistory() {
    FPreviousSelectedAddr = NoAddress;
    FPreviousGotoAddr = NoAddress;
}

// ---- TListingUpdates ----

void TNavigationControl::BeginListingChanges() {
    if (FListingChangeDepth++ > 0) return;
    GetSelectedAddr(FKeptSelectedAddr);
    FKeptTopAddr = FListing.ItemIndexToAddr(FView.ListTopIndex());
}

void TNavigationControl::EndListingChanges() {
    if (FListingChangeDepth > 0) --FListingChangeDepth;
}

void TNavigationControl::ROMBytesWritten(T11bits FirstAddr, T11bits LastAddr) {
    const TSHARP_SM5A_MCU* MCU = FGame.Get();
    if (!MCU || FListing.Count() == 0) return;
    BeginListingChanges();
    const TListingSplice Splice = FListing.FollowROMChange(*MCU, FirstAddr, LastAddr);
    FView.ListItemsReplaced(Splice.First, Splice.Removed, Splice.Inserted);
    // A kept address that no longer starts an instruction goes to the one that covers it.
    FSelectedIndex = FKeptSelectedAddr != NoAddress ? FListing.AddrToItemIndex(FKeptSelectedAddr) : -1;
    FView.ListSelectionChanged(FSelectedIndex);
    if (FKeptTopAddr != NoAddress) FView.ScrollListTo(FListing.AddrToItemIndex(FKeptTopAddr));
    EndListingChanges();
}

// ---- commands ----

void TNavigationControl::ListDoubleClick() {
    ToggleBreakpointAtSelection();
    FSession.MarkSessionModified();
}

TDisAsmPopupStates TNavigationControl::DisAsmPopupStates() const {
    TDisAsmPopupStates s;
    T11bits Sel = NoAddress;
    const bool HasSel = GetSelectedAddr(Sel);
    const bool Animated = FRun.IsAnimatedRun();
    const TSHARP_SM5A_MCU* MCU = FGame.Get();
    const bool Game = MCU != nullptr;
    s.Show7SegmentVisible = Game && HasSel && (MCU->GetOpcode(Sel) == 0x5D || MCU->GetOpcode(Sel) == 0x61);
    s.RunToCursor = s.GoToAddress = s.SetAddressDescription = s.ChangeOpcode = s.Search = !Animated;
    s.GoToCurrentPC = FRun.IsStopped();
    if (!Animated && Game && HasSel) {
        const T11bits t = MCU->GetAddrToFollow(Sel);
        s.Follow = t != NoAddress && t != Sel;
    }
    s.GoToCaller = FRun.IsStopped() && Game && MCU->A != NoAddress;
    s.GoToPrevious = !Animated && FPreviousSelectedAddr != NoAddress;
    s.SetNewPC = FRun.IsStopped() && Game && HasSel && Sel != MCU->PC;
    s.RevertOpcode = Game && HasSel && MCU->IsOpcodeChanged(Sel);
    s.RevertAllOpcodes = Game && MCU->IsAnyOpcodeChanged();
    s.SearchNext = !Animated && FOpcodeToSearch >= 0;
    s.SaveDisassembly = FListing.Count() > 0;
    return s;
}

void TNavigationControl::Show7SegmentCodingTableForSelection() {
    T11bits Sel = NoAddress;
    const bool HasSel = GetSelectedAddr(Sel);
    const TSHARP_SM5A_MCU* MCU = FGame.Get();
    const int Acc = (MCU && HasSel && Sel == MCU->PC) ? MCU->Acc : -1;
    FTools.ShowSevenSegmentCodingTable(-1, -1, MCU ? MCU->TD0IsCOM1 : true, Acc);
}

void TNavigationControl::ShowOpcodeLegendForSelection() {
    T11bits Sel = NoAddress;
    if (!FGame.IsLoaded() || !GetSelectedAddr(Sel)) return;
    uint8_t Opcode = 0, Operand = 0;
    FGame.MCU->GetOpcodeExt(Sel, Opcode, Operand);
    FTools.ShowOpcodeLegend(Opcode, Operand);
}

void TNavigationControl::ToggleBreakpointAtSelection() {
    T11bits Sel = NoAddress;
    if (!GetSelectedAddr(Sel)) return;
    FBreakpoints.ToggleCodeBreakpoint(Sel);
    FView.RepaintList();
    FSession.MarkSessionModified();
}

void TNavigationControl::RunToCursor() {
    T11bits Sel = NoAddress;
    if (FRun.IsAnimatedRun() || !FGame.IsLoaded() || !GetSelectedAddr(Sel)) return;
    const bool AtPC = Sel == FGame.MCU->PC;
    if (!AtPC) FBreakpoints.AddTempCodeBreakpoint(Sel);
    FCommands.StartRun(rtUnattendedRun);
    // Only a run that is still going may keep a temporary breakpoint.
    if (AtPC && !FRun.IsStopped()) FBreakpoints.AddTempCodeBreakpoint(Sel);
}

void TNavigationControl::GoToAddress() {
    T11bits Sel = NoAddress;
    if (FRun.IsAnimatedRun() || !GetSelectedAddr(Sel)) return;
    T11bits Addr = FPreviousGotoAddr != NoAddress ? FPreviousGotoAddr : Sel;
    if (!GetAddress(FPrompter, Tr("Navigation", "Go to address"), Addr, LastROMAddress)) return;
    if (Addr == Sel) return;
    FPreviousSelectedAddr = FGame.IsLoaded() ? FGame.MCU->PC : Sel;
    GoToTarget(Addr);
    FView.FocusList();
    FPreviousGotoAddr = Addr;
}

void TNavigationControl::GoToCurrentPC() {
    if (!FRun.IsStopped()) return;
    FPanes.UpdatePanes(pnDisAsm, false, false, true);
    FView.FocusList();
}

void TNavigationControl::Follow() {
    T11bits Sel = NoAddress;
    if (FRun.IsAnimatedRun() || !FGame.IsLoaded() || !GetSelectedAddr(Sel)) return;
    const T11bits Target = FGame.MCU->GetAddrToFollow(Sel);
    // A target without a row (pages 13..15 of bank 1) is not followed.
    if (Target == NoAddress || Target == Sel || Target > LastROMAddress) return;
    FPreviousSelectedAddr = Sel;
    GoToTarget(Target);
    FView.FocusList();
}

void TNavigationControl::GoToCaller() {
    if (!FRun.IsStopped() || !FGame.IsLoaded()) return;
    const T11bits b = FGame.MCU->A;
    T11bits Sel = NoAddress;
    if (b == NoAddress || !GetSelectedAddr(Sel) || b == Sel) return;
    // The last byte of the calling instruction maps onto its row; A = 0 has no such byte.
    if (b == 0 || b - 1 > LastROMAddress) return;
    FPreviousSelectedAddr = FGame.MCU->PC;
    GoToTarget(static_cast<T11bits>(b - 1));
    FView.FocusList();
}

void TNavigationControl::GoToPrevious() {
    if (FRun.IsAnimatedRun() || FPreviousSelectedAddr == NoAddress) return;
    const T11bits p = FPreviousSelectedAddr;
    T11bits Sel = NoAddress;
    GetSelectedAddr(Sel);
    FPreviousSelectedAddr = Sel;
    GoToTarget(p);
}

void TNavigationControl::SetPCToCursor() {
    T11bits Sel = NoAddress;
    if (!FRun.IsStopped() || !FGame.IsLoaded() || !GetSelectedAddr(Sel)) return;
    FGame.MCU->PC = Sel;
    FSession.MarkSessionModified();
    FPanes.UpdatePanes(pnDisAsm | pnRegisters, false, false, true);
    FView.FocusList();
}

void TNavigationControl::SetAddressDescription() {
    T11bits Sel = NoAddress;
    if (FRun.IsAnimatedRun() || !FGame.IsLoaded() || !GetSelectedAddr(Sel)) return;
    TSHARP_SM5A_MCU& MCU = *FGame.MCU;
    std::string Label = MCU.GetAddressLabel(Sel);
    std::string Comment = MCU.GetAddressComment(Sel);
    if (!GetAddressDescription(FPrompter, Sel, Label, Comment)) return;
    // Labels and comments are one line each (a listing writes each on one line): pasted line
    // breaks become spaces.
    for (std::string* Text : {&Label, &Comment})
        for (char& c : *Text)
            if (c == '\r' || c == '\n') c = ' ';
    try {
        MCU.SetAddressLabel(Sel, Label);
        MCU.SetAddressComment(Sel, Comment);
    } catch (const std::exception& e) {
        FPrompter.Error(e.what());
    }
    FSession.MarkSessionModified();
    FListing.RefreshDisAsmStrings(&MCU);
    FView.ListItemChanged(FListing.AddrToItemIndex(Sel));
    FPanes.UpdatePanes(pnDisAsm, false, false, false);
    FTools.RefreshOpcodeLegend();
}

void TNavigationControl::SearchOpcode() {
    if (FRun.IsAnimatedRun() || !FGame.IsLoaded()) return;
    uint32_t Value = 0;
    T11bits Sel = NoAddress;
    if (FOpcodeToSearch >= 0) Value = static_cast<uint32_t>(FOpcodeToSearch);
    else if (GetSelectedAddr(Sel)) Value = FGame.MCU->GetOpcode(Sel);
    if (!GetInteger(FPrompter, Tr("Navigation", "Opcode"), Value, 0xFF, 0)) return;
    FOpcodeToSearch = static_cast<int>(Value & 0xFF);
    FindNext();
}

void TNavigationControl::FindNext() {
    if (FRun.IsAnimatedRun() || !FGame.IsLoaded()) return;
    if (FOpcodeToSearch < 0) {
        SearchOpcode();
        return;
    }
    if (FSelectedIndex < 0) return;
    for (int i = FSelectedIndex + 1; i < FListing.Count(); ++i) {
        const T11bits Addr = FListing.ItemIndexToAddr(i);
        if (FGame.MCU->GetOpcode(Addr) == FOpcodeToSearch) {
            GoToTarget(Addr);
            return;
        }
    }
    FPrompter.Information(Tr("Navigation", "Not found."));
}

void TNavigationControl::SaveDisassembly() {
    if (!FGame.IsLoaded() || FListing.Count() == 0) return;
    TFileDialog Dialog;
    Dialog.Title = Tr("Navigation", "Specify disassembly file name");
    Dialog.DefaultExt = "txt";
    Dialog.Filter =
        Tr("Navigation", "Text files (*.txt)") + "|*.txt|" + Tr("Navigation", "All files (*.*)") + "|*.*";
    Dialog.OverwritePrompt = true;
    Dialog.FileName = TListing::ProposedFileName(*FGame.MCU);
    std::string FileName;
    if (!FPrompter.SaveFile(Dialog, FileName)) return;
    if (const std::string Refusal = FGame.RefuseROMFileAsOutput(FileName); !Refusal.empty()) {
        FPrompter.Error(Refusal);
        return;
    }
    try {
        FListing.SaveToFile(*FGame.MCU, FileName);
    } catch (const std::exception& e) {
        FPrompter.Error(e.what());
    }
}

// ---- for the owner ----

void TNavigationControl::FillList() {
    FListing.BuildDisAsmStrings(FGame.Get());
    FSelectedIndex = -1;
    FView.ListReset();
}

void TNavigationControl::ClearList() {
    FListing.Clear();
    FSelectedIndex = -1;
    FView.ListReset();
}

void TNavigationControl::RefreshTexts() {
    FListing.RefreshDisAsmStrings(FGame.Get());
    FView.RepaintList();
}

} // namespace tarvolin
