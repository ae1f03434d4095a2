// The input matrix and the standard game control tables.
#include <set>

#include "base/errors.h"
#include "core/input_output.h"
#include "mcu_test_support.h"

namespace tarvolin::test {
namespace {

const TLabelingNumbers SharpLabels{"1", "2", "3", "4"};

struct TKCase {
    const char* Name;
    TInputGNDs Supported;
    T4bits R;
    T4bits Expected;
    const char* Error; // raised when errors are not suppressed, or nullptr
};

TEST(InputOutputTest, GetKFollowsGroundsAndScanLines) {
    const TKCase cases[] = {
        {"direct only ignores R", GNDSet(gndDirect), 0x0, 0x1, nullptr},
        {"direct only with R high", GNDSet(gndDirect), 0xF, 0x1, nullptr},
        {"R4 and R3 with R4 low", GNDSet(gndR4) | GNDSet(gndR3), 0b0110, 0x2, nullptr},
        {"R4 and R3 with R = 0 stops at R2", GNDSet(gndR4) | GNDSet(gndR3), 0x0, 0x6,
         "Querying input for R2=0"},
        {"R high gives direct inputs only", AllGNDs, 0xF, 0x1, nullptr},
        {"R high without direct ground", GNDSet(gndR4) | GNDSet(gndR2), 0xF, 0x0, nullptr},
        {"all grounds with R = 0", AllGNDs, 0x0, 0xF, nullptr},
        {"R1 never selects", GNDSet(gndDirect) | GNDSet(gndR2), 0b1100, 0x9, nullptr},
        {"unwired R3 low", GNDSet(gndDirect) | GNDSet(gndR4), 0b0010, 0x3, "Querying input for R3=0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TInputOutput io;
        io.FInputMatrix = {0x1, 0x2, 0x4, 0x8};
        io.SupportedGNDs = c.Supported;
        io.R = c.R;
        EXPECT_EQ(io.GetK(SharpLabels, true), c.Expected);
        if (c.Error) {
            try {
                io.GetK(SharpLabels, false);
                ADD_FAILURE() << "no error";
            } catch (const EEmulatorError& e) {
                EXPECT_STREQ(e.what(), c.Error);
            }
        } else {
            EXPECT_EQ(io.GetK(SharpLabels, false), c.Expected);
        }
    }
}

TEST(InputOutputTest, AlphaBetaAndAnyInput) {
    TInputOutput io;
    io.SupportedGNDs = GNDSet(gndDirect);
    EXPECT_FALSE(io.IsAnyInput(SharpLabels, false));
    io.FBeta = true;
    EXPECT_TRUE(io.IsAnyInput(SharpLabels, false));
    io.BetaBeingQueried = false;
    EXPECT_FALSE(io.IsAnyInput(SharpLabels, false)) << "a pressed Beta the game does not wire is ignored";
    EXPECT_FALSE(io.BetaIsSignaled(true));
    EXPECT_THROW(
        {
            try {
                io.BetaIsSignaled(false);
            } catch (const EEmulatorError& e) {
                EXPECT_STREQ(e.what(), "Querying Beta state");
                throw;
            }
        },
        EEmulatorError);
    io.AlphaBeingQueried = false;
    io.FAlpha = true;
    EXPECT_FALSE(io.AlphaIsSignaled(true));
    try {
        io.AlphaIsSignaled(false);
        ADD_FAILURE();
    } catch (const EEmulatorError& e) {
        EXPECT_STREQ(e.what(), "Querying Alpha state");
    }
    EXPECT_FALSE(io.IsAnyInput(SharpLabels, false));
    io.FInputMatrix[gndDirect] = 4;
    EXPECT_TRUE(io.IsAnyInput(SharpLabels, false));
    io.Reset();
    EXPECT_EQ(io.FInputMatrix[gndDirect], 4);
}

TEST(InputOutputTest, GroundAndPinCombinations) {
    for (int g = gndDirect; g <= gndR2; ++g)
        for (int p = aipK4; p <= aipACL; ++p)
            EXPECT_EQ(IsValidGndPinCombination(TInputGND(g), TGameControlAssociatedInputPin(p)),
                      g == gndDirect || p <= aipK1)
                << g << "," << p;
    EXPECT_NO_THROW(CheckGndPinCombination(gndR2, aipK1));
    try {
        CheckGndPinCombination(gndR3, aipAlpha);
        ADD_FAILURE();
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "Invalid combination of Gnd (2) and AssociatedInputPin (4).");
    }
}

TEST(StandardControlsTest, TablesHoldTheirControlsInOrder) {
    const std::vector<std::vector<std::string>> captions = {
        {"f", "g", "A", "B", "T", "P"},
        {"f", "g", "A", "B", "T", "P", "%"},
        {"f", "g", "A", "B", "T", "%", "P"},
        {"j", "l", "k", "m", "A", "B", "T", "P", "%"},
        {"j", "l", "k", "m", "A", "B", "T", "%", "P"},
        {"f", "g", "\xD0\x90", "\xD0\x91", "\xD0\xB2", "\xE2\x99\xAB", "P"},
        {"j", "l", "k", "m", "\xD0\x90", "\xD0\x91", "\xD0\xB2", "%", "P"},
    };
    for (int t = 1; t <= 7; ++t) {
        const auto& table = StandardGameControls(t);
        ASSERT_EQ(table.size(), captions[t - 1].size()) << t;
        std::set<std::pair<int, int>> inputs;
        for (size_t i = 0; i < table.size(); ++i) {
            const TGameControlDef& d = table[i];
            EXPECT_EQ(d.FCaption, captions[t - 1][i]) << t << "/" << i;
            EXPECT_TRUE(IsValidGndPinCombination(d.FGnd, d.FAssociatedInputPin));
            EXPECT_FALSE(d.FVirtualKeyCodes.empty());
            EXPECT_EQ(d.FAssociatedObj, nullptr);
            EXPECT_TRUE(inputs.insert({d.FGnd, d.FAssociatedInputPin}).second)
                << "one control per input line";
        }
    }
    EXPECT_EQ(&StandardGameControls(3), &StandardGameControls(3)) << "built once and shared";
    EXPECT_THROW(StandardGameControls(0), std::out_of_range);
    EXPECT_THROW(StandardGameControls(8), std::out_of_range);
}

TEST(StandardControlsTest, RowsCarryPositionsFontsAndKeys) {
    const TGameControlDef& l1 = StandardGameControls(1)[0];
    EXPECT_EQ(l1.FOrigin, (TPoint{24, 64}));
    EXPECT_EQ(l1.FSize, (TSize{25, 25}));
    EXPECT_EQ(l1.FFontName, "Wingdings 3");
    EXPECT_EQ(l1.FFontSize, 13);
    EXPECT_EQ(l1.FGnd, gndDirect);
    EXPECT_EQ(l1.FAssociatedInputPin, aipBeta);
    EXPECT_EQ(l1.FVirtualKeyCodes, (std::vector<uint16_t>{VK_LEFT}));

    const TGameControlDef& l3 = StandardGameControls(3)[0];
    EXPECT_EQ(l3.FAssociatedInputPin, aipAlpha) << "the left button of table 3 is Alpha";
    EXPECT_EQ(l3.FOrigin, (TPoint{24, 96}));

    const TGameControlDef& gb2 = StandardGameControls(2)[3];
    EXPECT_EQ(gb2.FGnd, gndR4);
    EXPECT_EQ(gb2.FAssociatedInputPin, aipK2);
    EXPECT_EQ(gb2.FFontName, "");
    EXPECT_EQ(gb2.FFontSize, 0);
    EXPECT_EQ(gb2.FVirtualKeyCodes, (std::vector<uint16_t>{'2', 'B'}));

    const TGameControlDef& rd4 = StandardGameControls(4)[3];
    EXPECT_EQ(rd4.FOrigin, (TPoint{96, 64}));
    EXPECT_EQ(rd4.FGnd, gndR3);
    EXPECT_EQ(rd4.FAssociatedInputPin, aipK1);
    EXPECT_EQ(rd4.FVirtualKeyCodes, (std::vector<uint16_t>{'K'}));

    const TGameControlDef& al6 = StandardGameControls(6)[5];
    EXPECT_EQ(al6.FFontName, "Arial");
    EXPECT_EQ(al6.FFontSize, 11);
    EXPECT_EQ(al6.FOrigin, (TPoint{104, 16}));
    const TGameControlDef& ga6 = StandardGameControls(6)[2];
    EXPECT_EQ(ga6.FFontName, "Tahoma");
    EXPECT_EQ(ga6.FFontSize, 0);

    const TGameControlDef& ac3 = StandardGameControls(5)[8];
    EXPECT_EQ(ac3.FAssociatedInputPin, aipACL);
    EXPECT_EQ(ac3.FOrigin, (TPoint{104, 32}));
    EXPECT_EQ(ac3.FVirtualKeyCodes, (std::vector<uint16_t>{'9'}));
}

// Every row of every standard table, field by field, in the tables' order.
TEST(StandardControlsTest, EveryCellOfTheSevenTables) {
    struct TRow {
        int X, Y, CX, CY;
        const char* Caption;
        const char* Font;
        int FontSize;
        TInputGND Gnd;
        TGameControlAssociatedInputPin Pin;
        std::vector<uint16_t> Keys;
    };
    const char* const W3 = "Wingdings 3";
    const char* const Wd = "Wingdings";
    const TRow L1{24, 64, 25, 25, "f", W3, 13, gndDirect, aipBeta, {0x25}};
    const TRow R1{96, 64, 25, 25, "g", W3, 13, gndDirect, aipAlpha, {0x27}};
    const TRow GA1{72, 96, 25, 17, "A", "", 0, gndDirect, aipK3, {'1', 'A'}};
    const TRow GB1{96, 96, 25, 17, "B", "", 0, gndDirect, aipK2, {'2', 'B'}};
    const TRow TM1{120, 96, 25, 17, "T", "", 0, gndDirect, aipK1, {'5', 'T'}};
    const TRow AC1{7, 96, 25, 17, "P", W3, 13, gndDirect, aipACL, {'9'}};
    const TRow GA2{72, 96, 25, 17, "A", "", 0, gndR4, aipK3, {'1', 'A'}};
    const TRow GB2{96, 96, 25, 17, "B", "", 0, gndR4, aipK2, {'2', 'B'}};
    const TRow TM2{120, 96, 25, 17, "T", "", 0, gndR4, aipK1, {'5', 'T'}};
    const TRow AL2{32, 96, 25, 17, "%", Wd, 12, gndR4, aipK4, {'0', 'L'}};
    const TRow L3{24, 96, 25, 25, "f", W3, 13, gndDirect, aipAlpha, {0x25}};
    const TRow R3{64, 96, 25, 25, "g", W3, 13, gndDirect, aipBeta, {0x27}};
    const TRow GA3{64, 8, 25, 17, "A", "", 0, gndR4, aipK3, {'1', 'A'}};
    const TRow GB3{64, 24, 25, 17, "B", "", 0, gndR4, aipK2, {'2', 'B'}};
    const TRow TM3{64, 40, 25, 17, "T", "", 0, gndR4, aipK1, {'5', 'T'}};
    const TRow AL3{104, 16, 25, 17, "%", Wd, 12, gndR4, aipK4, {'0', 'L'}};
    const TRow AC3{104, 32, 25, 17, "P", W3, 13, gndDirect, aipACL, {'9'}};
    const TRow LU4{24, 39, 25, 25, "j", W3, 13, gndR3, aipK4, {'W'}};
    const TRow LD4{24, 64, 25, 25, "l", W3, 13, gndR3, aipK3, {'S'}};
    const TRow RU4{96, 39, 25, 25, "k", W3, 13, gndR3, aipK2, {'O'}};
    const TRow RD4{96, 64, 25, 25, "m", W3, 13, gndR3, aipK1, {'K'}};
    const TRow LU5{24, 72, 25, 25, "j", W3, 13, gndR3, aipK4, {'W'}};
    const TRow LD5{24, 96, 25, 25, "l", W3, 13, gndR3, aipK3, {'S'}};
    const TRow RU5{64, 72, 25, 25, "k", W3, 13, gndR3, aipK2, {'O'}};
    const TRow RD5{64, 96, 25, 25, "m", W3, 13, gndR3, aipK1, {'K'}};
    const TRow GA6{64, 8, 25, 17, "\u0410", "Tahoma", 0, gndR4, aipK3, {'1', 'A'}};
    const TRow GB6{64, 24, 25, 17, "\u0411", "Tahoma", 0, gndR4, aipK2, {'2', 'B'}};
    const TRow TM6{64, 40, 25, 17, "\u0432", "Tahoma", 0, gndR4, aipK1, {'5', 'T'}};
    const TRow AL6{104, 16, 25, 17, "\u266B", "Arial", 11, gndR4, aipK4, {'0', 'L'}};
    const std::vector<std::vector<const TRow*>> tables = {
        {&L1, &R1, &GA1, &GB1, &TM1, &AC1},
        {&L1, &R1, &GA2, &GB2, &TM2, &AC1, &AL2},
        {&L3, &R3, &GA3, &GB3, &TM3, &AL3, &AC3},
        {&LU4, &LD4, &RU4, &RD4, &GA2, &GB2, &TM2, &AC1, &AL2},
        {&LU5, &LD5, &RU5, &RD5, &GA3, &GB3, &TM3, &AL3, &AC3},
        {&L3, &R3, &GA6, &GB6, &TM6, &AL6, &AC3},
        {&LU5, &LD5, &RU5, &RD5, &GA6, &GB6, &TM6, &AL3, &AC3},
    };
    for (int t = 1; t <= 7; ++t) {
        const auto& table = StandardGameControls(t);
        ASSERT_EQ(table.size(), tables[t - 1].size()) << t;
        for (size_t i = 0; i < table.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "table " << t << " row " << i);
            const TRow& want = *tables[t - 1][i];
            const TGameControlDef& got = table[i];
            EXPECT_EQ(got.FOrigin, (TPoint{want.X, want.Y}));
            EXPECT_EQ(got.FSize, (TSize{want.CX, want.CY}));
            EXPECT_EQ(got.FCaption, want.Caption);
            EXPECT_EQ(got.FFontName, want.Font);
            EXPECT_EQ(got.FFontSize, want.FontSize);
            EXPECT_EQ(got.FGnd, want.Gnd);
            EXPECT_EQ(got.FAssociatedInputPin, want.Pin);
            EXPECT_EQ(got.FVirtualKeyCodes, want.Keys);
        }
    }
}

TEST(InputOutputTest, MCUReadsInputsWithItsChipLabels) {
    TCoreEnvironment env;
    auto custom = NewMCU();
    custom->IO.FInputMatrix = {1, 2, 4, 8};
    Put(*custom, 0x3C0, {0x6A});
    Step(*custom);
    EXPECT_EQ(custom->Acc, 0xF) << "a custom game with R = 0 reads every ground";
}

} // namespace
} // namespace tarvolin::test
