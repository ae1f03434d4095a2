#include "debugger/breakpoint_lists.h"

#include <algorithm>
#include <cstdio>

#include "core/mcu.h"
#include "debugger/pane_texts.h"
#include "disasm/disasm.h"

namespace tarvolin {

bool TAddressList::Add(uint16_t Addr) {
    if (Addr >= FMembers.size() || Contains(Addr)) return false;
    FItems.push_back(Addr);
    FMembers.set(Addr);
    return true;
}

bool TAddressList::Remove(uint16_t Addr) {
    auto it = std::find(FItems.begin(), FItems.end(), Addr);
    if (it == FItems.end()) return false;
    FItems.erase(it);
    FMembers.reset(Addr);
    return true;
}

bool TAddressList::Toggle(uint16_t Addr) {
    if (Remove(Addr)) return false;
    return Add(Addr);
}

void TAddressList::Assign(std::vector<uint16_t> Items) {
    Clear();
    for (uint16_t a : Items) Add(a);
}

namespace {

std::string TwoHexDigits(unsigned v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%.2X", v & 0xFF);
    return buf;
}

std::string CodeDetail(const TSHARP_SM5A_MCU* MCU, uint16_t Addr) {
    if (!MCU || Addr > LastROMAddress) return {};
    const T11bits a = static_cast<T11bits>(Addr);
    std::string Comment;
    std::string Text = DisAsm(*MCU, a, Comment);
    // The listing's column padding is not needed on a line of its own.
    std::string Squeezed;
    for (char c : Text)
        if (c != ' ' || (!Squeezed.empty() && Squeezed.back() != ' ')) Squeezed += c;
    while (!Squeezed.empty() && Squeezed.back() == ' ') Squeezed.pop_back();
    const std::string Label = MCU->GetAddressLabel(a);
    return Label.empty() ? Squeezed : Label + ": " + Squeezed;
}

std::string MemoryDetail(const TSHARP_SM5A_MCU* MCU, uint16_t Addr) {
    if (!MCU || Addr >= RAMSize) return {};
    return "= " + NibbleText(MCU->RAM[Addr]);
}

void FillList(TBreakpointsDialogModel::TList& List, const TAddressList& Source, bool Code,
              const TSHARP_SM5A_MCU* MCU) {
    for (uint16_t a : Source.Items())
        List.Lines.push_back({Code ? AddrToStr(static_cast<T11bits>(a)) : TwoHexDigits(a), a,
                              Code ? CodeDetail(MCU, a) : MemoryDetail(MCU, a)});
    std::stable_sort(List.Lines.begin(), List.Lines.end(),
                     [](const auto& x, const auto& y) { return x.Text < y.Text; });
    List.Selected = -1;
}

} // namespace

TBreakpointsDialogModel::TBreakpointsDialogModel(const TAddressList& Code, const TAddressList& Read,
                                                 const TAddressList& Write, const TAddressList& Change,
                                                 const TSHARP_SM5A_MCU* MCU) {
    FillList(FLists[0], Code, true, MCU);
    FillList(FLists[1], Read, false, MCU);
    FillList(FLists[2], Write, false, MCU);
    FillList(FLists[3], Change, false, MCU);
}

void TBreakpointsDialogModel::Select(TBreakpointListKind Kind, int Index) {
    TList& l = FLists[size_t(Kind)];
    l.Selected = (Index >= 0 && Index < static_cast<int>(l.Lines.size())) ? Index : -1;
}

bool TBreakpointsDialogModel::DeleteEnabled(TBreakpointListKind Kind) const {
    const TList& l = FLists[size_t(Kind)];
    return l.Selected >= 0 && l.Selected < static_cast<int>(l.Lines.size());
}

void TBreakpointsDialogModel::Delete(TBreakpointListKind Kind) {
    if (!DeleteEnabled(Kind)) return;
    TList& l = FLists[size_t(Kind)];
    l.Lines.erase(l.Lines.begin() + l.Selected);
    if (l.Lines.empty()) l.Selected = -1;
    else if (l.Selected >= static_cast<int>(l.Lines.size())) l.Selected = static_cast<int>(l.Lines.size()) - 1;
}

bool TBreakpointsDialogModel::DeleteAllEnabled() const {
    return std::any_of(FLists.begin(), FLists.end(), [](const TList& l) { return !l.Lines.empty(); });
}

void TBreakpointsDialogModel::DeleteAll() {
    for (TList& l : FLists) {
        l.Lines.clear();
        l.Selected = -1;
    }
}

int TBreakpointsDialogModel::FirstNonEmptyList() const {
    for (size_t i = 0; i < FLists.size(); ++i)
        if (!FLists[i].Lines.empty()) return static_cast<int>(i);
    return -1;
}

T11bits TBreakpointsDialogModel::CodeAddressAt(int Index) const {
    const TList& l = FLists[0];
    if (Index < 0 || Index >= static_cast<int>(l.Lines.size())) return NoAddress;
    return static_cast<T11bits>(l.Lines[size_t(Index)].Addr);
}

std::vector<uint16_t> TBreakpointsDialogModel::Addresses(TBreakpointListKind Kind) const {
    std::vector<uint16_t> r;
    for (const TLine& line : FLists[size_t(Kind)].Lines) r.push_back(line.Addr);
    return r;
}

} // namespace tarvolin
