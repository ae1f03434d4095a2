#include "debugger_fixture.h"

namespace tarvolin::test {
namespace {

TEST_F(DebuggerTest, GoToAddressAndGoToPreviousSwapBetweenTwoPlaces) {
    Load();
    ASSERT_EQ(Selected(), 0x3C0);
    Prompter.Type({"401"});
    Debugger.Navigation().GoToAddress();
    EXPECT_EQ(Prompter.Dialogs.back().Fields[0].Text, "3C0"); // proposes the selected address
    EXPECT_EQ(Selected(), 0x401);
    EXPECT_EQ(Debugger.Navigation().PreviousGotoAddr(), 0x401);
    EXPECT_EQ(Debugger.Navigation().PreviousSelectedAddr(), 0x3C0); // PC
    Debugger.Navigation().GoToPrevious();
    EXPECT_EQ(Selected(), 0x3C0);
    Debugger.Navigation().GoToPrevious();
    EXPECT_EQ(Selected(), 0x401);

    // The next Go to address proposes the last one entered; entering the selected address
    // changes nothing.
    Prompter.Type({"401"});
    Debugger.Navigation().GoToAddress();
    EXPECT_EQ(Prompter.Dialogs.back().Fields[0].Text, "401");
    EXPECT_EQ(Debugger.Navigation().PreviousSelectedAddr(), 0x3C0);
    // Cancel changes nothing either.
    Prompter.CancelNextInput();
    Debugger.Navigation().GoToAddress();
    EXPECT_EQ(Selected(), 0x401);
    EXPECT_EQ(Debugger.Navigation().PreviousGotoAddr(), 0x401);
}

TEST_F(DebuggerTest, GoToAddressInsideATwoByteInstructionSelectsItsRow) {
    Load({{0x3C0, {0x5F, 0x12, 0x00}}});
    Prompter.Type({"3C1"});
    Debugger.Navigation().GoToAddress();
    EXPECT_EQ(Selected(), 0x3C0);
    EXPECT_EQ(Debugger.Navigation().AddrToItemIndex(0x3C1), Debugger.Navigation().AddrToItemIndex(0x3C0));
}

TEST_F(DebuggerTest, FollowThenGoToPreviousReturnsToTheFollowedLine) {
    Load();
    Select(0x3C5); // TR 3C4
    ASSERT_TRUE(Debugger.Navigation().DisAsmPopupStates().Follow);
    Debugger.Navigation().Follow();
    EXPECT_EQ(Selected(), 0x3C4);
    EXPECT_EQ(Debugger.Navigation().PreviousSelectedAddr(), 0x3C5);
    Debugger.Navigation().GoToPrevious();
    EXPECT_EQ(Selected(), 0x3C5);
    // A line that goes nowhere cannot be followed.
    Select(0x3C4);
    EXPECT_FALSE(Debugger.Navigation().DisAsmPopupStates().Follow);
}

TEST_F(DebuggerTest, GoToCallerSelectsTheCallingInstruction) {
    Load();
    for (int i = 0; i < 4; ++i) Debugger.Run().TraceInto();
    ASSERT_EQ(MCU().PC, 0x400);
    ASSERT_TRUE(Debugger.Navigation().DisAsmPopupStates().GoToCaller);
    Debugger.Navigation().GoToCaller();
    EXPECT_EQ(Selected(), 0x3C3);
    EXPECT_EQ(Debugger.Navigation().PreviousSelectedAddr(), 0x400);
    Debugger.Navigation().GoToPrevious();
    EXPECT_EQ(Selected(), 0x400);
}

TEST_F(DebuggerTest, ScrollingOnlyWhenTheRowLeavesTheVisibleRange) {
    Load();
    const int PCRow = Debugger.Navigation().AddrToItemIndex(0x3C0);
    View.Scrolls.clear();
    Debugger.Navigation().GoToAddr(0x3C5); // on screen: no scroll
    EXPECT_TRUE(View.Scrolls.empty());
    Debugger.Navigation().GoToAddr(0x000); // above the top row
    ASSERT_EQ(View.Scrolls.size(), 1u);
    EXPECT_EQ(View.Scrolls[0], 0);
    Debugger.Navigation().GoToAddr(0x3C0); // below the visible rows
    EXPECT_EQ(View.Scrolls.back(), PCRow);
    // Addresses without a row are ignored.
    Debugger.Navigation().GoToAddr(0x740);
    Debugger.Navigation().GoToAddr(NoAddress);
    EXPECT_EQ(Selected(), 0x3C0);
}

TEST_F(DebuggerTest, GoToAndFollowKeepRowsOfContextAboveTheTarget) {
    Load();
    auto Row = [&](T11bits a) { return Debugger.Navigation().AddrToItemIndex(a); };
    auto GoTo = [&](const char* Text) {
        Prompter.Type({Text});
        Debugger.Navigation().GoToAddress();
    };
    GoTo("100");
    EXPECT_EQ(View.Top, Row(0x100) - 3);
    Debugger.Navigation().GoToPrevious(); // back to PC
    EXPECT_EQ(View.Top, Row(0x3C0) - 3);
    GoTo("002"); // near the start: as much context as there is
    EXPECT_EQ(View.Top, 0);
    Debugger.Navigation().GoToAddr(0x3C3); // following PC puts the row on top
    ASSERT_EQ(View.Top, Row(0x3C3));
    Debugger.Navigation().Follow(); // TRS 400
    EXPECT_EQ(Selected(), 0x400);
    EXPECT_EQ(View.Top, Row(0x400) - 3);
    GoTo("408"); // already in view below the context rows: no scrolling
    EXPECT_EQ(View.Top, Row(0x400) - 3);
    GoTo("3FE"); // in view but inside the context rows: scrolled
    EXPECT_EQ(View.Top, Row(0x3FE) - 3);
    // A list with few visible rows keeps a quarter of them.
    View.VisibleRows = 8;
    GoTo("200");
    EXPECT_EQ(View.Top, Row(0x200) - 2);
}

TEST_F(DebuggerTest, SetPCToCursorMovesOnlyPC) {
    Load();
    MCU().Page = 3;
    Select(0x3C4);
    ASSERT_TRUE(Debugger.Navigation().DisAsmPopupStates().SetNewPC);
    Debugger.Navigation().SetPCToCursor();
    EXPECT_EQ(MCU().PC, 0x3C4);
    EXPECT_EQ(MCU().Page, 3);
    EXPECT_EQ(Debugger.Navigation().RowLook(Debugger.Navigation().AddrToItemIndex(0x3C4)).Style, TListRowStyle::PC);
    EXPECT_FALSE(Debugger.Navigation().DisAsmPopupStates().SetNewPC); // the selection is PC now
}

TEST_F(DebuggerTest, SearchOpcodeAndFindNextDoNotWrapAround) {
    Load();
    Select(0x3C0);
    Prompter.Type({"6E"});
    Debugger.Navigation().SearchOpcode();
    EXPECT_EQ(Prompter.Dialogs.back().Title, "Enter hexadecimal value (00-FF)");
    EXPECT_EQ(Prompter.Dialogs.back().Fields[0].Text, "25"); // the opcode of the selected line
    EXPECT_EQ(Selected(), 0x402);
    Debugger.Navigation().FindNext();
    EXPECT_EQ(Prompter.LastText(), "Not found."); // 010 lies above
    EXPECT_EQ(Selected(), 0x402);
    // The searched opcode is proposed again.
    Prompter.CancelNextInput();
    Debugger.Navigation().SearchOpcode();
    EXPECT_EQ(Prompter.Dialogs.back().Fields[0].Text, "6E");
}

TEST_F(DebuggerTest, AddressDescriptionAddsALabelRow) {
    Load();
    Select(0x400);
    const int Row = Debugger.Navigation().AddrToItemIndex(0x400);
    const int Before = Debugger.Navigation().RowLines(Row);
    EXPECT_EQ(Before, 3); // page header (two rows) and the instruction
    Prompter.Inputs.push_back({std::vector<std::string>{"sub", "sets a bit"}});
    Debugger.Navigation().SetAddressDescription();
    EXPECT_EQ(Debugger.Navigation().RowLabel(Row), "sub");
    EXPECT_EQ(Debugger.Navigation().RowLines(Row), Before + 1);
    EXPECT_NE(Debugger.Navigation().Listing().Entries()[size_t(Row)].Text.find(";; sets a bit"), std::string::npos);
    // The call site shows the label.
    EXPECT_NE(Debugger.Navigation().Listing().Entries()[size_t(Debugger.Navigation().AddrToItemIndex(0x3C3))].Text.find("sub"),
              std::string::npos);
}

TEST_F(DebuggerTest, SaveDisassemblyWritesTheListing) {
    Load();
    ASSERT_TRUE(Debugger.Navigation().DisAsmPopupStates().SaveDisassembly);
    const std::string File = (Dir.Path / "listing.txt").string();
    Prompter.Files.push_back(File);
    Debugger.Navigation().SaveDisassembly();
    ASSERT_EQ(Prompter.FileDialogs.size(), 1u);
    const TFileDialog& d = Prompter.FileDialogs[0];
    EXPECT_EQ(d.Title, "Specify disassembly file name");
    EXPECT_EQ(d.DefaultExt, "txt");
    EXPECT_EQ(d.Filter, "Text files (*.txt)|*.txt|All files (*.*)|*.*");
    EXPECT_TRUE(d.OverwritePrompt);
    EXPECT_EQ(d.FileName, TListing::ProposedFileName(MCU()));
    std::ifstream In(File, std::ios::binary);
    std::string Text((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
    const std::string Line = Debugger.Navigation().Listing().Entries()[size_t(Debugger.Navigation().AddrToItemIndex(0x3C0))].Text;
    EXPECT_NE(Text.find(Line + "\r\n"), std::string::npos);
    // A file that cannot be written is reported.
    Prompter.Files.push_back((Dir.Path / "no-such-folder" / "x.txt").string());
    Debugger.Navigation().SaveDisassembly();
    EXPECT_EQ(Prompter.Texts(TMessageKind::Error).size(), 1u);
}

TEST_F(DebuggerTest, NavigationIsBlockedDuringAnAnimatedRun) {
    Load();
    Select(0x3C5);
    Debugger.Run().AnimatedRun();
    const TDisAsmPopupStates s = Debugger.Navigation().DisAsmPopupStates();
    EXPECT_FALSE(s.RunToCursor || s.GoToAddress || s.Follow || s.GoToPrevious || s.Search || s.SetAddressDescription);
    EXPECT_FALSE(s.GoToCurrentPC || s.SetNewPC || s.GoToCaller);
    Debugger.Navigation().GoToAddress();
    EXPECT_TRUE(Prompter.Dialogs.empty());
}

} // namespace
} // namespace tarvolin::test

namespace tarvolin::test {
namespace {

TEST_F(DebuggerTest, EditsKeepTheListWhereTheUserIsAndStepsFollowPC) {
    Load();
    Debugger.Breakpoints().ToggleCodeBreakpoint(0x3C5);
    const std::vector<std::pair<const char*, std::function<void()>>> Edits = {
        {"label and comment",
         [&] {
             Prompter.Inputs.push_back({std::vector<std::string>{"here", "a comment"}});
             Debugger.Navigation().SetAddressDescription();
         }},
        {"RAM cell",
         [&] {
             Prompter.Type({"7"});
             ASSERT_TRUE(Debugger.Panes().EditValue({TValueKind::RAMCell, 0x12}));
         }},
        {"breakpoints dialog OK",
         [&] {
             std::unique_ptr<TBreakpointsDialogModel> Model;
             ASSERT_TRUE(Debugger.Breakpoints().PrepareBreakpointsDialog(Model));
             Debugger.Breakpoints().ApplyBreakpointsDialog(*Model);
         }},
    };
    for (const auto& [Name, Edit] : Edits) {
        SCOPED_TRACE(Name);
        Debugger.Navigation().GoToAddr(0x005); // far above PC (3C0)
        const int Top = View.Top;
        Edit();
        EXPECT_EQ(Selected(), 0x005);
        EXPECT_EQ(View.Top, Top);
    }
    EXPECT_EQ(MCU().GetAddressLabel(0x005), "here");
    // A step brings the list back to PC.
    Debugger.Run().TraceInto();
    EXPECT_EQ(Selected(), 0x3C1);
}

} // namespace
} // namespace tarvolin::test
