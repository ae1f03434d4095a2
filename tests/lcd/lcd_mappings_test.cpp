// Wiring records, mapping queries and the generic wiring and layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "lcd/lcd_driver.h"
#include "lcd/lcd_mappings.h"
#include "test_pins.h"

namespace tarvolin {
namespace {

using namespace testing_pins;

TEST(MCUtoLCDmappings, GenericWiringFollowsTheFortyPadRule) {
    TMCUtoLCDmappings M;
    M.AddSegmentPads(7, {3}); // replaced by the generic wiring
    M.SetupGenericMapping(TestCOMPins(), TestObitPins());
    ASSERT_EQ(M.MCUpinToLCDpadsDefs.size(), 38u);
    EXPECT_EQ(M.MCUpinToLCDpads(50), (std::vector<TLCDpad>{1, 21}));
    EXPECT_EQ(M.MCUpinToLCDpads(51), (std::vector<TLCDpad>{20, 40}));
    EXPECT_TRUE(M.IsLCDpadCOM0(21));
    EXPECT_TRUE(M.IsLCDpadCOM1(40));
    EXPECT_FALSE(M.IsLCDpadCOM1(21));

    struct {
        int Nibble, Bit;
        TLCDpad Pad;
    } const Cases[] = {{0, 3, 19}, {0, 0, 16}, {4, 2, 2}, {4, 1, 39}, {8, 0, 22}, {5, 3, 37}};
    for (const auto& C : Cases) {
        EXPECT_EQ(M.MCUpinToLCDpads(PinOf(C.Nibble, C.Bit)), std::vector<TLCDpad>{C.Pad})
            << "O" << C.Nibble << " bit " << C.Bit;
        EXPECT_EQ(M.LCDpadToMCUpin(C.Pad), PinOf(C.Nibble, C.Bit));
    }
    // Every pad 1..40 is driven exactly once.
    std::vector<TLCDpad> COMpads, SegmentPads;
    M.GetPads(COMpads, SegmentPads);
    EXPECT_EQ(COMpads, (std::vector<TLCDpad>{1, 21, 20, 40}));
    std::vector<TLCDpad> All = COMpads;
    All.insert(All.end(), SegmentPads.begin(), SegmentPads.end());
    std::sort(All.begin(), All.end());
    for (int p = 1; p <= 40; ++p) EXPECT_EQ(All[size_t(p - 1)], p);
}

TEST(MCUtoLCDmappings, QueriesOnAHandMadeWiring) {
    TMCUtoLCDmappings M;
    M.AddCOMpads(50, {1, 17}, true, false);
    M.AddCOMpads(51, {16, 40}, false, true);
    M.AddSegmentPads(10, {5});
    M.AddSegmentPads(11, {}); // exists, reaches no pad
    M.AddSegmentPads(12, {6, 9});

    EXPECT_EQ(M.IndexOfMCUpin(11), 3);
    EXPECT_TRUE(M.MCUpinToLCDpads(11).empty());
    EXPECT_FALSE(M.IsMCUpinCOMx(11));
    EXPECT_TRUE(M.IsMCUpinCOMx(51));
    EXPECT_EQ(M.IndexOfMCUpin(13), -1);
    EXPECT_FALSE(M.IsMCUpinCOMx(13));
    EXPECT_TRUE(M.MCUpinToLCDpads(13).empty());

    EXPECT_EQ(M.IndexOfLCDpad(9), 4);
    EXPECT_EQ(M.LCDpadToMCUpin(9), 12);
    EXPECT_EQ(M.LCDpadToMCUpin(7), NoMCUpin);
    EXPECT_EQ(M.IndexOfLCDpad(7), -1);
    EXPECT_TRUE(M.IsLCDpadCOMx(17));
    EXPECT_TRUE(M.IsLCDpadCOM0(17));
    EXPECT_FALSE(M.IsLCDpadCOM1(17));
    EXPECT_FALSE(M.IsLCDpadCOMx(5));
    EXPECT_FALSE(M.IsLCDpadCOMx(7));

    TLCDpad C0, C1;
    EXPECT_TRUE(M.GetCOMLCDpads(0, C0, C1));
    EXPECT_EQ(C0, 1);
    EXPECT_EQ(C1, 16);
    EXPECT_TRUE(M.GetCOMLCDpads(1, C0, C1));
    EXPECT_EQ(C0, 17);
    EXPECT_EQ(C1, 40);
    EXPECT_FALSE(M.GetCOMLCDpads(2, C0, C1));
    EXPECT_EQ(C0, NoLCDpad);
    EXPECT_EQ(C1, NoLCDpad);

    EXPECT_TRUE(TMCUpinToLCDpads::Create(3, {4, 8}, false, false).HasLCDpad(8));
    EXPECT_FALSE(TMCUpinToLCDpads::Create(3, {4, 8}, false, false).HasLCDpad(5));
}

// A pad listed by several entries (which no real wiring does) shows which entry each
// lookup reads: the pin of a pad is the last entry's, whether a pad is common the first
// entry's, and a plane flag is set when any entry that lists the pad has it.
TEST(MCUtoLCDmappings, PadListedTwiceAnswersPerLookupRule) {
    struct {
        const char* Name;
        std::vector<TMCUpinToLCDpads> Entries;
        int Index;
        TMCUpin Pin;
        bool COMx, COM0, COM1;
    } const Cases[] = {
        {"segment entry first", {TMCUpinToLCDpads::Create(10, {5}, false, false),
                                 TMCUpinToLCDpads::Create(50, {5, 1}, true, false)},
         1, 50, false, true, false},
        {"common entry first", {TMCUpinToLCDpads::Create(51, {7, 5}, false, true),
                                TMCUpinToLCDpads::Create(11, {5}, false, false),
                                TMCUpinToLCDpads::Create(12, {3}, false, false)},
         1, 11, true, false, true},
        {"both planes listed", {TMCUpinToLCDpads::Create(50, {5}, true, false),
                                TMCUpinToLCDpads::Create(51, {5}, false, true)},
         1, 51, true, true, true},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TMCUtoLCDmappings M;
        M.MCUpinToLCDpadsDefs = C.Entries;
        EXPECT_EQ(M.IndexOfLCDpad(5), C.Index);
        EXPECT_EQ(M.LCDpadToMCUpin(5), C.Pin);
        EXPECT_EQ(M.IsLCDpadCOMx(5), C.COMx);
        EXPECT_EQ(M.IsLCDpadCOM0(5), C.COM0);
        EXPECT_EQ(M.IsLCDpadCOM1(5), C.COM1);
    }
}

// GetCOMLCDpads visits the entries in order, skips common entries whose pad list is too
// short, and stops as soon as both planes have a pad.
TEST(MCUtoLCDmappings, CommonPadWalk) {
    struct {
        const char* Name;
        std::vector<TMCUpinToLCDpads> Entries;
        int Index;
        bool Found;
        TLCDpad COM0, COM1;
    } const Cases[] = {
        {"a later COM0 entry fills in for a short one",
         {TMCUpinToLCDpads::Create(50, {1}, true, false), TMCUpinToLCDpads::Create(51, {16, 40}, false, true),
          TMCUpinToLCDpads::Create(52, {17, 30}, true, false)},
         1, true, 30, 40},
        {"the walk stops once both are set",
         {TMCUpinToLCDpads::Create(50, {1, 17}, true, false), TMCUpinToLCDpads::Create(51, {16, 40}, false, true),
          TMCUpinToLCDpads::Create(52, {2, 3}, true, false)},
         0, true, 1, 16},
        {"a later COM0 entry replaces an earlier one while COM1 is missing",
         {TMCUpinToLCDpads::Create(50, {1}, true, false), TMCUpinToLCDpads::Create(52, {2}, true, false),
          TMCUpinToLCDpads::Create(51, {16}, false, true)},
         0, true, 2, 16},
        {"segment entries never count",
         {TMCUpinToLCDpads::Create(50, {1}, true, false), TMCUpinToLCDpads::Create(10, {4}, false, false)},
         0, false, 1, NoLCDpad},
        {"only COM1 long enough", {TMCUpinToLCDpads::Create(50, {1}, true, false),
                                   TMCUpinToLCDpads::Create(51, {16, 40}, false, true)},
         1, false, NoLCDpad, 40},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TMCUtoLCDmappings M;
        M.MCUpinToLCDpadsDefs = C.Entries;
        TLCDpad C0 = 0, C1 = 0;
        EXPECT_EQ(M.GetCOMLCDpads(C.Index, C0, C1), C.Found);
        EXPECT_EQ(C0, C.COM0);
        EXPECT_EQ(C1, C.COM1);
    }
}

TEST(MCUtoLCDmappings, CommonPinsWithOnePadEachGiveNoUpperEdge) {
    TMCUtoLCDmappings M;
    M.AddCOMpads(50, {1}, true, false);
    M.AddCOMpads(51, {10}, false, true);
    for (int k = 0; k < 8; ++k) M.AddSegmentPads(PinOf(k / 4, 3 - k % 4), {TLCDpad(2 + k)});
    TLCDpad C0 = 0, C1 = 0;
    EXPECT_FALSE(M.GetCOMLCDpads(1, C0, C1));
    EXPECT_EQ(C0, NoLCDpad);
    EXPECT_EQ(C1, NoLCDpad);

    TLCDpadToSegmentMappings L;
    L.SetupGenericMapping(TestObitPins(), M);
    ASSERT_EQ(L.LCDpadToSegmentInnerPoints.size(), 10u); // 8 segment pads, 2 common pads
    for (const auto& R : L.LCDpadToSegmentInnerPoints) EXPECT_LT(R.PadPosition, 0) << int(R.LCDpad);
    EXPECT_EQ(L.LCDpadToPadPosition(2), -5);
    EXPECT_EQ(L.LCDpadToPadPosition(9), -12);
    EXPECT_EQ(L.LCDpadToPadPosition(1), -1);
    EXPECT_EQ(L.LCDpadToPadPosition(10), -27);
}

TEST(LCDpadToSegmentMappings, GenericLayoutPositionsAndPoints) {
    TMCUtoLCDmappings M;
    M.SetupGenericMapping(TestCOMPins(), TestObitPins());
    TLCDpadToSegmentMappings L;
    L.AddSegmentPad(44, 3, {}, {}); // replaced
    L.SetupGenericMapping(TestObitPins(), M);
    ASSERT_EQ(L.LCDpadToSegmentInnerPoints.size(), 40u);

    std::map<int, TLCDpad> ByPosition;
    for (const auto& R : L.LCDpadToSegmentInnerPoints) {
        EXPECT_NE(R.PadPosition, 0);
        EXPECT_TRUE(ByPosition.emplace(R.PadPosition, R.LCDpad).second) << "position used twice";
    }
    EXPECT_EQ(L.LCDpadToPadPosition(1), -1);
    EXPECT_EQ(L.LCDpadToPadPosition(20), -27);
    EXPECT_EQ(L.LCDpadToPadPosition(40), 1);
    EXPECT_EQ(L.LCDpadToPadPosition(21), 27);
    for (int p = 2; p <= 19; ++p) EXPECT_EQ(L.LCDpadToPadPosition(TLCDpad(p)), -3 - p) << p;
    for (int p = 22; p <= 39; ++p) EXPECT_EQ(L.LCDpadToPadPosition(TLCDpad(p)), 45 - p) << p;
    EXPECT_EQ(L.PadPositionToLCDpad(-22), 19);
    EXPECT_EQ(L.PadPositionToLCDpad(6), 39);
    EXPECT_EQ(L.PadPositionToLCDpad(-2), NoLCDpad);
    EXPECT_EQ(L.LCDpadToPadPosition(41), 0);

    // Each segment pad has exactly its bit's square on each plane.
    for (int i = 0; i < 9; ++i)
        for (int b = 0; b < 4; ++b) {
            const TLCDpad Pad = M.MCUpinToLCDpads(PinOf(i, b))[0];
            const int r = L.IndexOf(Pad);
            ASSERT_GE(r, 0);
            const auto& R = L.LCDpadToSegmentInnerPoints[size_t(r)];
            EXPECT_EQ(R.AssociatedSegmentInnerPoints[COM0],
                      TPointList{TLCDDriver::GenericSegmentPosition(COM0, TObit(b), TOIndex(i))});
            EXPECT_EQ(R.AssociatedSegmentInnerPoints[COM1],
                      TPointList{TLCDDriver::GenericSegmentPosition(COM1, TObit(b), TOIndex(i))});
            EXPECT_EQ(R.TwinPad, 0);
        }
    std::vector<TLCDpad> Driven;
    L.GetDrivenSegmentPadsForCOM(1, Driven);
    ASSERT_EQ(Driven.size(), 18u);
    EXPECT_EQ(Driven.front(), 2);
    EXPECT_EQ(Driven.back(), 19);
    EXPECT_EQ(L.LCDpadToSegmentInnerPoints[size_t(L.IndexOf(21))].TwinPad, NoLCDpad);
    L.GetDrivenSegmentPadsForCOM(40, Driven);
    EXPECT_EQ(Driven.size(), 18u);
    EXPECT_EQ(Driven.front(), 22);
    L.GetDrivenSegmentPadsForCOM(5, Driven); // a segment pad drives nothing
    EXPECT_TRUE(Driven.empty());
    L.GetDrivenSegmentPadsForCOM(50, Driven); // no record
    EXPECT_TRUE(Driven.empty());
}

TEST(LCDpadToSegmentMappings, GenericLayoutSkipsPadsWithoutAnOBitButKeepsTheirSlot) {
    TMCUtoLCDmappings M;
    M.AddCOMpads(50, {1}, true, false);
    M.AddCOMpads(51, {6}, false, true);
    M.AddSegmentPads(PinOf(0, 3), {2});
    M.AddSegmentPads(59, {3}); // a pin that carries no O bit
    M.AddSegmentPads(PinOf(0, 1), {5}); // pad 4 is driven by nothing
    TLCDpadToSegmentMappings L;
    L.SetupGenericMapping(TestObitPins(), M);
    EXPECT_EQ(L.LCDpadToPadPosition(2), -5);
    EXPECT_EQ(L.IndexOf(3), -1);
    EXPECT_EQ(L.IndexOf(4), -1);
    EXPECT_EQ(L.LCDpadToPadPosition(5), -8);
    std::vector<TLCDpad> Driven;
    L.GetDrivenSegmentPadsForCOM(6, Driven);
    EXPECT_EQ(Driven, (std::vector<TLCDpad>{2, 5}));
}

TEST(LCDpadToSegmentMappings, OverlongEdgeKeepsPositionsUniqueAndNonZero) {
    // 40 segment pads between the common pads of one edge: more than the 22 slots left.
    TMCUtoLCDmappings M;
    M.AddCOMpads(50, {1, 50}, true, false);
    M.AddCOMpads(51, {45, 54}, false, true);
    TObitToMCUpin Pins = TestObitPins();
    for (int k = 0; k < 36; ++k) M.AddSegmentPads(Pins[k / 4][k % 4], {TLCDpad(2 + k)});
    TLCDpadToSegmentMappings L;
    L.SetupGenericMapping(Pins, M);
    std::map<int, int> Seen;
    for (const auto& R : L.LCDpadToSegmentInnerPoints) {
        EXPECT_NE(R.PadPosition, 0);
        EXPECT_EQ(++Seen[R.PadPosition], 1) << "position " << int(R.PadPosition);
    }
    EXPECT_EQ(L.LCDpadToPadPosition(23), -26);
    EXPECT_EQ(L.IndexOf(24), -1);
}

TEST(LCDpadToSegmentMappings, RecordsAndLookups) {
    TLCDpadToSegmentMappings L;
    L.AddSegmentPad(3, -3, {{10, 20}}, {});
    L.AddCOMpad(1, -1, {3}, 17);
    L.AddSegmentPad(3, -9, {}, {{1, 1}}); // a second record of the same pad is never found
    EXPECT_EQ(L.IndexOf(3), 0);
    EXPECT_EQ(L.LCDpadToPadPosition(3), -3);
    EXPECT_EQ(L.PadPositionToLCDpad(-9), 3);
    const auto& Seg = L.LCDpadToSegmentInnerPoints[0];
    EXPECT_EQ(Seg.TwinPad, 0);
    EXPECT_TRUE(Seg.DrivenSegmentPadsIfCOM.empty());
    const auto& Com = L.LCDpadToSegmentInnerPoints[1];
    EXPECT_EQ(Com.TwinPad, 17);
    EXPECT_TRUE(Com.AssociatedSegmentInnerPoints[COM0].empty());
    EXPECT_TRUE(Com.AssociatedSegmentInnerPoints[COM1].empty());
}

TEST(LCDDriverGeometry, GenericSegmentPositionCorners) {
    struct {
        TCommonPlane Plane;
        int Bit, Nibble;
        TPoint Expected;
    } const Cases[] = {
        {COM1, 3, 8, {277, 72}}, {COM0, 0, 0, {997, 712}}, {COM1, 0, 0, {517, 712}},
        {COM0, 3, 8, {757, 72}}, {COM1, 2, 4, {357, 392}},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(TLCDDriver::GenericSegmentPosition(C.Plane, TObit(C.Bit), TOIndex(C.Nibble)), C.Expected);
}

TEST(LCDDriverGeometry, PadSetAndArrayConversions) {
    TLCDpadSet Set;
    TLCDDriver::ConvertLCDpadArrayToLCDpadSet({40, 3, 54, 3, 1, 200, 17, 40}, Set);
    std::vector<TLCDpad> Array{99};
    TLCDDriver::ConvertLCDpadSetToLCDpadArray(Set, Array);
    EXPECT_EQ(Array, (std::vector<TLCDpad>{1, 3, 17, 40, 54}));
    // The set is cleared before filling.
    TLCDDriver::ConvertLCDpadArrayToLCDpadSet({5}, Set);
    TLCDDriver::ConvertLCDpadSetToLCDpadArray(Set, Array);
    EXPECT_EQ(Array, std::vector<TLCDpad>{5});
    TLCDDriver::ConvertLCDpadArrayToLCDpadSet({}, Set);
    TLCDDriver::ConvertLCDpadSetToLCDpadArray(Set, Array);
    EXPECT_TRUE(Array.empty());
    // The set holds 0..55; anything above is dropped. Back in an array only pads 1..54 count.
    TLCDDriver::ConvertLCDpadArrayToLCDpadSet({0, 55, 56, 63, 255}, Set);
    EXPECT_TRUE(Set.test(0));
    EXPECT_TRUE(Set.test(55));
    EXPECT_EQ(Set.count(), 2u);
    TLCDDriver::ConvertLCDpadSetToLCDpadArray(Set, Array);
    EXPECT_TRUE(Array.empty());
}

} // namespace
} // namespace tarvolin
