#include "debugger/breakpoints.h"
#include "debugger/input_dialogs.h"
#include "debugger_fixture.h"

namespace tarvolin::test {
namespace {

using K = TMemoryBreakpointKind;

// Single steps the test program up to and including the EXC at 3C2 (reads RAM[00] = 0,
// writes 5) and returns the status text.
std::string StepThroughExchange(TDebugger& d) {
    for (int i = 0; i < 3; ++i) d.Run().TraceInto();
    return d.Run().StatusText();
}

TEST_F(DebuggerTest, MemoryBreakpointPrecedenceIsChangeWriteRead) {
    struct Case {
        bool Read, Write, Change;
        const char* Status;
    };
    const Case Cases[] = {
        {true, false, false, "Paused on read memory breakpoint, RAM address 0x00."},
        {false, true, false, "Paused on write memory breakpoint, RAM[0x00]=5."},
        {true, true, false, "Paused on write memory breakpoint, RAM[0x00]=5."},
        {false, false, true, "Paused on change memory breakpoint, RAM[0x00]=5, previous value: 0."},
        {true, true, true, "Paused on change memory breakpoint, RAM[0x00]=5, previous value: 0."},
    };
    Load();
    for (const Case& c : Cases) {
        Debugger.Run().MCUReset();
        for (K k : {K::Read, K::Write, K::Change}) Debugger.Breakpoints().RemoveMemoryBreakpoint(k, 0x00);
        if (c.Read) Debugger.Breakpoints().AddMemoryBreakpoint(K::Read, 0x00);
        if (c.Write) Debugger.Breakpoints().AddMemoryBreakpoint(K::Write, 0x00);
        if (c.Change) Debugger.Breakpoints().AddMemoryBreakpoint(K::Change, 0x00);
        EXPECT_EQ(StepThroughExchange(Debugger), c.Status);
        // Single stepping into a memory breakpoint ends stopped, highlighted.
        EXPECT_EQ(Debugger.Run().RunType(), rtNoEmulation);
        EXPECT_EQ(View.Colour, TStatusColour::Highlight);
        // The instruction completed.
        EXPECT_EQ(MCU().RAM[0], 5);
        EXPECT_EQ(MCU().PC, 0x3C3);
    }
}

TEST_F(DebuggerTest, WritingTheSameValueFiresWriteButNotChange) {
    Load();
    Debugger.Breakpoints().AddMemoryBreakpoint(K::Change, 0x00);
    Debugger.Run().UnattendedRun();
    RunToStop();
    // The EXC changed the cell from 0 to 5.
    ASSERT_EQ(MCU().PC, 0x3C3);
    // SM 0 at 400 sets bit 0, which is already 1: read and write happen, no change.
    Debugger.Breakpoints().AddMemoryBreakpoint(K::Read, 0x00);
    Debugger.Breakpoints().AddMemoryBreakpoint(K::Write, 0x00);
    Debugger.Run().UnattendedRun(); // the call
    RunToStop();
    EXPECT_EQ(Debugger.Run().StatusText(), "Paused on write memory breakpoint, RAM[0x00]=5.");
    EXPECT_EQ(MCU().PC, 0x401);
}

TEST_F(DebuggerTest, MemoryBreakpointStopsAnUnattendedRunAndHighlightsTheCell) {
    Load();
    Debugger.Breakpoints().AddMemoryBreakpoint(K::Write, 0x00);
    EXPECT_TRUE(Debugger.Breakpoints().HasMemoryBreakpoint(0x00));
    // The cell DP points at shows both its own colour and the breakpoint's.
    EXPECT_EQ(Debugger.Panes().PaneTexts().RAMBackground[0], TRAMCellBackground::DPBreakpoint);
    Debugger.Breakpoints().RemoveMemoryBreakpoint(K::Write, 0x00);
    EXPECT_EQ(Debugger.Panes().PaneTexts().RAMBackground[0], TRAMCellBackground::DP);
    Debugger.Breakpoints().AddMemoryBreakpoint(K::Write, 0x00);
    Debugger.Breakpoints().AddMemoryBreakpoint(K::Read, 0x12);
    EXPECT_EQ(Debugger.Panes().PaneTexts().RAMBackground[0x12], TRAMCellBackground::Breakpoint);
    EXPECT_EQ(Debugger.Panes().PaneTexts().RAMBackground[0x13], TRAMCellBackground::Normal);
    Debugger.Run().UnattendedRun();
    RunToStop();
    EXPECT_EQ(Debugger.Run().StatusText(), "Paused on write memory breakpoint, RAM[0x00]=5.");
    EXPECT_EQ(MCU().PC, 0x3C3);
}

TEST_F(DebuggerTest, MemoryBreakpointCommandsAskAndRefuseInvalidAddresses) {
    Load();
    MCU().DP = 0x5D; // maps onto 4C
    const TValueId DPRow{TValueKind::DP, 0};
    ASSERT_EQ(Debugger.Panes().ValueRAMAddress(DPRow), 0x5D);
    Debugger.Breakpoints().SetMemoryBreakpointCommand(K::Read, static_cast<T7bits>(Debugger.Panes().ValueRAMAddress(DPRow)));
    EXPECT_EQ(Prompter.LastText(), "0x5D is not a valid RAM address.");
    EXPECT_EQ(Prompter.Messages.back().Kind, TMessageKind::Error);
    EXPECT_FALSE(Debugger.Breakpoints().HasMemoryBreakpoint(0x5D));

    Prompter.Answers.push_back(TMessageResult::No);
    Debugger.Breakpoints().SetMemoryBreakpointCommand(K::Change, 0x4C);
    EXPECT_EQ(Prompter.LastText(), "Set change memory breakpoint on RAM address 0x4C?");
    EXPECT_FALSE(Debugger.Breakpoints().HasMemoryBreakpoint(0x4C));
    Debugger.Breakpoints().SetMemoryBreakpointCommand(K::Change, 0x4C);
    EXPECT_TRUE(Debugger.Breakpoints().IsMemoryBreakpoint(K::Change, 0x4C));

    // The pop-up offers Remove instead of Set for that kind only.
    TValuePopupStates s = Debugger.Panes().ValuePopupStates({TValueKind::RAMCell, 0x4C});
    EXPECT_TRUE(s.RemoveVisible[size_t(K::Change)]);
    EXPECT_FALSE(s.SetVisible[size_t(K::Change)]);
    EXPECT_TRUE(s.SetVisible[size_t(K::Read)] && s.SetEnabled[size_t(K::Read)]);
    EXPECT_FALSE(Debugger.Panes().ValuePopupStates({TValueKind::Acc, 0}).SetVisible[0]);

    Debugger.Breakpoints().RemoveMemoryBreakpointCommand(K::Change, 0x4C);
    EXPECT_EQ(Prompter.LastText(), "Remove change memory breakpoint on RAM address 0x4C?");
    EXPECT_EQ(Prompter.Messages.back().Kind, TMessageKind::Warning);
    EXPECT_FALSE(Debugger.Breakpoints().HasMemoryBreakpoint(0x4C));
}

TEST_F(DebuggerTest, AMappedAccessFiresTheBreakpointOfTheMappedCell) {
    // LBL 5D puts DP out of range; EXC then touches cell 4C.
    Load({{0x3C0, {0x5F, 0x5D, 0x10}}});
    Debugger.Breakpoints().AddMemoryBreakpoint(K::Write, 0x4C);
    Debugger.Run().TraceInto();
    Debugger.Run().TraceInto();
    EXPECT_EQ(Debugger.Run().StatusText(), "Paused on write memory breakpoint, RAM[0x4C]=0.");
}

TEST_F(DebuggerTest, ToggleBreakpointOnTheSelectedLine) {
    Load();
    Select(0x3C2);
    Debugger.Navigation().ToggleBreakpointAtSelection();
    EXPECT_TRUE(Debugger.Breakpoints().IsCodeBreakpoint(0x3C2));
    EXPECT_EQ(Debugger.Navigation().RowLook(Debugger.Navigation().AddrToItemIndex(0x3C2)).Style, TListRowStyle::Breakpoint);
    EXPECT_EQ(Debugger.Navigation().RowLook(Debugger.Navigation().AddrToItemIndex(0x3C0)).Style, TListRowStyle::PC);
    Debugger.Navigation().ListDoubleClick();
    EXPECT_FALSE(Debugger.Breakpoints().IsCodeBreakpoint(0x3C2));
    EXPECT_EQ(Debugger.Navigation().RowLook(Debugger.Navigation().AddrToItemIndex(0x3C2)).Style, TListRowStyle::Selected);
}

TEST_F(DebuggerTest, BreakpointsDialogRoundTrip) {
    Load();
    std::unique_ptr<TBreakpointsDialogModel> Model;
    EXPECT_FALSE(Debugger.Breakpoints().PrepareBreakpointsDialog(Model));
    EXPECT_EQ(Prompter.LastText(), "No breakpoint set.");
    EXPECT_EQ(Prompter.Messages.back().Kind, TMessageKind::Information);

    for (T11bits a : {0x400, 0x3C5, 0x010, 0x3C1}) Debugger.Breakpoints().ToggleCodeBreakpoint(a);
    Debugger.Breakpoints().AddMemoryBreakpoint(K::Write, 0x21);
    Debugger.Breakpoints().AddMemoryBreakpoint(K::Write, 0x03);
    ASSERT_TRUE(Debugger.Breakpoints().PrepareBreakpointsDialog(Model));
    EXPECT_EQ(Model->FirstNonEmptyList(), int(TBreakpointListKind::Code));
    EXPECT_FALSE(Model->ListEnabled(TBreakpointListKind::Read));
    EXPECT_FALSE(Model->DeleteEnabled(TBreakpointListKind::Code));
    EXPECT_TRUE(Model->DeleteAllEnabled());
    const auto& Code = Model->List(TBreakpointListKind::Code);
    ASSERT_EQ(Code.Lines.size(), 4u);
    EXPECT_EQ(Code.Lines[0].Text, "010");
    EXPECT_EQ(Model->CodeAddressAt(3), 0x400);
    EXPECT_EQ(Model->List(TBreakpointListKind::Write).Lines[0].Text, "03");

    // Delete the last line: the new last line becomes selected.
    Model->Select(TBreakpointListKind::Code, 3);
    Model->Delete(TBreakpointListKind::Code);
    EXPECT_EQ(Model->List(TBreakpointListKind::Code).Selected, 2);
    Model->Select(TBreakpointListKind::Code, 0);
    Model->Delete(TBreakpointListKind::Code);
    EXPECT_EQ(Model->List(TBreakpointListKind::Code).Selected, 0);

    Debugger.Breakpoints().ApplyBreakpointsDialog(*Model);
    EXPECT_EQ(Debugger.Breakpoints().CodeBreakpoints().Items(), (std::vector<uint16_t>{0x3C1, 0x3C5}));
    EXPECT_EQ(Debugger.Breakpoints().MemoryBreakpoints(K::Write).Items(), (std::vector<uint16_t>{0x03, 0x21}));

    ASSERT_TRUE(Debugger.Breakpoints().PrepareBreakpointsDialog(Model));
    Prompter.Answers.push_back(TMessageResult::No);
    EXPECT_FALSE(Debugger.Breakpoints().ConfirmDeleteAllBreakpoints());
    EXPECT_EQ(Prompter.LastText(), "Are you sure you want to delete all breakpoints?");
    EXPECT_TRUE(Debugger.Breakpoints().ConfirmDeleteAllBreakpoints());
    Model->DeleteAll();
    EXPECT_FALSE(Model->DeleteAllEnabled());
    EXPECT_EQ(Model->FirstNonEmptyList(), -1);
    Debugger.Breakpoints().ApplyBreakpointsDialog(*Model);
    EXPECT_TRUE(Debugger.Breakpoints().CodeBreakpoints().Empty());
    EXPECT_FALSE(Debugger.Breakpoints().HasMemoryBreakpoint(0x21));
}

TEST_F(DebuggerTest, BreakpointsDialogShowsInstructionsLabelsAndCellValues) {
    Load();
    for (int i = 0; i < 3; ++i) Debugger.Run().TraceInto(); // RAM[00] := 5
    MCU().SetAddressLabel(0x3C5, "again");
    for (T11bits a : {0x3C5, 0x3C1}) Debugger.Breakpoints().ToggleCodeBreakpoint(a);
    Debugger.Breakpoints().AddMemoryBreakpoint(K::Change, 0x00);
    Debugger.Breakpoints().AddMemoryBreakpoint(K::Change, 0x4C);
    std::unique_ptr<TBreakpointsDialogModel> Model;
    ASSERT_TRUE(Debugger.Breakpoints().PrepareBreakpointsDialog(Model));
    const auto& Code = Model->List(TBreakpointListKind::Code).Lines;
    ASSERT_EQ(Code.size(), 2u);
    EXPECT_EQ(Code[0].Text, "3C1"); // the address stays the line's text and its sort key
    EXPECT_EQ(Code[0].Detail, "LB DP,0x00");
    EXPECT_EQ(Code[1].Detail, "again: TR 3C4");
    const auto& Change = Model->List(TBreakpointListKind::Change).Lines;
    ASSERT_EQ(Change.size(), 2u);
    EXPECT_EQ(Change[0].Detail, "= 5");
    EXPECT_EQ(Change[1].Detail, "= 0");
}

TEST_F(DebuggerTest, BreakpointDialogSortsByDisplayedTextInBankPageStepNotation) {
    Options().UseBankPageStepAddressNotation = true;
    Load();
    for (T11bits a : {0x400, 0x041, 0x3C0}) Debugger.Breakpoints().ToggleCodeBreakpoint(a);
    std::unique_ptr<TBreakpointsDialogModel> Model;
    ASSERT_TRUE(Debugger.Breakpoints().PrepareBreakpointsDialog(Model));
    Debugger.Breakpoints().ApplyBreakpointsDialog(*Model);
    // "0:1:01" < "0:F:00" < "1:0:00"
    EXPECT_EQ(Debugger.Breakpoints().CodeBreakpoints().Items(), (std::vector<uint16_t>{0x041, 0x3C0, 0x400}));
}

} // namespace
} // namespace tarvolin::test

namespace tarvolin::test {
namespace {

// The first and the last ROM address are ordinary addresses for every command that takes one:
// go to, toggle on the selected line, the breakpoint list, run to cursor, and the address inputs.
TEST_F(DebuggerTest, FirstAndLastROMAddressesWorkInEveryAddressCommand) {
    Load({{0x3C0, {0x00}}, {0x000, {0x00}}, {0x73E, {0x00}}});
    for (const T11bits Edge : {T11bits(0x000), LastROMAddress}) {
        SCOPED_TRACE(Edge);
        Debugger.Navigation().GoToAddr(Edge);
        EXPECT_EQ(Selected(), Edge);
        Debugger.Navigation().ToggleBreakpointAtSelection();
        EXPECT_TRUE(Debugger.Breakpoints().IsCodeBreakpoint(Edge));
    }
    std::unique_ptr<TBreakpointsDialogModel> Model;
    ASSERT_TRUE(Debugger.Breakpoints().PrepareBreakpointsDialog(Model));
    const auto& Lines = Model->List(TBreakpointListKind::Code).Lines;
    ASSERT_EQ(Lines.size(), 2u);
    EXPECT_EQ(Lines[0].Text, "000");
    EXPECT_EQ(Lines[1].Text, "73F");
    for (const auto& L : Lines) EXPECT_FALSE(L.Detail.empty()) << L.Text << " shows its instruction";
    Debugger.Breakpoints().ClearAll();

    MCU().PC = 0x73E;
    Select(LastROMAddress);
    Debugger.Navigation().RunToCursor();
    RunToStop();
    EXPECT_EQ(MCU().PC, LastROMAddress);

    // Typed addresses: both notations, with and without step codes (step 63 is code 63).
    for (const bool BankPageStep : {false, true}) {
        for (const bool LFSR : {false, true}) {
            SCOPED_TRACE(testing::Message() << "Bank:Page:Step " << BankPageStep << " LFSR " << LFSR);
            Options().UseBankPageStepAddressNotation = BankPageStep;
            Options().UseLFSRAddressing = LFSR;
            const char* First = BankPageStep ? "0:0:00" : "000";
            const char* Last = BankPageStep ? "1:C:3F" : "73F";
            const char* Beyond = BankPageStep ? "1:D:00" : "740";
            for (const auto& [Typed, Expected] : {std::pair{First, T11bits(0)}, std::pair{Last, LastROMAddress}}) {
                Prompter.Messages.clear();
                Prompter.Type({Beyond, Typed});
                T11bits Addr = 0x3C0;
                ASSERT_TRUE(GetAddress(Prompter, "Go to address", Addr, LastROMAddress));
                EXPECT_EQ(Addr, Expected) << Typed;
                EXPECT_EQ(Prompter.LastText(), "Out of range.") << Beyond;
            }
        }
    }
}

// Each triggered kind comes back from a session as that kind, with both field values.
TEST_F(DebuggerTest, RestoredTriggersKeepTheirKinds) {
    Load();
    const TMemoryBreakpointTriggers Cases[] = {{5, 3, 0x12, 0x7F, 0x7F}, {6, 2, 0x7F, 0x21, 0x7F}, {7, 1, 0x7F, 0x7F, 0x4C}};
    for (const TMemoryBreakpointTriggers& T : Cases) {
        Debugger.Breakpoints().RestoreSession({}, {}, {0x12}, {0x21}, {0x4C}, T);
        const TMemoryBreakpointTriggers Got = Debugger.Breakpoints().Triggers();
        EXPECT_EQ(Got.Read, T.Read);
        EXPECT_EQ(Got.Write, T.Write);
        EXPECT_EQ(Got.Change, T.Change);
        EXPECT_EQ(Got.FieldValue, T.FieldValue);
        EXPECT_EQ(Got.PreviousFieldValue, T.PreviousFieldValue);
        EXPECT_TRUE(Debugger.Breakpoints().MemoryBreakpointTriggered());
    }
}

} // namespace
} // namespace tarvolin::test
