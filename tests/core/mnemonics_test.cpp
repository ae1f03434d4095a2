// The two mnemonic sets.
#include <gtest/gtest.h>

#include <map>

#include "disasm/mnemonics.h"

namespace tarvolin {
namespace {

class MnemonicsTest : public ::testing::Test {
protected:
    uint8_t Saved = ActiveMnemonicSet;
    void TearDown() override { ActiveMnemonicSet = Saved; }
};

TEST_F(MnemonicsTest, EveryOpcodeHasANameInBothSets) {
    for (int op = 0; op < 256; ++op)
        for (int ctx : {0, 1, 4, 0x7F, 0x80, 0xC0})
            for (bool sharp : {false, true}) {
                const char* n = MnemonicOf(uint8_t(op), uint8_t(ctx), sharp);
                ASSERT_NE(n, nullptr) << op;
                EXPECT_GE(std::string(n).size(), 2u) << op;
            }
}

TEST_F(MnemonicsTest, NamesOfBothSets) {
    struct TCase {
        uint8_t Op, Ctx;
        const char *KB, *Sharp;
    };
    const TCase cases[] = {
        {0x00, 0, "NOP", "SKIP"},  {0x07, 0, "BM0", "RM"},    {0x0D, 0, "BM1", "SM"},
        {0x10, 0, "XM", "EXC"},    {0x13, 0, "XE", "EXC"},    {0x14, 0, "XI", "EXCI"},
        {0x17, 0, "XEI", "EXCI"},  {0x18, 0, "LM", "LDA"},    {0x1B, 0, "LE", "LDA"},
        {0x1C, 0, "XD", "EXCD"},   {0x1D, 0, "XED", "EXCD"},  {0x2F, 0, "LC", "LAX"},
        {0x3A, 0, "A10", "ADX"},   {0x3B, 0, "AS", "ADX"},    {0x4E, 0, "LAS", "LB"},
        {0x50, 0, "SI1", "TA"},    {0x51, 0, "SI0", "TB"},    {0x55, 0, "SM1", "TM2"},
        {0x58, 0, "TIM", "TG"},    {0x5E, 0, "HLT", "CEND"},  {0x5E, 4, "LDF", "DTA"},
        {0x5E, 1, "???", "???"},   {0x5F, 0, "LAF", "LBL"},   {0x60, 0, "CTB", "COMCN"},
        {0x61, 0, "DAS", "PDTW"},  {0x69, 0, "LD0", "SMF"},   {0x6A, 0, "ICD", "KTA"},
        {0x6D, 0, "CMS", "COMCB"}, {0x6E, 0, "RT", "RTN"},    {0x6F, 0, "RTS", "RTNS"},
        {0x73, 0x7F, "LP", "SSR"}, {0x73, 0x80, "JMP", "TR"}, {0x73, 0xFF, "CAL", "TRS"},
        {0xBF, 0, "BR", "TR"},     {0xC0, 0, "CZP", "TRS"},   {0xFF, 1, "CBR", "TRSA"},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(MnemonicOf(c.Op, c.Ctx, false), c.KB) << int(c.Op);
        EXPECT_STREQ(MnemonicOf(c.Op, c.Ctx, true), c.Sharp) << int(c.Op);
    }
}

TEST_F(MnemonicsTest, PaddingDependsOnTheActiveSet) {
    ActiveMnemonicSet = 1;
    EXPECT_EQ(GetMnemonic(0x10, true, 0), "EXC  ");
    EXPECT_EQ(GetMnemonic(0x10, false, 0), "EXC");
    EXPECT_EQ(GetMnemonic(0x60, true, 0), "COMCN");
    ActiveMnemonicSet = 0;
    EXPECT_EQ(GetMnemonic(0x10, true, 0), "XM  ");
    EXPECT_EQ(GetMnemonic(0x17, true, 0), "XEI ");
    EXPECT_EQ(GetMnemonic(0x70, false, 0xC5), "CAL");
}

} // namespace
} // namespace tarvolin
