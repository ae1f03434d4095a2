// Timer, halt mode, real-time pacing and the buzzer recording.
#include <fstream>
#include <iterator>

#include "mcu_test_support.h"

namespace tarvolin::test {
namespace {

constexpr unsigned Base = 0x3C0;

// A millisecond clock that only moves when the emulation sleeps (or the test says so).
class TFakeClock : public TTickSource {
public:
    uint32_t Now = 5000;
    int Reads = 0;
    std::vector<uint32_t> Sleeps;
    uint32_t GetTickCount() override {
        ++Reads;
        return Now;
    }
    void Sleep(uint32_t Milliseconds) override {
        Sleeps.push_back(Milliseconds);
        Now += Milliseconds;
    }
    uint64_t TotalSleep() const {
        uint64_t t = 0;
        for (auto s : Sleeps)
            t += s;
        return t;
    }
};

class TimingTest : public ::testing::Test {
protected:
    TCoreEnvironment Env;
    TFakeClock Clock;
    std::unique_ptr<TSHARP_SM5A_MCU> MCU = NewMCU();

    void SetUp() override { MCU->SetTickSource(&Clock); }
    void RunCycles(uint64_t n) {
        const uint64_t end = MCU->CycleCount + n;
        while (MCU->CycleCount < end)
            Step(*MCU);
    }
};

TEST_F(TimingTest, OneSecondFlagFollowsTheTimer) {
    // The empty image is SKIPs with a jump back at the end of the page: one cycle each.
    EXPECT_TRUE(MCU->OneSecond);
    RunCycles(8191);
    EXPECT_TRUE(MCU->OneSecond);
    EXPECT_EQ(MCU->T, 8191);
    RunCycles(1);
    EXPECT_FALSE(MCU->OneSecond) << "cleared when T reaches 0x2000";
    RunCycles(8191);
    EXPECT_FALSE(MCU->OneSecond);
    EXPECT_EQ(MCU->T, 0x3FFF);
    RunCycles(1);
    EXPECT_TRUE(MCU->OneSecond);
    EXPECT_EQ(MCU->T, 0);
    EXPECT_EQ(MCU->CycleCount, 16384u);
    MCU->Reset();
    EXPECT_EQ(MCU->CycleCount, 0u);
}

TEST_F(TimingTest, HaltInSingleStepWakesAtOnce) {
    Put(*MCU, Base, {0x5E, 0x00});
    MCU->T = 0x2100;
    MCU->OneSecond = false;
    MCU->MSB = 1;
    MCU->A = 0x123;
    bool executed = false;
    EXPECT_EQ(Step(*MCU, nullptr, &executed), 2u);
    EXPECT_TRUE(executed);
    EXPECT_FALSE(MCU->HaltMode);
    EXPECT_EQ(MCU->T, 0);
    EXPECT_TRUE(MCU->OneSecond);
    EXPECT_EQ(MCU->PC, 0);
    EXPECT_EQ(MCU->MSB, 0);
    EXPECT_EQ(MCU->Page, 0);
    EXPECT_EQ(MCU->A, 0x123) << "the return register survives a wake-up";
    EXPECT_EQ(MCU->FPreviousOpcode, 0);
}

TEST_F(TimingTest, HaltInFullRunLastsUntilTheTimerWraps) {
    MCU->SetFullRun(true);
    MCU->SetFullRunCyclesPerSecond(0);   // unpaced
    Put(*MCU, Base, {0x58, 0x5E, 0x00}); // TG clears OneSecond, else the halt ends at once
    Step(*MCU);
    EXPECT_EQ(Step(*MCU), 2u);
    ASSERT_TRUE(MCU->HaltMode);
    EXPECT_EQ(MCU->T, 3);
    uint64_t halted = 0;
    bool executed = true;
    while (MCU->HaltMode && halted < 20000) {
        EXPECT_EQ(Step(*MCU, nullptr, &executed), 1u);
        EXPECT_FALSE(executed);
        ++halted;
    }
    EXPECT_EQ(halted, 16384u - 3);
    EXPECT_EQ(MCU->T, 0);
    EXPECT_EQ(MCU->PC, 0);
    EXPECT_TRUE(Clock.Sleeps.empty());
    EXPECT_EQ(Clock.Reads, 0) << "rate 0 never looks at the clock";
}

TEST_F(TimingTest, InputWakesAHaltedChip) {
    MCU->SetFullRun(true);
    MCU->SetFullRunCyclesPerSecond(0);
    Put(*MCU, Base, {0x58, 0x5E, 0x00});
    Step(*MCU);
    Step(*MCU);
    ASSERT_TRUE(MCU->HaltMode);
    MCU->IO.FInputMatrix[gndR3] = 1; // R = 0 after reset: every scan line is low
    Step(*MCU);
    EXPECT_FALSE(MCU->HaltMode);
    EXPECT_EQ(MCU->T, 4) << "no shortcut in a full run";

    // Alpha wakes too, but only where the game wires it.
    MCU->IO.FInputMatrix = {};
    MCU->PC = Base + 1; // OneSecond is still clear
    Step(*MCU);
    ASSERT_TRUE(MCU->HaltMode);
    MCU->IO.AlphaBeingQueried = false;
    MCU->IO.FAlpha = true;
    Step(*MCU);
    EXPECT_TRUE(MCU->HaltMode);
    MCU->IO.AlphaBeingQueried = true;
    Step(*MCU);
    EXPECT_FALSE(MCU->HaltMode);
}

TEST_F(TimingTest, HaltChecksConsultInputsOnlyWhenTheyDecide) {
    // A game whose R2 line is not wired raises when its inputs are read with R = 0.
    auto game = NewMCU<TTestGame>();
    game->SetFullRun(true);
    game->SetFullRunCyclesPerSecond(0);
    Put(*game, Base, {0x5E, 0x00});
    EXPECT_NO_THROW(Step(*game)) << "OneSecond decides the wake-up before any input is read";
    EXPECT_FALSE(game->HaltMode);

    game->PC = Base;
    game->T = 0x2100;
    game->OneSecond = false;
    game->StartSoundRecording();
    EXPECT_EQ(StepError(*game), "Querying input for R2=0");
    EXPECT_TRUE(game->HaltMode);
    EXPECT_EQ(game->T, 0x2102) << "the error came after the tick, in the wake-up check";
    EXPECT_EQ(game->AudioBufferPos(), 1) << "the erring cycle takes no sound sample";
    game->StopSoundRecording();

    // Outside a full run the shortcut reads the inputs first.
    game->SetFullRun(false);
    game->Reset();
    Put(*game, Base, {0x5E, 0x00});
    EXPECT_EQ(StepError(*game), "Querying input for R2=0");
    EXPECT_EQ(game->T, 1) << "the error ended the cycle before its tick";
}

TEST_F(TimingTest, PacingHoldsTheRateAndReadsTheClockRarely) {
    MCU->SetFullRun(true);
    MCU->SetFullRunCyclesPerSecond(16384);
    RunCycles(16384);
    EXPECT_EQ(Clock.TotalSleep(), 1000u) << "16384 cycles take a second at real time";
    EXPECT_LE(Clock.Reads, 16384 / 64 + 3);
    EXPECT_EQ(MCU->FullRunCycleCounter(), 0u) << "a new window starts after each second";
    EXPECT_EQ(MCU->FullRunStartTickCount(), Clock.Now);

    // Time that really passed is not slept again.
    Clock.Sleeps.clear();
    RunCycles(8192);
    EXPECT_EQ(Clock.TotalSleep(), 500u);
    Clock.Now += 300;
    RunCycles(8192);
    EXPECT_EQ(Clock.TotalSleep(), 700u);
}

TEST_F(TimingTest, AnErrorEndsTheCycleBeforeItIsCounted) {
    MCU->SetFullRun(true);
    MCU->SetFullRunCyclesPerSecond(16384);
    MCU->StartSoundRecording();
    Put(*MCU, Base, {0x00, 0x6E});
    Step(*MCU);
    EXPECT_EQ(MCU->FullRunCycleCounter(), 1u);
    EXPECT_EQ(StepError(*MCU), "RTN/RTNS outside subroutine?");
    EXPECT_NE(MCU->FullRunStartTickCount(), 0u) << "the window check at the start of the cycle ran";
    EXPECT_EQ(MCU->FullRunCycleCounter(), 1u) << "the pacing count did not";
    EXPECT_EQ(MCU->T, 1);
    EXPECT_EQ(MCU->AudioBufferPos(), 1);
    EXPECT_EQ(MCU->CycleCount, 1u);
}

TEST_F(TimingTest, PacingRoundsHalvesToEven) {
    MCU->SetFullRun(true);
    MCU->SetFullRunCyclesPerSecond(128000); // 64 cycles = 0.5 ms
    RunCycles(64);
    EXPECT_TRUE(Clock.Sleeps.empty()) << "0.5 rounds to 0";
    RunCycles(64);
    EXPECT_EQ(Clock.Sleeps, (std::vector<uint32_t>{1}));
    RunCycles(64); // 1.5 rounds to 2
    EXPECT_EQ(Clock.Sleeps, (std::vector<uint32_t>{1, 1}));
    RunCycles(128); // 2.5 rounds to 2: nothing more
    EXPECT_EQ(Clock.Sleeps, (std::vector<uint32_t>{1, 1}));
}

TEST_F(TimingTest, PacingSurvivesTheTickCounterWrapping) {
    Clock.Now = 0xFFFFFF00u;
    MCU->SetFullRun(true);
    MCU->SetFullRunCyclesPerSecond(64);
    RunCycles(63);
    Clock.Now += 400; // wraps past zero
    RunCycles(1);
    EXPECT_EQ(Clock.Sleeps, (std::vector<uint32_t>{600}));
}

TEST_F(TimingTest, PacingWindowRestartsOnChangesAndStopsOutsideFullRuns) {
    MCU->SetFullRun(true);
    RunCycles(100);
    EXPECT_NE(MCU->FullRunStartTickCount(), 0u);
    EXPECT_EQ(MCU->FullRunCycleCounter(), 100u);
    MCU->SetFullRunCyclesPerSecond(16384);
    EXPECT_EQ(MCU->FullRunStartTickCount(), 0u);
    RunCycles(1);
    EXPECT_EQ(MCU->FullRunCycleCounter(), 1u);
    MCU->SetFullRun(false);
    RunCycles(1);
    EXPECT_EQ(MCU->FullRunStartTickCount(), 0u);
    MCU->SetFullRunCyclesPerSecond(50);
    MCU->Reset();
    EXPECT_EQ(MCU->FullRunCyclesPerSecond(), 16384u);
}

TEST_F(TimingTest, RawRecordingTakesOneSamplePerCycle) {
    Put(*MCU, Base, {0x5F, 0x12, 0x52, 0x00, 0x00});
    MCU->StartSoundRecording();
    EXPECT_FALSE(MCU->IsSoundRecordingActive()) << "no sample yet";
    ASSERT_EQ(MCU->AudioBuffer().size(), 0xA00000u);
    Step(*MCU); // two cycles
    Step(*MCU); // TC and its skip: two cycles
    EXPECT_TRUE(MCU->IsSoundRecordingActive());
    EXPECT_EQ(MCU->AudioBufferPos(), 4);
    MCU->IO.R = 1;
    Step(*MCU);
    const auto& b = MCU->AudioBuffer();
    EXPECT_EQ(std::vector<int16_t>(b.begin(), b.begin() + 6),
              (std::vector<int16_t>{24576, 24576, 24576, 24576, 0, 0}));
    MCU->StopSoundRecording();
    EXPECT_FALSE(MCU->IsSoundRecordingActive());
    EXPECT_TRUE(MCU->AudioBuffer().empty());
    Step(*MCU);
    EXPECT_EQ(MCU->AudioBufferPos(), 0);
}

TEST_F(TimingTest, DerivationRecordingTakesTheEdges) {
    Options().DerivatedSoundWave = true;
    MCU->IO.R = 1;
    MCU->StartSoundRecording();
    for (int bit : {0, 1, 0, 0, 1, 1}) {
        MCU->IO.R = static_cast<T4bits>(bit);
        Step(*MCU);
    }
    const auto& b = MCU->AudioBuffer();
    EXPECT_EQ(std::vector<int16_t>(b.begin(), b.begin() + 6),
              (std::vector<int16_t>{24576, -24576, 24576, 0, -24576, 0}));
}

TEST_F(TimingTest, RecordingWrapsToTheStartOfTheBuffer) {
    MCU->RestoreSoundRecording(std::vector<int16_t>(0xA00000, 7), 0xA00000 - 1, 0);
    Step(*MCU);
    Step(*MCU);
    EXPECT_EQ(MCU->AudioBufferPos(), 1);
    EXPECT_EQ(MCU->AudioBuffer()[0xA00000 - 1], 24576);
    EXPECT_EQ(MCU->AudioBuffer()[0], 24576);
    EXPECT_EQ(MCU->AudioBuffer()[1], 7);

    // A restored buffer of another length is brought to the recording length.
    MCU->RestoreSoundRecording(std::vector<int16_t>(10, 1), 50, 3);
    EXPECT_EQ(MCU->AudioBuffer().size(), 0xA00000u);
    EXPECT_EQ(MCU->PreviousSoundBit(), 1);
    EXPECT_EQ(MCU->AudioBufferPos(), 50);
    EXPECT_EQ(MCU->AudioBuffer()[9], 1);
    EXPECT_EQ(MCU->AudioBuffer()[10], 0) << "the added samples are silent";
    Step(*MCU);
    EXPECT_EQ(MCU->AudioBufferPos(), 51);
    EXPECT_EQ(MCU->AudioBuffer()[50], 24576) << "R1 low records a full level";

    // A position past the end of the buffer restarts it; an empty buffer is no recording.
    MCU->RestoreSoundRecording(std::vector<int16_t>(4, 1), 0xA00001, 0);
    EXPECT_EQ(MCU->AudioBufferPos(), 0);
    MCU->RestoreSoundRecording({}, 12, 0);
    EXPECT_FALSE(MCU->IsSoundRecordingActive());
    Step(*MCU);
    EXPECT_EQ(MCU->AudioBufferPos(), 0) << "no sample without a buffer";
}

std::vector<uint8_t> ReadFile(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

uint32_t LE(const std::vector<uint8_t>& b, size_t at, int n) {
    uint32_t v = 0;
    for (int i = 0; i < n; ++i)
        v |= uint32_t(b[at + i]) << (8 * i);
    return v;
}

TEST_F(TimingTest, WavFileHoldsTheRecordedSamples) {
    MCU->StartSoundRecording();
    for (int i = 0; i < 5; ++i) {
        MCU->IO.R = static_cast<T4bits>(i & 1);
        Step(*MCU);
    }
    const auto path = Env.Folder / "beep.wav";
    {
        std::ofstream old(path);
        old << "an older recording that is replaced";
    }
    MCU->SaveSoundRecording(path);
    const auto b = ReadFile(path);
    ASSERT_EQ(b.size(), 44u + 10u);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
    EXPECT_EQ(LE(b, 4, 4), 36u + 10u);
    EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(LE(b, 16, 4), 16u);
    EXPECT_EQ(LE(b, 20, 2), 1u);
    EXPECT_EQ(LE(b, 22, 2), 1u);
    EXPECT_EQ(LE(b, 24, 4), 16384u);
    EXPECT_EQ(LE(b, 28, 4), 32768u);
    EXPECT_EQ(LE(b, 32, 2), 2u);
    EXPECT_EQ(LE(b, 34, 2), 16u);
    EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
    EXPECT_EQ(LE(b, 40, 4), 10u);
    EXPECT_EQ(LE(b, 44, 2), 0x6000u);
    EXPECT_EQ(LE(b, 46, 2), 0u);
    EXPECT_EQ(LE(b, 52, 2), 0x6000u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Env.Folder), {}), 1)
        << "no temporary file left";
}

TEST_F(TimingTest, FailedWavSaveKeepsWhatWasThere) {
    MCU->StartSoundRecording();
    Step(*MCU);
    // A folder where the file should go cannot be replaced by it.
    const auto target = Env.Folder / "taken";
    std::filesystem::create_directory(target);
    std::filesystem::path inside = target / "keep.txt";
    std::ofstream(inside) << "x";
    EXPECT_THROW(MCU->SaveSoundRecording(target), std::runtime_error);
    EXPECT_TRUE(std::filesystem::exists(inside));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Env.Folder), {}), 1)
        << "temporary file removed";
    EXPECT_THROW(MCU->SaveSoundRecording(Env.Folder / "missing" / "x.wav"), std::runtime_error);
}

} // namespace
} // namespace tarvolin::test
