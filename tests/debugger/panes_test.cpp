#include <cstdio>
#include <fstream>
#include <iterator>

#include "debugger_fixture.h"

namespace tarvolin::test {
namespace {

TEST_F(DebuggerTest, NoGamePanesShowTheirResetTexts) {
    const TPaneTexts& p = Debugger.Panes().PaneTexts();
    EXPECT_EQ(p.Acc.Value, "0");
    EXPECT_EQ(p.Acc.Bits, "0000");
    EXPECT_EQ(p.DP.Value, "00");
    EXPECT_EQ(p.DP.Bits, "0 00 0000");
    EXPECT_EQ(p.T.Value, "0000");
    EXPECT_EQ(p.T14.Value, "1");
    EXPECT_EQ(p.Page.Value, "F");
    EXPECT_EQ(p.Page.Bits, "1111");
    EXPECT_EQ(p.PC.Value, "3C0");
    EXPECT_EQ(p.PC.Bits, "0 1111 000000");
    EXPECT_EQ(p.A.Value, "---");
    EXPECT_EQ(p.A.Bits, "");
    EXPECT_FALSE(p.DPWarningVisible);
    EXPECT_EQ(p.RHint, "Output register (R4,R3,R2,R1)");
    EXPECT_EQ(p.RAMBackground[0], TRAMCellBackground::DP);
    EXPECT_EQ(p.RAMBackground[1], TRAMCellBackground::Normal);
    EXPECT_EQ(p.O[8].Bits, "0000");
    EXPECT_EQ(View.Hint, "");
}

TEST_F(DebuggerTest, ChangedValuesAreRedOnceAndTimerAndPCNeverAre) {
    Load();
    for (int i = 0; i < 3; ++i) Debugger.Run().TraceInto(); // LAX 5, LB 0, EXC: Acc 0, RAM[00] 5
    const TPaneTexts& p = Debugger.Panes().PaneTexts();
    EXPECT_TRUE(p.Acc.Changed);
    EXPECT_EQ(p.Acc.Value, "0");
    EXPECT_TRUE(p.RAM[0].Changed);
    EXPECT_EQ(p.RAM[0].Value, "5");
    EXPECT_TRUE(p.DPCell.Changed);
    EXPECT_FALSE(p.RAM[1].Changed);
    EXPECT_FALSE(p.T.Changed);
    EXPECT_FALSE(p.PC.Changed);
    EXPECT_TRUE(p.PC.Rewrite);
    EXPECT_EQ(p.PC.Value, "3C3");
    // A second refresh without a step shows nothing red.
    Debugger.Panes().UpdatePanes(AllPanes, true, false, false);
    EXPECT_FALSE(p.Acc.Changed || p.RAM[0].Changed || p.DPCell.Changed);
    EXPECT_FALSE(p.Acc.Rewrite); // unchanged labels need no rewrite
}

TEST_F(DebuggerTest, BankPageStepNotationAndLFSRBits) {
    Options().UseBankPageStepAddressNotation = true;
    Options().UseLFSRAddressing = true;
    Load();
    Debugger.Run().TraceInto(); // PC = 0:F step index 1 = step code 20
    const TPaneTexts& p = Debugger.Panes().PaneTexts();
    EXPECT_EQ(p.PC.Value, AddrToStr(0x3C1));
    EXPECT_EQ(p.PC.Bits, "0 1111 100000");
    EXPECT_EQ(p.A.Value, "-:-:--");
}

TEST_F(DebuggerTest, OutOfRangeDPShowsTheMappedCellAndItsWarning) {
    Load();
    MCU().DP = 0x5D;
    MCU().RAM[0x4C] = 7;
    Debugger.Run().Refresh(); // not a full run: nothing
    Debugger.Panes().UpdatePanes(pnRegisters, false, false, false);
    const TPaneTexts& p = Debugger.Panes().PaneTexts();
    EXPECT_EQ(p.DPCell.Value, "7");
    EXPECT_TRUE(p.DPWarningVisible);
    EXPECT_EQ(p.DPWarningHint,
              "RAM address 0x5D is out of range. When referencing a memory cell, it is mapped to 0x4C.");
    EXPECT_EQ(p.DP.Bits, "1 01 1101");
    EXPECT_EQ(p.RAMBackground[0x4C], TRAMCellBackground::DP);

    Prompter.Type({"9"});
    ASSERT_TRUE(Debugger.Panes().EditValue({TValueKind::DPCell, 0}));
    EXPECT_EQ(Prompter.Dialogs.back().Fields[0].Label, "(DP):");
    EXPECT_EQ(MCU().RAM[0x4C], 9);
    EXPECT_EQ(MCU().RAM[0x5D], 0);
}

TEST_F(DebuggerTest, RegisterEditsUseTheirMaximaAndMasks) {
    Load();
    struct Case {
        TValueKind Kind;
        const char* Typed;
        const char* Title;
    };
    const Case Cases[] = {
        {TValueKind::Acc, "C", "Enter hexadecimal value (0-F)"},
        {TValueKind::DP, "7F", "Enter hexadecimal value (00-7F)"},
        {TValueKind::T, "3FFF", "Enter hexadecimal value (0000-3FFF)"},
        {TValueKind::MSB, "1", "Enter 0 or 1"},
        {TValueKind::Carry, "1", "Enter 0 or 1"},
        {TValueKind::R, "A", "Enter hexadecimal value (0-F)"},
        {TValueKind::TD, "1", "Enter 0 or 1"},
        {TValueKind::LD0, "1", "Enter 0 or 1"},
    };
    for (const Case& c : Cases) {
        Prompter.Type({c.Typed});
        EXPECT_TRUE(Debugger.Panes().EditValue({c.Kind, 0}));
        EXPECT_EQ(Prompter.Dialogs.back().Title, c.Title);
    }
    EXPECT_EQ(MCU().Acc, 0xC);
    EXPECT_EQ(MCU().DP, 0x7F);
    EXPECT_EQ(MCU().T, 0x3FFF);
    EXPECT_EQ(MCU().MSB, 1);
    EXPECT_TRUE(MCU().Carry);
    EXPECT_EQ(MCU().IO.R, 0xA);
    EXPECT_TRUE(MCU().TD && MCU().LD0);
    EXPECT_TRUE(Debugger.Panes().PaneTexts().LD0.Changed); // the last edit shows red
    EXPECT_FALSE(Debugger.Panes().PaneTexts().Acc.Changed);
    EXPECT_FALSE(Debugger.Panes().HasEditAction({TValueKind::T14, 0}));
    EXPECT_FALSE(Debugger.Panes().EditValue({TValueKind::T14, 0}));
}

TEST_F(DebuggerTest, PageRefusesOutOfRangeAndAcceptsHexPrefix) {
    Load();
    Prompter.Type({"3F", "0xA"});
    ASSERT_TRUE(Debugger.Panes().EditValue({TValueKind::Page, 0}));
    EXPECT_EQ(Prompter.Texts(TMessageKind::Error), std::vector<std::string>{"Out of range."});
    EXPECT_EQ(MCU().Page, 10);
    EXPECT_EQ(Debugger.Panes().PaneTexts().Page.Bits, "1010");
}

TEST_F(DebuggerTest, ReturnAddressAbove73FIsStoredAsNone) {
    Load();
    Prompter.Type({"3C4"});
    ASSERT_TRUE(Debugger.Panes().EditValue({TValueKind::A, 0}));
    EXPECT_EQ(MCU().A, 0x3C4);
    EXPECT_TRUE(View.States.RunUntilReturn);
    Prompter.Type({"740"});
    ASSERT_TRUE(Debugger.Panes().EditValue({TValueKind::A, 0}));
    EXPECT_EQ(MCU().A, NoAddress);
    EXPECT_EQ(Debugger.Panes().PaneTexts().A.Value, "---");
    EXPECT_FALSE(View.States.RunUntilReturn);
    // PC is limited to the ROM.
    Prompter.Type({"740", "402"});
    ASSERT_TRUE(Debugger.Panes().EditValue({TValueKind::PC, 0}));
    EXPECT_EQ(MCU().PC, 0x402);
    EXPECT_EQ(Selected(), 0x402);
}

TEST_F(DebuggerTest, RAMAndORegisterEdits) {
    Load();
    Prompter.Type({"E"});
    ASSERT_TRUE(Debugger.Panes().EditValue({TValueKind::RAMCell, 0x3C}));
    EXPECT_EQ(Prompter.Dialogs.back().Fields[0].Label, "RAM[3C]:");
    EXPECT_EQ(MCU().RAM[0x3C], 0xE);
    EXPECT_TRUE(Debugger.Panes().PaneTexts().RAM[0x3C].Changed);
    EXPECT_FALSE(Debugger.Panes().HasEditAction({TValueKind::RAMCell, 0x3D})); // no such cell

    Prompter.Type({"5"});
    ASSERT_TRUE(Debugger.Panes().EditValue({TValueKind::O_, 4}));
    EXPECT_EQ(Prompter.Dialogs.back().Fields[0].Label, "O'4:");
    EXPECT_EQ(MCU().O_[4], 5);
    EXPECT_EQ(Debugger.Panes().PaneTexts().O_[4].Bits, "0101");
    // Cancel leaves the value alone.
    Prompter.CancelNextInput();
    EXPECT_FALSE(Debugger.Panes().EditValue({TValueKind::O, 4}));
    EXPECT_EQ(MCU().O[4], 0);
}

TEST_F(DebuggerTest, FollowFromThePCAndAValues) {
    Load();
    for (int i = 0; i < 4; ++i) Debugger.Run().TraceInto();
    Select(0x3C0);
    EXPECT_TRUE(Debugger.Panes().ValuePopupStates({TValueKind::A, 0}).FollowEnabled);
    Debugger.Panes().FollowValue({TValueKind::A, 0});
    EXPECT_EQ(Selected(), 0x3C4);
    EXPECT_EQ(Debugger.Navigation().PreviousSelectedAddr(), 0x3C0);
    Debugger.Panes().FollowValue({TValueKind::PC, 0});
    EXPECT_EQ(Selected(), 0x400);
    Debugger.Run().TraceInto();
    Debugger.Run().TraceInto();
    Debugger.Run().TraceInto(); // returned: A is empty
    EXPECT_FALSE(Debugger.Panes().ValuePopupStates({TValueKind::A, 0}).FollowEnabled);
}

TEST_F(DebuggerTest, SevenSegmentTableFromDigitLabelsAndValues) {
    Load();
    MCU().O[6] = 0xA;
    MCU().O_[6] = 0x3;
    Debugger.Panes().DigitLabelClicked(6);
    ASSERT_FALSE(View.Windows.empty());
    EXPECT_EQ(View.Windows.back(), "7seg 10 3 0 -1"); // the custom game's TD0IsCOM1 is false
    Debugger.Panes().ShowSevenSegmentCodingTableForValue({TValueKind::TD, 0});
    EXPECT_EQ(View.Windows.back(), "7seg -1 -1 0 -1");
    EXPECT_TRUE(Debugger.Panes().ValuePopupStates({TValueKind::O, 2}).Show7SegmentVisible);
    EXPECT_TRUE(Debugger.Panes().ValuePopupStates({TValueKind::O, 2}).ShowInterconnectionVisible);
}

} // namespace
} // namespace tarvolin::test

namespace tarvolin::test {
namespace {

// RAM[00] is written at once, RAM[09] counts for about 600 cycles (past several refreshes of
// a full run), then RAM[0A] is written and the program loops at "done".
const char* const CountingProgram = R"(
        .org 3C0
start:  LAX   Acc,0x5
        LB    DP,0x00
        EXC   Acc,(DP)
outer:  LAX   Acc,0x0
inner:  ADX   Acc,0x1
        TR    inner
        LB    DP,0x09
        LDA   Acc,(DP)
        ADX   Acc,0x1
        TR    store
        LB    DP,0x0A
        LAX   Acc,0x9
        EXC   Acc,(DP)
done:   TR    done
store:  EXC   Acc,(DP)
        TR    outer
)";

TEST_F(DebuggerTest, AStopAfterAFullRunMarksEverythingChangedSinceTheRunStarted) {
    const T11bits Done = Assemble(CountingProgram, "test.asm").Labels.at("done");
    enum class TStop { Pause, CodeBreakpoint, ChangeBreakpoint };
    for (TStop Stop : {TStop::Pause, TStop::CodeBreakpoint, TStop::ChangeBreakpoint}) {
        SCOPED_TRACE(static_cast<int>(Stop));
        ASSERT_TRUE(Debugger.Loading().CanCloseGame());
        LoadSource(CountingProgram);
        if (Stop == TStop::CodeBreakpoint) Debugger.Breakpoints().ToggleCodeBreakpoint(Done);
        if (Stop == TStop::ChangeBreakpoint) Debugger.Breakpoints().AddMemoryBreakpoint(TMemoryBreakpointKind::Change, 0x0A);
        Debugger.Run().UnattendedRun();
        // The window reads the texts while the run goes on.
        for (int n = 0; n < 200 && Debugger.Run().RunSlice(16); ++n) {
            (void)Debugger.Panes().PaneTexts();
            if (Stop == TStop::Pause && MCU().PC == Done) Debugger.Run().Pause();
        }
        ASSERT_TRUE(Debugger.Run().IsStopped());
        ASSERT_EQ(MCU().RAM[0x0A], 9);
        const TPaneTexts& p = Debugger.Panes().PaneTexts();
        EXPECT_TRUE(p.RAM[0x00].Changed); // written by the first instructions of the run
        EXPECT_TRUE(p.RAM[0x09].Changed);
        EXPECT_TRUE(p.RAM[0x0A].Changed); // the cell whose change breakpoint fired
        EXPECT_FALSE(p.RAM[0x01].Changed);
        EXPECT_TRUE(p.DP.Changed);
        // The next refresh compares with what the stop showed.
        Debugger.Panes().UpdatePanes(AllPanes, true, false, false);
        EXPECT_FALSE(p.RAM[0x00].Changed || p.RAM[0x0A].Changed || p.DP.Changed);
    }
}

} // namespace
} // namespace tarvolin::test

namespace tarvolin::test {
namespace {

TEST_F(DebuggerTest, TheDemoShowsItsDigitsInTheSevenSegmentTable) {
    std::ifstream f(std::string(TARVOLIN_SOURCE_DIR) + "/examples/demo.asm", std::ios::binary);
    ASSERT_TRUE(f);
    LoadSource(std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()));
    Debugger.Run().UnattendedRun();
    // Until 00:03 is counted and drawn (the program halts after drawing).
    for (int n = 0; n < 100000 && !(MCU().RAM[0] == 3 && MCU().HaltMode); ++n) Debugger.Run().RunSlice(1);
    Debugger.Run().Pause();
    ASSERT_EQ(MCU().RAM[0], 3); // 00:03
    // O[5]..O[8] hold the minutes and seconds; each digit label's table row is the digit's.
    const int Digits[] = {0, 0, 0, 3};
    for (TOIndex i = 5; i <= 8; ++i) {
        Debugger.Panes().DigitLabelClicked(i);
        int O = -1, O_ = -1, TD0IsCOM1 = -1, Acc = 0;
        ASSERT_EQ(std::sscanf(View.Windows.back().c_str(), "7seg %d %d %d %d", &O, &O_, &TD0IsCOM1, &Acc), 4);
        // The table window takes the half in O as the TD=0 half exactly when TD0IsCOM1 is set.
        EXPECT_EQ(SevenSegmentTableRow(O, O_, TD0IsCOM1 == 1), SevenSegmentTableRowForAcc(Digits[i - 5])) << int(i);
    }
}

} // namespace
} // namespace tarvolin::test
