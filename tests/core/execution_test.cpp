// Instruction execution: every opcode family with its effect, skip and cycle count.
#include <functional>

#include "core/step_tables.h"
#include "mcu_test_support.h"

namespace tarvolin::test {
namespace {

constexpr unsigned Base = 0x3C0; // PC after reset: bank 0, page 15, step 0

struct TOpcodeCase {
    const char* Name;
    std::vector<uint8_t> Program; // placed at Base in execution order
    std::function<void(TSHARP_SM5A_MCU&)> Setup;
    uint64_t Cycles;
    unsigned PCAfter;
    std::function<void(const TSHARP_SM5A_MCU&)> Check;
};

void PrintTo(const TOpcodeCase& c, std::ostream* os) {
    *os << c.Name;
}

class OpcodeTest : public ::testing::TestWithParam<TOpcodeCase> {
protected:
    TCoreEnvironment Env;
};

TEST_P(OpcodeTest, ExecutesWithEffectSkipAndCycles) {
    const TOpcodeCase& c = GetParam();
    auto mcu = NewMCU();
    for (size_t i = 0; i < c.Program.size(); ++i)
        mcu->ROM[Base + i] = c.Program[i];
    if (c.Setup) c.Setup(*mcu);
    EXPECT_EQ(Step(*mcu), c.Cycles);
    EXPECT_EQ(mcu->PC, c.PCAfter);
    if (c.Check) c.Check(*mcu);
    // Registers keep their widths whatever the instruction did.
    EXPECT_LE(mcu->Acc, 15);
    EXPECT_LE(mcu->DP, 0x7F);
    for (auto v : mcu->RAM)
        EXPECT_LE(v, 15);
    for (auto v : mcu->O)
        EXPECT_LE(v, 15);
}

// clang-format off
using M = TSHARP_SM5A_MCU;
const unsigned Next = Base + 1, AfterSkip = Base + 2;

const TOpcodeCase RAMCases[] = {
    {"RM clears one bit", {0x05}, [](M& m) { m.DP = 0x12; m.RAM[0x12] = 0xF; }, 1, Next,
     [](const M& m) { EXPECT_EQ(m.RAM[0x12], 0xD); }},
    {"SM sets one bit", {0x0E}, [](M& m) { m.DP = 0x12; }, 1, Next, [](const M& m) { EXPECT_EQ(m.RAM[0x12], 4); }},
    {"ADD wraps and leaves Carry", {0x08}, [](M& m) { m.DP = 0x12; m.RAM[0x12] = 8; m.Acc = 9; m.Carry = true; },
     1, Next, [](const M& m) { EXPECT_EQ(m.Acc, 1); EXPECT_TRUE(m.Carry); }},
    {"ADDC with carry out skips", {0x09, 0x00}, [](M& m) { m.DP = 0x12; m.Acc = 0xF; m.Carry = true; }, 2,
     AfterSkip, [](const M& m) { EXPECT_EQ(m.Acc, 0); EXPECT_TRUE(m.Carry); }},
    {"ADDC without carry out", {0x09}, [](M& m) { m.DP = 0x12; m.RAM[0x12] = 4; m.Acc = 3; m.Carry = true; }, 1,
     Next, [](const M& m) { EXPECT_EQ(m.Acc, 8); EXPECT_FALSE(m.Carry); }},
    {"EXC exchanges and toggles DPH", {0x13}, [](M& m) { m.DP = 0x12; m.RAM[0x12] = 9; m.Acc = 5; }, 1, Next,
     [](const M& m) { EXPECT_EQ(m.Acc, 9); EXPECT_EQ(m.RAM[0x12], 5); EXPECT_EQ(m.DP, 0x22); }},
    {"EXCI at DPL 7 skips", {0x14, 0x00}, [](M& m) { m.DP = 0x17; m.RAM[0x17] = 2; m.Acc = 6; }, 2, AfterSkip,
     [](const M& m) { EXPECT_EQ(m.Acc, 2); EXPECT_EQ(m.RAM[0x17], 6); EXPECT_EQ(m.DP, 0x18); }},
    {"EXCI toggles DPH then increments DPL", {0x15}, [](M& m) { m.DP = 0x03; }, 1, Next,
     [](const M& m) { EXPECT_EQ(m.DP, 0x14); }},
    {"EXCI wraps DPL 15 to 0", {0x14}, [](M& m) { m.DP = 0x0F; }, 1, Next, [](const M& m) { EXPECT_EQ(m.DP, 0x00); }},
    {"LDA loads and toggles DPH", {0x1A}, [](M& m) { m.DP = 0x12; m.RAM[0x12] = 6; }, 1, Next,
     [](const M& m) { EXPECT_EQ(m.Acc, 6); EXPECT_EQ(m.DP, 0x32); }},
    {"EXCD at DPL 0 skips", {0x1C, 0x00}, [](M& m) { m.DP = 0x10; m.RAM[0x10] = 3; m.Acc = 1; }, 2, AfterSkip,
     [](const M& m) { EXPECT_EQ(m.DP, 0x1F); EXPECT_EQ(m.RAM[0x10], 1); EXPECT_EQ(m.Acc, 3); }},
    {"EXCD elsewhere", {0x1F}, [](M& m) { m.DP = 0x05; }, 1, Next, [](const M& m) { EXPECT_EQ(m.DP, 0x34); }},
    {"RAM bank selector picks row 4", {0x18}, [](M& m) { m.DP = 0x52; m.RAM[0x42] = 7; m.RAM[0x12] = 1; }, 1,
     Next, [](const M& m) { EXPECT_EQ(m.Acc, 7); }},
    {"column past 12 maps to 12", {0x0C}, [](M& m) { m.DP = 0x2F; }, 1, Next,
     [](const M& m) { EXPECT_EQ(m.RAM[0x2C], 1); EXPECT_EQ(m.RAM[0x2F], 0); }},
    {"TAM skips when equal", {0x53, 0x00}, [](M& m) { m.DP = 0x01; m.RAM[1] = 4; m.Acc = 4; }, 2, AfterSkip, {}},
    {"TAM runs on when different", {0x53}, [](M& m) { m.DP = 0x01; m.RAM[1] = 4; m.Acc = 5; }, 1, Next, {}},
    {"TM2 skips when the bit is set", {0x56, 0x00}, [](M& m) { m.DP = 0x01; m.RAM[1] = 4; }, 2, AfterSkip, {}},
    {"TM2 runs on when the bit is clear", {0x56}, [](M& m) { m.DP = 0x01; m.RAM[1] = 3; }, 1, Next, {}},
};

const TOpcodeCase RegisterCases[] = {
    {"SKIP does nothing", {0x00}, {}, 1, Next, [](const M& m) { EXPECT_EQ(m.Acc, 0); }},
    {"ATR copies Acc to R", {0x01}, [](M& m) { m.Acc = 0xB; }, 1, Next, [](const M& m) { EXPECT_EQ(m.IO.R, 0xB); }},
    {"SBM sets BS", {0x02}, [](M& m) { m.DP = 0x12; }, 1, Next, [](const M& m) { EXPECT_EQ(m.DP, 0x52); }},
    {"RBM clears BS", {0x6B}, [](M& m) { m.DP = 0x52; }, 1, Next, [](const M& m) { EXPECT_EQ(m.DP, 0x12); }},
    {"ATBP takes bit 3", {0x03}, [](M& m) { m.Acc = 8; }, 1, Next, [](const M& m) { EXPECT_TRUE(m.TD); }},
    {"ATBP clears TD", {0x03}, [](M& m) { m.Acc = 7; m.TD = true; }, 1, Next, [](const M& m) { EXPECT_FALSE(m.TD); }},
    {"COMA", {0x0A}, [](M& m) { m.Acc = 5; }, 1, Next, [](const M& m) { EXPECT_EQ(m.Acc, 0xA); }},
    {"EXBLA", {0x0B}, [](M& m) { m.Acc = 3; m.DP = 0x5A; }, 1, Next,
     [](const M& m) { EXPECT_EQ(m.Acc, 0xA); EXPECT_EQ(m.DP, 0x53); }},
    {"LAX loads", {0x25, 0x00}, {}, 1, Next, [](const M& m) { EXPECT_EQ(m.Acc, 5); }},
    {"LAX chain loads only the first", {0x20, 0x21, 0x22, 0x13}, [](M& m) { m.Acc = 9; }, 3, Base + 3,
     [](const M& m) { EXPECT_EQ(m.Acc, 0); }},
    {"ADX 10 never skips", {0x3A}, [](M& m) { m.Acc = 7; }, 1, Next, [](const M& m) { EXPECT_EQ(m.Acc, 1); }},
    {"ADX overflow skips", {0x39, 0x00}, [](M& m) { m.Acc = 7; }, 2, AfterSkip,
     [](const M& m) { EXPECT_EQ(m.Acc, 0); }},
    {"ADX without overflow", {0x33}, [](M& m) { m.Acc = 2; }, 1, Next, [](const M& m) { EXPECT_EQ(m.Acc, 5); }},
    {"LB row 0 column 9", {0x44}, [](M& m) { m.DP = 0x40; }, 1, Next, [](const M& m) { EXPECT_EQ(m.DP, 0x09); }},
    {"LB row 3 column B", {0x4F}, [](M& m) { m.DP = 0x7F; }, 1, Next, [](const M& m) { EXPECT_EQ(m.DP, 0x3B); }},
    {"LB column 0", {0x40}, [](M& m) { m.DP = 0x7F; }, 1, Next, [](const M& m) { EXPECT_EQ(m.DP, 0x00); }},
    {"LB row 2 column A", {0x4A}, {}, 1, Next, [](const M& m) { EXPECT_EQ(m.DP, 0x2A); }},
    {"TC skips when Carry is clear", {0x52, 0x00}, {}, 2, AfterSkip, {}},
    {"TC runs on when Carry is set", {0x52}, [](M& m) { m.Carry = true; }, 1, Next, {}},
    {"TG with the flag set clears it", {0x58}, {}, 1, Next, [](const M& m) { EXPECT_FALSE(m.OneSecond); }},
    {"TG with the flag clear skips", {0x58, 0x00}, [](M& m) { m.OneSecond = false; }, 2, AfterSkip, {}},
    {"TA0 skips on zero", {0x5A, 0x00}, {}, 2, AfterSkip, {}},
    {"TA0 runs on otherwise", {0x5A}, [](M& m) { m.Acc = 1; }, 1, Next, {}},
    {"TABL skips when Acc equals DPL", {0x5B, 0x00}, [](M& m) { m.Acc = 3; m.DP = 0x23; }, 2, AfterSkip, {}},
    {"TABL runs on otherwise", {0x5B}, [](M& m) { m.Acc = 3; m.DP = 0x32; }, 1, Next, {}},
    {"DTA loads the top of the timer", {0x5E, 0x04}, [](M& m) { m.T = 0x2C00; }, 2, AfterSkip,
     [](const M& m) { EXPECT_EQ(m.Acc, 0xB); EXPECT_FALSE(m.HaltMode); }},
    {"0x5E with another byte does nothing", {0x5E, 0x07}, [](M& m) { m.Acc = 2; }, 2, AfterSkip,
     [](const M& m) { EXPECT_EQ(m.Acc, 2); EXPECT_FALSE(m.HaltMode); }},
    {"LBL loads DP from the second byte", {0x5F, 0xA3}, {}, 2, AfterSkip, [](const M& m) { EXPECT_EQ(m.DP, 0x23); }},
    {"COMCN toggles TD", {0x60}, {}, 1, Next, [](const M& m) { EXPECT_TRUE(m.TD); }},
    {"INCB at 7 skips", {0x64, 0x00}, [](M& m) { m.DP = 0x27; }, 2, AfterSkip,
     [](const M& m) { EXPECT_EQ(m.DP, 0x28); }},
    {"INCB wraps 15 to 0", {0x64}, [](M& m) { m.DP = 0x4F; }, 1, Next, [](const M& m) { EXPECT_EQ(m.DP, 0x40); }},
    {"DECB at 0 skips and wraps", {0x6C, 0x00}, [](M& m) { m.DP = 0x30; }, 2, AfterSkip,
     [](const M& m) { EXPECT_EQ(m.DP, 0x3F); }},
    {"DECB elsewhere", {0x6C}, [](M& m) { m.DP = 0x35; }, 1, Next, [](const M& m) { EXPECT_EQ(m.DP, 0x34); }},
    {"IDIV clears the timer", {0x65}, [](M& m) { m.T = 0x1234; m.OneSecond = false; }, 1, Next,
     [](const M& m) { EXPECT_EQ(m.T, 1); EXPECT_TRUE(m.OneSecond); }},
    {"RC", {0x66}, [](M& m) { m.Carry = true; }, 1, Next, [](const M& m) { EXPECT_FALSE(m.Carry); }},
    {"SC", {0x67}, {}, 1, Next, [](const M& m) { EXPECT_TRUE(m.Carry); }},
    {"RMF", {0x68}, [](M& m) { m.Acc = 9; m.LD0 = true; }, 1, Next,
     [](const M& m) { EXPECT_EQ(m.Acc, 0); EXPECT_FALSE(m.LD0); }},
    {"SMF", {0x69}, {}, 1, Next, [](const M& m) { EXPECT_TRUE(m.LD0); }},
    {"COMCB toggles MSB", {0x6D}, {}, 1, Next, [](const M& m) { EXPECT_EQ(m.MSB, 1); }},
    {"KTA of the custom game reads every ground", {0x6A},
     [](M& m) { m.IO.FInputMatrix = {1, 2, 4, 8}; }, 1, Next, [](const M& m) { EXPECT_EQ(m.Acc, 0xF); }},
    {"TA skips when Alpha is not signalled", {0x50, 0x00}, {}, 2, AfterSkip, {}},
    {"TA runs on when Alpha is signalled", {0x50}, [](M& m) { m.IO.FAlpha = true; }, 1, Next, {}},
    {"TB skips when Beta is not signalled", {0x51, 0x00}, [](M& m) { m.IO.FAlpha = true; }, 2, AfterSkip, {}},
    {"TB runs on when Beta is signalled", {0x51}, [](M& m) { m.IO.FBeta = true; }, 1, Next, {}},
};

const TOpcodeCase LCDCases[] = {
    {"PTW copies O7 and O8", {0x59}, [](M& m) { m.O = {1, 2, 3, 4, 5, 6, 7, 8, 9}; }, 1, Next,
     [](const M& m) { EXPECT_EQ(m.O_, (TORegister{0, 0, 0, 0, 0, 0, 0, 8, 9})); }},
    {"TW copies O to O'", {0x5C}, [](M& m) { m.O = {1, 2, 3, 4, 5, 6, 7, 8, 9}; }, 1, Next,
     [](const M& m) { EXPECT_EQ(m.O_, m.O); }},
    {"DTW shifts and encodes with the dot", {0x5D},
     [](M& m) { m.O = {0, 1, 2, 3, 4, 5, 6, 7, 8}; m.Acc = 2; m.LD0 = true; }, 1, Next,
     [](const M& m) { EXPECT_EQ(m.O, (TORegister{1, 2, 3, 4, 5, 6, 7, 8, 0xD})); }},
    {"DTW with TD set ignores the dot", {0x5D}, [](M& m) { m.Acc = 3; m.TD = true; m.LD0 = true; }, 1, Next,
     [](const M& m) { EXPECT_EQ(m.O[8], 0xF); }},
    {"PDTW moves O8 to O7 and encodes", {0x61}, [](M& m) { m.O[8] = 6; m.O[6] = 5; m.Acc = 0; }, 1, Next,
     [](const M& m) { EXPECT_EQ(m.O[7], 6); EXPECT_EQ(m.O[8], 0xE); EXPECT_EQ(m.O[6], 5); }},
    {"WR shifts and keeps three bits", {0x62}, [](M& m) { m.O[8] = 4; m.Acc = 0xF; }, 1, Next,
     [](const M& m) { EXPECT_EQ(m.O[7], 4); EXPECT_EQ(m.O[8], 7); }},
    {"WS shifts and sets bit 3", {0x63}, [](M& m) { m.Acc = 2; }, 1, Next, [](const M& m) { EXPECT_EQ(m.O[8], 0xA); }},
};

const TOpcodeCase BranchCases[] = {
    {"page preset without jump", {0x75, 0x23}, {}, 2, Next,
     [](const M& m) { EXPECT_EQ(m.Page, 5); EXPECT_EQ(m.FPreviousOpcode, 0x75); EXPECT_EQ(m.Acc, 0); }},
    {"long jump uses MSB", {0x75, 0x81}, [](M& m) { m.MSB = 1; }, 2, 0x400u | (5 << 6) | CodeToStepIndex[1],
     [](const M& m) { EXPECT_EQ(m.FPreviousOpcode, 0x81); EXPECT_EQ(m.A, NoAddress); }},
    {"long call stores the address after both bytes", {0x72, 0xC1}, {}, 2, (2u << 6) | CodeToStepIndex[1],
     [](const M& m) { EXPECT_EQ(m.A, Base + 2); EXPECT_EQ(m.Page, 2); }},
    {"TR outside a subroutine uses MSB and Page", {0x81}, [](M& m) { m.MSB = 1; m.Page = 3; }, 1,
     0x400u | (3 << 6) | CodeToStepIndex[1], {}},
    {"TR inside a subroutine stays in the page", {0x81}, [](M& m) { m.A = 0x123; m.MSB = 1; m.Page = 3; }, 1,
     Base | CodeToStepIndex[1], [](const M& m) { EXPECT_EQ(m.A, 0x123); }},
    {"TRS calls into bank 1 page 0", {0x00, 0x00, 0x00, 0x00, 0x00, 0xC1}, [](M& m) { m.PC = Base + 5; }, 1,
     0x400u | CodeToStepIndex[1], [](const M& m) { EXPECT_EQ(m.A, Base + 6); }},
    {"TRS inside a subroutine jumps within four pages", {0xD5}, [](M& m) { m.A = 0x123; }, 1,
     0x300u | (1 << 6) | CodeToStepIndex[5], [](const M& m) { EXPECT_EQ(m.A, 0x123); }},
    {"RTN returns and restores Page", {0x6E}, [](M& m) { m.A = 0x149; }, 1, 0x149,
     [](const M& m) { EXPECT_EQ(m.A, NoAddress); EXPECT_EQ(m.Page, 5); }},
    {"RTNS skips the instruction at the return address", {0x6F, 0x00}, [](M& m) { m.A = Base + 1; }, 2,
     Base + 2, [](const M& m) { EXPECT_EQ(m.A, NoAddress); }},
    {"RTNS skips a two-byte instruction in one cycle", {0x6F, 0x5F, 0x12}, [](M& m) { m.A = Base + 1; }, 2,
     Base + 3, [](const M& m) { EXPECT_EQ(m.DP, 0); }},
    {"falling off the page runs the synthetic jump", {}, [](M& m) { m.PC = Base + 63; m.Page = 3; }, 1, 3u << 6, {}},
    {"a skipped CEND neither halts nor costs two cycles", {0x52, 0x5E, 0x00}, {}, 2, Base + 3,
     [](const M& m) { EXPECT_FALSE(m.HaltMode); }},
    {"a skip at the end of a page wraps within the page", {}, [](M& m) { m.PC = Base + 62; m.ROM[Base + 62] = 0x52; },
     2, Base, {}},
    {"a PC past the image runs a no-operation", {}, [](M& m) { m.PC = 1856; }, 1, 1857, {}},
};

// clang-format on

INSTANTIATE_TEST_SUITE_P(RAM, OpcodeTest, ::testing::ValuesIn(RAMCases));
INSTANTIATE_TEST_SUITE_P(Registers, OpcodeTest, ::testing::ValuesIn(RegisterCases));
INSTANTIATE_TEST_SUITE_P(LCD, OpcodeTest, ::testing::ValuesIn(LCDCases));
INSTANTIATE_TEST_SUITE_P(Branches, OpcodeTest, ::testing::ValuesIn(BranchCases));

class ExecutionTest : public ::testing::Test {
protected:
    TCoreEnvironment Env;
};

TEST_F(ExecutionTest, EveryOpcodeExecutesAndKeepsTheInvariants) {
    // Whatever the byte, one call executes it (or raises one of the emulator errors) and the
    // registers stay within their widths.
    for (int op = 0; op < 256; ++op) {
        for (int next : {0x00, 0x04, 0x7F, 0x80, 0xC5}) {
            auto mcu = NewMCU();
            Put(*mcu, Base, {uint8_t(op), uint8_t(next)});
            mcu->Acc = 0xF;
            mcu->DP = 0x7F;
            try {
                bool executed = false;
                const uint64_t cycles = Step(*mcu, nullptr, &executed);
                EXPECT_TRUE(executed) << op;
                // One cycle per instruction, two for 0x5E, 0x5F and 0x70..0x7F (with or without
                // a jump byte), and one more when the next instruction is skipped.
                const bool twoCycles = op == 0x5E || op == 0x5F || (op & 0xF0) == 0x70;
                const bool canSkip = op == 0x09 || (op >= 0x14 && op <= 0x17) || (op >= 0x1C && op <= 0x1F) ||
                                     (op & 0xF0) == 0x20 || ((op & 0xF0) == 0x30 && op != 0x3A) ||
                                     (op >= 0x50 && op <= 0x58) || op == 0x5A || op == 0x5B || op == 0x64 ||
                                     op == 0x6C;
                const uint64_t base = twoCycles ? 2 : 1;
                if (canSkip)
                    EXPECT_TRUE(cycles == base || cycles == base + 1) << op << "/" << next << ": " << cycles;
                else
                    EXPECT_EQ(cycles, base) << op << "/" << next;
            } catch (const EEmulatorError&) {
                EXPECT_TRUE(op == 0x6E || op == 0x6F) << op; // return outside a subroutine
            }
            EXPECT_LE(mcu->Acc, 15);
            EXPECT_LE(mcu->DP, 0x7F);
            EXPECT_LE(mcu->PC, 0x7FF);
            EXPECT_LE(mcu->Page, 15);
            EXPECT_LE(mcu->T, 0x3FFF);
        }
    }
}

TEST_F(ExecutionTest, OpcodeOutputsAndPreviousOpcode) {
    auto mcu = NewMCU();
    Put(*mcu, Base, {0x75, 0x23, 0x52, 0x00, 0x70, 0xC4});
    uint8_t op = 0;
    Step(*mcu, &op);
    EXPECT_EQ(op, 0x75);
    EXPECT_EQ(mcu->FPreviousOpcode, 0x75);
    Step(*mcu, &op); // LAX 3 after the page preset
    EXPECT_EQ(op, 0x23);
    EXPECT_EQ(mcu->Acc, 3);
    EXPECT_EQ(mcu->FPreviousOpcode, 0x23);
    Step(*mcu, &op); // TC skips the SKIP
    EXPECT_EQ(op, 0x52);
    EXPECT_EQ(mcu->FPreviousOpcode, 0) << "a skipped instruction leaves 0";
    Step(*mcu, &op); // long call reports its second byte
    EXPECT_EQ(op, 0xC4);
    EXPECT_EQ(mcu->FPreviousOpcode, 0xC4);
    uint8_t opcode = 0xAA, operand = 0xAA;
    mcu->PerformOneCycle(opcode, operand);
    EXPECT_EQ(opcode, 0x00);
    EXPECT_EQ(operand, mcu->ROM[mcu->PC]);
}

TEST_F(ExecutionTest, RAMCallbacksSeeAdjustedAddressesInOrder) {
    struct TLog {
        std::vector<std::string> Events;
    } log;
    auto mcu = NewMCU();
    mcu->OnReadMemory = {[](void* o, T7bits a, T4bits v) {
                             static_cast<TLog*>(o)->Events.push_back("R" + std::to_string(a) + "=" +
                                                                     std::to_string(v));
                         },
                         &log};
    mcu->OnWriteMemory = {[](void* o, T7bits a, T4bits n, T4bits p) {
                              static_cast<TLog*>(o)->Events.push_back("W" + std::to_string(a) + "=" +
                                                                      std::to_string(n) + "/" +
                                                                      std::to_string(p));
                          },
                          &log};
    Put(*mcu, Base, {0x10, 0x08, 0x05, 0x6A});
    mcu->DP = 0x5F; // maps to 0x4C
    mcu->RAM[0x4C] = 9;
    mcu->Acc = 3;
    Step(*mcu); // EXC: read, then write the old Acc
    Step(*mcu); // ADD: read only
    Step(*mcu); // RM: read, then write
    Step(*mcu); // KTA: no RAM access
    EXPECT_EQ(log.Events, (std::vector<std::string>{"R76=9", "W76=3/9", "R76=3", "R76=3", "W76=1/3"}));
}

TEST_F(ExecutionTest, ErrorsCarryTheirTextAndLeaveTheStateDescribed) {
    for (uint8_t set : {1, 0}) {
        SCOPED_TRACE(set);
        Options().InstructionMnemonics = set == 1 ? 1 : 2;
        auto mcu = NewMCU();
        EXPECT_EQ(ActiveMnemonicSet, set);

        // Return outside a subroutine: PC past the instruction, nothing else.
        Put(*mcu, Base, {0x6F});
        mcu->T = 100;
        EXPECT_EQ(StepError(*mcu), set ? "RTN/RTNS outside subroutine?" : "RT/RTS outside subroutine?");
        EXPECT_EQ(mcu->PC, Base + 1);
        EXPECT_EQ(mcu->T, 100) << "the rest of the cycle does not run";
        EXPECT_EQ(mcu->CycleCount, 0u);

        // Long jump inside a subroutine: Page set, PC past both bytes, no jump.
        mcu->Reset();
        Put(*mcu, Base, {0x74, 0x81});
        mcu->A = 0x100;
        EXPECT_EQ(StepError(*mcu), set ? "TR in subroutine?" : "JMP in subroutine?");
        EXPECT_EQ(mcu->Page, 4);
        EXPECT_EQ(mcu->PC, Base + 2);
        EXPECT_EQ(mcu->A, 0x100);

        mcu->Reset();
        Put(*mcu, Base, {0x74, 0xC1});
        mcu->A = 0x100;
        EXPECT_EQ(StepError(*mcu), set ? "TRS in subroutine?" : "CAL in subroutine?");
        EXPECT_EQ(mcu->PC, Base + 2);
        EXPECT_EQ(mcu->A, 0x100);

        // A call right after a page preset that had no jump byte (reached by a debugger PC write).
        mcu->Reset();
        Put(*mcu, Base, {0x75, 0x00, 0x00, 0x00, 0xC1});
        mcu->MSB = 1;
        Step(*mcu);
        mcu->PC = Base + 4;
        EXPECT_EQ(StepError(*mcu),
                  set ? "TRS: was previous SSR not processed?" : "CAL: was previous LP not processed?");
        EXPECT_EQ(mcu->A, Base + 5);
        EXPECT_EQ(mcu->PC, 0x400u | (5 << 6) | 5);
    }
}

TEST_F(ExecutionTest, UnwiredInputsStopGamesButNotTheCustomGame) {
    auto game = NewMCU<TTestGame>();
    Put(*game, Base, {0x6A, 0x50, 0x51});
    game->Acc = 7;
    EXPECT_EQ(StepError(*game), "Querying input for R2=0");
    EXPECT_EQ(game->Acc, 7) << "the instruction is abandoned";
    EXPECT_EQ(game->PC, Base + 1);
    EXPECT_EQ(StepError(*game), "Querying Alpha state");
    EXPECT_EQ(StepError(*game), "") << "Beta is wired";

    auto kb = NewMCU<TTestKBGame>();
    Put(*kb, Base, {0x6A});
    EXPECT_EQ(StepError(*kb), "Querying input for R1=0");

    auto custom = NewMCU();
    custom->IO.AlphaBeingQueried = false;
    custom->IO.SupportedGNDs = GNDSet(gndR4);
    custom->IO.FAlpha = true;
    Put(*custom, Base, {0x6A, 0x50, 0x00});
    EXPECT_EQ(StepError(*custom), "");
    EXPECT_EQ(Step(*custom), 2u) << "an unwired Alpha reads as not signalled";
}

TEST_F(ExecutionTest, KeyMatrixFollowsTheScanLines) {
    auto game = NewMCU<TTestGame>();
    Put(*game, Base, {0x6A, 0x6A});
    game->IO.FInputMatrix = {1, 2, 4, 8};
    game->IO.R = 0b0110; // R4 low only
    Step(*game);
    EXPECT_EQ(game->Acc, 2);
    game->IO.R = 0xF;
    Step(*game);
    EXPECT_EQ(game->Acc, 0) << "no direct ground in this game";
}

} // namespace
} // namespace tarvolin::test

namespace tarvolin::test {
namespace {

// The flags of the arithmetic instructions at their boundary values: for every opcode of
// each family, the last value that does not carry or skip and the first that does.
TEST_F(ExecutionTest, ArithmeticFlagsAtEveryBoundary) {
    struct TCase {
        uint8_t Op;
        unsigned Acc, Mem, DPL;
        bool CarryIn;
        unsigned AccAfter, DPLAfter;
        bool CarryAfter, Skips;
    };
    std::vector<TCase> Cases = {
        // ADD: Carry is neither read nor written.
        {0x08, 7, 8, 2, false, 15, 2, false, false}, {0x08, 8, 8, 2, false, 0, 2, false, false},
        {0x08, 8, 8, 2, true, 0, 2, true, false},    {0x08, 15, 0, 2, true, 15, 2, true, false},
        // ADDC: Carry and the skip when the sum passes 15.
        {0x09, 14, 0, 2, true, 15, 2, false, false}, {0x09, 15, 0, 2, true, 0, 2, true, true},
        {0x09, 7, 8, 2, false, 15, 2, false, false}, {0x09, 8, 8, 2, false, 0, 2, true, true},
        {0x09, 15, 15, 2, true, 15, 2, true, true},  {0x09, 0, 0, 2, true, 1, 2, false, false},
        // INCB skips when DPL was 7, DECB when it was 0; both wrap within 4 bits.
        {0x64, 0, 0, 6, false, 0, 7, false, false},  {0x64, 0, 0, 7, false, 0, 8, false, true},
        {0x64, 0, 0, 15, false, 0, 0, false, false}, {0x6C, 0, 0, 1, false, 0, 0, false, false},
        {0x6C, 0, 0, 0, false, 0, 15, false, true},  {0x6C, 0, 0, 8, false, 0, 7, false, false},
    };
    for (unsigned n = 0; n < 16; ++n) {
        // ADX n: the sum 15 never skips; the sum 16 skips except for ADX 10. Carry stays.
        const uint8_t op = static_cast<uint8_t>(0x30 + n);
        Cases.push_back({op, 15 - n, 0, 2, true, 15, 2, true, false});
        if (n > 0) Cases.push_back({op, 16 - n, 0, 2, false, 0, 2, false, n != 10});
    }
    for (unsigned k = 0; k < 4; ++k) {
        // EXCI / EXCD: Acc and RAM exchanged, the skip decided on DPL before the step.
        const uint8_t inc = static_cast<uint8_t>(0x14 + k), dec = static_cast<uint8_t>(0x1C + k);
        Cases.push_back({inc, 3, 9, 6, false, 9, 7, false, false});
        Cases.push_back({inc, 3, 9, 7, false, 9, 8, false, true});
        Cases.push_back({inc, 3, 9, 15, false, 9, 0, false, false});
        Cases.push_back({dec, 3, 9, 1, false, 9, 0, false, false});
        Cases.push_back({dec, 3, 9, 0, false, 9, 15, false, true});
        Cases.push_back({dec, 3, 9, 8, false, 9, 7, false, false});
    }
    for (const TCase& c : Cases) {
        SCOPED_TRACE(testing::Message() << "opcode " << std::hex << unsigned(c.Op) << " Acc " << c.Acc << " M " << c.Mem
                                        << " DPL " << c.DPL << " Carry " << c.CarryIn);
        auto mcu = NewMCU();
        Put(*mcu, Base, {c.Op, 0x00});
        mcu->DP = static_cast<T7bits>(0x10 | c.DPL);
        mcu->RAM[0x10 | (c.DPL > 12 ? 12 : c.DPL)] = static_cast<T4bits>(c.Mem);
        mcu->Acc = static_cast<T4bits>(c.Acc);
        mcu->Carry = c.CarryIn;
        Step(*mcu);
        EXPECT_EQ(mcu->Acc, c.AccAfter);
        EXPECT_EQ(mcu->Carry, c.CarryAfter);
        EXPECT_EQ(mcu->DP & 0x0F, c.DPLAfter);
        EXPECT_EQ(mcu->PC, c.Skips ? Base + 2 : Base + 1);
    }
}

} // namespace
} // namespace tarvolin::test
