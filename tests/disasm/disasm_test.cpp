// Address notation, instruction texts, listing lines and export, hints, legend and the
// 7-segment table.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "core/step_tables.h"
#include "disasm/disasm.h"
#include "disasm/listing.h"
#include "disasm_fixture.h"

namespace tarvolin::test {
namespace {

class DisAsmTextTest : public DisasmTest {
protected:
    std::string Text(unsigned Addr, std::string* Comment = nullptr) {
        std::string c;
        std::string t = DisAsm(*MCU, static_cast<T11bits>(Addr), c);
        if (Comment) *Comment = c;
        return t;
    }
};

TEST_F(DisAsmTextTest, AddressNotations) {
    struct TCase {
        unsigned Addr;
        bool BPS, LFSR;
        const char* Expected;
    };
    const TCase Cases[] = {
        {0x3C0, false, false, "3C0"}, {0x3C0, true, false, "0:F:00"}, {0x73F, true, false, "1:C:3F"},
        {0x73F, false, false, "73F"}, {0x001, false, true, "020"},    {0x001, true, true, "0:0:20"},
        {0x03F, false, true, "03F"},  {0x43E, true, true, "1:0:01"},  {0x7FF, false, false, "7FF"},
    };
    for (const auto& c : Cases) {
        Options().UseBankPageStepAddressNotation = c.BPS;
        Options().UseLFSRAddressing = c.LFSR;
        EXPECT_EQ(AddrToStr(static_cast<T11bits>(c.Addr)), c.Expected) << std::hex << c.Addr;
    }
    EXPECT_EQ(NibbleToStr(7), "7");
    EXPECT_EQ(NibbleToStr(0xA), "0xA");
    EXPECT_EQ(NibbleToStr(0x19), "9");
}

TEST_F(DisAsmTextTest, InstructionTextsAndDefaultComments) {
    struct TCase {
        int Set; // 1 SHARP, 2 KB
        unsigned Addr;
        std::vector<uint8_t> Bytes;
        const char* Text;
        const char* Comment;
    };
    const TCase Cases[] = {
        {1, 0x000, {0x10}, "EXC   Acc,(DP)", "Acc<->mem"},
        {2, 0x000, {0x10}, "XM   Acc,(DP)", "Acc<->mem"},
        {1, 0x000, {0x00}, "SKIP", ""},
        {1, 0x000, {0x15}, "EXCI  Acc,(DP)", "Acc<->mem; DPL++; xor DPH 01; skip next if DPL was 7"},
        {2, 0x000, {0x1F}, "XED  Acc,(DP)", "Acc<->mem; DPL--; xor DPH 11; skip next if DPL was 0"},
        {1, 0x000, {0x1A}, "LDA   Acc,(DP)", "Acc=mem; xor DPH 10"},
        {1, 0x000, {0x45}, "LB    DP,0x19", "DP=0x19"},
        {1, 0x000, {0x4C}, "LB    DP,0x0B", "DP=0x0B"},
        {2, 0x000, {0x4E}, "LAS  DP,0x2B", "DP=0x2B"},
        {1, 0x000, {0x3A}, "ADX   Acc,10", "Acc+=10"},
        {2, 0x000, {0x39}, "AS   Acc,0x9", "Acc+=0x9; skip next if sum was > 0xF"},
        {1, 0x000, {0x2C}, "LAX   Acc,0xC", "Acc=0xC"},
        {1, 0x000, {0x06}, "RM    (DP)b#2", "clear mem bit 2"},
        {2, 0x000, {0x57}, "SM1  (DP)b#3", "skip next if mem bit 3 set"},
        {1, 0x000, {0x50}, "TA", "skip next if Alpha not signaled"},
        {2, 0x000, {0x51}, "SI0", "skip next if Beta not signaled"},
        {1, 0x000, {0x6A}, "KTA   Acc,K", "read input"},
        {1, 0x000, {0x5E, 0x00}, "CEND", ""},
        {2, 0x000, {0x5E, 0x04}, "LDF  Acc,T", ""},
        {1, 0x000, {0x5E, 0x12}, "", ""},
        {1, 0x000, {0x5F, 0x12}, "LBL   DP,0x12", "DP=0x12"},
        {1, 0x000, {0x75, 0x23}, "SSR   0x5", "Page=0x5"},
        {2, 0x000, {0x70, 0x81}, "JMP  03E / 43E", ""},
        {2, 0x000, {0x7D, 0x81}, "JMP  37E", ""},
        {1, 0x000, {0x7C, 0xC1}, "TRS   33E / 73E", ""},
        {1, 0x3C5, {0x80}, "TR    3C0", ""},
        {1, 0x3C5, {0xC1}, "TRS   43E / TRSA  33E", ""},
        {1, 0x405, {0xC1}, "TRSA  43E / TRS   43E", ""},
        {2, 0x405, {0xD1}, "CBR  47E / CZP  42F", ""},
        {1, 0x705, {0xF1}, "TRS   422", ""}, // the branch reading would point past the ROM
        {1, 0x000, {0x5C}, "TW    O',O", "copy O to O'"},
        {2, 0x000, {0x63}, "OA1  O8,Acc", "shift O; O8=Acc or 1000"},
        {1, 0x000, {0x6F}, "RTNS", "upon return skip next"},
    };
    for (const auto& c : Cases) {
        UseMnemonics(c.Set);
        unsigned a = c.Addr;
        for (uint8_t b : c.Bytes) MCU->ROM[a++] = b;
        std::string comment;
        EXPECT_EQ(Text(c.Addr, &comment), c.Text);
        EXPECT_EQ(comment, c.Comment) << c.Text;
    }
}

TEST_F(DisAsmTextTest, KB1013VK1_2NamesItsOwnLines) {
    auto kb = TKB1013VK1_2MCU::Class.Create(nullptr);
    Options().InstructionMnemonics = 0; // native: the clone's own names
    kb->SetupInstructionMnemonics();
    std::string comment;
    kb->ROM[0] = 0x6A;
    EXPECT_EQ(DisAsm(*kb, 0, comment), "ICD  Acc,D");
    kb->ROM[0] = 0x50;
    EXPECT_EQ(DisAsm(*kb, 0, comment), "SI1");
    EXPECT_EQ(comment, "skip next if INT1 not signaled");
    kb->ROM[0] = 0x51;
    DisAsm(*kb, 0, comment);
    EXPECT_EQ(comment, "skip next if INT0 not signaled");
    kb->ROM[0] = 0x5E;
    kb->ROM[1] = 0x00;
    kb->PC = 0;
    kb->IO.FInputMatrix[gndDirect] = 0xC;
    kb->IO.R = 0xE;
    EXPECT_EQ(GetCurrentOpcodeHint(*kb), "D=0xC");
}

TEST_F(DisAsmTextTest, LabelsNameTheirTargetsInEveryNotation) {
    UseMnemonics(1);
    MCU->SetAddressLabel(0x400, "SUB");
    Put(0x3C5, {0xC0});
    EXPECT_EQ(Text(0x3C5), "TRS   SUB @ 400 / TRSA  300");
    Options().UseBankPageStepAddressNotation = true;
    EXPECT_EQ(Text(0x3C5), "TRS   SUB @ 1:0:00 / TRSA  0:C:00");
    EXPECT_EQ(GetAddressText(*MCU, 0x400), "SUB @ 1:0:00");
}

TEST_F(DisAsmTextTest, ListingLineColumns) {
    UseMnemonics(2);
    Put(0x3C5, {0x67});
    EXPECT_EQ(GetDisAsmLine(*MCU, 0x3C5), "3C5 67       STC                ; Carry=1");
    Options().UseBankPageStepAddressNotation = true;
    EXPECT_EQ(GetDisAsmLine(*MCU, 0x3C5), "0:F:05 67       STC                ; Carry=1");
    MCU->SetAddressComment(0x3C5, "set it");
    EXPECT_EQ(GetDisAsmLine(*MCU, 0x3C5), "0:F:05 67       STC                ;; set it");
    Options().AppendDisAsmComments = false;
    EXPECT_EQ(GetDisAsmLine(*MCU, 0x3C5), "0:F:05 67       STC                ;; set it");
    MCU->SetAddressComment(0x3C5, "");
    EXPECT_EQ(GetDisAsmLine(*MCU, 0x3C5), "0:F:05 67       STC");
    // A 2-byte instruction shows its second byte; a long text pushes the comment out.
    Options().UseBankPageStepAddressNotation = false;
    Options().AppendDisAsmComments = true;
    Put(0x010, {0x5F, 0x3A});
    EXPECT_EQ(GetDisAsmLine(*MCU, 0x010), "010 5F 3A    LAF  DP,0x3A       ; DP=0x3A");
    Put(0x3C6, {0x15});
    UseMnemonics(1);
    EXPECT_EQ(GetDisAsmLine(*MCU, 0x3C6),
              "3C6 15       EXCI  Acc,(DP)     ; Acc<->mem; DPL++; xor DPH 01; skip next if DPL was 7");
}

TEST_F(DisAsmTextTest, ListingWalkAndAddressMap) {
    TListing listing;
    listing.BuildDisAsmStrings(nullptr);
    EXPECT_EQ(listing.Count(), 0);
    listing.BuildDisAsmStrings(MCU.get());
    EXPECT_EQ(listing.Count(), ROMSize);
    Put(0x000, {0x5E, 0x00});
    Put(0x100, {0x7F, 0x80}); // far jump: 2 bytes
    Put(0x140, {0x75, 0x23}); // page preset: 1 byte, the 23 is an instruction of its own
    listing.BuildDisAsmStrings(MCU.get());
    EXPECT_EQ(listing.Count(), ROMSize - 2);
    EXPECT_EQ(listing.AddrToLBItemIndex(0), 0);
    EXPECT_EQ(listing.AddrToLBItemIndex(1), -1);
    EXPECT_EQ(listing.AddrToItemIndex(1), 0);
    EXPECT_EQ(listing.AddrToLBItemIndex(2), 1);
    EXPECT_EQ(listing.AddrToLBItemIndex(0x141), 0x141 - 2);
    EXPECT_EQ(listing.ItemIndexToAddr(1), 2);
    EXPECT_EQ(listing.ItemIndexToAddr(listing.Count()), NoAddress);
    EXPECT_EQ(listing.AddrToItemIndex(0x740), -1);
    // A patched 2-byte opcode on the last step reads 00 after it and ends the walk.
    MCU->ROM[0x73F] = 0x5F;
    listing.BuildDisAsmStrings(MCU.get());
    EXPECT_EQ(listing.Entries().back().Addr, 0x73F);
    EXPECT_EQ(listing.Entries().back().Text.substr(0, 10), "73F 5F 00 ");
    // A change whose range runs past the end of the ROM is followed up to the last line.
    MCU->ROM[0x73F] = 0x00;
    listing.FollowROMChange(*MCU, 0x73F, 0x7FF);
    EXPECT_EQ(listing.Entries().back().Text.substr(0, 7), "73F 00 ");
    // Refresh picks up option changes without a new walk.
    Options().UseBankPageStepAddressNotation = true;
    listing.RefreshDisAsmStrings(MCU.get());
    EXPECT_EQ(listing.Entries()[0].Text.substr(0, 6), "0:0:00");
}

TEST_F(DisAsmTextTest, ExportHasHeadersLabelsAndCRLF) {
    UseMnemonics(1);
    MCU->SetAddressLabel(0x000, "wake");
    MCU->SetAddressLabel(0x001, "next");
    TListing listing;
    listing.BuildDisAsmStrings(MCU.get());
    const auto lines = listing.ExportLines(*MCU);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "\n; --- BANK 0  PAGE #0 --- WAKE FROM HALT");
    EXPECT_EQ(lines[1], "; wake");
    EXPECT_EQ(lines[2], "000 00       SKIP");
    EXPECT_EQ(lines[3], "; next");
    EXPECT_EQ(lines.size(), static_cast<size_t>(ROMSize + 29 + 2));
    const std::string text = listing.ExportText(*MCU);
    EXPECT_EQ(text.rfind("\n; --- BANK 0  PAGE #0 --- WAKE FROM HALT\r\n; wake\r\n000 ", 0), 0u);
    EXPECT_NE(text.find("\r\n\n; --- BANK 0  PAGE #F --- RESET\r\n3C0 00       SKIP\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n\n; --- BANK 1  PAGE #1 ---\r\n440 "), std::string::npos);
    EXPECT_NE(text.find("\n; --- BANK 1  PAGE #0 --- SUBROUTINES\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

    // The file is replaced as a whole.
    const auto path = TestFolder() / "listing.txt";
    std::ofstream(path) << "old content that is longer than nothing";
    listing.SaveToFile(*MCU, path);
    std::ifstream f(path, std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>()), text);
    EXPECT_FALSE(std::filesystem::exists(path.string() + ".tmp~"));
    // A failure names the file asked for, not the temporary file beside it.
    const auto unwritable = TestFolder() / "no such folder" / "x.txt";
    try {
        listing.SaveToFile(*MCU, unwritable);
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot write file \"" + unwritable.string() + "\"", 0), 0u) << e.what();
    }
}

class TQuotedGame : public TSHARP_SM5A_MCU {
public:
    static const TMCUClass Class;
    const TMCUClass& GetClass() const override { return Class; }
};
const TMCUClass TQuotedGame::Class = {"TQuotedGame", &TSHARP_SM5A_MCU::Class, &SHARP_SM5A_Chip, "AC-01 \"Ball\"", "quoted_test",
                                      "", "", "", nullptr, &MakeMCU<TQuotedGame>};

TEST_F(DisAsmTextTest, ProposedFileNameDropsDoubleQuotes) {
    EXPECT_EQ(TListing::ProposedFileName(*MCU), "A custom game");
    auto game = TQuotedGame::Class.Create(nullptr);
    EXPECT_EQ(TListing::ProposedFileName(*game), "AC-01 Ball");
}

// What the Follow command gets: static rules away from PC, the live registers at PC.
TEST_F(DisAsmTextTest, AddressToFollow) {
    struct TCase {
        unsigned Addr;
        std::vector<uint8_t> Bytes;
        bool AtPC;
        T11bits A;
        T1bit MSB;
        T4bits Page;
        unsigned Expected;
    };
    const TCase Cases[] = {
        {0x010, {0x6E}, false, NoAddress, 0, 0, NoAddress},
        {0x010, {0x6F}, false, 0x123, 0, 0, 0x123},
        {0x010, {0x75, 0x23}, false, NoAddress, 0, 0, NoAddress},
        {0x010, {0x75, 0x81}, false, NoAddress, 1, 0, 0x17E},  // bank of the instruction
        {0x00F, {0x6D, 0x75, 0x81}, false, NoAddress, 0, 0, 0x57E}, // at 0x010, after an MSB toggle
        {0x010, {0x75, 0x81}, true, NoAddress, 1, 0, 0x57E},   // MSB at PC
        {0x410, {0x7D, 0x81}, false, NoAddress, 0, 0, 0x77E},  // page 13 of bank 1: past the ROM
        {0x010, {0x81}, true, NoAddress, 1, 2, 0x4BE},         // MSB and Page at PC
        {0x010, {0x81}, true, 0x123, 1, 2, 0x03E},             // in a subroutine: own page
        {0x010, {0x81}, false, NoAddress, 1, 2, 0x03E},
        {0x010, {0xC1}, false, NoAddress, 0, 0, 0x43E},
        {0x410, {0xD1}, false, NoAddress, 0, 0, 0x47E},
        {0x010, {0xD1}, true, 0x123, 0, 0, 0x07E},
        {0x710, {0xF1}, false, NoAddress, 0, 0, 0x7FE},
        {0x010, {0x08}, false, NoAddress, 0, 0, NoAddress},
    };
    for (const auto& c : Cases) {
        Put(c.Addr, {0, 0, 0});
        unsigned a = c.Addr;
        for (uint8_t b : c.Bytes) MCU->ROM[a++] = b;
        const unsigned at = c.Bytes[0] == 0x6D ? c.Addr + 1 : c.Addr;
        MCU->PC = c.AtPC ? static_cast<T11bits>(at) : 0x3C0;
        MCU->A = c.A;
        MCU->MSB = c.MSB;
        MCU->Page = c.Page;
        EXPECT_EQ(MCU->GetAddrToFollow(static_cast<T11bits>(at)), c.Expected) << std::hex << at;
    }
}

class HintTest : public DisasmTest {
protected:
    std::string HintFor(std::initializer_list<uint8_t> Bytes) {
        MCU->PC = 0x010;
        Put(0x010, Bytes);
        return GetCurrentOpcodeHint(*MCU);
    }
};

TEST_F(HintTest, HintsShowValuesAndSkips) {
    UseMnemonics(1);
    MCU->Acc = 9;
    EXPECT_EQ(HintFor({0x38}), "sum=1; 1 -> Acc; skipping");
    EXPECT_EQ(HintFor({0x3A}), "sum=3; 3 -> Acc");
    MCU->DP = 0x17;
    MCU->RAM[0x17] = 3;
    MCU->Acc = 5;
    EXPECT_EQ(HintFor({0x14}), "5 -> (17); 3 -> Acc; 8 -> L; skipping");
    EXPECT_EQ(HintFor({0x16}), "5 -> (17); 3 -> Acc; 3 -> DPH; 8 -> L; skipping");
    MCU->DP = 0x1F; // column F maps onto column C
    MCU->RAM[0x1C] = 0xA;
    EXPECT_EQ(HintFor({0x14}), "5 -> (1C); 0xA -> Acc; 0 -> L");
    EXPECT_EQ(HintFor({0x19}), "(1C): 0xA -> Acc; 0 -> DPH");
    EXPECT_EQ(HintFor({0x0E}), "(1C): 1010 -> 1110");
    EXPECT_EQ(HintFor({0x55}), "(1C): 1010; bit 1: 1; skipping");
    MCU->DP = 0x00;
    EXPECT_EQ(HintFor({0x6C}), "0xF -> L; skipping");
    MCU->RAM[0] = 5;
    EXPECT_EQ(HintFor({0x53}), "5=5; skipping");
    MCU->Acc = 4;
    EXPECT_EQ(HintFor({0x53}), "4 <> 5");
    EXPECT_EQ(HintFor({0x09}), "(00): 5; 9 -> Acc");
    MCU->Carry = true;
    MCU->Acc = 0xB;
    EXPECT_EQ(HintFor({0x09}), "(00): 5; 1 -> Acc; skipping");
    EXPECT_EQ(HintFor({0x52}), "");
    MCU->Acc = 8;
    MCU->LD0 = true;
    EXPECT_EQ(HintFor({0x5D}), "0xF -> O8");
    MCU->TD = true;
    EXPECT_EQ(HintFor({0x61}), "0xF -> O8");
    EXPECT_EQ(HintFor({0x62}), "0 -> O8");
    MCU->IO.FInputMatrix[gndDirect] = 3;
    MCU->IO.R = 0xE;
    EXPECT_EQ(HintFor({0x5E, 0x00}), "K=3");
    EXPECT_EQ(HintFor({0x6A}), "3 -> Acc");
    EXPECT_EQ(HintFor({0x50}), "skipping");
    MCU->IO.FAlpha = true;
    EXPECT_EQ(HintFor({0x50}), "");
    EXPECT_EQ(HintFor({0x20}), "");
    // Reading RAM for a hint does not raise the read callback.
    int reads = 0;
    MCU->OnReadMemory = {[](void* Obj, T7bits, T4bits) { ++*static_cast<int*>(Obj); }, &reads};
    HintFor({0x08});
    EXPECT_EQ(reads, 0);
}

TEST_F(HintTest, BranchHintsFollowTheLiveRegisters) {
    UseMnemonics(1);
    MCU->MSB = 1;
    EXPECT_EQ(HintFor({0x70, 0x81}), "TR   43E");
    EXPECT_EQ(HintFor({0x7D, 0x81}), ""); // bank 1 page 13 is outside the ROM
    MCU->MSB = 0;
    MCU->Page = 3;
    EXPECT_EQ(HintFor({0x80}), "TR   0C0");
    EXPECT_EQ(HintFor({0xC1}), "TRS  43E");
    MCU->A = 0x123;
    EXPECT_EQ(HintFor({0x80}), "");
    MCU->PC = 0x010;
    EXPECT_EQ(HintFor({0xD1}), "TRSA 07E");
}

TEST_F(DisasmTest, OpcodeLegendTexts) {
    UseMnemonics(1);
    EXPECT_EQ(GetOpcodeDescription(MCU.get(), 0x20, 0x25), "Set accumulator to 0.\nSkip all following LC instructions.");
    EXPECT_EQ(GetOpcodeDescription(MCU.get(), 0x20, 0x30), "Set accumulator to 0.");
    EXPECT_EQ(GetOpcodeDescription(MCU.get(), 0x74, 0x81), "Jump far to 13E (if MSB=0) or 53E (if MSB=1).");
    EXPECT_EQ(GetOpcodeDescription(MCU.get(), 0x7E, 0x81), "Jump far to 3BE.");
    EXPECT_EQ(GetOpcodeDescription(MCU.get(), 0x71, 0xC0), "Call far subroutine at 040 (if MSB=0) or 440 (if MSB=1).");
    EXPECT_EQ(GetOpcodeDescription(MCU.get(), 0x75, 0x12), "Set ROM page to 5.");
    EXPECT_EQ(GetOpcodeDescription(MCU.get(), 0x04, 0), "Clear bit #0 (xxx0) of RAM field denoted by DP.");
    EXPECT_EQ(GetOpcodeDescription(MCU.get(), 0x57, 0), "Skip next instruction if bit #3 (!xxx) of RAM field denoted by DP is 1.");
    EXPECT_EQ(GetOpcodeDescription(MCU.get(), 0x1E, 0),
              "Exchange accumulator with RAM field denoted by DP.\nXor DPH with 10.\nDecrement DPL.\nSkip next instruction if DPL was 0.");
    EXPECT_EQ(GetOpcodeDescription(MCU.get(), 0x62, 0),
              "Shift O register (O8->O7->...->O1->O0).\nCopy accumulator to O8.\nClear bit #3 (0xxx) of O8.");
    EXPECT_EQ(GetOpcodeDescription(MCU.get(), 0x47, 0), "Set DP to 0x39.\nSet RAM Bank Selector to 0.");
    EXPECT_EQ(GetOpcodeDescription(MCU.get(), 0x5E, 0x00),
              "Enter the Halt mode.\nWait until either T14=1, or K<>0.\nThen continue execution at 000.");
    EXPECT_EQ(GetOpcodeDescription(MCU.get(), 0x5E, 0x07), "");
    EXPECT_EQ(GetOpcodeDescription(MCU.get(), 0x81, 0),
              "Jump.\n- If not in subroutine, the target depends on values in MSB and Page registers.\n- Otherwise jump to step 3E "
              "within the current bank and page.");
    Options().UseLFSRAddressing = true;
    EXPECT_NE(GetOpcodeDescription(MCU.get(), 0x81, 0).find("jump to step 01 within"), std::string::npos);
    EXPECT_EQ(GetOpcodeDescription(nullptr, 0xC1, 0),
              "If not in subroutine, call a subroutine at 401.\nOtherwise jump to a branch within the current bank.");
    Options().UseLFSRAddressing = false;
    EXPECT_EQ(GetOpcodeLegendOpcodeText(0x5F, 0x12), "5F 12");
    EXPECT_EQ(GetOpcodeLegendOpcodeText(0x75, 0x12), "75");
    EXPECT_EQ(GetOpcodeLegendMnemonicText(0xE5, 0), "TRS / TRSA");
    EXPECT_EQ(GetOpcodeLegendMnemonicText(0x5E, 0x33), "???");
    UseMnemonics(2);
    EXPECT_EQ(GetOpcodeLegendMnemonicText(0xE5, 0), "CZP / CBR");
    EXPECT_EQ(GetOpcodeLegendMnemonicText(0x70, 0xC5), "CAL");
}

TEST(SevenSegmentTable, TextAndRowSelection) {
    const auto lines = SevenSegmentTableLines();
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0], " ---------------------------------------");
    EXPECT_EQ(lines[1], " | Acc |Digit|    TD=0    |    TD=1    |");
    EXPECT_EQ(lines[3], " |  0  |  0  |  E (1110)  |  B (1011)  |");
    EXPECT_EQ(lines[17], " |  E  |  \xCB\x87  |  2 (0010)  |  4 (0100)  |");
    EXPECT_EQ(lines[19], lines[0]);
    // Digits that share a code pair: the first row wins (C shows as 4, D as 5).
    auto rowOfAcc = [](int Acc) { return SevenSegmentTableRowForAcc(Acc) - 3; };
    EXPECT_EQ(SevenSegmentTableRowForAcc(-1), -1);
    EXPECT_EQ(rowOfAcc(0xC), 4);
    EXPECT_EQ(rowOfAcc(0xD), 5);
    EXPECT_EQ(rowOfAcc(9), 9);
    EXPECT_EQ(SevenSegmentTableRow(0xB, 0xE | 1, false), 3); // swapped halves, dot bit ignored
    EXPECT_EQ(SevenSegmentTableRow(-1, -1, true), -1);
    EXPECT_EQ(SevenSegmentTableRow(0x1, 0x1, true), -1);
    int start = 0, length = 0;
    EXPECT_FALSE(SevenSegmentTableSelection(-1, -1, true, start, length));
    ASSERT_TRUE(SevenSegmentTableSelection(0x2, 0xD, true, start, length));
    EXPECT_EQ(start, 7 * 40 + 7 * 2);
    EXPECT_EQ(length, 40);
    // Row F comes after the line with the non-ASCII glyph: offsets count characters.
    ASSERT_TRUE(SevenSegmentTableSelection(0x2, 0x0, true, start, length));
    EXPECT_EQ(start, 18 * 40 + 18 * 2);
    const std::string text = SevenSegmentTableText();
    EXPECT_EQ(text.substr(0, 42), lines[0] + "\r\n");
}

} // namespace
} // namespace tarvolin::test
