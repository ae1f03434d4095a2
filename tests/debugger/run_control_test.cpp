#include "debugger_fixture.h"

namespace tarvolin::test {
namespace {

TEST_F(DebuggerTest, NoGameLeavesOnlyTheAlwaysAvailableCommands) {
    EXPECT_EQ(View.Caption, "Tarvolin");
    EXPECT_EQ(View.Status, "Ready.");
    const TCommandStates& s = View.States;
    EXPECT_FALSE(s.TraceInto || s.StepOver || s.RunUntilReturn || s.AnimatedRun || s.UnattendedRun);
    EXPECT_FALSE(s.Pause || s.Refresh || s.MCUReset || s.Breakpoints || s.SessionSave);
    EXPECT_FALSE(s.GameSpecificVisible || s.SetCurrentTime || s.SpeedControlsVisible);
    EXPECT_TRUE(s.StartPanelVisible);
    for (bool v : s.DigitLabelVisible) EXPECT_FALSE(v);
    // Commands need a game: nothing happens.
    Debugger.Run().TraceInto();
    Debugger.Run().UnattendedRun();
    EXPECT_EQ(Debugger.Run().RunType(), rtNoEmulation);
}

TEST_F(DebuggerTest, LoadingAGameSetsUpTheWindowAndStopsAtTheResetAddress) {
    Load();
    EXPECT_EQ(View.Caption, "Tarvolin - " + TSHARP_SM5A_MCU::Class.GameName());
    EXPECT_EQ(View.Status, "Ready.");
    EXPECT_EQ(View.Colour, TStatusColour::Normal);
    EXPECT_EQ(Debugger.Run().RunType(), rtNoEmulation);
    const TCommandStates& s = View.States;
    EXPECT_TRUE(s.TraceInto && s.StepOver && s.AnimatedRun && s.UnattendedRun && s.MCUReset && s.Breakpoints);
    EXPECT_FALSE(s.RunUntilReturn); // A = 7FF after reset
    EXPECT_FALSE(s.Pause || s.Refresh);
    EXPECT_TRUE(s.GameSpecificVisible);
    EXPECT_FALSE(s.SetCurrentTime); // the custom game has no clock
    EXPECT_FALSE(s.StartPanelVisible);
    for (bool v : s.DigitLabelVisible) EXPECT_TRUE(v); // a custom ROM may use every O pair for digits
    EXPECT_TRUE(s.UpdateDisAsmChecked && s.UpdateRegistersChecked && s.UpdateRAMChecked && s.UpdateLCDRegistersChecked);
    EXPECT_GT(Debugger.Navigation().Listing().Count(), 0);
    EXPECT_EQ(Selected(), 0x3C0);
    EXPECT_EQ(View.Selected, Debugger.Navigation().AddrToItemIndex(0x3C0));
    // The PC row became the top row because the reset scrolls it into view.
    EXPECT_EQ(View.Top, Debugger.Navigation().AddrToItemIndex(0x3C0));
    EXPECT_TRUE(Prompter.Messages.empty());
    // The custom game's file is never remembered.
    EXPECT_TRUE(Settings.ROMs().empty());
}

TEST_F(DebuggerTest, TraceIntoStepsOneInstructionAndFollowsPC) {
    Load();
    Debugger.Run().TraceInto();
    EXPECT_EQ(MCU().PC, 0x3C1);
    EXPECT_EQ(MCU().Acc, 5);
    EXPECT_EQ(Debugger.Run().RunType(), rtTraceInto);
    EXPECT_EQ(View.Status, "Ready.");
    EXPECT_EQ(Selected(), 0x3C1);
    EXPECT_EQ(View.Hint, ""); // LB has no explanation
    EXPECT_EQ(View.LastDraw() & (pnDisAsm | pnRegisters | pnRAM | pnLCDRegisters),
              pnDisAsm | pnRegisters | pnRAM | pnLCDRegisters);
    EXPECT_TRUE(Debugger.Panes().PaneTexts().Acc.Changed);
    EXPECT_EQ(Debugger.Panes().PaneTexts().Acc.Value, "5");
    Debugger.Run().TraceInto();
    // The explanation of the EXC now at PC: Acc goes to (00), the cell's value to Acc.
    EXPECT_EQ(View.Hint, "5 -> (00); 0 -> Acc");
}

TEST_F(DebuggerTest, RunUntilReturnFollowsTheReturnRegister) {
    Load();
    for (int i = 0; i < 3; ++i) Debugger.Run().TraceInto();
    EXPECT_FALSE(View.States.RunUntilReturn);
    Debugger.Run().RunUntilReturn(); // disabled: nothing happens
    EXPECT_EQ(Debugger.Run().RunType(), rtTraceInto);
    Debugger.Run().TraceInto(); // the call
    EXPECT_EQ(MCU().PC, 0x400);
    EXPECT_EQ(MCU().A, 0x3C4);
    EXPECT_TRUE(View.States.RunUntilReturn);

    Debugger.Run().RunUntilReturn();
    EXPECT_EQ(Debugger.Run().RunType(), rtUnattendedRunUntilReturn);
    EXPECT_EQ(View.Status, "Running...");
    EXPECT_EQ(View.Colour, TStatusColour::Running);
    EXPECT_TRUE(View.States.SpeedControlsVisible);
    EXPECT_EQ(View.Hint, "(full emulation speed)");
    RunToStop();
    EXPECT_EQ(Debugger.Run().RunType(), rtNoEmulation);
    EXPECT_EQ(View.Status, "Paused on return from subroutine.");
    EXPECT_EQ(View.Colour, TStatusColour::Normal);
    EXPECT_EQ(MCU().PC, 0x3C4);
    EXPECT_FALSE(View.States.RunUntilReturn);
    EXPECT_FALSE(View.States.SpeedControlsVisible);
}

TEST_F(DebuggerTest, StepOverRunsTheCalledSubroutineAndStopsAfterItsReturn) {
    Load();
    Debugger.Run().StepOver(); // not a call: a plain step
    EXPECT_EQ(Debugger.Run().RunType(), rtTraceInto);
    Debugger.Run().StepOver();
    Debugger.Run().StepOver();
    ASSERT_EQ(MCU().PC, 0x3C3);
    Debugger.Run().StepOver();
    EXPECT_EQ(Debugger.Run().RunType(), rtSteppingOver);
    EXPECT_EQ(View.Status, "Running...");
    RunToStop();
    EXPECT_EQ(View.Status, "Ready.");
    EXPECT_EQ(Debugger.Run().RunType(), rtNoEmulation);
    EXPECT_EQ(MCU().PC, 0x3C4);
    EXPECT_EQ(MCU().A, NoAddress);
    EXPECT_EQ(Selected(), 0x3C4);
}

TEST_F(DebuggerTest, BothReturnInstructionsEndStepOverAndRunUntilReturn) {
    // 3C0 TRS 400; 3C1 SKIP; 3C2 SKIP; 3C3 TR 3C3 (endless)   400 SKIP; 401 RTN or RTNS
    for (const uint8_t Return : {uint8_t(0x6E), uint8_t(0x6F)}) {
        SCOPED_TRACE(Return == 0x6E ? "RTN" : "RTNS");
        const T11bits After = Return == 0x6E ? 0x3C1 : 0x3C2; // RTNS skips the instruction it returns to
        Load({{0x3C0, {TRS(0), 0x00, 0x00, TR(3)}}, {0x400, {0x00, Return}}});
        Debugger.Run().StepOver();
        RunToStop();
        EXPECT_EQ(View.Status, "Ready.");
        EXPECT_EQ(MCU().PC, After);

        Load({{0x3C0, {TRS(0), 0x00, 0x00, TR(3)}}, {0x400, {0x00, Return}}});
        Debugger.Run().TraceInto();
        Debugger.Run().RunUntilReturn();
        RunToStop();
        EXPECT_EQ(View.Status, "Paused on return from subroutine.");
        EXPECT_EQ(MCU().PC, After);
    }
}

TEST_F(DebuggerTest, StepOverStopsFirstOnABreakpointInsideTheSubroutine) {
    Load();
    MCU().PC = 0x3C3;
    Debugger.Breakpoints().ToggleCodeBreakpoint(0x401);
    Debugger.Run().StepOver();
    RunToStop();
    EXPECT_EQ(View.Status, "Paused on breakpoint.");
    EXPECT_EQ(View.Colour, TStatusColour::Highlight);
    EXPECT_EQ(MCU().PC, 0x401);
}

TEST_F(DebuggerTest, StepOverACallInsideASubroutineActsAsTraceInto) {
    // Inside a subroutine a call is a jump within the page group: no stepping over.
    Load({{0x3C0, {TRS(0)}}, {0x400, {TRS(5), 0x00, 0x00, 0x00, 0x00, 0x6E}}});
    Debugger.Run().TraceInto();
    ASSERT_EQ(MCU().PC, 0x400);
    Debugger.Run().StepOver();
    EXPECT_EQ(Debugger.Run().RunType(), rtTraceInto);
    EXPECT_EQ(View.Status, "Ready.");
}

TEST_F(DebuggerTest, CodeBreakpointStopsBeforeTheInstructionButNotTheFirstStepOfARun) {
    Load();
    Debugger.Breakpoints().ToggleCodeBreakpoint(0x3C5);
    EXPECT_TRUE(Debugger.Breakpoints().IsCodeBreakpoint(0x3C5));
    Debugger.Run().UnattendedRun();
    EXPECT_EQ(Debugger.Run().RunType(), rtUnattendedRun);
    RunToStop();
    EXPECT_EQ(View.Status, "Paused on breakpoint.");
    EXPECT_EQ(View.Colour, TStatusColour::Highlight);
    EXPECT_EQ(MCU().PC, 0x3C5);
    EXPECT_EQ(Selected(), 0x3C5);
    EXPECT_EQ(Debugger.Navigation().RowLook(Debugger.Navigation().AddrToItemIndex(0x3C5)).Style, TListRowStyle::PCBreakpoint);

    // Starting again on the breakpoint executes it, loops once and stops on it again.
    const uint64_t Cycles = MCU().CycleCount;
    Debugger.Run().UnattendedRun();
    EXPECT_EQ(MCU().PC, 0x3C4);
    RunToStop();
    EXPECT_EQ(MCU().PC, 0x3C5);
    EXPECT_EQ(MCU().CycleCount, Cycles + 2);
}

TEST_F(DebuggerTest, RunToCursorStopsAtTheSelectedLineAndLeavesNoTemporaryBreakpoint) {
    Load();
    Select(0x3C5);
    Debugger.Navigation().RunToCursor();
    RunToStop();
    EXPECT_EQ(View.Status, "Paused on run-to-cursor.");
    EXPECT_EQ(MCU().PC, 0x3C5);
    EXPECT_TRUE(Debugger.Breakpoints().TempCodeBreakpoints().Empty());

    // On the PC line it runs until execution comes back to that line.
    const uint64_t Cycles = MCU().CycleCount;
    Select(0x3C5);
    Debugger.Navigation().RunToCursor();
    EXPECT_TRUE(Debugger.Breakpoints().IsTempCodeBreakpoint(0x3C5));
    RunToStop();
    EXPECT_EQ(View.Status, "Paused on run-to-cursor.");
    EXPECT_EQ(MCU().PC, 0x3C5);
    EXPECT_EQ(MCU().CycleCount, Cycles + 2);
    EXPECT_TRUE(Debugger.Breakpoints().TempCodeBreakpoints().Empty());
}

TEST_F(DebuggerTest, PauseStopsARunAndIsIgnoredWhileStopped) {
    Load();
    Debugger.Run().Pause();
    EXPECT_EQ(View.Status, "Ready.");
    Debugger.Run().UnattendedRun();
    EXPECT_TRUE(Debugger.Run().RunSlice(50));
    EXPECT_TRUE(View.States.Pause);
    EXPECT_TRUE(View.States.Refresh);
    EXPECT_FALSE(View.States.TraceInto);
    Debugger.Run().Refresh(); // everything, whatever the boxes say
    EXPECT_EQ(int(View.LastDraw()), int(AllPanes));
    const size_t Draws = View.Draws.size();
    Debugger.Run().Pause();
    EXPECT_EQ(Debugger.Run().RunType(), rtNoEmulation);
    EXPECT_EQ(View.Status, "Paused by user.");
    EXPECT_EQ(View.Colour, TStatusColour::Normal);
    // Ending a full run redraws every pane.
    ASSERT_GT(View.Draws.size(), Draws);
    EXPECT_EQ(View.Draws[Draws].first & AllPanes & ~pnRawInput, AllPanes & ~pnRawInput);
    EXPECT_FALSE(View.States.Pause);
}

TEST_F(DebuggerTest, PauseEndingAnAnimatedRunDoesNotRedraw) {
    Load();
    Debugger.Run().AnimatedRun();
    EXPECT_EQ(Debugger.Run().RunType(), rtAnimatedRun);
    EXPECT_TRUE(View.States.UpdateDisAsmVisible);
    EXPECT_FALSE(View.States.SpeedControlsVisible);
    // The idle loop hands back control after each animated instruction.
    EXPECT_TRUE(Debugger.Run().RunSlice(100));
    EXPECT_EQ(MCU().PC, 0x3C2);
    const size_t Draws = View.Draws.size();
    Debugger.Run().Pause();
    EXPECT_EQ(View.Draws.size(), Draws);
    EXPECT_EQ(View.Status, "Paused by user.");
}

TEST_F(DebuggerTest, EmulatorExceptionStopsWithItsMessage) {
    Load();
    MCU().PC = 0x010;
    Debugger.Run().UnattendedRun();
    EXPECT_EQ(Debugger.Run().RunType(), rtNoEmulation);
    EXPECT_EQ(View.Status.rfind("Paused on emulator exception: ", 0), 0u) << View.Status;
    EXPECT_NE(View.Status.find("outside subroutine?"), std::string::npos) << View.Status;
    EXPECT_EQ(View.Colour, TStatusColour::Highlight);
    auto Errors = Prompter.Texts(TMessageKind::Error);
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_EQ("Paused on emulator exception: " + Errors[0], View.Status);
    // The list shows where the failed instruction left PC.
    EXPECT_EQ(Selected(), MCU().PC);
}

TEST_F(DebuggerTest, ResetDuringAnUnattendedRunContinuesTheRun) {
    Load();
    Debugger.Run().UnattendedRun();
    Debugger.Run().RunSlice(20);
    View.StatusLog.clear();
    Debugger.Run().MCUReset();
    EXPECT_EQ(Debugger.Run().RunType(), rtUnattendedRun);
    EXPECT_EQ(View.Status, "Running...");
    EXPECT_NE(std::find(View.StatusLog.begin(), View.StatusLog.end(), "Resetting..."), View.StatusLog.end());
    EXPECT_EQ(MCU().PC, 0x3C1); // reset, then the restarted run's first instruction
}

TEST_F(DebuggerTest, ResetDuringAnAnimatedRunStops) {
    Load();
    Debugger.Run().AnimatedRun();
    Debugger.Run().MCUReset();
    EXPECT_EQ(Debugger.Run().RunType(), rtNoEmulation);
    EXPECT_EQ(View.Status, "Ready.");
    EXPECT_EQ(MCU().PC, 0x3C0);
    EXPECT_EQ(Debugger.Navigation().PreviousSelectedAddr(), NoAddress);
    EXPECT_EQ(Debugger.Navigation().PreviousGotoAddr(), NoAddress);
}

TEST_F(DebuggerTest, SpeedFactorSetsTheMCURate) {
    Load();
    const std::pair<uint32_t, const char*> Speeds[] = {{4096, "25%"},   {8192, "50%"},  {12288, "75%"},
                                                       {16384, "100%"}, {32768, "200%"}, {65536, "400%"},
                                                       {0, "(full emulation speed)"}};
    for (int p = 0; p < 7; ++p) {
        Debugger.Run().SetSpeedFactor(p);
        EXPECT_EQ(MCU().FullRunCyclesPerSecond(), Speeds[p].first) << p;
        EXPECT_EQ(SpeedFactorText(p), Speeds[p].second);
    }
    Debugger.Run().UnattendedRun();
    EXPECT_TRUE(MCU().FullRun());
    EXPECT_EQ(View.Hint, "(full emulation speed)");
    Debugger.Run().SetSpeedFactor(4);
    EXPECT_EQ(View.Hint, "200%");
    Debugger.Run().Pause();
    EXPECT_FALSE(MCU().FullRun());
    // The rate survives a reset (the MCU's reset sets it back to 100 %).
    Debugger.Run().MCUReset();
    EXPECT_EQ(MCU().FullRunCyclesPerSecond(), 32768u);
}

// Which panes UpdatePanes draws, by run class and ticked boxes.
TEST_F(DebuggerTest, PaneSelectionFollowsRunClassAndCheckBoxes) {
    Load();
    struct Case {
        TRunType Run;
        bool DisAsm, Registers, RAM, LCD;
        TPanes Requested;
        TPanes Drawn;
    };
    const Case Cases[] = {
        // Stopped: every value pane, whatever was asked for; raw input only on request.
        {rtNoEmulation, false, false, false, false, pnRAM, pnDisAsm | pnRegisters | pnRAM | pnLCDRegisters},
        {rtTraceInto, true, true, true, true, pnRawInput, AllPanes},
        // Animated: the boxes decide, the disassembly box included.
        {rtAnimatedRun, true, true, false, true, AllPanes & ~pnRawInput, pnDisAsm | pnRegisters | pnLCDRegisters},
        {rtAnimatedRun, false, false, true, false, pnDisAsm, pnRAM},
        // Full run: the disassembly stays as requested, the others follow their boxes.
        {rtUnattendedRun, false, true, true, false, pnDisAsm | pnRegisters, pnDisAsm | pnRegisters | pnRAM},
        {rtUnattendedRun, true, false, false, true, pnRegisters, pnLCDRegisters},
        {rtSteppingOver, true, true, true, true, 0, pnRegisters | pnRAM | pnLCDRegisters},
    };
    for (const Case& c : Cases) {
        Debugger.Run().SetRunType(c.Run);
        Debugger.Run().SetUpdateCheckBox(pnDisAsm, c.DisAsm);
        Debugger.Run().SetUpdateCheckBox(pnRegisters, c.Registers);
        Debugger.Run().SetUpdateCheckBox(pnRAM, c.RAM);
        Debugger.Run().SetUpdateCheckBox(pnLCDRegisters, c.LCD);
        Debugger.Panes().UpdatePanes(c.Requested, true, false, false);
        EXPECT_EQ(int(View.LastDraw()), int(c.Drawn)) << "run type " << int(c.Run);
        Debugger.Panes().UpdatePanes(c.Requested, false, true, false); // forced: everything
        EXPECT_EQ(int(View.LastDraw()), int(AllPanes));
    }
}

TEST_F(DebuggerTest, FullRunRedrawsTickedPanesEvery256TimerTicks) {
    Load();
    Debugger.Run().SetUpdateCheckBox(pnRAM, false);
    Debugger.Run().UnattendedRun();
    View.Draws.clear();
    Debugger.Run().RunSlice(1000);
    ASSERT_FALSE(View.Draws.empty());
    EXPECT_GE(View.Draws.size(), 3u);
    EXPECT_LE(View.Draws.size(), 5u);
    for (auto [Panes, OnlyChanged] : View.Draws) {
        EXPECT_EQ(int(Panes), int(pnRegisters | pnLCDRegisters));
        EXPECT_TRUE(OnlyChanged);
    }
}

TEST_F(DebuggerTest, CommandStatesByRunClass) {
    Load();
    struct Case {
        TRunType Run;
        bool Stepping, Pause, Refresh, DisAsmBox, OtherBoxes, Speed;
    };
    const Case Cases[] = {
        {rtTraceInto, true, false, false, false, false, false},
        {rtAnimatedRun, false, true, false, true, true, false},
        {rtUnattendedRun, false, true, true, false, true, true},
        {rtNoEmulation, true, false, false, false, false, false},
    };
    for (const Case& c : Cases) {
        Debugger.Run().SetRunType(c.Run);
        const TCommandStates& s = View.States;
        EXPECT_EQ(s.TraceInto, c.Stepping) << int(c.Run);
        EXPECT_EQ(s.StepOver, c.Stepping);
        EXPECT_EQ(s.AnimatedRun, c.Stepping);
        EXPECT_EQ(s.UnattendedRun, c.Stepping);
        EXPECT_EQ(s.Pause, c.Pause);
        EXPECT_EQ(s.Refresh, c.Refresh);
        EXPECT_TRUE(s.MCUReset);
        EXPECT_EQ(s.UpdateDisAsmVisible, c.DisAsmBox);
        EXPECT_EQ(s.UpdateRegistersVisible, c.OtherBoxes);
        EXPECT_EQ(s.UpdateRAMVisible, c.OtherBoxes);
        EXPECT_EQ(s.UpdateLCDRegistersVisible, c.OtherBoxes);
        EXPECT_EQ(s.SpeedControlsVisible, c.Speed);
    }
}

TEST_F(DebuggerTest, CloseGameEmptiesTheWindowAndTheBreakpoints) {
    Load();
    Debugger.Breakpoints().ToggleCodeBreakpoint(0x3C1);
    Debugger.Breakpoints().AddMemoryBreakpoint(TMemoryBreakpointKind::Read, 0x05);
    ASSERT_TRUE(Debugger.Loading().CanCloseGame());
    EXPECT_EQ(Debugger.MCU(), nullptr);
    EXPECT_EQ(View.Caption, "Tarvolin");
    EXPECT_EQ(Debugger.Navigation().Listing().Count(), 0);
    EXPECT_TRUE(Debugger.Breakpoints().CodeBreakpoints().Empty());
    EXPECT_TRUE(Debugger.Breakpoints().MemoryBreakpoints(TMemoryBreakpointKind::Read).Empty());
    EXPECT_FALSE(View.States.MCUReset);
    EXPECT_TRUE(View.LCDChanges > 0);
    EXPECT_TRUE(Debugger.LCD().LCDBitmap().Empty());
}

} // namespace
} // namespace tarvolin::test

namespace tarvolin::test {
namespace {

// The run loop runs long stretches of a full run without the per-instruction work of a whole
// step. Whatever a scenario does, it must end exactly where a loop of whole steps ends: same
// machine state, same status, same redraws.
struct TRunRig {
    TTempDir Dir;
    TMemorySettingsStore Store;
    TSettings Settings{Store};
    TRecordingView View;
    TScriptedPrompter Prompter;
    TDebugger D{View, Prompter, Settings};

    explicit TRunRig(const std::map<T11bits, std::vector<uint8_t>>& Code) {
        D.Initialize();
        const std::string File = Dir.Write("loop.rom", MakeROM(Code));
        EXPECT_TRUE(D.Loading().LoadGame(&TSHARP_SM5A_MCU::Class, File));
        D.Run().SetSpeedFactor(6);
    }
    // The loop of whole steps the window ran before the stretches existed.
    void StepByStep(int Limit) {
        for (int i = 0; i < Limit && !D.Run().IsStopped(); ++i) {
            TSHARP_SM5A_MCU* M = D.MCU();
            if (IsInputOpcode(M->GetCurrentOpcode()) || M->HaltMode) D.Input().ReadRawInputButtons(rbNone);
            D.Run().ExecuteStep(true);
            if (D.Run().IsFullRun() && (M->T & 0xFF) == 0)
                D.Panes().UpdatePanes(pnRegisters | pnRAM | pnLCDRegisters, true, false, false);
            if (D.Run().IsAnimatedRun()) break;
        }
    }
};

// 3C0 LAX 1; LB 0; EXCI; KTA; ADX 1; TRS 400; CEND; TR 3C0   400 ADD; SM 0; RTN
// 000 (wake-up) KTA; EXC; CEND                                  010 RTN (outside a subroutine)
std::map<T11bits, std::vector<uint8_t>> LoopProgram(bool WithError) {
    std::map<T11bits, std::vector<uint8_t>> Code = {
        {0x3C0, {0x21, 0x40, 0x14, 0x6A, 0x31, TRS(0), 0x5E, 0x00, TR(0)}},
        {0x400, {0x08, 0x0C, 0x6E}},
        {0x000, {0x6A, 0x10, 0x5E, 0x00}},
        {0x010, {0x6E}},
    };
    if (WithError) Code[0x3C0][8] = 0x70, Code[0x3C0].push_back(0x80 | StepIndexToCode[0x10]); // long jump to 010
    return Code;
}

TEST_F(DebuggerTest, RunStretchesEndWhereWholeStepsEnd) {
    struct TScenario {
        const char* Name;
        bool WithError;
        std::function<void(TDebugger&)> Start;
    };
    auto Select = [](TDebugger& D, T11bits a) { D.Navigation().SelectItem(D.Navigation().AddrToItemIndex(a)); };
    const TScenario Scenarios[] = {
        {"free run with a button held", false,
         [](TDebugger& D) {
             D.Input().SetRawButtonPressed(rbDiK3, true);
             D.Run().UnattendedRun();
         }},
        {"code breakpoint in the subroutine", false,
         [](TDebugger& D) {
             D.Breakpoints().ToggleCodeBreakpoint(0x401);
             D.Run().UnattendedRun();
         }},
        {"run to cursor", false,
         [&](TDebugger& D) {
             Select(D, 0x3C4);
             D.Navigation().RunToCursor();
         }},
        {"read breakpoint", false,
         [](TDebugger& D) {
             D.Breakpoints().AddMemoryBreakpoint(TMemoryBreakpointKind::Read, 0x02);
             D.Run().UnattendedRun();
         }},
        {"change breakpoint", false,
         [](TDebugger& D) {
             D.Breakpoints().AddMemoryBreakpoint(TMemoryBreakpointKind::Change, 0x01);
             D.Run().UnattendedRun();
         }},
        {"write breakpoint after a latched button", false,
         [](TDebugger& D) {
             D.Input().RawButtonMouseUp(rbDiK1, true, true);
             D.Breakpoints().AddMemoryBreakpoint(TMemoryBreakpointKind::Write, 0x05);
             D.Run().UnattendedRun();
         }},
        {"step over the call", false,
         [](TDebugger& D) {
             for (int i = 0; i < 5; ++i) D.Run().TraceInto();
             D.Run().StepOver();
         }},
        {"run until return", false,
         [](TDebugger& D) {
             for (int i = 0; i < 7; ++i) D.Run().TraceInto();
             D.Run().RunUntilReturn();
         }},
        {"emulator error", true, [](TDebugger& D) { D.Run().UnattendedRun(); }},
    };
    for (const TScenario& S : Scenarios) {
        SCOPED_TRACE(S.Name);
        TRunRig Fast(LoopProgram(S.WithError)), Slow(LoopProgram(S.WithError));
        S.Start(Fast.D);
        S.Start(Slow.D);
        const int Limit = 100000;
        Fast.D.Run().RunSlice(Limit);
        Slow.StepByStep(Limit);
        const TSHARP_SM5A_MCU &F = *Fast.D.MCU(), &W = *Slow.D.MCU();
        EXPECT_EQ(Fast.D.Run().RunType(), Slow.D.Run().RunType());
        EXPECT_EQ(Fast.View.StatusLog, Slow.View.StatusLog);
        EXPECT_EQ(Fast.View.Draws, Slow.View.Draws);
        EXPECT_EQ(Fast.Prompter.Texts(TMessageKind::Error), Slow.Prompter.Texts(TMessageKind::Error));
        EXPECT_EQ(F.CycleCount, W.CycleCount);
        EXPECT_EQ(F.PC, W.PC);
        EXPECT_EQ(F.A, W.A);
        EXPECT_EQ(F.Acc, W.Acc);
        EXPECT_EQ(F.DP, W.DP);
        EXPECT_EQ(F.RAM, W.RAM);
        EXPECT_EQ(F.IO.FInputMatrix, W.IO.FInputMatrix);
        EXPECT_EQ(Fast.D.Navigation().SelectedIndex(), Slow.D.Navigation().SelectedIndex());
        EXPECT_GT(F.CycleCount, 0u);
    }
}

} // namespace
} // namespace tarvolin::test
