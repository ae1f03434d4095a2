// The machine's history: every state reached by stepping back equals the state the forward
// run had at that step (random programs, with input changes, halts, pacing changes, the
// stable-image filter and sound capture), searches backwards, and the memory bound.
#include <random>

#include "core/history.h"
#include "mcu_test_support.h"

namespace tarvolin::test {
namespace {

struct THistoryCase {
    const char* Name;
    uint32_t Seed;
    int Steps;
    int Batch;          // steps reported to the history at once (a full-speed stretch)
    bool Inputs;        // buttons change between batches
    bool PacingChanges; // the full-run flag changes between batches (a halt then ends otherwise)
    bool StableImage;   // the LCD driver's stable-image filter
    bool Sound;         // buzzer capture
};

void PrintTo(const THistoryCase& c, std::ostream* os) { *os << c.Name; }

class HistoryReplayTest : public ::testing::TestWithParam<THistoryCase> {
protected:
    TCoreEnvironment Env;
};

// A random program with halts sprinkled in (so that halts and wake-ups occur) and fewer
// returns than chance gives (most of them would only raise errors outside a subroutine).
std::unique_ptr<TSHARP_SM5A_MCU> RandomMachine(std::mt19937& Rng) {
    auto mcu = NewMCU();
    for (auto& b : mcu->ROM) {
        b = static_cast<uint8_t>(Rng());
        if ((b & 0xFE) == 0x6E && Rng() % 4) b = 0x00;
    }
    for (int i = 0; i + 1 < ROMSize; ++i)
        if (Rng() % 40 == 0) {
            mcu->ROM[i] = 0x5E;
            mcu->ROM[i + 1] = 0x00;
        }
    mcu->SetFullRunCyclesPerSecond(0);
    mcu->SetTrackWrites(true);
    return mcu;
}

TEST_P(HistoryReplayTest, EveryStateBackEqualsTheForwardState) {
    const THistoryCase& c = GetParam();
    std::mt19937 rng(c.Seed);
    auto mcu = RandomMachine(rng);
    if (c.StableImage) mcu->LCDDriver->SetShowStableImageOnly(true);
    if (c.Sound) mcu->StartSoundRecording();
    TMachineHistory h;
    h.Start(*mcu);
    std::vector<TMachineState> states{mcu->SaveState()};
    std::vector<TStepResult> results(1);
    int halts = 0, changes = 0;
    while (static_cast<int>(results.size()) <= c.Steps) {
        // An edit of PC now and then (as the registers pane makes one) keeps a random program
        // from circling in one short loop.
        if (rng() % (c.Batch == 1 ? 97 : 2) == 0) mcu->PC = static_cast<T11bits>(rng() % ROMSize);
        if (c.Inputs && rng() % (c.Batch == 1 ? 7 : 2) == 0) {
            mcu->IO.FInputMatrix[rng() % 4] = static_cast<T4bits>(rng() & 15);
            mcu->IO.FBeta = rng() & 1;
            ++changes;
        }
        if (c.PacingChanges && rng() % 5 == 0) mcu->SetFullRun(!mcu->FullRun());
        h.BeforeSteps(*mcu);
        states.back() = mcu->SaveState(); // the state the next step starts from
        const uint32_t n = std::min<uint32_t>(c.Batch, h.StepsUntilSnapshot());
        for (uint32_t i = 0; i < n; ++i) {
            results.push_back(PerformStep(*mcu));
            halts += results.back().Executed && results.back().Opcode == 0x5E && results.back().Operand == 0x00;
            states.push_back(mcu->SaveState());
        }
        h.AfterSteps(*mcu, n);
    }
    const uint64_t end = h.CurrentStep();
    ASSERT_EQ(end + 1, states.size());
    EXPECT_GT(halts, 0);
    if (c.Inputs) {
        EXPECT_GT(changes, 0);
    }

    // Run backwards to the latest earlier state with the PC of the middle state.
    const T11bits target = states[end / 2].PC;
    uint64_t expected = 0;
    for (uint64_t k = end; k-- > 0;)
        if (states[k].PC == target) {
            expected = k;
            break;
        }
    EXPECT_EQ(h.FindLast(*mcu, [&](uint64_t, const TStepResult&) { return mcu->PC == target; }),
              static_cast<int64_t>(expected));
    EXPECT_EQ(h.CurrentStep(), expected);

    const bool liveFullRun = mcu->FullRun();
    for (uint64_t k = end + 1; k-- > 0;) {
        const TStepResult r = h.GoTo(*mcu, k);
        TMachineState got = mcu->SaveState();
        EXPECT_EQ(mcu->FullRun(), liveFullRun); // the pacing mode belongs to the run, not the state
        got.FullRun = states[k].FullRun;
        ASSERT_TRUE(got == states[k]) << "state " << k << ": PC " << got.PC << " / " << states[k].PC
                                      << ", cycles " << got.CycleCount << " / " << states[k].CycleCount;
        if (k == 0) continue;
        EXPECT_EQ(r.Executed, results[k].Executed) << k;
        EXPECT_EQ(r.Opcode, results[k].Opcode) << k;
        EXPECT_EQ(r.Error, results[k].Error) << k;
    }
    EXPECT_FALSE(h.CanStepBack());
}

INSTANTIATE_TEST_SUITE_P(Programs, HistoryReplayTest,
                         ::testing::Values(THistoryCase{"single_steps", 1, 2500, 1, false, false, false, false},
                                           THistoryCase{"stretches_and_inputs", 2, 3000, 700, true, false, false, false},
                                           THistoryCase{"pacing_changes", 3, 3000, 300, true, true, false, false},
                                           THistoryCase{"stable_image", 4, 3000, 500, true, false, true, false},
                                           THistoryCase{"sound_capture", 5, 2500, 1024, false, true, false, true},
                                           THistoryCase{"everything", 6, 4000, 37, true, true, true, true}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

// After steps back, going on forgets the steps that had followed: the new steps are the history.
TEST(HistoryTest, GoingOnAfterStepsBackStartsANewFuture) {
    TCoreEnvironment Env;
    std::mt19937 rng(11);
    auto mcu = RandomMachine(rng);
    TMachineHistory h;
    h.Start(*mcu);
    for (int i = 0; i < 3000; ++i) {
        PerformStep(*mcu);
        h.AfterSteps(*mcu, 1);
    }
    h.GoTo(*mcu, 2000);
    mcu->IO.FInputMatrix[0] = 0xF; // a different button this time
    h.BeforeSteps(*mcu);
    EXPECT_EQ(h.EndStep(), 2000u);
    const TMachineState fork = mcu->SaveState();
    for (int i = 0; i < 10; ++i) {
        PerformStep(*mcu);
        h.AfterSteps(*mcu, 1);
    }
    EXPECT_EQ(h.EndStep(), 2010u);
    h.GoTo(*mcu, 2000);
    EXPECT_TRUE(mcu->SaveState() == fork);
}

// The bound holds; the oldest snapshots go first; a goal before the oldest state stops there.
TEST(HistoryTest, StaysWithinItsBoundDroppingTheOldest) {
    TCoreEnvironment Env;
    std::mt19937 rng(21);
    auto mcu = RandomMachine(rng);
    const size_t limit = 40 * TMachineHistory::SnapshotBytes;
    TMachineHistory h(limit);
    h.Start(*mcu);
    std::vector<uint64_t> cycles{mcu->CycleCount};
    for (int i = 0; i < 100000; ++i) {
        PerformStep(*mcu);
        h.CountStep(*mcu);
        cycles.push_back(mcu->CycleCount);
    }
    EXPECT_LE(h.UsedBytes(), limit);
    EXPECT_EQ(h.SnapshotCount(), 40u);
    EXPECT_EQ(h.OldestStep(), 100000u - 39 * TMachineHistory::SnapshotInterval - 100000u % TMachineHistory::SnapshotInterval);
    h.GoTo(*mcu, 0);
    EXPECT_EQ(h.CurrentStep(), h.OldestStep());
    EXPECT_EQ(mcu->CycleCount, cycles[h.OldestStep()]);
    h.SetLimitBytes(10 * TMachineHistory::SnapshotBytes);
    EXPECT_EQ(h.SnapshotCount(), 10u);
}

// At the default bound the history reaches back at least ten million machine cycles.
TEST(HistoryTest, DefaultBoundHoldsTenMillionCycles) {
    TCoreEnvironment Env;
    auto mcu = NewMCU(); // an empty ROM: one-cycle steps, the costliest case
    TMachineHistory h;
    h.Start(*mcu);
    for (int i = 0; i < 12'000'000; ++i) {
        uint8_t op, operand;
        mcu->PerformOneCycle(op, operand);
        h.CountStep(*mcu);
    }
    const uint64_t end = mcu->CycleCount;
    EXPECT_LE(h.UsedBytes(), TMachineHistory::DefaultLimitBytes);
    h.GoTo(*mcu, h.OldestStep());
    EXPECT_GE(end - mcu->CycleCount, 10'000'000u);
}

} // namespace
} // namespace tarvolin::test
