#include "debugger/breakpoints.h"

#include <algorithm>

#include "base/text_format.h"
#include "base/translate.h"

namespace tarvolin {

namespace {

// One whole question per kind of memory breakpoint, so that each translates as a sentence.
const char* const SetMemoryBreakpointQuestions[3] = {
    TR_NOOP("Breakpoints", "Set read memory breakpoint on RAM address 0x%s?"),
    TR_NOOP("Breakpoints", "Set write memory breakpoint on RAM address 0x%s?"),
    TR_NOOP("Breakpoints", "Set change memory breakpoint on RAM address 0x%s?"),
};
const char* const RemoveMemoryBreakpointQuestions[3] = {
    TR_NOOP("Breakpoints", "Remove read memory breakpoint on RAM address 0x%s?"),
    TR_NOOP("Breakpoints", "Remove write memory breakpoint on RAM address 0x%s?"),
    TR_NOOP("Breakpoints", "Remove change memory breakpoint on RAM address 0x%s?"),
};

} // namespace

TBreakpointControl::TBreakpointControl(TLoadedGame& Game, TPrompter& Prompter, TSessionControl& Session,
                                       TPaneRefresh& Panes, TListView& List)
    : FGame(Game), FPrompter(Prompter), FSession(Session), FPanes(Panes), FList(List) {}

// ---- flags and callbacks ----

void TBreakpointControl::SyncCodeFlags() {
    FCodeFlags.fill(0);
    for (uint16_t a : FCodeBreakpoints.Items()) FCodeFlags[a & 0x7FF] |= CodeFlag;
    for (uint16_t a : FTempCodeBreakpoints.Items()) FCodeFlags[a & 0x7FF] |= TempFlag;
}

void TBreakpointControl::SyncMemoryFlags() {
    FMemoryFlags.fill(0);
    for (size_t k = 0; k < FMemoryBreakpoints.size(); ++k)
        for (uint16_t a : FMemoryBreakpoints[k].Items()) FMemoryFlags[a & 0x7F] |= static_cast<uint8_t>(1u << k);
    WatchMemory();
}

void TBreakpointControl::WatchMemory() {
    FWatchingMemory = std::any_of(FMemoryFlags.begin(), FMemoryFlags.end(), [](uint8_t f) { return f != 0; });
    ResetTriggers();
    if (TSHARP_SM5A_MCU* MCU = FGame.Get()) {
        if (FWatchingMemory) {
            MCU->OnReadMemory = TReadMemoryEvent{&TBreakpointControl::ReadMemoryHandler, this};
            MCU->OnWriteMemory = TWriteMemoryEvent{&TBreakpointControl::WriteMemoryHandler, this};
        } else {
            MCU->OnReadMemory = TReadMemoryEvent{};
            MCU->OnWriteMemory = TWriteMemoryEvent{};
        }
    }
}

void TBreakpointControl::ResetTriggers() {
    FTriggeredReadMemoryBreakpointAddress = 0x7F;
    FTriggeredWriteMemoryBreakpointAddress = 0x7F;
    FTriggeredChangeMemoryBreakpointAddress = 0x7F;
    FMemoryBreakpointTriggered = false;
}

void TBreakpointControl::ReadMemoryHandler(void* Obj, T7bits RAMAddr, T4bits Value) {
    auto* Self = static_cast<TBreakpointControl*>(Obj);
    Self->FMemoryBreakpointFieldValue = Value;
    if (Self->FMemoryFlags[RAMAddr & 0x7F] & 1) {
        Self->FTriggeredReadMemoryBreakpointAddress = RAMAddr;
        Self->FMemoryBreakpointTriggered = true;
    }
}

void TBreakpointControl::WriteMemoryHandler(void* Obj, T7bits RAMAddr, T4bits NewValue, T4bits PreviousValue) {
    auto* Self = static_cast<TBreakpointControl*>(Obj);
    Self->FMemoryBreakpointFieldValue = NewValue;
    Self->FMemoryBreakpointPreviousFieldValue = PreviousValue;
    const uint8_t Flags = Self->FMemoryFlags[RAMAddr & 0x7F];
    if (Flags & 2) {
        Self->FTriggeredWriteMemoryBreakpointAddress = RAMAddr;
        Self->FMemoryBreakpointTriggered = true;
    }
    if ((Flags & 4) && NewValue != PreviousValue) {
        Self->FTriggeredChangeMemoryBreakpointAddress = RAMAddr;
        Self->FMemoryBreakpointTriggered = true;
    }
}

std::string TBreakpointControl::MemoryBreakpointStopText() const {
    if (FTriggeredChangeMemoryBreakpointAddress != 0x7F)
        return Format(
            Tr("Breakpoints", "Paused on change memory breakpoint, RAM[0x%s]=%s, previous value: %s.").c_str(),
            Hex2(FTriggeredChangeMemoryBreakpointAddress).c_str(), Hex1(FMemoryBreakpointFieldValue).c_str(),
            Hex1(FMemoryBreakpointPreviousFieldValue).c_str());
    if (FTriggeredWriteMemoryBreakpointAddress != 0x7F)
        return Format(Tr("Breakpoints", "Paused on write memory breakpoint, RAM[0x%s]=%s.").c_str(),
                      Hex2(FTriggeredWriteMemoryBreakpointAddress).c_str(), Hex1(FMemoryBreakpointFieldValue).c_str());
    if (FTriggeredReadMemoryBreakpointAddress != 0x7F)
        return Format(Tr("Breakpoints", "Paused on read memory breakpoint, RAM address 0x%s.").c_str(),
                      Hex2(FTriggeredReadMemoryBreakpointAddress).c_str());
    return {};
}

// ---- code breakpoints ----

void TBreakpointControl::ToggleCodeBreakpoint(T11bits Addr) {
    FCodeBreakpoints.Toggle(Addr);
    SyncCodeFlags();
    FSession.MarkSessionModified();
}

void TBreakpointControl::AddTempCodeBreakpoint(T11bits Addr) {
    FTempCodeBreakpoints.Add(Addr);
    SyncCodeFlags();
    FSession.MarkSessionModified();
}

void TBreakpointControl::ClearTempCodeBreakpoints() {
    if (FTempCodeBreakpoints.Empty()) return;
    FTempCodeBreakpoints.Clear();
    SyncCodeFlags();
}

// ---- memory breakpoints ----

void TBreakpointControl::AddMemoryBreakpoint(TMemoryBreakpointKind Kind, T7bits Addr) {
    FMemoryBreakpoints[size_t(Kind)].Add(Addr);
    SyncMemoryFlags();
    FSession.MarkSessionModified();
    FPanes.UpdatePanes(pnRAM, false, false, false);
}

void TBreakpointControl::RemoveMemoryBreakpoint(TMemoryBreakpointKind Kind, T7bits Addr) {
    FMemoryBreakpoints[size_t(Kind)].Remove(Addr);
    SyncMemoryFlags();
    FSession.MarkSessionModified();
    FPanes.UpdatePanes(pnRAM, false, false, false);
}

bool TBreakpointControl::IsMemoryBreakpoint(TMemoryBreakpointKind Kind, T7bits Addr) const {
    return FMemoryBreakpoints[size_t(Kind)].Contains(Addr);
}

void TBreakpointControl::SetMemoryBreakpointCommand(TMemoryBreakpointKind Kind, T7bits Addr) {
    if (!FGame.IsLoaded()) return;
    if (!IsValidRAMAddress(Addr)) {
        FPrompter.Error(Format(Tr("Breakpoints", "0x%s is not a valid RAM address.").c_str(), Hex2(Addr).c_str()));
        return;
    }
    const std::string Question =
        Format(Tr("Breakpoints", SetMemoryBreakpointQuestions[size_t(Kind)]).c_str(), Hex2(Addr).c_str());
    if (FPrompter.Confirm(Question)) AddMemoryBreakpoint(Kind, Addr);
}

void TBreakpointControl::RemoveMemoryBreakpointCommand(TMemoryBreakpointKind Kind, T7bits Addr) {
    if (!IsValidRAMAddress(Addr) || !IsMemoryBreakpoint(Kind, Addr)) return;
    const std::string Question =
        Format(Tr("Breakpoints", RemoveMemoryBreakpointQuestions[size_t(Kind)]).c_str(), Hex2(Addr).c_str());
    if (FPrompter.Message(TMessageKind::Warning, Question, TMessageButtons::YesNo) == TMessageResult::Yes)
        RemoveMemoryBreakpoint(Kind, Addr);
}

// ---- the dialog ----

bool TBreakpointControl::PrepareBreakpointsDialog(std::unique_ptr<TBreakpointsDialogModel>& Model) {
    Model.reset();
    if (!FGame.IsLoaded()) return false;
    if (FCodeBreakpoints.Empty() && std::all_of(FMemoryBreakpoints.begin(), FMemoryBreakpoints.end(),
                                                [](const TAddressList& l) { return l.Empty(); })) {
        FPrompter.Information(Tr("Breakpoints", "No breakpoint set."));
        return false;
    }
    Model = std::make_unique<TBreakpointsDialogModel>(FCodeBreakpoints, FMemoryBreakpoints[0], FMemoryBreakpoints[1],
                                                      FMemoryBreakpoints[2], FGame.Get());
    return true;
}

bool TBreakpointControl::ConfirmDeleteAllBreakpoints() {
    return FPrompter.Message(TMessageKind::Warning,
                             Tr("Breakpoints", "Are you sure you want to delete all breakpoints?"),
                             TMessageButtons::YesNo) == TMessageResult::Yes;
}

void TBreakpointControl::ApplyBreakpointsDialog(const TBreakpointsDialogModel& Model) {
    FCodeBreakpoints.Assign(Model.Addresses(TBreakpointListKind::Code));
    FMemoryBreakpoints[0].Assign(Model.Addresses(TBreakpointListKind::Read));
    FMemoryBreakpoints[1].Assign(Model.Addresses(TBreakpointListKind::Write));
    FMemoryBreakpoints[2].Assign(Model.Addresses(TBreakpointListKind::Change));
    SyncCodeFlags();
    SyncMemoryFlags();
    FPanes.UpdatePanes(pnDisAsm | pnRAM, false, false, false);
    FList.RepaintList();
    FSession.MarkSessionModified();
}

void TBreakpointControl::ClearAll() {
    FCodeBreakpoints.Clear();
    for (auto& l : FMemoryBreakpoints) l.Clear();
    SyncCodeFlags();
    SyncMemoryFlags();
}

// ---- debug sessions ----

TMemoryBreakpointTriggers TBreakpointControl::Triggers() const {
    return {FMemoryBreakpointFieldValue, FMemoryBreakpointPreviousFieldValue, FTriggeredReadMemoryBreakpointAddress,
            FTriggeredWriteMemoryBreakpointAddress, FTriggeredChangeMemoryBreakpointAddress};
}

void TBreakpointControl::RestoreSession(const std::vector<int32_t>& Code, const std::vector<int32_t>& Temp,
                                        const std::vector<int32_t>& Read, const std::vector<int32_t>& Write,
                                        const std::vector<int32_t>& Change, const TMemoryBreakpointTriggers& T) {
    auto Append = [](TAddressList& List, const std::vector<int32_t>& Values, int32_t Limit) {
        for (int32_t a : Values)
            if (a >= 0 && a < Limit) List.Add(static_cast<uint16_t>(a));
    };
    Append(FCodeBreakpoints, Code, 2048);
    Append(FTempCodeBreakpoints, Temp, 2048);
    Append(FMemoryBreakpoints[size_t(TMemoryBreakpointKind::Read)], Read, 128);
    Append(FMemoryBreakpoints[size_t(TMemoryBreakpointKind::Write)], Write, 128);
    Append(FMemoryBreakpoints[size_t(TMemoryBreakpointKind::Change)], Change, 128);
    SyncCodeFlags();
    SyncMemoryFlags(); // installs the RAM callbacks and forgets triggers: restored below
    FMemoryBreakpointFieldValue = T.FieldValue & 0x0F;
    FMemoryBreakpointPreviousFieldValue = T.PreviousFieldValue & 0x0F;
    FTriggeredReadMemoryBreakpointAddress = T.Read & 0x7F;
    FTriggeredWriteMemoryBreakpointAddress = T.Write & 0x7F;
    FTriggeredChangeMemoryBreakpointAddress = T.Change & 0x7F;
    FMemoryBreakpointTriggered = FTriggeredReadMemoryBreakpointAddress != 0x7F ||
                                 FTriggeredWriteMemoryBreakpointAddress != 0x7F ||
                                 FTriggeredChangeMemoryBreakpointAddress != 0x7F;
}

} // namespace tarvolin
