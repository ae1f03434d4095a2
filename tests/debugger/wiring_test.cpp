// The geometry of the interconnection window: pad slots, the package's pins for every pin-1
// position, turning and flipping, the SM-5A marks and the pins' names.
#include <gtest/gtest.h>

#include <set>

#include "core/mcu.h"
#include "debugger/wiring.h"
#include "games/game_lcd_drivers.h"

using namespace tarvolin;

namespace {

const TMCUpin1Position AllPositions[] = {p1pTopLeft,     p1pTopRight,   p1pRightTop,   p1pRightBottom,
                                         p1pBottomRight, p1pBottomLeft, p1pLeftBottom, p1pLeftTop};

// A quarter turn clockwise and a mirror image of the 180 x 180 drawing, done on rectangles.
TRect TurnedRight(TRect r) { return {180 - r.Bottom, r.Left, 180 - r.Top, r.Right}; }
TRect Mirrored(TRect r) { return {180 - r.Right, r.Top, 180 - r.Left, r.Bottom}; }
TPoint TurnedRight(TPoint p) { return {180 - p.y, p.x}; }
TPoint Mirrored(TPoint p) { return {180 - p.x, p.y}; }

std::set<std::pair<int, int>> Segment(TPoint a, TPoint b) { return {{a.x, a.y}, {b.x, b.y}}; }

} // namespace

TEST(WiringGeometry, PinsOneTwoAndSixtySitWhereEachPositionPutsThem) {
    struct Case {
        TMCUpin1Position Position;
        TRect Pin1, Pin2, Pin60;
    };
    const Case Cases[] = {
        {p1pTopLeft, {30, 0, 38, 30}, {38, 0, 46, 30}, {0, 30, 30, 38}},
        {p1pTopRight, {142, 0, 150, 30}, {134, 0, 142, 30}, {150, 30, 180, 38}},
        {p1pRightTop, {150, 30, 180, 38}, {150, 38, 180, 46}, {142, 0, 150, 30}},
        {p1pRightBottom, {150, 142, 180, 150}, {150, 134, 180, 142}, {142, 150, 150, 180}},
        {p1pBottomRight, {142, 150, 150, 180}, {134, 150, 142, 180}, {150, 142, 180, 150}},
        {p1pBottomLeft, {30, 150, 38, 180}, {38, 150, 46, 180}, {0, 142, 30, 150}},
        {p1pLeftBottom, {0, 142, 30, 150}, {0, 134, 30, 142}, {30, 150, 38, 180}},
        {p1pLeftTop, {0, 30, 30, 38}, {0, 38, 30, 46}, {30, 0, 38, 30}},
    };
    for (const Case& c : Cases) {
        SCOPED_TRACE(int(c.Position));
        const TMCUpinRects r = ComputeMCUpinRects(c.Position);
        EXPECT_EQ(r[1], c.Pin1);
        EXPECT_EQ(r[2], c.Pin2);
        EXPECT_EQ(r[60], c.Pin60);
        // Every pin has a cell of its own, found again by its centre and by its corners.
        std::set<std::tuple<int, int, int, int>> Cells;
        for (int p = 1; p <= 60; ++p) {
            const TRect& R = r[size_t(p)];
            Cells.insert({R.Left, R.Top, R.Right, R.Bottom});
            EXPECT_EQ(MCUpinAtPoint(r, {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}), p);
            EXPECT_EQ(MCUpinAtPoint(r, {R.Left, R.Top}), p);
            EXPECT_EQ(MCUpinAtPoint(r, {R.Right - 1, R.Bottom - 1}), p);
            EXPECT_EQ(MCUpinOnCell(c.Position, CellOfMCUpin(c.Position, TMCUpin(p))), p);
        }
        EXPECT_EQ(Cells.size(), 60u);
        // The body, the corners outside the pins and the space beyond them hold no pin.
        for (TPoint p : {TPoint{90, 90}, TPoint{10, 10}, TPoint{170, 170}, TPoint{180, 35}, TPoint{35, 180}})
            EXPECT_EQ(MCUpinAtPoint(r, p), NoMCUpin);
    }
}

TEST(WiringGeometry, TurningAndFlippingMoveEveryPinAndMarkWithTheDrawing) {
    for (TMCUpin1Position p : AllPositions) {
        SCOPED_TRACE(int(p));
        const TMCUpinRects r = ComputeMCUpinRects(p);
        const TMCUpinRects Turned = ComputeMCUpinRects(RotatedRight(p));
        const TMCUpinRects Flipped = ComputeMCUpinRects(FlippedHorizontally(p));
        for (size_t pin = 1; pin <= 60; ++pin) {
            EXPECT_EQ(Turned[pin], TurnedRight(r[pin])) << "pin " << pin;
            EXPECT_EQ(Flipped[pin], Mirrored(r[pin])) << "pin " << pin;
        }
        EXPECT_EQ(SM5ACircleRect(RotatedRight(p)), TurnedRight(SM5ACircleRect(p)));
        EXPECT_EQ(SM5ACircleRect(FlippedHorizontally(p)), Mirrored(SM5ACircleRect(p)));
        TPoint a, b, ta, tb, fa, fb;
        SM5AChamferLine(p, a, b);
        SM5AChamferLine(RotatedRight(p), ta, tb);
        SM5AChamferLine(FlippedHorizontally(p), fa, fb);
        EXPECT_EQ(Segment(ta, tb), Segment(TurnedRight(a), TurnedRight(b)));
        EXPECT_EQ(Segment(fa, fb), Segment(Mirrored(a), Mirrored(b)));
        // Four turns and two flips come back to the start.
        EXPECT_EQ(RotatedRight(RotatedRight(RotatedRight(RotatedRight(p)))), p);
        EXPECT_EQ(FlippedHorizontally(FlippedHorizontally(p)), p);
    }
    // With pin 1 at the top of the right side the dot sits in the body's top-right corner and
    // the chamfer cuts the bottom-right corner, between pins 15 and 16.
    EXPECT_EQ(SM5ACircleRect(p1pRightTop), (TRect{138, 34, 146, 42}));
    TPoint a, b;
    SM5AChamferLine(p1pRightTop, a, b);
    EXPECT_EQ(Segment(a, b), Segment({150, 142}, {142, 150}));
}

TEST(WiringGeometry, PinNumbersAreWrittenAtBothEndsOfEverySide) {
    auto Size = [](const std::string& t) { return TSize{int(t.size()) * 6, 10}; };
    struct Case {
        TMCUpin1Position Position;
        std::vector<std::string> Texts; // cells 1, 15, 16, 30, 31, 45, 46, 60
    };
    const Case Cases[] = {
        {p1pRightTop, {"1", "15", "16", "30", "31", "45", "46", "60"}},
        {p1pLeftTop, {"45", "31", "30", "16", "15", "1", "60", "46"}},
    };
    for (const Case& c : Cases) {
        const std::vector<TPinNumberLabel> L = PinNumberLabels(c.Position, Size);
        ASSERT_EQ(L.size(), 8u);
        for (size_t i = 0; i < 8; ++i) EXPECT_EQ(L[i].Text, c.Texts[i]);
    }
    // Cell 1 is labelled above its right end, cell 46 left of its top.
    const std::vector<TPinNumberLabel> L = PinNumberLabels(p1pRightTop, Size);
    EXPECT_EQ(L[0].Origin, (TPoint{180 - 6, 30 - 10}));
    EXPECT_EQ(L[6].Origin, (TPoint{30 - 12 - 1, 0}));
}

TEST(WiringGeometry, PadSlotsAndThePadsUnderThePointer) {
    struct Case {
        int X, Slot;
    };
    for (Case c : {Case{0, 0}, {34, 0}, {35, 1}, {44, 1}, {45, 0}, {54, 0}, {55, 2}, {555, 27}, {564, 27},
                   {565, 0}, {575, 0}, {640, 0}})
        EXPECT_EQ(LCDpadSlotAtX(c.X), c.Slot) << "x " << c.X;
    EXPECT_EQ(LCDpadSlotRect(true, 1), (TRect{35, 0, 45, 19}));
    EXPECT_EQ(LCDpadSlotRect(false, 27), (TRect{555, 1, 565, 20}));

    // AC-01: pad 1 at -1, 18 at -27, 19 at +27, 42 at +1; the lower slots 11..19 are empty.
    auto D = TAC01LCDDriver::Class.Create(SHARP_SM5A_Chip.COMtoMCUpin, SHARP_SM5A_Chip.ObitToMCUpin);
    EXPECT_EQ(LCDpadAtX(*D, false, 40), 1);
    EXPECT_EQ(LCDpadAtX(*D, true, 40), 42);
    EXPECT_EQ(LCDpadAtX(*D, true, 560), 19);
    EXPECT_EQ(LCDpadAtX(*D, false, 560), 18);
    EXPECT_EQ(LCDpadAtX(*D, false, LCDpadSlotRect(false, 15).Left), NoLCDpad);
    EXPECT_EQ(LCDpadAtX(*D, false, 47), NoLCDpad);
    // The ends of the strips carry the lowest and highest pads, numbered round the glass.
    const auto Lower = StripEndLabels(*D, false), Upper = StripEndLabels(*D, true);
    ASSERT_EQ(Lower.size(), 2u);
    ASSERT_EQ(Upper.size(), 2u);
    EXPECT_EQ(std::make_tuple(Lower[0].Pad, Lower[0].Slot, Lower[0].LeftOfSlot), std::make_tuple(1, 1, true));
    EXPECT_EQ(std::make_tuple(Lower[1].Pad, Lower[1].Slot, Lower[1].LeftOfSlot), std::make_tuple(18, 27, false));
    EXPECT_EQ(std::make_tuple(Upper[0].Pad, Upper[0].Slot, Upper[0].LeftOfSlot), std::make_tuple(19, 27, false));
    EXPECT_EQ(std::make_tuple(Upper[1].Pad, Upper[1].Slot, Upper[1].LeftOfSlot), std::make_tuple(42, 1, true));
    // FL-02's glass has pads only along its upper edge.
    auto FL = TFL02LCDDriver::Class.Create(SHARP_SM5A_Chip.COMtoMCUpin, SHARP_SM5A_Chip.ObitToMCUpin);
    EXPECT_TRUE(StripEndLabels(*FL, false).empty());
}

TEST(WiringGeometry, PinNamesFollowTheChipsPinTables) {
    struct Case {
        const TChipVariant* Chip;
        TMCUpin Pin;
        TMCUpinName Name;
    };
    const Case Cases[] = {
        {&SHARP_SM5A_Chip, 29, {"H2 (COM0)", ""}}, {&SHARP_SM5A_Chip, 30, {"H1 (COM1)", ""}},
        {&SHARP_SM5A_Chip, 46, {"O", "S1"}},       {&SHARP_SM5A_Chip, 43, {"O", "S4"}},
        {&SHARP_SM5A_Chip, 4, {"O", "35"}},        {&SHARP_SM5A_Chip, 16, {"O", "48"}},
        {&SHARP_SM5A_Chip, 8, {"-", ""}},          {&SHARP_SM5A_Chip, 25, {"-", ""}},
        {&KB1013VK1_2_Chip, 14, {"COM0", ""}},     {&KB1013VK1_2_Chip, 15, {"COM1", ""}},
        {&KB1013VK1_2_Chip, 30, {"O", "10"}},      {&KB1013VK1_2_Chip, 48, {"O", "35"}},
        {&KB1013VK1_2_Chip, 52, {"-", ""}},        {&KB1013VK1_2_Chip, 0, {"-", ""}},
    };
    for (const Case& c : Cases) EXPECT_EQ(MCUpinName(*c.Chip, c.Pin), c.Name) << "pin " << int(c.Pin);
    EXPECT_EQ(ORegistersText(3), "O3, O'3");
    EXPECT_EQ(ObitText(0), "#0 (xxx1)");
    EXPECT_EQ(ObitText(2), "#2 (x1xx)");
    EXPECT_EQ(ObitText(3), "#3 (1xxx)");
}
