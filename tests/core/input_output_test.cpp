// The input matrix and the standard game control tables.
#include <set>

#include "core/errors.h"
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
