// The breakpoints feature: code breakpoints, the temporary breakpoints of "run to cursor",
// RAM read, write and change breakpoints with the RAM callbacks that watch them, the texts of
// the stops they cause, and the commands and the dialog that edit them.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "debugger/breakpoint_lists.h"
#include "debugger/feature_links.h"
#include "debugger/prompter.h"
#include "debugger/session.h"

namespace tarvolin {

// The values the last memory breakpoint check left: the value read or written, the previous
// value of a write, and the addresses that triggered (0x7F = none).
struct TMemoryBreakpointTriggers {
    T4bits FieldValue = 0;
    T4bits PreviousFieldValue = 0;
    T7bits Read = 0x7F, Write = 0x7F, Change = 0x7F;
};

class TBreakpointControl {
public:
    TBreakpointControl(TLoadedGame& Game, TPrompter& Prompter, TSessionControl& Session, TPaneRefresh& Panes,
                       TListView& List);
    TBreakpointControl(const TBreakpointControl&) = delete;
    TBreakpointControl& operator=(const TBreakpointControl&) = delete;

    // ---- what the run loop asks, once per instruction ----
    enum : uint8_t { CodeFlag = 1, TempFlag = 2 };
    // CodeFlag and TempFlag of an address (0 = nothing stops there).
    uint8_t CodeFlags(T11bits Addr) const { return FCodeFlags[Addr & 0x7FF]; }
    // The flags of every address (2048 entries), for the run loop.
    const uint8_t* CodeFlagTable() const { return FCodeFlags.data(); }
    // Forgets the memory breakpoints a previous step triggered.
    void BeginStep() {
        if (FMemoryBreakpointTriggered) ResetTriggers();
    }
    bool MemoryBreakpointTriggered() const { return FMemoryBreakpointTriggered; }
    // The status text of the stop the step's memory breakpoints cause: change before write
    // before read.
    std::string MemoryBreakpointStopText() const;
    // True while any memory breakpoint exists: the MCU's RAM callbacks are installed then.
    bool WatchesMemory() const { return FWatchingMemory; }
    // Installs the RAM callbacks on the loaded MCU when a memory breakpoint exists, removes
    // them when none does (nothing is called per RAM access then).
    void WatchMemory();

    // ---- code breakpoints ----
    void ToggleCodeBreakpoint(T11bits Addr);
    bool IsCodeBreakpoint(T11bits Addr) const { return (CodeFlags(Addr) & CodeFlag) != 0; }
    void AddTempCodeBreakpoint(T11bits Addr);
    bool IsTempCodeBreakpoint(T11bits Addr) const { return (CodeFlags(Addr) & TempFlag) != 0; }
    void ClearTempCodeBreakpoints();
    const TAddressList& CodeBreakpoints() const { return FCodeBreakpoints; }
    const TAddressList& TempCodeBreakpoints() const { return FTempCodeBreakpoints; }

    // ---- memory breakpoints ----
    void AddMemoryBreakpoint(TMemoryBreakpointKind Kind, T7bits Addr);
    void RemoveMemoryBreakpoint(TMemoryBreakpointKind Kind, T7bits Addr);
    bool IsMemoryBreakpoint(TMemoryBreakpointKind Kind, T7bits Addr) const;
    bool HasMemoryBreakpoint(T7bits Addr) const { return FMemoryFlags[Addr & 0x7F] != 0; }
    const TAddressList& MemoryBreakpoints(TMemoryBreakpointKind Kind) const { return FMemoryBreakpoints[size_t(Kind)]; }
    // The value pop-up's "Set ... memory breakpoint" / "Remove ..." commands (with their questions).
    void SetMemoryBreakpointCommand(TMemoryBreakpointKind Kind, T7bits Addr);
    void RemoveMemoryBreakpointCommand(TMemoryBreakpointKind Kind, T7bits Addr);

    // ---- the dialog ----
    // "&Breakpoints...": false (after "No breakpoint set.") when there is nothing to show;
    // otherwise Model is filled for the dialog.
    bool PrepareBreakpointsDialog(std::unique_ptr<TBreakpointsDialogModel>& Model);
    // The dialog's OK.
    void ApplyBreakpointsDialog(const TBreakpointsDialogModel& Model);
    // The dialog's "Delete &all" question; true when the user agreed.
    bool ConfirmDeleteAllBreakpoints();

    // The game is closed: every list is emptied.
    void ClearAll();

    // ---- debug sessions ----
    TMemoryBreakpointTriggers Triggers() const;
    // A session's lists are appended to the lists (addresses outside the ROM or RAM and
    // repeated ones are left out) and its trigger values restored.
    void RestoreSession(const std::vector<int32_t>& Code, const std::vector<int32_t>& Temp,
                        const std::vector<int32_t>& Read, const std::vector<int32_t>& Write,
                        const std::vector<int32_t>& Change, const TMemoryBreakpointTriggers& Triggers);

private:
    static void ReadMemoryHandler(void* Obj, T7bits RAMAddr, T4bits Value);
    static void WriteMemoryHandler(void* Obj, T7bits RAMAddr, T4bits NewValue, T4bits PreviousValue);
    void ResetTriggers();
    void SyncCodeFlags();
    void SyncMemoryFlags();

    TLoadedGame& FGame;
    TPrompter& FPrompter;
    TSessionControl& FSession;
    TPaneRefresh& FPanes;
    TListView& FList;

    TAddressList FCodeBreakpoints;
    TAddressList FTempCodeBreakpoints;
    std::array<TAddressList, 3> FMemoryBreakpoints;
    // Flat per-address flags kept in step with the lists: what the run loop and the RAM
    // callbacks test.
    std::array<uint8_t, 2048> FCodeFlags{};
    std::array<uint8_t, 128> FMemoryFlags{}; // bit k = TMemoryBreakpointKind k
    bool FWatchingMemory = false;

    T4bits FMemoryBreakpointFieldValue = 0;
    T4bits FMemoryBreakpointPreviousFieldValue = 0;
    T7bits FTriggeredReadMemoryBreakpointAddress = 0x7F;
    T7bits FTriggeredWriteMemoryBreakpointAddress = 0x7F;
    T7bits FTriggeredChangeMemoryBreakpointAddress = 0x7F;
    bool FMemoryBreakpointTriggered = false; // any of the three above since the step began
};

} // namespace tarvolin
