// The reverse feature: stepping back through the states the steps passed, back over a
// subroutine, back to breakpoint hits, the coverage marks and last writers, the options that
// switch them (kept in the settings), new histories, and the trace log against the trace the
// headless tool prints.
#include <fstream>
#include <iterator>
#include <sstream>

#include "core/trace.h"
#include "debugger_fixture.h"

namespace tarvolin::test {
namespace {

// The machine as history keeps it, with the pacing mode of the recorded state (it belongs to
// the run, not to the step).
TMachineState StateLike(const TSHARP_SM5A_MCU& MCU, const TMachineState& Recorded) {
    TMachineState s = MCU.SaveState();
    s.FullRun = Recorded.FullRun;
    return s;
}

TEST_F(DebuggerTest, StepBackReturnsToEveryStateTheStepsPassed) {
    Load();
    EXPECT_FALSE(View.States.StepBack);
    std::vector<TMachineState> states{MCU().SaveState()};
    for (int i = 0; i < 12; ++i) {
        if (i == 5) {
            MCU().IO.FInputMatrix[0] = 0x3; // a button between two steps
            states.back() = MCU().SaveState();
        }
        Debugger.Run().TraceInto();
        states.push_back(MCU().SaveState());
    }
    EXPECT_TRUE(View.States.StepBack);
    for (int k = 11; k >= 0; --k) {
        Debugger.Reverse().StepBack();
        EXPECT_TRUE(StateLike(MCU(), states[size_t(k)]) == states[size_t(k)]) << "state " << k;
        EXPECT_EQ(Selected(), states[size_t(k)].PC);
    }
    EXPECT_FALSE(View.States.StepBack);
    // Going on from here is a new future: the same steps lead to the same states.
    Debugger.Run().TraceInto();
    EXPECT_TRUE(StateLike(MCU(), states[1]) == states[1]);
}

TEST_F(DebuggerTest, StepBackOverLeavesASubroutineTheMachineHadLeft) {
    Load();
    for (int i = 0; i < 7; ++i) Debugger.Run().TraceInto(); // the call at 3C3 and its RTN at 402
    ASSERT_EQ(MCU().PC, 0x3C4);
    Debugger.Reverse().StepBackOver();
    EXPECT_EQ(MCU().PC, 0x3C3); // before the call
    EXPECT_FALSE(MCU().InSubroutine());
    Debugger.Reverse().StepBackOver();
    EXPECT_EQ(MCU().PC, 0x3C2); // an ordinary instruction: one step
}

struct TBackwardsCase {
    const char* Name;
    bool Code;        // a code breakpoint at 402 (else a write breakpoint on cell 00)
    T11bits StopPC;   // where the latest hit leaves the machine
};
void PrintTo(const TBackwardsCase& c, std::ostream* os) { *os << c.Name; }

class RunBackwardsTest : public DebuggerTest, public ::testing::WithParamInterface<TBackwardsCase> {};

TEST_P(RunBackwardsTest, StopsAtTheLatestHitThenAtTheOldestState) {
    const TBackwardsCase& c = GetParam();
    Load();
    Debugger.Run().UnattendedRun();
    RunToStop(5000);
    Debugger.Run().Pause();
    const uint64_t cycles = MCU().CycleCount;
    if (c.Code) Debugger.Breakpoints().ToggleCodeBreakpoint(0x402);
    else Debugger.Breakpoints().AddMemoryBreakpoint(TMemoryBreakpointKind::Write, 0x00);
    Debugger.Reverse().RunBackwards();
    EXPECT_EQ(MCU().PC, c.StopPC);
    EXPECT_LT(MCU().CycleCount, cycles);
    EXPECT_EQ(View.Status, "Paused on the previous breakpoint hit.");
    EXPECT_FALSE(Debugger.Breakpoints().MemoryBreakpointTriggered());
    Debugger.Reverse().RunBackwards(); // the only earlier write is the EXC at 3C2
    if (c.Code) {
        EXPECT_EQ(View.Status, "No breakpoint hit in the history: at its oldest state.");
        EXPECT_EQ(MCU().PC, 0x3C0);
        EXPECT_EQ(MCU().CycleCount, 0u);
    } else {
        EXPECT_EQ(MCU().PC, 0x3C3);
    }
}

INSTANTIATE_TEST_SUITE_P(Breakpoints, RunBackwardsTest,
                         ::testing::Values(TBackwardsCase{"code", true, 0x402}, TBackwardsCase{"write", false, 0x401}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(DebuggerTest, CoverageMarksAndLastWritersFollowTheSteps) {
    Load();
    for (int i = 0; i < 6; ++i) Debugger.Run().TraceInto(); // up to the RTN at 402
    const TNavigationControl& nav = Debugger.Navigation();
    auto executed = [&](T11bits a) { return nav.RowLook(nav.AddrToItemIndex(a)).Executed; };
    EXPECT_TRUE(executed(0x3C0) && executed(0x400) && executed(0x401));
    EXPECT_FALSE(executed(0x402) || executed(0x3C4));
    EXPECT_EQ(Debugger.Reverse().CoverageHint(0x3C0), "Executed 1 time(s) since reset or \"Clear coverage\".");
    EXPECT_EQ(Debugger.Reverse().CoverageHint(0x402), "");
    // Cell 00: EXC at 3C2, then SM at 400 (two instructions before the one at PC).
    EXPECT_EQ(Debugger.Reverse().LastWriterHint(0x00),
              "Last written by the instruction at " + AddrToStr(0x400) + ", 2 cycle(s) ago.");
    EXPECT_EQ(Debugger.Reverse().LastWriterHint(0x01), "Not written by the program since reset.");
    // Stepping back takes the last writer along.
    Debugger.Reverse().StepBack();
    Debugger.Reverse().StepBack();
    EXPECT_EQ(Debugger.Reverse().LastWriterHint(0x00),
              "Last written by the instruction at " + AddrToStr(0x3C2) + ", 2 cycle(s) ago.");
    Debugger.Reverse().ClearCoverage();
    EXPECT_FALSE(executed(0x3C0));
    Debugger.Run().TraceInto(); // the SM at 400 again
    EXPECT_TRUE(executed(0x400));
    EXPECT_FALSE(executed(0x3C3));
    Debugger.Run().MCUReset();
    EXPECT_FALSE(executed(0x400));
    EXPECT_EQ(Debugger.Reverse().LastWriterHint(0x00), "Not written by the program since reset.");
}

TEST_F(DebuggerTest, SwitchesAreKeptInTheSettings) {
    Load();
    Debugger.Reverse().SetTrackCoverage(false);
    Debugger.Run().TraceInto();
    EXPECT_FALSE(Debugger.Navigation().RowLook(Debugger.Navigation().AddrToItemIndex(0x3C0)).Executed);
    EXPECT_EQ(Debugger.Reverse().LastWriterHint(0x00), "");
    Debugger.Reverse().SetKeepHistory(false);
    EXPECT_FALSE(View.States.StepBack);
    Debugger.Run().TraceInto();
    EXPECT_FALSE(Debugger.Reverse().CanStepBack());
    Prompter.Inputs.push_back({std::vector<std::string>{"5000"}, std::vector<std::string>{"16"}});
    Debugger.Reverse().HistoryLimitCommand();
    EXPECT_EQ(Prompter.Messages.size(), 1u); // "Out of range." for 5000
    Options() = TOptions{};
    Settings.LoadSettings();
    EXPECT_FALSE(Options().TrackCoverage);
    EXPECT_FALSE(Options().KeepHistory);
    EXPECT_EQ(Options().HistoryLimitMB, 16u);
}

TEST_F(DebuggerTest, ResetAndPatchesStartANewHistory) {
    Load();
    Debugger.Run().TraceInto();
    Debugger.Run().TraceInto();
    EXPECT_TRUE(Debugger.Reverse().CanStepBack());
    Debugger.Run().MCUReset();
    EXPECT_FALSE(Debugger.Reverse().CanStepBack());
    Debugger.Run().TraceInto();
    ASSERT_TRUE(Debugger.Reverse().CanStepBack());
    ASSERT_TRUE(Debugger.Patching().SetOpcode(0x3C5, 0x00, 0));
    EXPECT_FALSE(Debugger.Reverse().CanStepBack());
}

struct TTraceLogCase {
    const char* Name;
    bool Unattended; // an unattended run (paced mode, unlimited) instead of single steps
};
void PrintTo(const TTraceLogCase& c, std::ostream* os) { *os << c.Name; }

class TraceLogTest : public DebuggerTest, public ::testing::WithParamInterface<TTraceLogCase> {};

// The log holds exactly what `tarvolin-cli run ROM --trace` prints for the same steps (the
// unattended run as with --full-run-rate 0).
TEST_P(TraceLogTest, EqualsTheHeadlessTrace) {
    const TTraceLogCase& c = GetParam();
    Load();
    const std::string File = (Dir.Path / "trace.txt").string();
    Prompter.Files.push_back(File);
    Debugger.Reverse().TraceLogCommand();
    EXPECT_TRUE(View.States.TraceLogChecked);
    if (c.Unattended) {
        Debugger.Run().UnattendedRun();
        RunToStop(3000);
        Debugger.Run().Pause();
    } else {
        for (int i = 0; i < 40; ++i) Debugger.Run().TraceInto();
    }
    EXPECT_FALSE(std::filesystem::exists(File)); // complete only when the log ends
    Debugger.Reverse().TraceLogCommand();
    EXPECT_FALSE(View.States.TraceLogChecked);
    std::ifstream f(File, std::ios::binary);
    const std::string Log((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());

    std::istringstream rom(MakeROM(TestProgram()));
    auto m = TSHARP_SM5A_MCU::Class.Create(&rom);
    m->SetFullRunCyclesPerSecond(0);
    m->SetFullRun(c.Unattended);
    std::string Expected;
    const size_t Lines = static_cast<size_t>(std::count(Log.begin(), Log.end(), '\n'));
    EXPECT_GE(Lines, c.Unattended ? 2000u : 40u);
    for (size_t i = 1; i <= Lines; ++i) Expected += FormatTraceLine(i, *m, PerformStep(*m));
    EXPECT_EQ(Log, Expected);
}

INSTANTIATE_TEST_SUITE_P(Runs, TraceLogTest,
                         ::testing::Values(TTraceLogCase{"single_steps", false}, TTraceLogCase{"unattended", true}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

} // namespace
} // namespace tarvolin::test
