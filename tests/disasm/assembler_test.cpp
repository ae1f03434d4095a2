// The assembler: disassembled text assembles back to the same bytes, and bad sources are
// refused with the line and the reason.
#include <gtest/gtest.h>

#include <sstream>

#include "core/step_tables.h"
#include "disasm/assembler.h"
#include "disasm/disasm.h"
#include "disasm/listing.h"
#include "disasm_fixture.h"

namespace tarvolin::test {
namespace {

class AssemblerTest : public DisasmTest {};

struct TNotation {
    int Mnemonics; // 1 SHARP, 2 KB
    bool BankPageStep;
    bool StepCodes;
    bool Labels;
};

// Every opcode with every following byte that changes its meaning, at every kind of place:
// first and middle steps, step 62 (whose following byte is the fixed 80 of step 63), bank 0
// and bank 1, pages 13..15 of bank 0 (whose far targets have no bank-1 twin), page 12 of
// bank 1 (whose subroutine branches can point past the ROM), and step 63 itself.
TEST_F(AssemblerTest, DisassembledTextAssemblesBackToTheSameBytes) {
    const unsigned Places[] = {0x000, 0x005, 0x03E, 0x03F, 0x345, 0x3C5, 0x3FE, 0x405, 0x4C5, 0x705, 0x73E, 0x73F};
    const TNotation Notations[] = {
        {1, false, false, false}, {2, false, false, false}, {1, true, false, true}, {2, true, false, true},
        {1, false, true, true},   {2, true, true, false},   {1, true, true, false}, {2, false, true, true},
    };
    int checked = 0;
    for (const auto& n : Notations) {
        UseMnemonics(n.Mnemonics);
        Options().UseBankPageStepAddressNotation = n.BankPageStep;
        Options().UseLFSRAddressing = n.StepCodes;
        MCU->SetAddressLabel(0x400, n.Labels ? "sub entry" : "");
        MCU->SetAddressLabel(0x000, n.Labels ? "wake" : "");
        for (unsigned place : Places) {
            const bool step62 = (place & 0x3F) == 62, step63 = (place & 0x3F) == 63;
            for (int op = 0; op < 256; ++op) {
                if (step63 && op != 0x80) continue; // the fixed jump to step 0
                const bool twoByte = op == 0x5E || op == 0x5F || (op >= 0x70 && op <= 0x7F);
                for (int next = 0; next < 256; ++next) {
                    if (!twoByte && next != 0x00 && !(op >= 0x20 && op <= 0x2F && next == 0x21)) continue;
                    if (step62 && TSHARP_SM5A_MCU::GetOpcodeSize(op, next) == 2 && next != 0x80) continue;
                    if (op == 0x5E && next != 0x00 && next != 0x04) continue; // no instruction text
                    MCU->ROM[place] = static_cast<uint8_t>(op);
                    if (!step63) MCU->ROM[place + 1] = static_cast<uint8_t>(next);
                    std::string comment;
                    const std::string text = DisAsm(*MCU, static_cast<T11bits>(place), comment);
                    const std::string source = ".org " + AddrToStr(static_cast<T11bits>(place)) + "\n" + text + " ; " + comment + "\n";
                    SCOPED_TRACE(source);
                    TAssemblyResult r;
                    ASSERT_NO_THROW(r = Assemble(source, "rt.asm", {n.StepCodes}));
                    // The image as the chip would load the written file.
                    const TROM loaded = ReorderROMImage(r.ChipOrder);
                    const int size = TSHARP_SM5A_MCU::GetOpcodeSize(op, next);
                    const bool farJumpInOwnPage = n.Mnemonics == 1 && op >= 0x7D && op <= 0x7F && next >= 0x80 && next < 0xC0 &&
                                                  ((op & 0xF) << 6) == static_cast<int>(place & 0x7C0);
                    if (farJumpInOwnPage) {
                        // "TR 37E" in page 13 names the same target as the one-byte jump, which
                        // the assembler prefers.
                        EXPECT_EQ(loaded[place], 0x80 | (next & 0x3F));
                        continue;
                    }
                    ASSERT_EQ(loaded[place], op);
                    if (size == 2) {
                        ASSERT_EQ(loaded[place + 1], next);
                    }
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 8 * 9 * 4000);
}

TEST_F(AssemblerTest, ChipOrderIsTheInverseOfTheReordering) {
    TROM image{};
    for (int a = 0; a < ROMSize; ++a) image[a] = (a & 0x3F) == 63 ? 0x80 : static_cast<uint8_t>(a * 7 + 3);
    EXPECT_EQ(ReorderROMImage(ExecutionToChipOrder(image)), image);
}

TEST_F(AssemblerTest, LabelsOrgAndBytes) {
    UseMnemonics(1);
    const std::string src =
        "; a small program\n"
        "        .org 3C0\n"
        "start:  LAX   Acc,0x5      ; five\n"
        "        TRS   sub          ; one-byte call: sub is in bank 1 page 0\n"
        "        TR    start\n"
        "        TR    far          ; another page: the two-byte form\n"
        "        .org 1:0:03\n"
        "sub:    ADX Acc,1\n"
        "        RTN\n"
        "        .org 0C0\n"
        "far:    .byte 0x5E, $04, 9\n";
    const TAssemblyResult r = Assemble(src, "p.asm");
    const auto& e = r.ExecutionOrder;
    EXPECT_EQ(e[0x3C0], 0x25);
    EXPECT_EQ(e[0x3C1], 0xC0 | StepIndexToCode[3]);
    EXPECT_EQ(e[0x3C2], 0x80);
    EXPECT_EQ(e[0x3C3], 0x73);
    EXPECT_EQ(e[0x3C4], 0x80);
    EXPECT_EQ(e[0x403], 0x31);
    EXPECT_EQ(e[0x404], 0x6E);
    EXPECT_EQ(e[0x0C0], 0x5E);
    EXPECT_EQ(e[0x0C1], 0x04);
    EXPECT_EQ(e[0x0C2], 0x09);
    EXPECT_EQ(r.Labels.at("sub"), 0x403);
    EXPECT_EQ(r.Labels.at("far"), 0x0C0);
    // Unused bytes stay 00; the file is in chip order.
    EXPECT_EQ(r.ChipOrder[15 * 64 + StepIndexToCode[1]], 0xC0 | StepIndexToCode[3]);
    EXPECT_EQ(r.ChipOrder[15 * 64 + 63], 0x00);
    int used = 0;
    for (bool u : r.Used) used += u;
    EXPECT_EQ(used, 10);
}

TEST_F(AssemblerTest, EditorConventionsAreAccepted) {
    // Byte-order mark, CR LF line ends, tabs, lower case names and hex digits.
    const TAssemblyResult r = Assemble("\xEF\xBB\xBF.org 3c0\r\nstart:\tlax\tacc,0xe\r\n\tbr 3c0\r\n\tTR start", "c.asm");
    EXPECT_EQ(r.ExecutionOrder[0x3C0], 0x2E);
    EXPECT_EQ(r.ExecutionOrder[0x3C1], 0x80);
    EXPECT_EQ(r.ExecutionOrder[0x3C2], 0x80);
}

TEST_F(AssemblerTest, DPHToggleComesFromTheNote) {
    const TAssemblyResult r = Assemble(
        "EXC Acc,(DP)\n"
        "EXC Acc,(DP) ; Acc<->mem; xor DPH 10\n"
        "XE  Acc,(DP) ; xor DPH 11\n"
        "EXCD Acc,(DP) ; Acc<->mem; DPL--; xor DPH 01; skip next if DPL was 0\n"
        "LM  Acc,(DP)\n",
        "n.asm");
    EXPECT_EQ(r.ExecutionOrder[0], 0x10);
    EXPECT_EQ(r.ExecutionOrder[1], 0x12);
    EXPECT_EQ(r.ExecutionOrder[2], 0x13);
    EXPECT_EQ(r.ExecutionOrder[3], 0x1D);
    EXPECT_EQ(r.ExecutionOrder[4], 0x18);
}

// Each bad source is refused with its line number and a message naming the fault.
TEST_F(AssemblerTest, ErrorsNameTheLineAndTheFault) {
    UseMnemonics(1);
    struct TCase {
        const char* Source;
        const char* Expected;
    };
    const TCase Cases[] = {
        {"SKIP\nFOO Acc\n", "e.asm:2: unknown mnemonic FOO"},
        {".org 005\nBR 045\n", "e.asm:2: BR reaches its own page only"},
        {".org 005\nCZP 045\n", "e.asm:2: a one-byte call reaches bank 1 page 0 only"},
        {".org 405\nTRSA 0C5\n", "e.asm:2: target 0C5 cannot be reached by a subroutine branch"},
        {".org 03F\nLBL DP,0x12\n", "e.asm:2: a 2-byte instruction cannot stand at step 63"},
        {".org 03E\nLBL DP,0x12\n", "e.asm:2: step 63 (03F) holds the page's fixed jump to step 0: a 2-byte"},
        {".org 03E\nSKIP\nSKIP\n", "e.asm:3: step 63 (03F) holds the page's fixed jump to step 0: continue the code with .org"},
        {".org 010\nSKIP\nSKIP\n.org 011\nRC\n", "e.asm:5: overlaps the code of line 3 at 011"},
        {"TR nowhere\n", "e.asm:1: unknown label nowhere"},
        {"LAX Acc,0x10\n", "e.asm:1: bad operand \"Acc,0x10\" for LAX"},
        {"LB DP,0x15\n", "e.asm:1: LB can load DP with"},
        {"XE Acc,(DP)\n", "e.asm:1: XE needs its DPH toggle"},
        {"TR 03E / 43F\n", "e.asm:1: the two targets 03E and 43F"},
        {".org 3C5\nTRS 43E / TRSA 3C0\n", "e.asm:2: the two readings are different opcodes"},
        {".org 740\n", "e.asm:1: bad .org address"},
        {".org 73F\nTR 700\nSKIP\n", "e.asm:3: code runs past the end of the ROM"},
        {"a: SKIP\na: SKIP\n", "e.asm:2: label a is defined twice"},
        {".byte 0x100\n", "e.asm:1: bad byte value \"0x100\""},
        {".byte 1, 2,\n", "e.asm:1: bad byte value \"\""},
        {".org 705\nTRSA 77E\n", "e.asm:2: target 77E lies outside the ROM"},
        {".org 705\nTRS 422 / TRSA 77E\n", "e.asm:2: target 77E lies outside the ROM"},
        {".word 1\n", "e.asm:1: unknown directive .word"},
        {".byte 256\n", "e.asm:1: bad byte value \"256\""},
        {".byte $100\n", "e.asm:1: bad byte value \"$100\""},
        {".byte -1\n", "e.asm:1: bad byte value \"-1\""},
        {"sub: SKIP\nTR sub @ 005\n", "e.asm:2: label sub is at 000, not 005"},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.Source);
        try {
            Assemble(c.Source, "e.asm");
            ADD_FAILURE() << "no error";
        } catch (const EAssemblerError& e) {
            EXPECT_NE(std::string(e.what()).find(c.Expected), std::string::npos) << e.what();
            EXPECT_FALSE(e.Messages().empty());
        }
    }
}

TEST_F(AssemblerTest, AllErrorsAreReportedTogether) {
    try {
        Assemble("FOO\nSKIP\nBAR\n", "m.asm");
        FAIL();
    } catch (const EAssemblerError& e) {
        EXPECT_STREQ(e.what(), "m.asm:1: unknown mnemonic FOO\nm.asm:3: unknown mnemonic BAR");
    }
}

// User labels appear in the disassembled targets; one that reads like a mnemonic must not
// turn a far call's second target into a second reading.
TEST_F(AssemblerTest, LabelsThatLookLikeMnemonicsStayTargets) {
    UseMnemonics(1);
    const char* const Names[] = {"TR", "SKIP", "LAX", "CZP"};
    for (const char* name : Names) {
        SCOPED_TRACE(name);
        MCU->SetAddressLabel(0x4C5, name);
        Put(0x010, {0x73, 0xC0 | StepIndexToCode[5]});
        std::string comment;
        const std::string text = DisAsm(*MCU, 0x010, comment);
        ASSERT_EQ(text, std::string("TRS   0C5 / ") + name + " @ 4C5");
        const TAssemblyResult r = Assemble(".org 010\n" + text + "\n", "l.asm");
        EXPECT_EQ(r.ExecutionOrder[0x010], 0x73);
        EXPECT_EQ(r.ExecutionOrder[0x011], 0xC0 | StepIndexToCode[5]);
    }
}

TEST_F(AssemblerTest, LabelOnAnOrgLineNamesTheNewAddress) {
    UseMnemonics(1);
    const std::pair<const char*, T11bits> Cases[] = {
        {"top: .org 200\nSKIP\nTR top\n", 0x200},            // used before and after its line
        {".org 040\nSKIP\ntop: .org 3C5\nTR top\n", 0x3C5}, // not the address before the .org
        {"SKIP\n.org 1:3:05\ntop: .org 1:3:07\nSKIP\n", 0x4C7},
    };
    for (const auto& [Source, Expected] : Cases) {
        const TAssemblyResult r = Assemble(Source, "o.asm");
        EXPECT_EQ(r.Labels.at("top"), Expected) << Source;
    }
    EXPECT_EQ(Assemble("top: .org 200\nSKIP\nTR top\n", "o.asm").ExecutionOrder[0x201], 0x80 | StepIndexToCode[0]);
}

TEST_F(AssemblerTest, ByteValuesUpToTheirLimitInEveryNotation) {
    const TAssemblyResult r = Assemble(".org 010\n.byte 0, 255, 0xFF, $F, $0A, 9\n", "b.asm");
    const std::vector<uint8_t> Got(r.ExecutionOrder.begin() + 0x10, r.ExecutionOrder.begin() + 0x16);
    EXPECT_EQ(Got, (std::vector<uint8_t>{0, 255, 0xFF, 0x0F, 0x0A, 9}));
}

TEST_F(AssemblerTest, ForwardJumpTakesTheFormItsLabelNeeds) {
    UseMnemonics(1);
    // A label defined later decides between the one-byte jump (same page) and the far jump.
    const TAssemblyResult r = Assemble("TR near\nTR far\nnear: SKIP\n.org 040\nfar: SKIP\n", "g.asm");
    EXPECT_EQ(r.ExecutionOrder[0], 0x80 | StepIndexToCode[3]);
    EXPECT_EQ(r.ExecutionOrder[1], 0x71);
    EXPECT_EQ(r.ExecutionOrder[2], 0x80);
    EXPECT_EQ(r.Labels.at("near"), 3);
}

// Any text is either assembled or refused with EAssemblerError: garbage, cut and mutated
// instruction lines never crash it or escape as another exception.
TEST_F(AssemblerTest, ArbitraryTextIsAssembledOrRefused) {
    UseMnemonics(1);
    std::string listing;
    for (int op = 0; op < 256; ++op) {
        MCU->ROM[0x010] = static_cast<uint8_t>(op);
        MCU->ROM[0x011] = 0x85;
        std::string c;
        listing += DisAsm(*MCU, 0x010, c) + " ; " + c + "\n";
    }
    uint32_t seed = 12345;
    auto rnd = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    const std::string alphabet = " \t:;,/@.$#()+-'xX0123456789ABCDEFabcdefLRTSMKDPOacgko\n\r\x80\xFF";
    for (int round = 0; round < 3000; ++round) {
        std::string src;
        const size_t start = rnd() % listing.size();
        src = listing.substr(start, rnd() % 120);
        for (int k = rnd() % 6; k > 0; --k) {
            const size_t at = src.empty() ? 0 : rnd() % src.size();
            src.insert(at, 1, alphabet[rnd() % alphabet.size()]);
        }
        if (rnd() % 4 == 0) src = ".org " + std::to_string(rnd() % 2048) + "\n" + src;
        try {
            Assemble(src, "f.asm", {rnd() % 2 == 0});
        } catch (const EAssemblerError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("f.asm:", 0), 0u) << e.what();
        }
    }
}

// The forms the README documents and the disassembler writes: $ addresses, names in any
// script, and a listing exported by the debugger with its address and byte columns.
TEST_F(AssemblerTest, DollarAddressesUtf8NamesAndExportedListings) {
    UseMnemonics(1);
    const TAssemblyResult r = Assemble(".org $100\nстарт: LAX Acc,0x5\n        TR старт\n", "u.asm");
    EXPECT_EQ(r.Labels.at("старт"), 0x100);
    EXPECT_EQ(r.ExecutionOrder[0x100], 0x25);
    EXPECT_EQ(r.ExecutionOrder[0x101], 0x80 | StepIndexToCode[0]);

    // A program with labels and comments (one holding line breaks) is exported and read back.
    const TAssemblyResult Original = Assemble(
        ".org 3C0\nLAX Acc,0x5\nTRS sub\nTR 3C0\nTR 0C0\n.org 403\nsub: ADX Acc,1\nRTN\n", "o.asm");
    std::istringstream Rom(std::string(Original.ChipOrder.begin(), Original.ChipOrder.end()));
    MCU = TSHARP_SM5A_MCU::Class.Create(&Rom);
    UseMnemonics(1);
    MCU->SetAddressLabel(0x403, "sub\n.org 000");
    MCU->SetAddressComment(0x3C1, "call\r\nSKIP");
    for (bool Bps : {false, true}) {
        SCOPED_TRACE(Bps);
        Options().UseBankPageStepAddressNotation = Bps;
        TListing Listing;
        Listing.BuildDisAsmStrings(MCU.get());
        const std::string Text = Listing.ExportText(*MCU);
        EXPECT_EQ(Text.find("\n.org"), std::string::npos);
        EXPECT_EQ(Text.find("\nSKIP"), std::string::npos);
        EXPECT_NE(Text.find(";; call\\r\\nSKIP"), std::string::npos);
        EXPECT_EQ(Assemble(Text, "listing.txt").ChipOrder, Original.ChipOrder);
    }
}

// Error output stays bounded: a flood of errors is cut after the limit, terminal commands in
// the source are shown escaped, and code past the end never wraps round to address 0.
TEST_F(AssemblerTest, ErrorOutputIsBoundedAndEscaped) {
    std::string Flood;
    for (size_t i = 0; i < AssemblerErrorLimit + 50; ++i) Flood += "FOO\x1B[2J\n";
    try {
        Assemble(Flood, "f.asm");
        ADD_FAILURE() << "no error";
    } catch (const EAssemblerError& e) {
        const std::string What = e.what();
        EXPECT_EQ(e.Messages().size(), AssemblerErrorLimit);
        EXPECT_EQ(What.rfind("f.asm:1: unknown mnemonic FOO\\x1B[2J\n", 0), 0u);
        EXPECT_EQ(What.substr(What.rfind('\n') + 1), "... and 50 more errors");
        EXPECT_EQ(What.find('\x1B'), std::string::npos);
    }
    std::string Long;
    for (int i = 0; i < 70000; ++i) Long += ".byte 0x80\n";
    try {
        Assemble(Long, "l.asm");
        ADD_FAILURE() << "no error";
    } catch (const EAssemblerError& e) {
        EXPECT_STREQ(e.what(), "l.asm:1857: code runs past the end of the ROM (73F)");
    }
}

} // namespace
} // namespace tarvolin::test
