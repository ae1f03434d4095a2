// The interconnection window's behaviour on a recording view: what hovering, clicking and
// locking highlight, which segments light, and what the panels and the note say.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "debugger/interconnection.h"
#include "games/game_classes.h"
#include "games/game_lcd_drivers.h"
#include "lcd/lcd_driver.h"

using namespace tarvolin;

namespace {

constexpr TColor Background = 0xE0F0D0;

class TRecordingWindow : public TInterconnectionView {
public:
    int Strips = 0, Package = 0, Panels = 0, Image = 0;
    void StripsChanged() override { ++Strips; }
    void PackageChanged() override { ++Package; }
    void PanelsChanged() override { ++Panels; }
    void LCDImageChanged() override { ++Image; }
};

struct TWindow {
    std::unique_ptr<TSHARP_SM5A_MCU> MCU;
    TRecordingWindow View;
    TInterconnection W{View};

    explicit TWindow(const TMCUClass& Class, const TLCDDriverClass* Image = nullptr, bool HighContrast = false)
        : MCU(Class.Create(nullptr)) {
        if (Image) MCU->ChangeLCDDriver(*Image);
        W.Initialize(*MCU, Background, HighContrast);
    }
    static int SlotX(int Slot) { return LCDpadSlotRect(true, Slot).Left + 4; }
    // The strip and x of a pad's slot.
    std::pair<bool, int> PadAt(TLCDpad Pad) const {
        const int Position = W.LCDDriver().LCDpadToPadPosition(Pad);
        return {Position > 0, SlotX(std::abs(Position))};
    }
    void HoverPad(TLCDpad Pad) {
        const auto [Upper, X] = PadAt(Pad);
        W.StripMouseMove(Upper, X);
    }
    void ClickPad(TLCDpad Pad, bool Ctrl) {
        const auto [Upper, X] = PadAt(Pad);
        W.StripClick(Upper, X, Ctrl);
    }
    TPoint PinPoint(TMCUpin Pin) const {
        const TRect r = W.MCUpinRects()[Pin];
        return {r.Left + 2, r.Top + 2};
    }
    std::vector<TLCDpad> Active() const {
        std::vector<TLCDpad> a;
        TLCDDriver::ConvertLCDpadSetToLCDpadArray(W.ActivatedLCDpads(), a);
        return a;
    }
    // Every inner point of the pad's segment on that plane is black (false without a segment).
    bool Lit(TLCDpad Pad, TCommonPlane Plane) const {
        const auto& Records = W.LCDDriver().LCDpadToSegmentMappings().LCDpadToSegmentInnerPoints;
        for (const auto& R : Records)
            if (R.LCDpad == Pad) {
                const TPointList& P = R.AssociatedSegmentInnerPoints[Plane];
                if (P.empty()) return false;
                for (TPoint p : P)
                    if (W.LCDImage().Pixel(p.x, p.y) != clBlack) return false;
                return true;
            }
        return false;
    }
    size_t BlackPixels() const {
        const TRaster& r = W.LCDImage();
        return size_t(std::count(r.Data(), r.Data() + size_t(r.Width()) * r.Height(), clBlack));
    }
};

std::string TwinNote(int a, int b) {
    return "Note: LCD COM pads " + std::to_string(a) + " and " + std::to_string(b) +
           " drive the same group of segments; i.e. if one of them is broken the LCD will still work correctly.";
}

} // namespace

TEST(Interconnection, OpensDarkWithTheGamesPinOneAndTurnsWithoutTouchingTheMCU) {
    for (bool High : {false, true}) {
        TWindow w(TMH06::Class, nullptr, High);
        const uint8_t f = High ? 16 : 4;
        EXPECT_EQ(w.W.LCDDriver().InactiveSegmentColor(), Background - f * 0x010101u);
        EXPECT_EQ(w.BlackPixels(), 0u);
        EXPECT_EQ(w.W.Pin1Position(), p1pTopLeft);
        EXPECT_TRUE(w.W.IsSHARP_SM5A_MCU());
        EXPECT_EQ(w.W.MCUname(), "SHARP SM-5A");
        const int Before = w.View.Package;
        for (int i = 0; i < 4; ++i) w.W.RotateRight();
        w.W.FlipHorizontally();
        EXPECT_EQ(w.W.Pin1Position(), p1pTopRight);
        w.W.FlipHorizontally();
        EXPECT_EQ(w.W.Pin1Position(), p1pTopLeft);
        EXPECT_EQ(w.View.Package, Before + 6);
        EXPECT_EQ(w.MCU->Pin1Position(), p1pTopLeft);
    }
}

TEST(Interconnection, ACommonPadLightsItsPlaneAndNamesItsTwin) {
    TWindow w(TMC25::Class); // COM0 pads 1 and 17 are twins; the layout is confirmed
    w.HoverPad(1);
    EXPECT_EQ(w.Active(), (std::vector<TLCDpad>{1}));
    EXPECT_EQ(w.W.ActivatedMCUpin(), 29);
    const TInterconnectionPanels& p = w.W.Panels();
    EXPECT_EQ(p.Pads[0], (TLCDpadPanel{true, "1", false, false}));
    EXPECT_FALSE(p.Pads[1].Visible);
    EXPECT_EQ(p.Pin.Number, "29");
    EXPECT_EQ(p.Pin.Name, (TMCUpinName{"H2 (COM0)", ""}));
    EXPECT_FALSE(p.Pin.ORegistersVisible);
    EXPECT_FALSE(p.Pin.BitVisible);
    EXPECT_EQ(p.Note, TwinNote(1, 17));
    std::vector<TLCDpad> Driven;
    w.W.LCDDriver().GetDrivenSegmentPadsForCOM(1, Driven);
    ASSERT_FALSE(Driven.empty());
    for (TLCDpad Pad : Driven) {
        bool c0 = false, c1 = false;
        w.W.LCDDriver().AreSegmentsForLCDpadDefined(Pad, c0, c1);
        EXPECT_EQ(w.Lit(Pad, COM0), c0) << "pad " << int(Pad);
        EXPECT_FALSE(w.Lit(Pad, COM1)) << "pad " << int(Pad);
    }
    // The COM0 pin highlights both twins; with two common pads the note is not shown.
    w.W.StripMouseLeave();
    EXPECT_EQ(w.BlackPixels(), 0u);
    w.W.PackageMouseMove(w.PinPoint(29));
    EXPECT_EQ(w.Active(), (std::vector<TLCDpad>{1, 17}));
    EXPECT_EQ(w.W.Panels().Pads[0], (TLCDpadPanel{true, "1, 17", false, false}));
    EXPECT_FALSE(w.W.Panels().Pads[1].Visible);
    EXPECT_EQ(w.W.Panels().Note, "");
    w.W.PackageMouseLeave();
    EXPECT_EQ(w.W.ActivatedMCUpin(), NoMCUpin);
    EXPECT_TRUE(w.Active().empty());
    EXPECT_EQ(w.W.Panels().Pin.Number, "-");
}

TEST(Interconnection, SegmentPadsAndPinsTellWhichPlaneHasNoSegment) {
    TWindow w(TAC01::Class); // O5 bit 1 (pin 5) drives pads 8 (no COM0 segment) and 10 (no COM1 segment)
    w.HoverPad(8);
    EXPECT_EQ(w.Active(), (std::vector<TLCDpad>{8}));
    const TInterconnectionPanels& p = w.W.Panels();
    EXPECT_EQ(p.Pads[0], (TLCDpadPanel{true, "8", true, false}));
    EXPECT_EQ(p.Pin.Number, "5");
    EXPECT_EQ(p.Pin.Name, (TMCUpinName{"O", "25"}));
    EXPECT_EQ(p.Pin.ORegisters, "O5, O'5");
    EXPECT_EQ(p.Pin.Bit, "#1 (xx1x)");
    EXPECT_TRUE(p.Pin.ORegistersVisible && p.Pin.BitVisible);
    EXPECT_EQ(p.Note, ""); // no common pad is highlighted
    EXPECT_TRUE(w.Lit(8, COM1));
    w.W.StripMouseLeave();
    w.W.PackageMouseMove(w.PinPoint(5));
    EXPECT_EQ(w.Active(), (std::vector<TLCDpad>{8, 10}));
    EXPECT_EQ(w.W.Panels().Pads[0], (TLCDpadPanel{true, "8", true, false}));
    EXPECT_EQ(w.W.Panels().Pads[1], (TLCDpadPanel{true, "10", false, true}));
    EXPECT_TRUE(w.Lit(8, COM1) && w.Lit(10, COM0));
    // A pin with one pad hides the second panel again.
    w.W.PackageMouseMove(w.PinPoint(3));
    EXPECT_EQ(w.Active(), (std::vector<TLCDpad>{11}));
    EXPECT_FALSE(w.W.Panels().Pads[1].Visible);
}

TEST(Interconnection, TheNoteFollowsTheLayoutsConfirmation) {
    struct Case {
        const TMCUClass* Game;
        const TLCDDriverClass* Image;
        TLCDpad Pad;
        std::string Note;
    };
    const std::string Approximate =
        "Note: Segment groups driven by LCD COM pads are only approximate. They need to be confirmed using a real LCD.";
    const Case Cases[] = {
        {&TMC25::Class, nullptr, 1, TwinNote(1, 17)},
        {&TMC25::Class, nullptr, 17, TwinNote(17, 1)},
        {&TMC25::Class, nullptr, 16, ""},                          // no twin
        {&TMC25::Class, &TEG26LCDDriver::Class, 1, Approximate},   // the same wiring, not confirmed
        {&TMH06::Class, nullptr, 1, Approximate},
        {&TMH06::Class, nullptr, 2, ""},                           // a segment pad
        {&TSHARP_SM5A_MCU::Class, nullptr, 1, ""},                 // the generic image
        {&TSHARP_SM5A_MCU::Class, nullptr, 21, ""},
    };
    for (const Case& c : Cases) {
        TWindow w(*c.Game, c.Image);
        w.HoverPad(c.Pad);
        EXPECT_EQ(w.Active(), (std::vector<TLCDpad>{c.Pad}));
        EXPECT_EQ(w.W.Panels().Note, c.Note) << c.Game->ClassName << " pad " << int(c.Pad);
    }
}

TEST(Interconnection, PinsWithoutPadsAreNeitherHighlightedNorLocked) {
    struct Case {
        const TMCUClass* Game;
        const TLCDDriverClass* Image;
        TMCUpin Pin;
    };
    const Case Cases[] = {
        {&TAC01::Class, nullptr, 7},                   // O6 bit 3: registered without a pad
        {&TAC01::Class, nullptr, 8},                   // carries no O bit
        {&TAC01::Class, nullptr, 21},                  // no LCD line at all
        {&TIM02::Class, &TIM10LCDDriver::Class, 28},   // O0 bit 2: left unwired on IM-10
    };
    for (const Case& c : Cases) {
        SCOPED_TRACE(int(c.Pin));
        TWindow w(*c.Game, c.Image);
        EXPECT_FALSE(w.W.MCUpinDrivesPads(c.Pin));
        w.W.PackageMouseMove(w.PinPoint(c.Pin));
        EXPECT_TRUE(w.Active().empty());
        EXPECT_EQ(w.W.Panels().Pin.Number, "-");
        w.W.PackageClick(w.PinPoint(c.Pin), true);
        EXPECT_EQ(w.W.ActivationLockedBy(), alsNone);
        // Locked on a wired pin, a Ctrl+click on this one only releases the lock.
        TMCUpin Wired = 1;
        while (!w.W.MCUpinDrivesPads(Wired)) ++Wired;
        w.W.PackageMouseMove(w.PinPoint(Wired));
        w.W.PackageClick(w.PinPoint(Wired), true);
        EXPECT_EQ(w.W.ActivationLockedBy(), alsMCUpin);
        const auto Locked = w.Active();
        w.W.PackageClick(w.PinPoint(c.Pin), true);
        EXPECT_EQ(w.W.ActivationLockedBy(), alsNone);
        EXPECT_EQ(w.Active(), Locked);
    }
}

TEST(Interconnection, LocksHoldAgainstHoveringAndGiveWayToClicks) {
    TWindow w(TMC25::Class); // pin 4 (O5 bit 2) drives pad 32, pin 53 pad 5, pin 52 pad 6
    const int Gap = TWindow::SlotX(3) + LCDpadWidth;
    struct Step {
        const char* What;
        std::function<void()> Do;
        TActivationLockSource Lock;
        std::vector<TLCDpad> Pads;
        TMCUpin Pin;
    };
    const Step Steps[] = {
        {"ctrl+click pad 1", [&] { w.ClickPad(1, true); }, alsLCDpad, {1}, 29},
        {"hover pad 5", [&] { w.HoverPad(5); }, alsLCDpad, {1}, 29},
        {"hover a pin", [&] { w.W.PackageMouseMove(w.PinPoint(4)); }, alsLCDpad, {1}, 29},
        {"leave both", [&] { w.W.PackageMouseLeave(), w.W.StripMouseLeave(); }, alsLCDpad, {1}, 29},
        {"ctrl+click pad 5", [&] { w.ClickPad(5, true); }, alsLCDpad, {5}, 53},
        {"ctrl+click a gap", [&] { w.W.StripClick(false, Gap, true); }, alsNone, {5}, 53},
        {"hover pad 6", [&] { w.HoverPad(6); }, alsNone, {6}, 52},
        {"ctrl+click pin 4", [&] { w.W.PackageClick(w.PinPoint(4), true); }, alsMCUpin, {32}, 4},
        {"ctrl+click pin 4 again", [&] { w.W.PackageClick(w.PinPoint(4), true); }, alsMCUpin, {32}, 4},
        {"hover pad 5", [&] { w.HoverPad(5); }, alsMCUpin, {32}, 4},
        {"ctrl+click pad 5", [&] { w.ClickPad(5, true); }, alsLCDpad, {5}, 53},
        {"click pad 6", [&] { w.ClickPad(6, false); }, alsNone, {6}, 52},
        {"ctrl+click pin 29", [&] { w.W.PackageClick(w.PinPoint(29), true); }, alsMCUpin, {1, 17}, 29},
        {"click the body", [&] { w.W.PackageClick({90, 90}, false); }, alsNone, {}, NoMCUpin},
    };
    for (const Step& s : Steps) {
        s.Do();
        EXPECT_EQ(w.W.ActivationLockedBy(), s.Lock) << s.What;
        EXPECT_EQ(w.Active(), s.Pads) << s.What;
        EXPECT_EQ(w.W.ActivatedMCUpin(), s.Pin) << s.What;
    }
    EXPECT_EQ(w.BlackPixels(), 0u);
}

TEST(Interconnection, MovingStraightFromACommonPadToASegmentPadLeavesItsSegmentsLit) {
    // Pad 16 (COM1) lights the COM1 segments of the pads under it, pad 5 among them; going
    // straight to pad 5 must leave exactly pad 5's segments lit.
    TWindow Direct(TMC25::Class), Fresh(TMC25::Class);
    Direct.HoverPad(16);
    EXPECT_TRUE(Direct.Lit(5, COM1));
    Direct.HoverPad(5);
    Fresh.HoverPad(5);
    EXPECT_TRUE(Direct.Lit(5, COM0) && Direct.Lit(5, COM1));
    EXPECT_EQ(Direct.BlackPixels(), Fresh.BlackPixels());
    EXPECT_TRUE(std::equal(Direct.W.LCDImage().Data(),
                           Direct.W.LCDImage().Data() + size_t(Direct.W.LCDImage().Width()) * Direct.W.LCDImage().Height(),
                           Fresh.W.LCDImage().Data()));
}
