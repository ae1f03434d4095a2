#include "debugger/breakpoint_lists.h"

#include <algorithm>
#include <cstdio>

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

void FillList(TBreakpointsDialogModel::TList& List, const TAddressList& Source, bool Code) {
    for (uint16_t a : Source.Items())
        List.Lines.push_back({Code ? AddrToStr(static_cast<T11bits>(a)) : TwoHexDigits(a), a});
    std::stable_sort(List.Lines.begin(), List.Lines.end(),
                     [](const auto& x, const auto& y) { return x.Text < y.Text; });
    List.Selected = -1;
}

} // namespace

TBreakpointsDialogModel::TBreakpointsDialogModel(const TAddressList& Code, const TAddressList& Read,
                                                 const TAddressList& Write, const TAddressList& Change) {
    FillList(FLists[0], Code, true);
    FillList(FLists[1], Read, false);
    FillList(FLists[2], Write, false);
    FillList(FLists[3], Change, false);
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
