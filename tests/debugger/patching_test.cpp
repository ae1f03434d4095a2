#include <random>

#include "debugger_fixture.h"
#include "debugger/patching.h"

namespace tarvolin::test {
namespace {

class PatchingTest : public DebuggerTest {
protected:
    TPatchingControl& Patching() { return Debugger.Patching(); }
    const TListing& Listing() { return Debugger.Navigation().Listing(); }

    // The listing must be exactly what a fresh walk of the live ROM gives, with a working map.
    void ExpectListingIsFresh(const std::string& Context) {
        TListing Fresh;
        Fresh.BuildDisAsmStrings(&MCU());
        ASSERT_EQ(Listing().Entries(), Fresh.Entries()) << Context;
        for (int a = 0; a < ROMSize; ++a)
            ASSERT_EQ(Listing().AddrToLBItemIndex(T11bits(a)), Fresh.AddrToLBItemIndex(T11bits(a)))
                << Context << " at " << a;
    }
    int Index(T11bits Addr) { return Listing().AddrToLBItemIndex(Addr); }
    std::vector<uint8_t> Bytes(T11bits Addr, int n) { return {MCU().ROM.begin() + Addr, MCU().ROM.begin() + Addr + n}; }
    void ChangeAt(T11bits Addr, const std::vector<std::string>& Texts) {
        Select(Addr);
        Prompter.Inputs.push_back({std::optional<std::vector<std::string>>(Texts)});
        Patching().ChangeOpcode();
    }
};

// Each size case of one instruction written at 3C1, in a program whose 3C1..3C5 is given.
TEST_F(PatchingTest, SetOpcodeInEachSizeCaseRewritesTheBytesAndTheEntriesAround) {
    struct Case {
        const char* Name;
        std::vector<uint8_t> Code; // at 3C1
        uint8_t Opcode, Operand;
        std::vector<uint8_t> Expected; // 3C1..3C4 afterwards
        std::vector<T11bits> Starts;   // instruction starts among 3C1..3C4 afterwards
    };
    const Case Cases[] = {
        {"1 to 1", {0x25, 0x10, 0x00, 0x00}, 0x67, 0, {0x67, 0x10, 0x00, 0x00}, {0x3C1, 0x3C2, 0x3C3, 0x3C4}},
        {"1 to 2 over a 1-byte", {0x25, 0x10, 0x00, 0x00}, 0x5F, 0x12, {0x5F, 0x12, 0x00, 0x00}, {0x3C1, 0x3C3, 0x3C4}},
        {"1 to 2 over a 2-byte", {0x25, 0x5F, 0x34, 0x00}, 0x5F, 0x12, {0x5F, 0x12, 0x34, 0x00}, {0x3C1, 0x3C3, 0x3C4}},
        {"2 to 2", {0x5F, 0x12, 0x00, 0x00}, 0x5E, 0x04, {0x5E, 0x04, 0x00, 0x00}, {0x3C1, 0x3C3, 0x3C4}},
        {"2 to 1, freed byte 00", {0x5F, 0x12, 0x00, 0x00}, 0x25, 0x00, {0x25, 0x00, 0x00, 0x00},
         {0x3C1, 0x3C2, 0x3C3, 0x3C4}},
        {"2 to 1, freed byte starts a 2-byte", {0x5F, 0x12, 0x34, 0x00}, 0x25, 0x5F,
         {0x25, 0x5F, 0x34, 0x00}, {0x3C1, 0x3C2, 0x3C4}},
        // An LP whose following byte becomes a TR turns into a far jump: the entry before
        // the written one changes too.
        {"LP before", {0x70, 0x00, 0x00, 0x00}, 0x9C, 0, {0x70, 0x9C, 0x00, 0x00}, {0x3C1, 0x3C3, 0x3C4}},
    };
    for (const Case& c : Cases) {
        Load({{0x3C0, {0x00}}, {0x3C1, c.Code}, {0x3C8, {0x00}}});
        Select(0x3C8);
        const T11bits TopAddr = Listing().ItemIndexToAddr(View.Top = 40);
        const T11bits Written = c.Name == std::string("LP before") ? 0x3C2 : 0x3C1;
        ASSERT_TRUE(Patching().SetOpcode(Written, c.Opcode, c.Operand)) << c.Name;
        EXPECT_EQ(Bytes(0x3C1, 4), c.Expected) << c.Name;
        std::vector<T11bits> Starts;
        for (T11bits a = 0x3C1; a <= 0x3C4; ++a)
            if (Index(a) >= 0) Starts.push_back(a);
        EXPECT_EQ(Starts, c.Starts) << c.Name;
        ExpectListingIsFresh(c.Name);
        // The selection and the top row stay on their addresses.
        EXPECT_EQ(Selected(), 0x3C8) << c.Name;
        EXPECT_EQ(View.Top, Debugger.Navigation().AddrToItemIndex(TopAddr)) << c.Name;
        EXPECT_TRUE(MCU().IsOpcodeChanged(Written)) << c.Name;
    }
}

TEST_F(PatchingTest, ARevertThatWouldHideAChangedOperandIsRefused) {
    // Originally 3C1 NOP, 3C2 LBL 0x12 (5F 12). Patch 3C2's operand, then 3C1 into 5F xx,
    // which swallows the 5F: reverting 3C1 would bring back 5F with a changed operand.
    Load({{0x3C0, {0x00, 0x00, 0x5F, 0x12, 0x00}}});
    ASSERT_TRUE(Patching().SetOpcode(0x3C2, 0x5F, 0x34));
    ASSERT_TRUE(Patching().SetOpcode(0x3C1, 0x5F, 0x20));
    ASSERT_EQ(Bytes(0x3C1, 3), (std::vector<uint8_t>{0x5F, 0x20, 0x34}));
    Select(0x3C1);
    Patching().RevertOpcode();
    EXPECT_EQ(Prompter.LastText(), "Cannot revert a 2-byte instruction 5F at 3C1.\nIts operand 20 at 3C2 would have to "
                                   "be reverted to a 2-byte instruction 5F and the operand of this latter is also "
                                   "modified (as 34 at 3C3).\n\nHint: At first revert the instruction at 3C3.");
    EXPECT_EQ(Bytes(0x3C1, 3), (std::vector<uint8_t>{0x5F, 0x20, 0x34}));
    // Revert all stops at the refused address, shows it, and leaves the later change.
    ASSERT_TRUE(Patching().SetOpcode(0x3C5, 0x67, 0));
    Select(0x3C0);
    Patching().RevertAllOpcodes();
    EXPECT_EQ(Selected(), 0x3C1);
    EXPECT_EQ(MCU().ROM[0x3C5], 0x67);
    ExpectListingIsFresh("refused revert all");
    // Reverting the hint's address first lets everything go back.
    Select(0x3C3);
    Patching().RevertOpcode();
    Patching().RevertAllOpcodes();
    EXPECT_FALSE(MCU().IsAnyOpcodeChanged());
    EXPECT_FALSE(Debugger.Navigation().DisAsmPopupStates().RevertAllOpcodes);
    ExpectListingIsFresh("after revert all");
}

TEST_F(PatchingTest, AtTheEndOfTheROMOnlyTheOperandBeyondItIsRefused) {
    // 73E LBL 0x80: its operand is the jump every page ends with, at 73F.
    Load({{0x73E, {0x5F}}});
    ASSERT_EQ(Bytes(0x73E, 2), (std::vector<uint8_t>{0x5F, 0x80}));
    // Made 1-byte, then reverted: the 2-byte instruction comes back whole.
    ChangeAt(0x73E, {"25", ""});
    EXPECT_EQ(Bytes(0x73E, 2), (std::vector<uint8_t>{0x25, 0x00}));
    Patching().RevertOpcode();
    EXPECT_EQ(Bytes(0x73E, 2), (std::vector<uint8_t>{0x5F, 0x80}));
    EXPECT_FALSE(MCU().IsAnyOpcodeChanged());
    // A 1-byte change at 73F is marked, revertible and undone by Revert all.
    ASSERT_TRUE(Patching().SetOpcode(0x73E, 0x25, 0));
    ChangeAt(0x73F, {"67", ""});
    EXPECT_TRUE(Debugger.Navigation().DisAsmPopupStates().RevertOpcode);
    // A 2-byte instruction there would need a byte beyond the ROM: refused, nothing written.
    EXPECT_FALSE(Patching().SetOpcode(0x73F, 0x5F, 0x12));
    EXPECT_EQ(Prompter.LastText(), "Internal error. Reverting 2-byte instruction at the end of address space.");
    EXPECT_EQ(MCU().ROM[0x73F], 0x67);
    Patching().RevertAllOpcodes();
    EXPECT_EQ(Bytes(0x73E, 2), (std::vector<uint8_t>{0x5F, 0x80}));
    EXPECT_FALSE(MCU().IsAnyOpcodeChanged());
    ExpectListingIsFresh("end of the ROM");
}

TEST_F(PatchingTest, TheOpcodeDialogChecksItsEntriesInOrder) {
    struct Case {
        T11bits Addr;
        const char* Opcode;
        const char* Operand;
        std::deque<TMessageResult> Answers;
        bool Accepted;
        std::vector<std::string> Messages; // shown during the check
        uint8_t ExpOpcode = 0, ExpOperand = 0;
    };
    const Case Cases[] = {
        {0x010, " ", "12", {}, false, {}},
        {0x010, "xyz", "", {}, false, {"'xyz' is not a valid integer value."}},
        {0x010, "100", "zz", {}, false, {"Opcode: Out of range."}},
        {0x010, "25", "zz", {}, false, {"'zz' is not a valid integer value."}},
        {0x010, "25", "1FF", {}, false, {"Operand: Out of range."}},
        {0x03F, "5F", "", {}, false, {"A 2-byte opcode is not allowed on address 03F."}},
        {0x010, "5F", "", {}, false, {"Opcode 5F requires an operand."}},
        {0x010, "5E", "02", {}, false, {"Invalid combination of opcode and operand."}},
        {0x010, "5F", "80", {}, false, {"Invalid combination of opcode and operand."}},
        {0x010, "5E", "04", {}, true, {}, 0x5E, 0x04},
        {0x010, "0x5E", "0", {}, true, {}, 0x5E, 0x00},
        {0x010, "5F", "7F", {}, true, {}, 0x5F, 0x7F},
        {0x010, "70", "05", {TMessageResult::OK}, true,
         {"For opcode 70, operands less than 0x80 are not required and will be ignored."}, 0x70, 0x05},
        {0x010, "70", "05", {TMessageResult::Cancel}, false,
         {"For opcode 70, operands less than 0x80 are not required and will be ignored."}},
        {0x07F, "7A", "9C", {}, false, {"A 2-byte opcode is not allowed on address 07F."}},
        {0x010, "7A", "9C", {}, true, {}, 0x7A, 0x9C},
        {0x03F, "25", "12", {}, true, {"Opcode 25 does not have an operand. The operand value will be ignored."}, 0x25,
         0x12},
    };
    for (const Case& c : Cases) {
        TScriptedPrompter P;
        P.Answers = c.Answers;
        uint8_t Op = 0, Arg = 0;
        const TInputCheck r = CheckNewOpcodeInput(P, c.Addr, c.Opcode, c.Operand, Op, Arg);
        std::vector<std::string> Shown;
        for (const auto& m : P.Messages) Shown.push_back(m.Text);
        if (!r.ErrorText.empty()) Shown.push_back(r.ErrorText);
        EXPECT_EQ(r.Accepted, c.Accepted) << c.Opcode << " " << c.Operand;
        EXPECT_EQ(Shown, c.Messages) << c.Opcode << " " << c.Operand;
        if (c.Accepted) {
            EXPECT_EQ(std::make_pair(Op, Arg), std::make_pair(c.ExpOpcode, c.ExpOperand)) << c.Opcode;
        }
    }
    // The address in the message follows the notation.
    Options().UseBankPageStepAddressNotation = true;
    TScriptedPrompter P;
    uint8_t Op = 0, Arg = 0;
    EXPECT_EQ(CheckNewOpcodeInput(P, 0x43F, "5E", "", Op, Arg).ErrorText,
              "A 2-byte opcode is not allowed on address 1:0:3F.");
}

TEST_F(PatchingTest, ChangeOpcodeThroughTheDialog) {
    // 3C0 LAX 5 | 3C1 LB 0 | 3C2 EXC | 3C3 TRS 400 | 3C4 NOP | 3C5 TR 3C4 | 3C6 NOP | 3C7 NOP
    Load({{0x3C0, {0x25, 0x40, 0x10, TRS(0), 0x00, TR(4), 0x00, 0x00}}});
    // The dialog: its title, labels and a 1-byte opcode's empty operand; Cancel.
    Select(0x3C0);
    Prompter.CancelNextInput();
    Patching().ChangeOpcode();
    const TInputDialog& D = Prompter.Dialogs.back();
    EXPECT_EQ(D.Title, "Enter opcode (and its operand) in hexadecimal");
    ASSERT_EQ(D.Fields.size(), 2u);
    EXPECT_EQ(D.Fields[0].Label + D.Fields[0].Text + D.Fields[1].Label + D.Fields[1].Text, "Opcode:25[Operand:]");
    EXPECT_FALSE(MCU().IsAnyOpcodeChanged());

    // 7A without an operand before a TR keeps the pair as one far jump.
    ChangeAt(0x3C4, {"7A", ""});
    EXPECT_EQ(Bytes(0x3C4, 2), (std::vector<uint8_t>{0x7A, TR(4)}));
    EXPECT_EQ(Index(0x3C5), -1);
    // 70 05 (warning, OK): a 1-byte LP, the following byte as it was.
    ChangeAt(0x3C6, {"70", "05"});
    EXPECT_EQ(Bytes(0x3C6, 2), (std::vector<uint8_t>{0x70, 0x00}));
    EXPECT_GE(Index(0x3C7), 0);
    ExpectListingIsFresh("dialog changes");
    // Revert all asks first; No keeps everything.
    Prompter.Answers = {TMessageResult::No};
    Patching().RevertAllOpcodes();
    EXPECT_EQ(Prompter.LastText(), "Are you sure you want to revert all opcode modifications?");
    EXPECT_TRUE(MCU().IsAnyOpcodeChanged());
}

// Thousands of random changes and reverts, many of them moving instruction boundaries far
// beyond the changed entry (runs of 5E and LP bytes), each compared with a fresh listing.
TEST_F(PatchingTest, TheListingStaysFreshThroughRandomChangesAndReverts) {
    std::map<T11bits, std::vector<uint8_t>> Code;
    std::mt19937 Random(20240611);
    const uint8_t Interesting[] = {0x5E, 0x5E, 0x5F, 0x5F, 0x70, 0x7A, 0x9C, 0xC5, 0x00, 0x80};
    auto Byte = [&] {
        return Random() % 3 ? Interesting[Random() % std::size(Interesting)] : static_cast<uint8_t>(Random());
    };
    for (T11bits a = 0; a < 0x700; a += 64) {
        // Runs of 2-byte opcodes: a change inside one moves every boundary after it.
        std::vector<uint8_t> Page(63);
        for (size_t k = 0; k < Page.size(); ++k)
            if (Random() % 8 == 0)
                for (size_t Run = 3 + Random() % 10; Run > 0 && k < Page.size(); --Run) Page[k++] = 0x5E;
            else
                Page[k] = Byte();
        Code[a] = Page;
    }
    Load(Code);
    int FarMoves = 0;
    for (int Step = 0; Step < 3000; ++Step) {
        // The selection and top row sit somewhere; they must stay on their addresses.
        const int Count = Listing().Count();
        Debugger.Navigation().SelectItem(int(Random() % unsigned(Count)));
        const T11bits Sel = Selected();
        const T11bits Top = Listing().ItemIndexToAddr(View.Top = int(Random() % unsigned(Count)));
        const T11bits Near = T11bits(Random() % 0x720);
        const unsigned What = Random() % 10;
        const std::vector<TListingEntry> Before = Listing().Entries();
        T11bits a = Listing().ItemIndexToAddr(Debugger.Navigation().AddrToItemIndex(Near));
        if (What < 6) {
            uint8_t Op = Byte(), Arg = Byte();
            if (TSHARP_SM5A_MCU::GetOpcodeSize(Op, Arg) == 1) Arg = 0; // as the dialog leaves it
            Patching().SetOpcode(a, Op, Arg);
        } else if (What < 9) {
            // Revert the first changed address from here on (any address, as Revert all does).
            uint8_t o = 0, p = 0;
            for (a = Near; a < LastROMAddress && !MCU().IsOpcodeChanged(a, o, p); ++a) {}
            Patching().SetOpcode(a, o, p);
        } else if (Step % 50 == 0) {
            Patching().RevertAllOpcodes();
            continue;
        }
        // Count the operations that moved an instruction start more than three bytes on.
        std::vector<bool> Was(ROMSize);
        for (const TListingEntry& e : Before) Was[e.Addr] = true;
        for (int x = a + 4; x < ROMSize; ++x)
            if (Was[size_t(x)] != (Index(T11bits(x)) >= 0)) {
                ++FarMoves;
                break;
            }
        ASSERT_EQ(Debugger.Navigation().AddrToItemIndex(Sel), Debugger.Navigation().SelectedIndex()) << Step;
        ASSERT_EQ(Debugger.Navigation().AddrToItemIndex(Top), View.Top) << Step;
        if (Step % 10 == 0) ExpectListingIsFresh("step " + std::to_string(Step));
    }
    ExpectListingIsFresh("end");
    EXPECT_GT(FarMoves, 40) << FarMoves;
}

} // namespace
} // namespace tarvolin::test
