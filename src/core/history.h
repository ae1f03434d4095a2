// The machine's history for stepping backwards: snapshots of the whole machine state taken
// every SnapshotInterval steps, and one more whenever something outside the steps changed the
// machine (a button, an edited value, a run of another pace). A step back restores the last
// snapshot before the wanted step and executes the steps from there again; between two
// snapshots nothing but the steps changes the machine, so the replay arrives at exactly the
// state the forward run had. The oldest snapshots are dropped first to stay within the
// memory bound.
//
// Steps are counted from the start of the history: step n is the n-th PerformOneCycle since
// then, and "state n" the machine after it (state 0: where the history started).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "core/mcu.h"
#include "core/trace.h"

namespace tarvolin {

class TMachineHistory {
public:
    static constexpr uint32_t SnapshotInterval = 1024;
    static constexpr size_t DefaultLimitBytes = size_t(64) << 20;
    // The memory one snapshot takes (the bound is counted in these).
    static constexpr size_t SnapshotBytes = sizeof(TMachineState) + sizeof(uint64_t) + 16;

    explicit TMachineHistory(size_t LimitBytes = DefaultLimitBytes);
    TMachineHistory(const TMachineHistory&) = delete;
    TMachineHistory& operator=(const TMachineHistory&) = delete;
    ~TMachineHistory();

    // Forgets everything and starts with the machine as it stands as state 0.
    void Start(const TSHARP_SM5A_MCU& MCU);
    // Forgets everything; nothing is recorded until Start.
    void Clear();
    bool Started() const { return !FSnapshots.empty(); }
    void SetLimitBytes(size_t Bytes);
    size_t LimitBytes() const { return FLimitBytes; }
    size_t UsedBytes() const { return FSnapshots.size() * SnapshotBytes; }
    size_t SnapshotCount() const { return FSnapshots.size(); }

    // Before steps: a machine changed since the last step gets a snapshot of its own at the
    // current step. After a step back the steps that followed are forgotten: the run goes on
    // from here as a new future.
    void BeforeSteps(const TSHARP_SM5A_MCU& MCU);
    // After Count steps were executed (no more than StepsUntilSnapshot at once, so that the
    // periodic snapshot falls on its step).
    void AfterSteps(const TSHARP_SM5A_MCU& MCU, uint32_t Count) {
        FStep += Count;
        FEnd = FStep;
        if (FStep - FLastSnapshotStep >= SnapshotInterval) TakeSnapshot(MCU);
        else FLastState = MCU.SaveState();
    }
    // After one step of a run that nothing changes from outside (the headless tool): counts
    // it, taking the periodic snapshot when it is due.
    void CountStep(const TSHARP_SM5A_MCU& MCU) {
        FEnd = ++FStep;
        if (FStep - FLastSnapshotStep >= SnapshotInterval) TakeSnapshot(MCU);
    }
    uint32_t StepsUntilSnapshot() const {
        return static_cast<uint32_t>(SnapshotInterval - (FStep - FLastSnapshotStep));
    }

    uint64_t CurrentStep() const { return FStep; }
    // The newest step recorded (above CurrentStep after a step back).
    uint64_t EndStep() const { return FEnd; }
    // The oldest state the history can return to.
    uint64_t OldestStep() const { return FSnapshots.empty() ? 0 : FSnapshots.front().Step; }
    // True when state CurrentStep - 1 is still held.
    bool CanStepBack() const { return Started() && FStep > OldestStep(); }

    // Brings the machine to state Step (OldestStep..EndStep) and returns the report of the step
    // that led there (empty for the oldest state). RAM callbacks are not raised and coverage is
    // not counted on the way.
    TStepResult GoTo(TSHARP_SM5A_MCU& MCU, uint64_t Step);

    // Looks for the latest state before CurrentStep whose step Test accepts, executing the
    // held steps again from the newest snapshot backwards. Test sees the machine after each
    // step with that step's report; the MCU's RAM callbacks stay installed while Test is
    // asked (so memory breakpoints can be seen). The machine is left at the state found, or
    // at the oldest state when none was found. Returns the step found, or -1.
    int64_t FindLast(TSHARP_SM5A_MCU& MCU, const std::function<bool(uint64_t Step, const TStepResult&)>& Test);

private:
    struct TSnapshot {
        uint64_t Step;
        TMachineState State;
    };
    void TakeSnapshot(const TSHARP_SM5A_MCU& MCU);
    void DropOldest();
    // The index of the last snapshot at or before Step.
    size_t SnapshotAtOrBefore(uint64_t Step) const;
    // Replays from snapshot Index up to state Last, asking Test (if given) after every step;
    // returns the last step's report. Keeps callbacks only when KeepCallbacks.
    TStepResult Replay(TSHARP_SM5A_MCU& MCU, size_t Index, uint64_t Last, bool KeepCallbacks,
                       const std::function<bool(uint64_t, const TStepResult&)>* Test, int64_t* Found,
                       TLCDPictureState* Picture);

    std::deque<TSnapshot> FSnapshots;
    TMachineState FLastState;
    uint64_t FStep = 0;
    uint64_t FEnd = 0;
    uint64_t FLastSnapshotStep = 0;
    size_t FLimitBytes;
    // A copy of the machine's LCD driver without a scene, which follows the replayed steps.
    std::unique_ptr<TLCDDriver> FReplayDriver;
};

} // namespace tarvolin
