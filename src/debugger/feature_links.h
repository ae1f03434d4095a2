// What the features of the window share and the small interfaces through which they reach
// each other. The owner (TDebugger) creates the features and hands each the links it needs;
// a feature never reaches into the owner or into another feature's state.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "base/types.h"
#include "core/mcu.h"
#include "debugger/debugger_view.h"

namespace tarvolin {

// The game being debugged: the MCU and the class it was loaded as. The owner installs and
// removes it; features read it and change the machine's state through it.
struct TLoadedGame {
    std::unique_ptr<TSHARP_SM5A_MCU> MCU;
    const TMCUClass* Class = nullptr;

    // The file the ROM was read from ("" when it came from elsewhere): no save replaces it.
    std::string ROMFile;

    TSHARP_SM5A_MCU* Get() const { return MCU.get(); }
    bool IsLoaded() const { return MCU != nullptr; }
    // Empty, or the message that refuses Path as a file to write because it is the game's
    // ROM file (by another name, a link or a hard link too).
    std::string RefuseROMFileAsOutput(const std::string& Path) const;
};

enum TRunType : uint8_t {
    rtNoEmulation = 0,
    rtTraceInto = 1,
    rtAnimatedRun = 2,
    rtStepOver = 3,
    rtSteppingOver = 4,
    rtUnattendedRunUntilReturn = 5,
    rtUnattendedRun = 6,
};

// The speed factor positions 0..6 of full runs: machine cycles per second (0 = no pacing)
// and the text shown.
struct TSpeedFactor {
    uint32_t CyclesPerSecond;
    const char* Text;
};
extern const std::array<TSpeedFactor, 7> SpeedFactors;
constexpr int DefaultSpeedFactor = 3;
// "" for a position outside 0..6.
std::string SpeedFactorText(int Position);

// What every feature may read about the run: its type, a reset in progress, the speed
// position and the "update during runs" boxes. The run control changes it.
class TRunState {
public:
    TRunType RunType() const { return static_cast<TRunType>(FRunType); }
    bool IsStopped() const { return FRunType <= rtTraceInto; }
    bool IsAnimatedRun() const { return FRunType == rtAnimatedRun; }
    bool IsFullRun() const { return FRunType >= rtStepOver && FRunType <= rtUnattendedRun; }
    bool IsPCShown() const { return FRunType <= rtAnimatedRun; }
    bool IsResetting() const { return FResetting; }
    int SpeedFactor() const { return FSpeedFactor; }
    // Pane is pnDisAsm, pnRegisters, pnRAM or pnLCDRegisters.
    bool UpdateCheckBox(TPane Pane) const {
        switch (Pane) {
        case pnDisAsm: return FUpdateDisAsm;
        case pnRegisters: return FUpdateRegisters;
        case pnRAM: return FUpdateRAM;
        case pnLCDRegisters: return FUpdateLCDRegisters;
        default: return false;
        }
    }

protected:
    uint8_t FRunType = rtNoEmulation; // 255 while a reset is under way
    bool FResetting = false;
    int FSpeedFactor = DefaultSpeedFactor;
    bool FUpdateDisAsm = true, FUpdateRegisters = true, FUpdateRAM = true, FUpdateLCDRegisters = true;
};

// Redrawing the panes and the hint above the list (the panes feature).
class TPaneRefresh {
public:
    virtual ~TPaneRefresh() = default;
    // Which panes are really redrawn follows the run state and the update boxes.
    virtual void UpdatePanes(TPanes Panes, bool OnlyChanged, bool Force, bool FollowPC) = 0;
    virtual void UpdateHintLabel() = 0;
    // The values now in the machine count as shown: nothing is drawn red for them (a reset).
    virtual void TakeValuesAsShown() = 0;
    // A full run starts from a stop: the machine's values now are those its stop compares with.
    virtual void FullRunStarted() = 0;
    // The full run has stopped: the next refresh marks red what changed since it started,
    // whatever was shown during the run.
    virtual void FullRunEnded() = 0;
};

// Moving around the disassembly list (the navigation feature).
class TListNavigator {
public:
    virtual ~TListNavigator() = default;
    // Selects the row of Addr and scrolls it into view when needed.
    virtual void GoToAddr(T11bits Addr) = 0;
    // Goes to Target and remembers the selection it leaves for "Go to previous".
    virtual void GoToRemembering(T11bits Target) = 0;
    // Selects the row of Addr (no scrolling) unless it is already selected.
    virtual void SelectRowOf(T11bits Addr) = 0;
    virtual bool GetSelectedAddr(T11bits& Addr) const = 0;
    virtual bool HasRows() const = 0;
    // Forgets where "Go to previous" and "Go to address" would start (a reset).
    virtual void ForgetHistory() = 0;
};

// Keeping the listing in step with ROM bytes another feature rewrote (the navigation feature,
// which owns the listing). Between BeginListingChanges and EndListingChanges the selection
// and the top row stay on the addresses they had at the beginning.
class TListingUpdates {
public:
    virtual ~TListingUpdates() = default;
    virtual void BeginListingChanges() = 0;
    virtual void EndListingChanges() = 0;
    // The live ROM bytes FirstAddr..LastAddr were written.
    virtual void ROMBytesWritten(T11bits FirstAddr, T11bits LastAddr) = 0;
};

// Starting runs from other features (run to cursor, the reset button).
class TRunCommands {
public:
    virtual ~TRunCommands() = default;
    // Sets the run type and executes its first instruction.
    virtual void StartRun(TRunType RunType) = 0;
    virtual void MCUReset() = 0;
};

// The enabled states of the window's commands may have changed.
class TStateSink {
public:
    virtual ~TStateSink() = default;
    virtual void StatesChanged() = 0;
};

// A feature with unsaved work asks before a game is closed; false = the user cancelled.
class TCloseQuestion {
public:
    virtual ~TCloseQuestion() = default;
    virtual bool MayCloseGame() = 0;
};

// The machine's history: the machine was reset, replaced or rewritten (a session loaded, an
// opcode patched, the game closed), so the steps held so far lead nowhere: a new history starts.
class THistoryRestart {
public:
    virtual ~THistoryRestart() = default;
    virtual void RestartHistory() = 0;
};

// Installing a freshly created game into the window and taking it out again (the owner).
class TGameHost {
public:
    virtual ~TGameHost() = default;
    virtual void InstallGame(std::unique_ptr<TSHARP_SM5A_MCU> MCU, const TMCUClass& Class) = 0;
    virtual void RemoveGame() = 0;
};

} // namespace tarvolin
