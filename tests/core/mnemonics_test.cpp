// The two mnemonic sets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "core/mnemonics.h"

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

// The whole table, opcode by opcode: each row covers an opcode range (and, where the name
// depends on it, a range of the context byte) with its KB1013VK1-2 and SHARP SM-5A names.
TEST_F(MnemonicsTest, FullTableInBothSets) {
    struct TRow {
        int Lo, Hi;       // opcodes
        int CtxLo, CtxHi; // context bytes the row applies to
        const char *KB, *Sharp;
    };
    const TRow rows[] = {
        {0x00, 0x00, 0, 255, "NOP", "SKIP"},     {0x01, 0x01, 0, 255, "OAR", "ATR"},
        {0x02, 0x02, 0, 255, "BS1", "SBM"},      {0x03, 0x03, 0, 255, "EN", "ATBP"},
        {0x04, 0x07, 0, 255, "BM0", "RM"},       {0x08, 0x08, 0, 255, "AM", "ADD"},
        {0x09, 0x09, 0, 255, "AC", "ADDC"},      {0x0A, 0x0A, 0, 255, "COM", "COMA"},
        {0x0B, 0x0B, 0, 255, "XL", "EXBLA"},     {0x0C, 0x0F, 0, 255, "BM1", "SM"},
        {0x10, 0x10, 0, 255, "XM", "EXC"},       {0x11, 0x13, 0, 255, "XE", "EXC"},
        {0x14, 0x14, 0, 255, "XI", "EXCI"},      {0x15, 0x17, 0, 255, "XEI", "EXCI"},
        {0x18, 0x18, 0, 255, "LM", "LDA"},       {0x19, 0x1B, 0, 255, "LE", "LDA"},
        {0x1C, 0x1C, 0, 255, "XD", "EXCD"},      {0x1D, 0x1F, 0, 255, "XED", "EXCD"},
        {0x20, 0x2F, 0, 255, "LC", "LAX"},       {0x30, 0x39, 0, 255, "AS", "ADX"},
        {0x3A, 0x3A, 0, 255, "A10", "ADX"},      {0x3B, 0x3F, 0, 255, "AS", "ADX"},
        {0x40, 0x4F, 0, 255, "LAS", "LB"},       {0x50, 0x50, 0, 255, "SI1", "TA"},
        {0x51, 0x51, 0, 255, "SI0", "TB"},       {0x52, 0x52, 0, 255, "SC0", "TC"},
        {0x53, 0x53, 0, 255, "SAM", "TAM"},      {0x54, 0x57, 0, 255, "SM1", "TM2"},
        {0x58, 0x58, 0, 255, "TIM", "TG"},       {0x59, 0x59, 0, 255, "ABS", "PTW"},
        {0x5A, 0x5A, 0, 255, "SA0", "TA0"},      {0x5B, 0x5B, 0, 255, "SAL", "TABL"},
        {0x5C, 0x5C, 0, 255, "ABF", "TW"},       {0x5D, 0x5D, 0, 255, "DAF", "DTW"},
        {0x5E, 0x5E, 0x00, 0x00, "HLT", "CEND"}, {0x5E, 0x5E, 0x01, 0x03, "???", "???"},
        {0x5E, 0x5E, 0x04, 0x04, "LDF", "DTA"},  {0x5E, 0x5E, 0x05, 0xFF, "???", "???"},
        {0x5F, 0x5F, 0, 255, "LAF", "LBL"},      {0x60, 0x60, 0, 255, "CTB", "COMCN"},
        {0x61, 0x61, 0, 255, "DAS", "PDTW"},     {0x62, 0x62, 0, 255, "OA0", "WR"},
        {0x63, 0x63, 0, 255, "OA1", "WS"},       {0x64, 0x64, 0, 255, "INC", "INCB"},
        {0x65, 0x65, 0, 255, "SYN", "IDIV"},     {0x66, 0x66, 0, 255, "CLC", "RC"},
        {0x67, 0x67, 0, 255, "STC", "SC"},       {0x68, 0x68, 0, 255, "CLL", "RMF"},
        {0x69, 0x69, 0, 255, "LD0", "SMF"},      {0x6A, 0x6A, 0, 255, "ICD", "KTA"},
        {0x6B, 0x6B, 0, 255, "BS0", "RBM"},      {0x6C, 0x6C, 0, 255, "DEC", "DECB"},
        {0x6D, 0x6D, 0, 255, "CMS", "COMCB"},    {0x6E, 0x6E, 0, 255, "RT", "RTN"},
        {0x6F, 0x6F, 0, 255, "RTS", "RTNS"},     {0x70, 0x7F, 0x00, 0x7F, "LP", "SSR"},
        {0x70, 0x7F, 0x80, 0xBF, "JMP", "TR"},   {0x70, 0x7F, 0xC0, 0xFF, "CAL", "TRS"},
        {0x80, 0xBF, 0, 255, "BR", "TR"},        {0xC0, 0xFF, 0, 0, "CZP", "TRS"},
        {0xC0, 0xFF, 1, 1, "CBR", "TRSA"},
    };
    int covered[256][256] = {};
    for (const TRow& r : rows)
        for (int op = r.Lo; op <= r.Hi; ++op)
            for (int ctx = r.CtxLo; ctx <= r.CtxHi; ++ctx) {
                ++covered[op][ctx];
                ASSERT_STREQ(MnemonicOf(uint8_t(op), uint8_t(ctx), false), r.KB) << op << "/" << ctx;
                ASSERT_STREQ(MnemonicOf(uint8_t(op), uint8_t(ctx), true), r.Sharp) << op << "/" << ctx;
                // The active set picks the same names; padded, they fill 4 (KB) or 5 (SHARP) columns.
                ActiveMnemonicSet = 0;
                const std::string kb = GetMnemonic(uint8_t(op), true, uint8_t(ctx));
                EXPECT_EQ(kb, (r.KB + std::string(4, ' ')).substr(0, std::max<size_t>(4, strlen(r.KB))));
                EXPECT_EQ(GetMnemonic(uint8_t(op), false, uint8_t(ctx)), r.KB);
                ActiveMnemonicSet = 1;
                const std::string sharp = GetMnemonic(uint8_t(op), true, uint8_t(ctx));
                EXPECT_EQ(sharp,
                          (r.Sharp + std::string(5, ' ')).substr(0, std::max<size_t>(5, strlen(r.Sharp))));
                EXPECT_EQ(GetMnemonic(uint8_t(op), false, uint8_t(ctx)), r.Sharp);
            }
    // Every opcode is named for every context byte its name can depend on, and exactly once.
    for (int op = 0; op < 256; ++op) {
        for (int ctx = 0; ctx < 256; ++ctx) {
            if (op < 0xC0 || ctx < 2) {
                ASSERT_EQ(covered[op][ctx], 1) << op << "/" << ctx;
            }
        }
    }
}

} // namespace
} // namespace tarvolin
