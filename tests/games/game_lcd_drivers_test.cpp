// The game LCD drivers: wiring, pad records, common pads and the class tree.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "games/game_catalogue.h"
#include "games/game_classes.h"
#include "games/game_lcd_drivers.h"
#include "games/lcd_wirings.h"
#include "lcd/lcd_driver.h"

using namespace tarvolin;

namespace {

std::unique_ptr<TLCDDriver> Create(const TLCDDriverClass& Class, const TChipVariant& Chip = SHARP_SM5A_Chip) {
    return Class.Create(Chip.COMtoMCUpin, Chip.ObitToMCUpin);
}

struct TDriverRow {
    const char* Class;
    const char* Parent; // "" = TLCDDriver
    const char* Resource;
    std::vector<std::pair<int, int>> COM0; // pad, position
    std::vector<std::pair<int, int>> COM1;
    std::pair<int, int> Twins; // 0, 0 = none
    bool Confirmed;
    size_t SegmentPads;
};

// The driver table of the catalogue.
const std::vector<TDriverRow>& DriverRows() {
    static const std::vector<TDriverRow> Rows = {
        {"TAC01LCDDriver", "", "AC01_LCD", {{1, -1}, {19, 27}}, {{18, -27}, {42, 1}}, {0, 0}, false, 38},
        {"TFL02LCDDriver", "", "FL02_LCD", {{1, 26}}, {{25, 1}}, {0, 0}, false, 23},
        {"TMT03LCDDriver", "", "MT03_LCD", {{1, -1}, {22, 27}}, {{21, -27}, {40, 1}}, {0, 0}, false, 36},
        {"TRC04LCDDriver", "", "RC04_LCD", {{1, -1}, {12, 27}}, {{11, -27}, {34, 1}}, {0, 0}, false, 30},
        {"TIP05LCDDriver", "", "IP05_LCD", {{12, -27}, {39, 1}}, {{1, -1}, {13, 27}}, {0, 0}, false, 35},
        {"TMH06LCDDriver", "", "MH06_LCD", {{1, -1}, {14, 27}}, {{13, -27}, {36, 1}}, {0, 0}, false, 32},
        {"TCN07LCDDriver", "", "CN07_LCD", {{1, -1}, {16, 27}}, {{15, -27}, {40, 1}}, {0, 0}, false, 36},
        {"TLN08LCDDriver", "", "LN08_LCD", {{1, -1}, {15, 27}}, {{14, -27}, {36, 1}}, {0, 0}, false, 32},
        {"TPR21LCDDriver", "", "PR21_LCD", {{1, -1}, {16, 27}}, {{15, -27}, {40, 1}}, {1, 16}, true, 36},
        {"TOC22LCDDriver", "", "OC22_LCD", {{1, -1}, {23, 27}}, {{22, -27}, {42, 1}}, {1, 23}, true, 38},
        {"TPP23LCDDriver", "", "PP23_LCD", {{14, -27}, {40, 1}}, {{1, -1}, {15, 27}}, {14, 40}, true, 36},
        {"TFP24LCDDriver", "", "FP24_LCD", {{1, -1}, {16, 27}}, {{15, -27}, {40, 1}}, {0, 0}, false, 36},
        {"TMC25LCDDriver", "", "MC25_LCD", {{1, -1}, {17, 27}}, {{16, -27}, {40, 1}}, {1, 17}, true, 36},
        {"TEG26LCDDriver", "TMC25LCDDriver", "EG26_LCD", {{1, -1}, {17, 27}}, {{16, -27}, {40, 1}}, {1, 17}, false, 36},
        {"TFR27LCDDriver", "", "FR27_LCD", {{13, -27}, {39, 1}}, {{1, -1}, {14, 27}}, {13, 39}, true, 35},
        {"TIM02LCDDriver", "", "IM02_LCD", {{1, -1}, {17, 27}}, {{16, -27}, {40, 1}}, {0, 0}, true, 36},
        {"TIM10LCDDriver", "TIM02LCDDriver", "IM10_LCD", {{1, -1}, {17, 27}}, {{16, -27}, {40, 1}}, {0, 0}, true, 32},
        {"TIM16LCDDriver", "TIM02LCDDriver", "IM16_LCD", {{1, -1}, {17, 27}}, {{16, -27}, {40, 1}}, {0, 0}, true, 36},
        {"TIM19LCDDriver", "TIM02LCDDriver", "IM19_LCD", {{1, -1}, {17, 27}}, {{16, -27}, {40, 1}}, {0, 0}, false, 36},
        {"TIM22LCDDriver", "TIM02LCDDriver", "IM22_LCD", {{1, -1}, {17, 27}}, {{16, -27}, {40, 1}}, {0, 0}, true, 36},
        {"TIM22CirkLCDDriver", "TIM02LCDDriver", "IM22Cirk_LCD", {{1, -1}, {17, 27}}, {{16, -27}, {40, 1}}, {0, 0},
         false, 36},
        {"TIM32LCDDriver", "TIM02LCDDriver", "IM32_LCD", {{1, -1}, {17, 27}}, {{16, -27}, {40, 1}}, {0, 0}, false, 36},
        {"TIM33LCDDriver", "TIM02LCDDriver", "IM33_LCD", {{1, -1}, {17, 27}}, {{16, -27}, {40, 1}}, {0, 0}, true, 36},
        {"TIM49LCDDriver", "TIM02LCDDriver", "IM49_LCD", {{1, -1}, {17, 27}}, {{16, -27}, {40, 1}}, {0, 0}, false, 36},
        {"TIM50LCDDriver", "TIM02LCDDriver", "IM50_LCD", {{1, -1}, {17, 27}}, {{16, -27}, {40, 1}}, {0, 0}, false, 36},
        {"TIM51LCDDriver", "TIM02LCDDriver", "IM51_LCD", {{1, -1}, {17, 27}}, {{16, -27}, {40, 1}}, {0, 0}, false, 36},
        {"TIM53LCDDriver", "TIM02LCDDriver", "IM53_LCD", {{1, -1}, {17, 27}}, {{16, -27}, {40, 1}}, {0, 0}, false, 36},
        {"TIM03LCDDriver", "", "IM03_LCD", {{1, -1}, {23, 27}}, {{22, -27}, {42, 1}}, {0, 0}, true, 38},
        {"TIM04LCDDriver", "", "IM04_LCD", {{1, -1}, {16, 27}}, {{15, -27}, {40, 1}}, {0, 0}, true, 36},
        {"TIM09LCDDriver", "", "IM09_LCD", {{13, -27}, {39, 1}}, {{1, -1}, {14, 27}}, {13, 39}, true, 35},
        {"TIM13LCDDriver", "", "IM13_LCD", {{1, -1}, {17, 27}}, {{16, -27}, {40, 1}}, {0, 0}, true, 36},
        {"TIM23LCDDriver", "", "IM23_LCD", {{1, -1}, {17, 27}}, {{16, -27}, {40, 1}}, {0, 0}, true, 35},
        {"TGK10LCDDriver", "", "GK10_LCD", {{1, -1}, {16, 27}}, {{15, -27}, {39, 1}}, {0, 0}, false, 35},
        {"TSK10LCDDriver", "", "SK10_LCD", {{1, -1}, {14, 27}}, {{13, -27}, {37, 1}}, {0, 0}, false, 33},
        {"TSM11LCDDriver", "", "SM11_LCD", {{1, -1}, {17, 27}}, {{16, -27}, {40, 1}}, {0, 0}, false, 36},
        {"TSG21LCDDriver", "TSM11LCDDriver", "SG21_LCD", {{1, -1}, {17, 27}}, {{16, -27}, {40, 1}}, {0, 0}, false, 36},
    };
    return Rows;
}

} // namespace

TEST(GameLCDDrivers, CatalogueOrderClassTreeNamesAndFlags) {
    const auto& Classes = GameLCDDriverClasses();
    ASSERT_EQ(Classes.size(), DriverRows().size());
    for (size_t i = 0; i < Classes.size(); ++i) {
        const TDriverRow& Row = DriverRows()[i];
        SCOPED_TRACE(Row.Class);
        EXPECT_STREQ(Classes[i]->ClassName, Row.Class);
        EXPECT_STREQ(Classes[i]->Parent ? Classes[i]->Parent->ClassName : "", Row.Parent);
        auto D = Create(*Classes[i]);
        EXPECT_EQ(&D->GetClass(), Classes[i]);
        EXPECT_EQ(D->LCDResourceName(), Row.Resource);
        EXPECT_EQ(D->COMMappingsConfirmed(), Row.Confirmed);
    }
    // AllLCDDriverClasses is the generic driver followed by the game drivers.
    const auto& All = AllLCDDriverClasses();
    ASSERT_EQ(All.size(), 37u);
    EXPECT_STREQ(All[0]->ClassName, "TGenericLCDDriver");
    for (size_t i = 0; i < Classes.size(); ++i) EXPECT_EQ(All[i + 1], Classes[i]);
    EXPECT_EQ(FindLCDDriverClass("TIM22CirkLCDDriver"), &TIM22CirkLCDDriver::Class);
    EXPECT_TRUE(TIM53LCDDriver::Class.InheritsFrom(TIM02LCDDriver::Class));
    EXPECT_FALSE(TIM02LCDDriver::Class.InheritsFrom(TIM53LCDDriver::Class));
}

TEST(GameLCDDrivers, ThemeNames) {
    EXPECT_EQ(Create(TAC01LCDDriver::Class)->LCDThemeName(), R"(Nintendo G&W AC-01 "Ball")");
    EXPECT_EQ(Create(TIP05LCDDriver::Class)->LCDThemeName(), R"(Nintendo G&W IP-05 "Judge" (green))");
    EXPECT_EQ(Create(TEG26LCDDriver::Class)->LCDThemeName(), R"(Nintendo G&W EG-26 "Egg")");
    EXPECT_EQ(Create(TIM02LCDDriver::Class)->LCDThemeName(), R"(Электроника ИМ-02 "Ну, погоди!")");
    EXPECT_EQ(Create(TIM22LCDDriver::Class)->LCDThemeName(), R"(Электроника ИМ-22 "Весёлые футболисты")");
    EXPECT_EQ(Create(TIM50LCDDriver::Class)->LCDThemeName(), R"(Электроника ИМ-50 "Космический полёт")");
    EXPECT_EQ(Create(TGK10LCDDriver::Class)->LCDThemeName(), R"(Tronica GK-10 "Goal Keeper")");
    EXPECT_EQ(Create(TSG21LCDDriver::Class)->LCDThemeName(), R"(Tronica SG-21 "Spider")");
}

TEST(GameLCDDrivers, RecordCountsCommonPadsAndInvariants) {
    for (const TDriverRow& Row : DriverRows()) {
        SCOPED_TRACE(Row.Class);
        auto D = Create(*FindLCDDriverClass(Row.Class));
        const auto& Pins = D->MCUtoLCDmappings().MCUpinToLCDpadsDefs;
        const auto& Records = D->LCDpadToSegmentMappings().LCDpadToSegmentInnerPoints;

        // No pin twice, no pad driven twice, no pad with two records, unique non-zero positions.
        std::set<int> SeenPins, DrivenPads, RecordPads, Positions;
        for (const TMCUpinToLCDpads& P : Pins) {
            EXPECT_TRUE(SeenPins.insert(P.MCUpin).second) << "pin " << int(P.MCUpin);
            EXPECT_FALSE(P.IsCOM0 && P.IsCOM1);
            for (TLCDpad Pad : P.DrivenLCDpads) EXPECT_TRUE(DrivenPads.insert(Pad).second) << "pad " << int(Pad);
        }
        size_t SegmentRecords = 0;
        for (const TLCDpadToSegmentInnerPoints& R : Records) {
            EXPECT_TRUE(RecordPads.insert(R.LCDpad).second) << "pad " << int(R.LCDpad);
            EXPECT_NE(R.PadPosition, 0);
            EXPECT_LE(std::abs(R.PadPosition), 27);
            EXPECT_TRUE(Positions.insert(R.PadPosition).second) << "position " << int(R.PadPosition);
            if (R.TwinPad == 0) {
                ++SegmentRecords;
                EXPECT_TRUE(R.DrivenSegmentPadsIfCOM.empty());
                EXPECT_FALSE(D->IsLCDpadCOMx(R.LCDpad));
                // A segment pad has a segment on at least one plane, and is driven by a pin.
                EXPECT_FALSE(R.AssociatedSegmentInnerPoints[COM0].empty() && R.AssociatedSegmentInnerPoints[COM1].empty());
                EXPECT_NE(D->LCDpadToMCUpin(R.LCDpad), NoMCUpin);
            } else {
                EXPECT_TRUE(D->IsLCDpadCOMx(R.LCDpad));
                EXPECT_TRUE(R.AssociatedSegmentInnerPoints[COM0].empty() && R.AssociatedSegmentInnerPoints[COM1].empty());
            }
        }
        EXPECT_EQ(SegmentRecords, Row.SegmentPads);
        // Every driven pad has a record; every record's pad is driven.
        EXPECT_EQ(DrivenPads, RecordPads);

        // The common pins carry exactly the tabled pads at the tabled positions.
        auto CheckCOM = [&](TCommonPlane Plane, const std::vector<std::pair<int, int>>& Expected) {
            std::vector<TLCDpad> Pads = D->MCUpinToLCDpads(D->COMtoMCUpin()[Plane]);
            ASSERT_EQ(Pads.size(), Expected.size());
            for (size_t i = 0; i < Expected.size(); ++i) {
                EXPECT_EQ(Pads[i], Expected[i].first);
                EXPECT_EQ(D->LCDpadToPadPosition(Pads[i]), Expected[i].second);
                EXPECT_EQ(Plane == COM0 ? D->IsLCDpadCOM0(Pads[i]) : D->IsLCDpadCOM1(Pads[i]), true);
                TLCDpad Twin = D->GetCOMpadTwin(Pads[i]);
                const int ExpectedTwin = Row.Twins.first == Pads[i]    ? Row.Twins.second
                                         : Row.Twins.second == Pads[i] ? Row.Twins.first
                                                                       : NoLCDpad;
                EXPECT_EQ(Twin, ExpectedTwin);
            }
        };
        CheckCOM(COM0, Row.COM0);
        CheckCOM(COM1, Row.COM1);

        // Segment groups: a common pad drives the segment pads of its edge, twins both edges
        // (IM-22 groups its own way, tested below).
        for (const TLCDpadToSegmentInnerPoints& R : Records) {
            if (R.TwinPad == 0 || std::string(Row.Class) == "TIM22LCDDriver") continue;
            std::vector<TLCDpad> Driven;
            D->GetDrivenSegmentPadsForCOM(R.LCDpad, Driven);
            std::vector<TLCDpad> Expected;
            for (const TLCDpadToSegmentInnerPoints& S : Records)
                if (S.TwinPad == 0 && (R.TwinPad != NoLCDpad || (S.PadPosition > 0) == (R.PadPosition > 0)))
                    Expected.push_back(S.LCDpad);
            EXPECT_EQ(Driven, Expected) << "common pad " << int(R.LCDpad);
            EXPECT_FALSE(Driven.empty());
        }
        // Segment pads in ascending pad order, then the common pads.
        std::vector<int> SegmentOrder;
        for (const auto& R : Records)
            if (R.TwinPad == 0) SegmentOrder.push_back(R.LCDpad);
        EXPECT_TRUE(std::is_sorted(SegmentOrder.begin(), SegmentOrder.end()));
    }
}

TEST(GameLCDDrivers, PadPositionsFollowTheGlass) {
    // Lower edge from slot 2 upwards, upper edge from slot 26 downwards, in pad order.
    auto MH06 = Create(TMH06LCDDriver::Class);
    EXPECT_EQ(MH06->LCDpadToPadPosition(2), -2);
    EXPECT_EQ(MH06->LCDpadToPadPosition(12), -12);
    EXPECT_EQ(MH06->LCDpadToPadPosition(15), 26);
    EXPECT_EQ(MH06->LCDpadToPadPosition(35), 6);
    EXPECT_EQ(MH06->PadPositionToLCDpad(-27), 13);
    // FL-02: every pad on the upper edge, below pad 1 at slot 26.
    auto FL02 = Create(TFL02LCDDriver::Class);
    EXPECT_EQ(FL02->LCDpadToPadPosition(2), 25);
    EXPECT_EQ(FL02->LCDpadToPadPosition(24), 3);
    EXPECT_TRUE(FL02->GetDefinedLCDpads(false).empty());
    // IM-10 walks only its wired pads: pad 5 is left out, so pad 6 takes slot 5.
    auto IM10 = Create(TIM10LCDDriver::Class);
    EXPECT_EQ(IM10->LCDpadToPadPosition(5), 0);
    EXPECT_EQ(IM10->LCDpadToPadPosition(4), -4);
    EXPECT_EQ(IM10->LCDpadToPadPosition(6), -5);
}

TEST(GameLCDDrivers, AC01AsGiven) {
    auto D = Create(TAC01LCDDriver::Class);
    // SM-5A pins of the AC-01 wiring.
    struct PinRow {
        TMCUpin Pin;
        std::vector<TLCDpad> Pads;
    };
    const PinRow PinRows[] = {{29, {1, 19}}, {30, {18, 42}}, {43, {32}}, {46, {33}}, {59, {17}}, {2, {14}},
                              {3, {11}},     {4, {9, 13}},   {5, {8, 10}}, {6, {7, 12}}, {7, {}},  {11, {4}},
                              {14, {41}},    {19, {36}}};
    for (const PinRow& R : PinRows) EXPECT_EQ(D->MCUpinToLCDpads(R.Pin), R.Pads) << int(R.Pin);
    EXPECT_TRUE(D->IsMCUpinCOMx(29));
    EXPECT_FALSE(D->IsMCUpinCOMx(7));
    // O6 bit 3 (pin 7) is in the mapping without pads.
    EXPECT_GE(D->MCUtoLCDmappings().IndexOfMCUpin(7), 0);

    struct PosRow {
        TLCDpad Pad;
        int Position;
    };
    for (PosRow R : {PosRow{2, -2}, PosRow{10, -10}, PosRow{11, -20}, PosRow{17, -26}, PosRow{20, 26},
                     PosRow{35, 11}, PosRow{36, 7}, PosRow{41, 2}})
        EXPECT_EQ(D->LCDpadToPadPosition(R.Pad), R.Position) << int(R.Pad);

    for (TLCDpad Pad = 2; Pad <= 41; ++Pad) {
        if (Pad == 18 || Pad == 19) continue;
        bool Has0 = false, Has1 = false;
        D->AreSegmentsForLCDpadDefined(Pad, Has0, Has1);
        const bool NoCOM0 = Pad == 8 || Pad == 21 || Pad == 25 || Pad == 29 || Pad == 33;
        const bool NoCOM1 = Pad == 9 || Pad == 10;
        EXPECT_EQ(Has0, !NoCOM0) << int(Pad);
        EXPECT_EQ(Has1, !NoCOM1) << int(Pad);
    }
    std::vector<TLCDpad> Driven, Lower, Upper;
    for (int p = 2; p <= 17; ++p) Lower.push_back(p);
    for (int p = 20; p <= 41; ++p) Upper.push_back(p);
    for (auto [Pad, Expected] : {std::pair{1, &Lower}, {18, &Lower}, {19, &Upper}, {42, &Upper}}) {
        D->GetDrivenSegmentPadsForCOM(Pad, Driven);
        EXPECT_EQ(Driven, *Expected) << Pad;
    }

    // The inner-point rows given for the AC-01 glass, point for point: a list of ten is one
    // word of ten letters, three points are three shapes of one segment.
    struct PointRow {
        TLCDpad Pad;
        TPointList COM0, COM1;
    };
    const PointRow PointRows[] = {
        {2, {{400, 300}}, {{480, 220}}},
        {7, {{380, 580}}, {{300, 580}}},
        {8, {}, {{25, 680}, {60, 670}, {100, 650}, {150, 620}, {170, 600}, {200, 560}, {215, 595}, {220, 700},
                 {310, 775}, {450, 780}}},
        {9, {{450, 580}, {480, 730}}, {}},
        {11, {{510, 660}, {640, 660}, {770, 660}}, {{730, 820}}},
        {13, {{990, 580}}, {{830, 780}, {900, 785}, {1060, 710}, {1060, 790}, {1100, 770}, {1150, 760}, {1170, 720},
                            {1200, 700}, {1230, 650}, {1250, 700}}},
        {20, {{1300, 110}}, {{1320, 90}}},
        {21, {}, {{1320, 40}}},
        {36, {{800, 220}}, {{880, 300}}},
        {41, {{500, 330}}, {{580, 270}}},
    };
    const auto& Records = D->LCDpadToSegmentMappings().LCDpadToSegmentInnerPoints;
    for (const PointRow& R : PointRows) {
        const int i = D->LCDpadToSegmentMappings().IndexOf(R.Pad);
        ASSERT_GE(i, 0) << int(R.Pad);
        EXPECT_EQ(Records[size_t(i)].AssociatedSegmentInnerPoints[COM0], R.COM0) << int(R.Pad);
        EXPECT_EQ(Records[size_t(i)].AssociatedSegmentInnerPoints[COM1], R.COM1) << int(R.Pad);
    }
}

TEST(GameLCDDrivers, IM22GroupsItsCommonPadsByGlassHalf) {
    // IM-02's pads as the wiring tables give them; IM-22 cuts its electrodes into a left half
    // (slots 1..13: pads 2..13 below, 31..39 above) and a right half (pads 14, 15 and 18..30).
    std::vector<TLCDpad> Left, Right, Lower, Upper;
    for (int p = 2; p <= 13; ++p) Left.push_back(p);
    for (int p = 31; p <= 39; ++p) Left.push_back(p);
    Right = {14, 15};
    for (int p = 18; p <= 30; ++p) Right.push_back(p);
    for (int p = 2; p <= 15; ++p) Lower.push_back(p);
    for (int p = 18; p <= 39; ++p) Upper.push_back(p);
    auto IM22 = Create(TIM22LCDDriver::Class, KB1013VK1_2_Chip);
    auto IM02 = Create(TIM02LCDDriver::Class, KB1013VK1_2_Chip);
    std::vector<TLCDpad> Driven;
    for (auto [Pad, IM22Group, IM02Group] : {std::tuple{1, &Left, &Lower}, {40, &Left, &Upper}, {17, &Right, &Upper},
                                              {16, &Right, &Lower}}) {
        IM22->GetDrivenSegmentPadsForCOM(Pad, Driven);
        EXPECT_EQ(Driven, *IM22Group) << Pad;
        IM02->GetDrivenSegmentPadsForCOM(Pad, Driven);
        EXPECT_EQ(Driven, *IM02Group) << Pad;
    }
}

TEST(GameLCDDrivers, UnwiredAndPadlessBits) {
    // IM-10 leaves O0 bits 2 and 0 and O2 bits 3 and 1 out: their pins are not in the mapping.
    auto IM10 = Create(TIM10LCDDriver::Class, KB1013VK1_2_Chip);
    const auto& Obit = KB1013VK1_2_Chip.ObitToMCUpin;
    for (auto [i, b] : {std::pair{0, 2}, {0, 0}, {2, 3}, {2, 1}}) {
        EXPECT_EQ(IM10->MCUtoLCDmappings().IndexOfMCUpin(Obit[i][b]), -1);
        EXPECT_TRUE(IM10->MCUpinToLCDpads(Obit[i][b]).empty());
    }
    EXPECT_GE(IM10->MCUtoLCDmappings().IndexOfMCUpin(Obit[0][3]), 0);
    EXPECT_EQ(IM10->MCUtoLCDmappings().MCUpinToLCDpadsDefs.size(), 2u + 32u);
    auto IM23 = Create(TIM23LCDDriver::Class, KB1013VK1_2_Chip);
    EXPECT_EQ(IM23->MCUtoLCDmappings().IndexOfMCUpin(Obit[2][0]), -1);
    EXPECT_EQ(IM23->MCUtoLCDmappings().MCUpinToLCDpadsDefs.size(), 2u + 35u);
    // Every other driver registers all 36 bit pins, some without pads.
    auto MH06 = Create(TMH06LCDDriver::Class);
    EXPECT_EQ(MH06->MCUtoLCDmappings().MCUpinToLCDpadsDefs.size(), 2u + 36u);
    const TMCUpin O8bit0 = SHARP_SM5A_Chip.ObitToMCUpin[8][0];
    EXPECT_GE(MH06->MCUtoLCDmappings().IndexOfMCUpin(O8bit0), 0);
    EXPECT_TRUE(MH06->MCUpinToLCDpads(O8bit0).empty());
}

TEST(GameLCDDrivers, OneWiringServesBothChips) {
    for (const TLCDDriverClass* C : GameLCDDriverClasses()) {
        SCOPED_TRACE(C->ClassName);
        auto Sharp = Create(*C, SHARP_SM5A_Chip);
        auto KB = Create(*C, KB1013VK1_2_Chip);
        for (TOIndex i = 0; i < 9; ++i)
            for (TObit b = 0; b < 4; ++b)
                EXPECT_EQ(Sharp->MCUpinToLCDpads(Sharp->OIndexAndObitToMCUpin(i, b)),
                          KB->MCUpinToLCDpads(KB->OIndexAndObitToMCUpin(i, b)));
        const auto& A = Sharp->LCDpadToSegmentMappings().LCDpadToSegmentInnerPoints;
        const auto& B = KB->LCDpadToSegmentMappings().LCDpadToSegmentInnerPoints;
        ASSERT_EQ(A.size(), B.size());
        for (size_t r = 0; r < A.size(); ++r) {
            EXPECT_EQ(A[r].LCDpad, B[r].LCDpad);
            EXPECT_EQ(A[r].PadPosition, B[r].PadPosition);
            EXPECT_EQ(A[r].AssociatedSegmentInnerPoints, B[r].AssociatedSegmentInnerPoints);
        }
    }
}

// Every pin wiring, written back in the table form of the wiring documentation: common pads,
// then O0..O8 in bit order 3 2 1 0, "+" for a pin on two pads, "-" for none.
TEST(GameLCDDrivers, EveryWiringPadAsTabled) {
    const char* const Rows[][4] = {
        {"A", "1, 17", "16, 40", "15 14 13 12 / 11 10 9 8 / 7 6 5 4 / 3 2 39 38 / 37 36 35 34 / 33 32 31 30 / 29 28 27 26 / 25 24 23 22 / 21 20 19 18"},
        {"B", "1, 16", "15, 40", "14 13 12 11 / 10 9 8 7 / 6 5 4 3 / 2 39 38 37 / 36 35 34 33 / 32 31 30 29 / 28 27 26 25 / 24 23 22 21 / 20 19 18 17"},
        {"C", "1, 23", "22, 42", "21 20 19 18 / 17 16 13 12 / 11+14 10+15 9 8 / 7 6 5 4 / 3 2 41 40 / 39 38 37 36 / 35 34 33 32 / 31 30 29 28 / 27 26 25 24"},
        {"D", "13, 39", "1, 14", "- 12 11 10 / 9 8 7 6 / 5 4 3 2 / 38 37 36 35 / 34 33 32 31 / 30 29 28 27 / 26 25 24 23 / 22 21 20 19 / 18 17 16 15"},
        {"AC01", "1, 19", "18, 42", "32 35 34 33 / 28 31 30 29 / 24 27 26 25 / 20 23 22 21 / 17 16 15 14 / 11 9+13 8+10 7+12 / - 6 5 4 / 3 2 41 40 / 39 38 37 36"},
        {"FL02", "1", "25", "- - - - / - - - - / 24 23 22 21 / - - - 20 / 19 18 17 16 / 14 13 12 11 / 10 9 8 7 / - - 15 6 / 5 4 3 2"},
        {"MT03", "1, 22", "21, 40", "18 17 16 19 / 14 13 12 15+6 / 10 9 8 11 / 7 5 4 3 / 2 39 38 37 / 36 35 34 33 / 32 31 30 29 / 28 27 26 25 / 24 23 20 -"},
        {"RC04", "1, 12", "11, 34", "- - - - / - - 10 9 / 8 7 6 5 / 4 3 2 33 / 32 31 30 29 / 28 27 26 25 / 24 23 22 21 / 20 19 18 17 / 16 15 14 13"},
        {"IP05", "12, 39", "1, 13", "2 38 37 36 / 35 34 33 32 / 31 30 29 28 / 25 24 23 22 / 21 20 19 18 / 17 16 15 14 / 27 26 11 10 / 9 8 7 6 / 5 4 3 -"},
        {"MH06", "1, 14", "13, 36", "- - - 12 / 11 10 9 8 / 7 6 5 4 / 3 2 35 34 / 33 32 31 30 / 29 28 27 26 / 25 24 23 22 / 21 20 19 18 / 17 16 15 -"},
        {"LN08", "1, 15", "14, 36", "- - - - / 13 12 11 10 / 9 8 7 6 / 5 4 3 2 / 35 34 33 32 / 31 30 29 28 / 27 26 25 24 / 23 22 21 20 / 19 18 17 16"},
        {"PP23", "14, 40", "1, 15", "13 12 11 10 / 9 8 7 6 / 5 4 3 2 / 39 38 37 36 / 35 34 33 32 / 31 30 29 28 / 27 26 25 24 / 23 22 21 20 / 19 18 17 16"},
        {"GK10", "1, 16", "15, 39", "27 26 25 24 / 31 30 29 28+36 / 35 34 33 32 / 9 8 7+17 6 / 18 5 4 3 / 2 38 37 - / 23 22 21 - / 20 19 14 13 / 12 11 10 -"},
        {"SK10", "1, 14", "13, 37", "12 11 10 9 / 8 7 6 5 / 4 3 2 36 / 35 34 33 32 / 31 30 29 28 / 27 26 25 24 / 23 22 21 20 / 19 18 17 16 / 15 - - -"},
    };
    const auto Join = [](const std::vector<TLCDpad>& Pads, const char* Separator) {
        std::string t;
        for (TLCDpad p : Pads) t += (t.empty() ? "" : Separator) + std::to_string(p);
        return t.empty() ? std::string("-") : t;
    };
    ASSERT_EQ(AllPinWirings().size(), std::size(Rows));
    for (const auto& Row : Rows) {
        const TPinWiring& W = PinWiring(Row[0]);
        EXPECT_EQ(Join(W.COM0Pads, ", "), Row[1]) << Row[0];
        EXPECT_EQ(Join(W.COM1Pads, ", "), Row[2]) << Row[0];
        std::string Bits;
        for (int k = 0; k < 36; ++k)
            Bits += (k == 0 ? "" : k % 4 == 0 ? " / " : " ") + Join(W.BitPads[size_t(k)], "+");
        EXPECT_EQ(Bits, Row[3]) << Row[0];
    }
    EXPECT_EQ(PinWiring("MT03").BitPads[size_t(WiringBitIndex(1, 0))], (std::vector<TLCDpad>{15, 6}));
    EXPECT_THROW(PinWiring("E"), std::out_of_range);
}

TEST(GameLCDDrivers, WiringParserRejectsBadTables) {
    EXPECT_THROW(ParsePinWiring("x", "1", "2", "3 4 5 6"), std::invalid_argument);                       // one group
    EXPECT_THROW(ParsePinWiring("x", "1", "2", "3 4 5 / - - - - / - - - - / - - - - / - - - - / - - - - / - - - - / "
                                               "- - - - / - - - -"), std::invalid_argument);             // 3 bits
    EXPECT_THROW(ParsePinWiring("x", "1", "1", "- - - - / - - - - / - - - - / - - - - / - - - - / - - - - / - - - - / "
                                               "- - - - / - - - -"), std::invalid_argument);             // pad twice
    EXPECT_THROW(ParsePinWiring("x", "1", "2", "55 - - - / - - - - / - - - - / - - - - / - - - - / - - - - / - - - - / "
                                               "- - - - / - - - -"), std::invalid_argument);             // no pad 55
    EXPECT_THROW(ParsePinWiring("x", "1", "2", "3+4+5 - - - / - - - - / - - - - / - - - - / - - - - / - - - - / - - - "
                                               "- / - - - - / - - - -"), std::invalid_argument);         // three pads
    TPinWiring W = ParsePinWiring("x", "1, 9", "2", "3+4 - - - / - - - - / - - - - / - - - - / - - - - / - - - - / - - "
                                                    "- - / - - - - / - - - 5");
    EXPECT_EQ(W.COM0Pads, (std::vector<TLCDpad>{1, 9}));
    EXPECT_EQ(W.BitPads[0], (std::vector<TLCDpad>{3, 4}));
    EXPECT_EQ(W.BitPads[35], (std::vector<TLCDpad>{5}));
}

TEST(GameLCDDrivers, EveryDriverIsListedByAGame) {
    for (const TLCDDriverClass* C : GameLCDDriverClasses()) {
        const TGameHardware* H = FirstGameListingLCDDriver(*C);
        ASSERT_NE(H, nullptr) << C->ClassName;
    }
    EXPECT_EQ(FirstGameListingLCDDriver(TIM22LCDDriver::Class)->Class, &TIM02::Class);
    EXPECT_EQ(FirstGameListingLCDDriver(TEG26LCDDriver::Class)->Class, &TMC25::Class);
    EXPECT_EQ(FirstGameListingLCDDriver(TIP05LCDDriver::Class)->Class, &TIP05::Class);
}
