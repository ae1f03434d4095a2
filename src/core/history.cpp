#include "core/history.h"

#include <algorithm>

#include "base/options.h"

namespace tarvolin {

// ---------------------------------------------------------------------------------------
// The machine's side

TMachineState TSHARP_SM5A_MCU::SaveState() const {
    TMachineState s;
    s.CycleCount = CycleCount;
    s.Acc = Acc;
    s.DP = DP;
    s.T = T;
    s.MSB = MSB;
    s.Page = Page;
    s.PC = PC;
    s.A = A;
    s.Carry = Carry;
    s.OneSecond = OneSecond;
    s.HaltMode = HaltMode;
    s.TD = TD;
    s.LD0 = LD0;
    s.FullRun = FFullRun;
    s.DerivatedSound = Options().DerivatedSoundWave;
    s.PreviousOpcode = FPreviousOpcode;
    s.O = O;
    s.O_ = O_;
    s.RAM = RAM;
    s.Matrix = IO.FInputMatrix;
    s.Alpha = IO.FAlpha;
    s.Beta = IO.FBeta;
    s.R = IO.R;
    s.AudioBufferPos = FAudioBufferPos;
    s.PreviousSoundBit = FPreviousSoundBit;
    if (LCDDriver) s.Picture = LCDDriver->PictureState();
    s.LastWriterPC = FLastWriterPC;
    s.LastWriteCycle = FLastWriteCycle;
    return s;
}

void TSHARP_SM5A_MCU::RestoreState(const TMachineState& s) {
    CycleCount = s.CycleCount;
    Acc = s.Acc;
    DP = s.DP;
    T = s.T;
    MSB = s.MSB;
    Page = s.Page;
    PC = s.PC;
    A = s.A;
    Carry = s.Carry;
    OneSecond = s.OneSecond;
    HaltMode = s.HaltMode;
    TD = s.TD;
    LD0 = s.LD0;
    FFullRun = s.FullRun;
    FFullRunStartTickCount = 0;
    FPreviousOpcode = s.PreviousOpcode;
    O = s.O;
    O_ = s.O_;
    RAM = s.RAM;
    IO.FInputMatrix = s.Matrix;
    IO.FAlpha = s.Alpha;
    IO.FBeta = s.Beta;
    IO.R = s.R;
    // A recording started after the snapshot goes on from its own start.
    FAudioBufferPos = (s.AudioBufferPos >= 0 && s.AudioBufferPos <= static_cast<int32_t>(FAudioBuffer.size()))
                          ? s.AudioBufferPos
                          : 0;
    FPreviousSoundBit = s.PreviousSoundBit;
    FLastWriterPC = s.LastWriterPC;
    FLastWriteCycle = s.LastWriteCycle;
    UpdateRareCycleWork();
    if (LCDDriver) LCDDriver->RestorePictureState(s.Picture);
}

// ---------------------------------------------------------------------------------------
// The history

TMachineHistory::TMachineHistory(size_t LimitBytes) : FLimitBytes(LimitBytes) {}
TMachineHistory::~TMachineHistory() = default;

void TMachineHistory::Clear() {
    FSnapshots.clear();
    FStep = FEnd = FLastSnapshotStep = 0;
}

void TMachineHistory::Start(const TSHARP_SM5A_MCU& MCU) {
    Clear();
    TakeSnapshot(MCU);
}

void TMachineHistory::SetLimitBytes(size_t Bytes) {
    FLimitBytes = Bytes;
    DropOldest();
}

void TMachineHistory::TakeSnapshot(const TSHARP_SM5A_MCU& MCU) {
    FLastState = MCU.SaveState();
    if (!FSnapshots.empty() && FSnapshots.back().Step == FStep) FSnapshots.back().State = FLastState;
    else FSnapshots.push_back({FStep, FLastState});
    FLastSnapshotStep = FStep;
    DropOldest();
}

void TMachineHistory::DropOldest() {
    // The newest snapshot always stays: without it nothing could be replayed.
    while (FSnapshots.size() > 1 && UsedBytes() > FLimitBytes) FSnapshots.pop_front();
}

void TMachineHistory::BeforeSteps(const TSHARP_SM5A_MCU& MCU) {
    if (!Started()) return;
    if (FStep < FEnd) {
        while (FSnapshots.size() > 1 && FSnapshots.back().Step > FStep) FSnapshots.pop_back();
        FEnd = FStep;
        TakeSnapshot(MCU);
        return;
    }
    if (!(MCU.SaveState() == FLastState)) TakeSnapshot(MCU);
}

size_t TMachineHistory::SnapshotAtOrBefore(uint64_t Step) const {
    const auto it = std::upper_bound(FSnapshots.begin(), FSnapshots.end(), Step,
                                     [](uint64_t s, const TSnapshot& Snap) { return s < Snap.Step; });
    return it == FSnapshots.begin() ? 0 : static_cast<size_t>(it - FSnapshots.begin()) - 1;
}

namespace {

// What a replay changes on the machine and gives back when it ends, however it ends.
class TReplaySetup {
public:
    TReplaySetup(TSHARP_SM5A_MCU& MCU, std::unique_ptr<TLCDDriver>& ReplayDriver, bool KeepCallbacks)
        : FMCU(MCU), FDriver(ReplayDriver), FRead(MCU.OnReadMemory), FWrite(MCU.OnWriteMemory),
          FCoverage(MCU.TrackCoverage()), FFullRun(MCU.FullRun()), FRate(MCU.FullRunCyclesPerSecond()),
          FDerivated(Options().DerivatedSoundWave) {
        if (MCU.LCDDriver) {
            // The steps move a copy of the driver without a scene: nothing is painted on the way.
            if (!FDriver || &FDriver->GetClass() != &MCU.LCDDriver->GetClass()) FDriver = MCU.CloneCurrentLCDDriver();
            FDriver->SetShowStableImageOnly(MCU.LCDDriver->ShowStableImageOnly());
            FDriver->OnBitmapRefresh = nullptr;
            std::swap(MCU.LCDDriver, FDriver);
            FSwapped = true;
        }
        if (!KeepCallbacks) {
            MCU.OnReadMemory = {};
            MCU.OnWriteMemory = {};
        }
        MCU.SetTrackCoverage(false);
        MCU.SetFullRunCyclesPerSecond(0); // unpaced: the pacing mode itself comes with the state
    }
    ~TReplaySetup() {
        if (FSwapped) std::swap(FMCU.LCDDriver, FDriver);
        FMCU.OnReadMemory = FRead;
        FMCU.OnWriteMemory = FWrite;
        FMCU.SetTrackCoverage(FCoverage);
        FMCU.SetFullRunCyclesPerSecond(FRate);
        FMCU.SetFullRun(FFullRun);
        Options().DerivatedSoundWave = FDerivated;
    }
    TReplaySetup(const TReplaySetup&) = delete;
    TReplaySetup& operator=(const TReplaySetup&) = delete;
    // The picture the replayed steps left (taken before the driver goes back).
    TLCDPictureState Picture() const { return FMCU.LCDDriver ? FMCU.LCDDriver->PictureState() : TLCDPictureState{}; }

private:
    TSHARP_SM5A_MCU& FMCU;
    std::unique_ptr<TLCDDriver>& FDriver;
    TReadMemoryEvent FRead;
    TWriteMemoryEvent FWrite;
    bool FCoverage, FFullRun;
    uint32_t FRate;
    bool FDerivated;
    bool FSwapped = false;
};

} // namespace

TStepResult TMachineHistory::Replay(TSHARP_SM5A_MCU& MCU, size_t Index, uint64_t Last, bool KeepCallbacks,
                                    const std::function<bool(uint64_t, const TStepResult&)>* Test, int64_t* Found,
                                    TLCDPictureState* Picture) {
    TReplaySetup Setup(MCU, FReplayDriver, KeepCallbacks);
    const TSnapshot& Snap = FSnapshots[Index];
    MCU.RestoreState(Snap.State);
    MCU.SetFullRunCyclesPerSecond(0);
    Options().DerivatedSoundWave = Snap.State.DerivatedSound;
    // A snapshot at Last holds what changed after that step (a button, an edit): the state
    // the next step started from, which is the one to look at.
    const TSnapshot* AtLast =
        Index + 1 < FSnapshots.size() && FSnapshots[Index + 1].Step == Last ? &FSnapshots[Index + 1] : nullptr;
    TStepResult r;
    for (uint64_t Step = Snap.Step + 1; Step <= Last; ++Step) {
        r = PerformStep(MCU);
        if (Step == Last && AtLast) MCU.RestoreState(AtLast->State);
        if (Test && (*Test)(Step, r)) *Found = static_cast<int64_t>(Step);
    }
    if (Picture) *Picture = Setup.Picture();
    return r;
}

TStepResult TMachineHistory::GoTo(TSHARP_SM5A_MCU& MCU, uint64_t Step) {
    if (!Started()) return {};
    Step = std::clamp(Step, OldestStep(), FEnd);
    TStepResult r;
    const size_t k = SnapshotAtOrBefore(Step == OldestStep() ? Step : Step - 1);
    const bool Exact = FSnapshots[k].Step == Step || (k + 1 < FSnapshots.size() && FSnapshots[k + 1].Step == Step);
    if (FSnapshots[k].Step < Step) {
        TLCDPictureState Picture;
        r = Replay(MCU, k, Step, false, nullptr, nullptr, &Picture);
        if (MCU.LCDDriver) MCU.LCDDriver->RestorePictureState(Picture);
    }
    if (Exact) {
        // A snapshot of that very step holds what changed after it (a button, an edit).
        const bool FullRun = MCU.FullRun();
        MCU.RestoreState(FSnapshots[FSnapshots[k].Step == Step ? k : k + 1].State);
        MCU.SetFullRun(FullRun);
    }
    FStep = Step;
    FLastState = MCU.SaveState();
    return r;
}

int64_t TMachineHistory::FindLast(TSHARP_SM5A_MCU& MCU,
                                  const std::function<bool(uint64_t Step, const TStepResult&)>& Test) {
    if (!CanStepBack()) return -1;
    const uint64_t Before = FStep - 1; // the latest state looked at
    for (size_t k = SnapshotAtOrBefore(Before) + 1; k-- > 0;) {
        const uint64_t Last = k + 1 < FSnapshots.size() ? std::min(Before, FSnapshots[k + 1].Step) : Before;
        if (FSnapshots[k].Step >= Last) continue;
        int64_t Found = -1;
        Replay(MCU, k, Last, true, &Test, &Found, nullptr);
        if (Found >= 0) {
            GoTo(MCU, static_cast<uint64_t>(Found));
            return Found;
        }
    }
    GoTo(MCU, OldestStep());
    return -1;
}

} // namespace tarvolin
