// The LCD driver: colours, refresh, the stable-image filter, scenes and image fallback.
#include <gtest/gtest.h>

#include "test_lcd_driver.h"

namespace tarvolin {
namespace {

using namespace testing_lcd;
using namespace testing_pins;

constexpr TColor Inactive = 0xFBFBFB; // white background, lowered by 4

TORegister Reg(std::initializer_list<std::pair<int, int>> Nibbles) {
    TORegister R{};
    for (auto [i, v] : Nibbles) R[size_t(i)] = T4bits(v);
    return R;
}
TORegister AllF() {
    TORegister R;
    R.fill(0xF);
    return R;
}

struct TAttached {
    std::unique_ptr<TLCDDriver> Driver = CreateTestDriver();
    TRaster Scene;
    TAttached() { Driver->AssignBitmapContainer(&Scene, clWhite, 4, false); }
};

TEST(LCDDriver, AttachingShowsTheLastDrawnStateOnAFreshImage) {
    TAttached T;
    EXPECT_EQ(T.Scene.Width(), ImageWidth);
    EXPECT_EQ(T.Scene.Height(), ImageHeight);
    EXPECT_TRUE(T.Scene.Transparent);
    EXPECT_EQ(T.Scene.TransparentColor, clWhite);
    EXPECT_EQ(LitShapes(T.Scene), "G"); // every segment off; the unrelated shape untouched
    EXPECT_EQ(T.Scene.Pixel(InnerPoint("A").x, InnerPoint("A").y), Inactive);
    EXPECT_EQ(T.Scene.Pixel(0, 0), clWhite);

    // A state drawn before there was a scene shows up when the scene arrives.
    auto D = CreateTestDriver();
    D->RefreshBitmap(Reg({{1, 1}}), Reg({{0, 1}}), false);
    EXPECT_EQ(D->PreviousO(), Reg({{1, 1}}));
    TRaster Scene;
    D->AssignBitmapContainer(&Scene, clWhite, 4, false);
    EXPECT_EQ(LitShapes(Scene), "A F G");

    // A raw copy leaves the image as loaded.
    TRaster Raw;
    D->AssignBitmapContainer(&Raw, clWhite, 4, true);
    EXPECT_EQ(LitShapes(Raw), "A B C D E1 E2 F G");
}

TEST(LCDDriver, EachBitLightsItsPadsOnItsPlane) {
    struct {
        TORegister O, O_;
        const char* Lit;
    } const Cases[] = {
        {Reg({{0, 1}}), {}, "B G"},          // O drives plane COM1
        {{}, Reg({{0, 1}}), "A G"},          // O' drives plane COM0; B touches A only at a corner
        {Reg({{0, 2}}), {}, "D G"},          // one pin, two pads: only pad 4 has a COM1 segment
        {{}, Reg({{0, 2}}), "C G"},
        {Reg({{0, 4}}), Reg({{0, 8}}), "G"}, // a pin without pads, and an unwired bit
        {{}, Reg({{1, 1}}), "E1 E2 G"},      // a segment of two shapes
        {Reg({{1, 1}}), {}, "F G"},
        {Reg({{1, 0xE}, {5, 0xF}}), Reg({{2, 0xF}}), "G"},
        {AllF(), AllF(), "A B C D E1 E2 F G"},
    };
    for (const auto& C : Cases) {
        TAttached T;
        T.Driver->RefreshBitmap(C.O, C.O_, true);
        EXPECT_EQ(LitShapes(T.Scene), C.Lit);
        T.Driver->RefreshBitmap({}, {}, true);
        EXPECT_EQ(LitShapes(T.Scene), "G") << "after turning " << C.Lit << " off again";
    }
}

TEST(LCDDriver, RefreshRecoloursOnlyWhatChanged) {
    TAttached T;
    int Refreshes = 0;
    T.Driver->OnBitmapRefresh = [&](TLCDDriver&) { ++Refreshes; };

    T.Driver->RefreshBitmap(Reg({{1, 1}}), {}, true);
    TRaster Before = T.Scene;
    T.Driver->RefreshBitmap(Reg({{1, 1}}), Reg({{0, 1}}), true); // A on, F stays
    EXPECT_EQ(CountDifferentPixels(Before, T.Scene), size_t(ShapeArea("A")));

    Before = T.Scene;
    T.Driver->RefreshBitmap({}, Reg({{0, 1}, {1, 1}}), true); // F off, E1 and E2 on
    EXPECT_EQ(CountDifferentPixels(Before, T.Scene), size_t(ShapeArea("F") + ShapeArea("E1") + ShapeArea("E2")));
    EXPECT_EQ(LitShapes(T.Scene), "A E1 E2 G");

    // Unchanged registers colour nothing but still notify.
    Before = T.Scene;
    const uint64_t Changes = T.Scene.ChangeCount();
    const int RefreshesBefore = Refreshes;
    T.Driver->RefreshBitmap(T.Driver->PreviousO(), T.Driver->PreviousO_(), true);
    EXPECT_EQ(CountDifferentPixels(Before, T.Scene), 0u);
    EXPECT_EQ(T.Scene.ChangeCount(), Changes);
    EXPECT_EQ(Refreshes, RefreshesBefore + 1);

    // A colouring pass tells the view to repaint.
    T.Driver->RefreshBitmap(Reg({{0, 1}}), T.Driver->PreviousO_(), true);
    EXPECT_GT(T.Scene.ChangeCount(), Changes);
}

TEST(LCDDriver, ResetTurnsEverySegmentOff) {
    TAttached T;
    T.Driver->RefreshBitmap(AllF(), AllF(), true);
    T.Driver->SetShowStableImageOnly(true);
    T.Driver->OnInstruction(AllF(), AllF(), true, false);
    T.Driver->Reset();
    EXPECT_EQ(LitShapes(T.Scene), "G");
    EXPECT_FALSE(T.Driver->ShowStableImageOnly());
    EXPECT_EQ(T.Driver->InstructionCountOfStableORegisters(), -1);
    EXPECT_EQ(T.Driver->PreviousO(), TORegister{});
    T.Driver->RefreshBitmap(AllF(), {}, false);
    EXPECT_EQ(LitShapes(T.Scene), "B D F G"); // exactly the COM1 segments
}

// One step of a filter scenario: an instruction (with or without an LCD write or halt) or a
// switch of the filter, and the number of redraws expected after it.
enum TStepKind { Plain, LCDWrite, Halt, FilterOn, FilterOff };
struct TStep {
    TStepKind Kind;
    int Repeat;
    int RedrawsAfter;
};

void RunFilterScenario(const char* Name, std::initializer_list<TStep> Steps) {
    SCOPED_TRACE(Name);
    TAttached T;
    int Redraws = 0;
    T.Driver->OnBitmapRefresh = [&](TLCDDriver&) { ++Redraws; };
    const TORegister O = Reg({{1, 1}});
    int StepNo = 0;
    for (const TStep& S : Steps) {
        for (int i = 0; i < S.Repeat; ++i) switch (S.Kind) {
            case Plain: T.Driver->OnInstruction(O, {}, false, false); break;
            case LCDWrite: T.Driver->OnInstruction(O, {}, true, false); break;
            case Halt: T.Driver->OnInstruction(O, {}, false, true); break;
            case FilterOn: T.Driver->SetShowStableImageOnly(true); break;
            case FilterOff: T.Driver->SetShowStableImageOnly(false); break;
            }
        EXPECT_EQ(Redraws, S.RedrawsAfter) << "after step " << StepNo;
        ++StepNo;
    }
    // Whenever a redraw happened, it showed the registers.
    EXPECT_EQ(LitShapes(T.Scene), Redraws ? "F G" : "G");
}

TEST(LCDDriver, StableImageFilterRedrawsAfter31QuietInstructions) {
    RunFilterScenario("write, then quiet", {{FilterOn, 1, 0}, {LCDWrite, 1, 0}, {Plain, 30, 0}, {Plain, 1, 1},
                                            {Plain, 200, 1}, {LCDWrite, 1, 1}, {Plain, 31, 2}});
    RunFilterScenario("a write restarts the count",
                      {{FilterOn, 1, 0}, {LCDWrite, 1, 0}, {Plain, 20, 0}, {LCDWrite, 1, 0}, {Plain, 30, 0}, {Plain, 1, 1}});
    RunFilterScenario("switching the filter on drops a pending redraw",
                      {{FilterOn, 1, 0}, {LCDWrite, 1, 0}, {FilterOn, 1, 0}, {Plain, 100, 0}, {Halt, 1, 1}});
    RunFilterScenario("halt redraws at once", {{FilterOn, 1, 0}, {Halt, 1, 1}, {Plain, 50, 1}, {Halt, 1, 2}});
    RunFilterScenario("without the filter every write redraws at once",
                      {{LCDWrite, 1, 1}, {Plain, 40, 1}, {LCDWrite, 3, 4}, {Halt, 5, 4}});
    RunFilterScenario("switching the filter off drops a pending redraw",
                      {{FilterOn, 1, 0}, {LCDWrite, 1, 0}, {Plain, 10, 0}, {FilterOff, 1, 0}, {Plain, 50, 0}});
}

// Deferred, the stable images of a full run reach the scene only when asked for, and then
// exactly as an undeferred driver draws the last of them.
TEST(LCDDriver, DeferredStableImagesAreDrawnWhenAskedFor) {
    TAttached Deferred, Direct;
    for (TAttached* T : {&Deferred, &Direct}) T->Driver->SetShowStableImageOnly(true);
    Deferred.Driver->SetDeferStableImages(true);
    int Notices = 0;
    Deferred.Driver->OnBitmapRefresh = [&](TLCDDriver&) { ++Notices; };
    const uint64_t Before = Deferred.Scene.ChangeCount();
    for (const TORegister& O : {Reg({{0, 1}}), Reg({{0, 2}, {1, 1}}), Reg({{0, 3}})}) {
        for (TAttached* T : {&Deferred, &Direct}) {
            T->Driver->OnInstruction(O, {}, true, false);
            T->Driver->OnInstruction(O, {}, false, true); // the program halts: a stable image
        }
    }
    EXPECT_EQ(Notices, 3);
    EXPECT_EQ(Deferred.Scene.ChangeCount(), Before);
    EXPECT_TRUE(Deferred.Driver->HasDeferredStableImage());
    Deferred.Driver->DrawDeferredStableImage();
    EXPECT_FALSE(Deferred.Driver->HasDeferredStableImage());
    EXPECT_EQ(LitShapes(Deferred.Scene), LitShapes(Direct.Scene));
    EXPECT_EQ(LitShapes(Deferred.Scene), "B D G"); // O drives the COM1 plane

    // Turning deferral off (a stop) or a reset forgets a remembered image.
    Deferred.Driver->OnInstruction(Reg({{1, 1}}), {}, false, true);
    Deferred.Driver->SetDeferStableImages(false);
    EXPECT_FALSE(Deferred.Driver->HasDeferredStableImage());
    Deferred.Driver->SetDeferStableImages(true);
    Deferred.Driver->OnInstruction(Reg({{1, 1}}), {}, false, true);
    Deferred.Driver->Reset();
    EXPECT_FALSE(Deferred.Driver->HasDeferredStableImage() || Deferred.Driver->DefersStableImages());
}

TEST(LCDDriver, SceneColours) {
    struct {
        TColor Background;
        uint8_t LowerFactor;
        TColor ExpectedBackground, ExpectedInactive;
    } const Cases[] = {
        {clWhite, 4, clWhite, 0xFBFBFB},
        {0x030A02, 4, 0x030A02, 0x000600}, // channels below the factor stop at 0
        {clBtnFace, 16, clBtnFace, 0xE0E0E0},
        {clSysBtnFace, 4, clBtnFace, 0xECECEC},
        {clSysWindow, 4, clWhite, 0xFBFBFB},
        {0xFF000001, 4, clBtnFace, 0xECECEC}, // other system colours: button face
        {clBlack, 4, clBlack, 0x010101},      // never black: lit and unlit must differ
        {clWhite, 0, clWhite, 0xFEFEFE},      // never white: unlit segments must not join the surroundings
    };
    for (const auto& C : Cases) {
        auto D = CreateTestDriver();
        TRaster Scene;
        D->AssignBitmapContainer(&Scene, C.Background, C.LowerFactor, false);
        EXPECT_EQ(D->ContainerBackgroundColor(), C.ExpectedBackground) << std::hex << C.Background;
        EXPECT_EQ(D->InactiveSegmentColor(), C.ExpectedInactive) << std::hex << C.Background;
        // Segments switch both ways and never spill into the surroundings.
        D->RefreshBitmap({}, Reg({{0, 1}}), true);
        EXPECT_EQ(LitShapes(Scene), "A G");
        D->RefreshBitmap({}, {}, true);
        EXPECT_EQ(LitShapes(Scene), "G");
        EXPECT_EQ(Scene.Pixel(0, 0), clWhite);
        EXPECT_EQ(Scene.Pixel(InnerPoint("A").x, InnerPoint("A").y), C.ExpectedInactive);
    }
    auto Fresh = CreateTestDriver();
    EXPECT_EQ(Fresh->ContainerBackgroundColor(), clBtnFace);
    EXPECT_EQ(Fresh->InactiveSegmentColor(), 0xECECECu);
}

TEST(LCDDriver, ColorizeSegmentsEdgeCases) {
    TAttached T;
    const TRaster Before = T.Scene;
    T.Driver->ColorizeSegments({{-5, 3}, {ImageWidth, 0}, {3, ImageHeight + 7}}, Inactive, clBlack);
    EXPECT_EQ(CountDifferentPixels(Before, T.Scene), 0u);
    T.Driver->ColorizeSegments({}, Inactive, clBlack);
    EXPECT_EQ(CountDifferentPixels(Before, T.Scene), 0u);
    // The default-colour marker takes the colour under the first point for all points.
    T.Driver->ColorizeSegments({InnerPoint("A"), InnerPoint("G"), InnerPoint("C")}, clDefaultMarker, 0x0000FF);
    EXPECT_EQ(T.Scene.Pixel(InnerPoint("A").x, InnerPoint("A").y), 0x0000FFu);
    EXPECT_EQ(T.Scene.Pixel(InnerPoint("C").x, InnerPoint("C").y), 0x0000FFu);
    EXPECT_EQ(T.Scene.Pixel(InnerPoint("G").x, InnerPoint("G").y), clBlack);
    // Without a scene nothing happens.
    auto D = CreateTestDriver();
    D->ColorizeSegments({InnerPoint("A")}, Inactive, clBlack);
    D->ToggleLCDpad(10, true, true, true);
    EXPECT_EQ(D->SceneBitmap(), nullptr);
}

TEST(LCDDriver, ToggleLCDpad) {
    struct {
        TLCDpad Pad;
        bool COM0, COM1;
        const char* Lit;
    } const Cases[] = {
        {10, true, true, "B D F G"},        // COM1 common pad: only COM1 segments of its pads
        {1, true, true, "A C E1 E2 G"},     // COM0 common pad
        {1, false, true, "G"},              // a COM0 pad with COM0 excluded lights nothing
        {5, true, false, "E1 E2 G"},
        {5, true, true, "E1 E2 F G"},
        {4, true, false, "G"},              // pad 4 has no COM0 segment
        {3, true, true, "C G"},             // not pad 4, though the same pin drives it
        {7, true, true, "G"},               // no pin drives pad 7
    };
    for (const auto& C : Cases) {
        TAttached T;
        T.Driver->ToggleLCDpad(C.Pad, true, C.COM0, C.COM1);
        EXPECT_EQ(LitShapes(T.Scene), C.Lit) << "pad " << int(C.Pad);
        T.Driver->ToggleLCDpad(C.Pad, false, C.COM0, C.COM1);
        EXPECT_EQ(LitShapes(T.Scene), "G") << "pad " << int(C.Pad);
    }
}

// The squares of the generic image that are still black.
std::vector<std::string> GenericSquares(const TRaster& R, TColor Color) {
    std::vector<std::string> Result;
    for (TCommonPlane Plane : {COM0, COM1})
        for (int i = 0; i < 9; ++i)
            for (int b = 0; b < 4; ++b) {
                const TPoint P = TLCDDriver::GenericSegmentPosition(Plane, TObit(b), TOIndex(i));
                if (R.Pixel(P.x + 32, P.y + 32) == Color)
                    Result.push_back(std::string(Plane == COM0 ? "COM0" : "COM1") + " O" + std::to_string(i) + "." +
                                     std::to_string(b));
            }
    return Result;
}

TEST(LCDDriver, MissingImageFallsBackToTheGenericImage) {
    TRecordingReporter Reporter;
    auto D = CreateTestDriver("NO_SUCH_LCD");
    D->RefreshBitmap({}, Reg({{1, 1}}), false); // state drawn before the scene arrives
    TRaster Scene;
    D->AssignBitmapContainer(&Scene, clWhite, 4, false);
    ASSERT_EQ(Reporter.Errors.size(), 1u);
    EXPECT_EQ(Reporter.Errors[0], "Resource NO_SUCH_LCD not found (NO_SUCH_LCD)");
    EXPECT_EQ(Scene.Width(), 1355);
    EXPECT_EQ(Scene.Height(), 864);
    EXPECT_TRUE(Scene.Transparent);

    // Only the squares of bits and planes with a segment remain; the pin of pads 3 and 4
    // keeps both planes, one from each pad.
    EXPECT_EQ(GenericSquares(Scene, Inactive),
              (std::vector<std::string>{"COM0 O0.0", "COM0 O0.1", "COM1 O0.0", "COM1 O0.1", "COM1 O1.0"}));
    EXPECT_EQ(GenericSquares(Scene, clBlack), (std::vector<std::string>{"COM0 O1.0"}));
    size_t White = 0;
    for (int y = 0; y < Scene.Height(); ++y)
        for (int x = 0; x < Scene.Width(); ++x) White += Scene.Pixel(x, y) == clWhite;
    EXPECT_EQ(White, 1355u * 864u - 6u * 64u * 64u);

    // The game's segments now live on the squares.
    D->RefreshBitmap(Reg({{0, 2}}), {}, true);
    EXPECT_EQ(GenericSquares(Scene, clBlack), (std::vector<std::string>{"COM1 O0.1"}));
    D->ToggleLCDpad(1, true, true, true);
    EXPECT_EQ(GenericSquares(Scene, clBlack),
              (std::vector<std::string>{"COM0 O0.0", "COM0 O0.1", "COM0 O1.0", "COM1 O0.1"}));
    EXPECT_EQ(D->LCDpadToSegmentMappings().LCDpadToSegmentInnerPoints[3].AssociatedSegmentInnerPoints[COM0],
              (TPointList{TLCDDriver::GenericSegmentPosition(COM0, 0, 1)}));
    EXPECT_TRUE(D->LCDpadToSegmentMappings().LCDpadToSegmentInnerPoints[1].AssociatedSegmentInnerPoints[COM1].empty());
    EXPECT_TRUE(Reporter.Warnings.empty());

    // A driver without an image name gets the same picture without a message.
    auto NoImage = CreateTestDriver("");
    TRaster Plain;
    NoImage->AssignBitmapContainer(&Plain, clWhite, 4, false);
    EXPECT_EQ(Reporter.Errors.size(), 1u);
    EXPECT_EQ(GenericSquares(Plain, Inactive).size(), 6u);
}

TEST(LCDDriver, UndecodableImageIsReportedWithItsOwnMessage) {
    static const uint8_t Garbage[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H'};
    RegisterResource("BROKEN_LCD", {Garbage, sizeof Garbage});
    TRecordingReporter Reporter;
    auto D = CreateTestDriver("BROKEN_LCD");
    TRaster Scene(5, 5, 0x123456);
    D->AssignBitmapContainer(&Scene, clWhite, 4, false);
    UnregisterResource("BROKEN_LCD");
    ASSERT_EQ(Reporter.Errors.size(), 1u);
    const std::string& Message = Reporter.Errors[0];
    EXPECT_NE(Message.find("PNG"), std::string::npos) << Message;
    EXPECT_EQ(Message.substr(Message.size() - 13), " (BROKEN_LCD)");
    EXPECT_EQ(Scene.Width(), 1355);
    EXPECT_EQ(GenericSquares(Scene, Inactive).size(), 6u);
}

TEST(GenericLCDDriver, DrawsAllSquaresAndLightsEachBit) {
    TRecordingReporter Reporter;
    auto D = TGenericLCDDriver::Class.Create(TestCOMPins(), TestObitPins());
    EXPECT_TRUE(D->LCDResourceName().empty());
    EXPECT_FALSE(D->COMMappingsConfirmed());
    TRaster Scene;
    D->AssignBitmapContainer(&Scene, clWhite, 4, false);
    EXPECT_TRUE(Reporter.Errors.empty());
    EXPECT_EQ(GenericSquares(Scene, Inactive).size(), 72u);

    // Bit b of O nibble i lights exactly the COM1 square of (i, b); O' the COM0 square.
    for (int i = 0; i < 9; ++i)
        for (int b = 0; b < 4; ++b) {
            TORegister O{}, O_{};
            O[size_t(i)] = T4bits(1 << b);
            O_[size_t(8 - i)] = T4bits(1 << (3 - b));
            D->RefreshBitmap(O, O_, true);
            const std::vector<std::string> Expected{
                "COM0 O" + std::to_string(8 - i) + "." + std::to_string(3 - b),
                "COM1 O" + std::to_string(i) + "." + std::to_string(b)};
            EXPECT_EQ(GenericSquares(Scene, clBlack), Expected);
        }
    D->RefreshBitmap(AllF(), AllF(), true);
    size_t Black = 0;
    for (int y = 0; y < Scene.Height(); ++y)
        for (int x = 0; x < Scene.Width(); ++x) Black += Scene.Pixel(x, y) == clBlack;
    EXPECT_EQ(Black, 72u * 64u * 64u);
}

TEST(GenericLCDDriver, MappingQueries) {
    auto D = TGenericLCDDriver::Class.Create(TestCOMPins(), TestObitPins());
    TOIndex i = 77;
    TObit b = 77;
    EXPECT_TRUE(D->LCDpadToOIndexAndObit(19, i, b));
    EXPECT_EQ(i, 0);
    EXPECT_EQ(b, 3);
    EXPECT_TRUE(D->MCUpinToOIndexAndObit(PinOf(6, 2), i, b));
    EXPECT_EQ(i, 6);
    EXPECT_EQ(b, 2);
    i = b = 77;
    EXPECT_FALSE(D->LCDpadToOIndexAndObit(1, i, b));  // common pad
    EXPECT_FALSE(D->LCDpadToOIndexAndObit(45, i, b)); // no pin drives it
    EXPECT_FALSE(D->MCUpinToOIndexAndObit(50, i, b)); // common pin
    EXPECT_FALSE(D->MCUpinToOIndexAndObit(0, i, b));
    EXPECT_FALSE(D->MCUpinToOIndexAndObit(61, i, b));
    EXPECT_EQ(i, 77); // outputs untouched
    EXPECT_EQ(D->OIndexAndObitToMCUpin(3, 1), PinOf(3, 1));
    EXPECT_EQ(D->LCDpadToMCUpin(45), NoMCUpin);
    EXPECT_TRUE(D->IsLCDpadCOM1(40));
    EXPECT_TRUE(D->IsMCUpinCOMx(51));

    std::vector<TLCDpad> Top;
    for (int p = 22; p <= 39; ++p) Top.push_back(TLCDpad(p));
    Top.push_back(21);
    Top.push_back(40);
    EXPECT_EQ(D->GetDefinedLCDpads(true), Top);
    EXPECT_EQ(D->GetDefinedLCDpads(false).size(), 20u);
    EXPECT_EQ(D->GetCOMpadTwin(45), NoLCDpad); // no record
    EXPECT_EQ(D->GetCOMpadTwin(5), 0);         // segment pad
    EXPECT_EQ(D->GetCOMpadTwin(1), NoLCDpad);  // common pad without twin
    bool D0, D1;
    D->AreSegmentsForLCDpadDefined(7, D0, D1);
    EXPECT_TRUE(D0 && D1);
    D->AreSegmentsForLCDpadDefined(1, D0, D1);
    EXPECT_FALSE(D0 || D1);

    auto T = CreateTestDriver();
    EXPECT_TRUE(T->GetDefinedLCDpads(true).empty()); // every pad on the lower edge
    T->AreSegmentsForLCDpadDefined(3, D0, D1);
    EXPECT_TRUE(D0);
    EXPECT_FALSE(D1);
    std::vector<TLCDpad> COMpads, SegmentPads;
    T->GetLCDpads(COMpads, SegmentPads);
    EXPECT_EQ(COMpads, (std::vector<TLCDpad>{1, 10}));
    EXPECT_EQ(SegmentPads, (std::vector<TLCDpad>{3, 4, 2, 5}));
}

TEST(LCDDriverClasses, CatalogueLookupAndInheritance) {
    const auto& All = AllLCDDriverClasses();
    ASSERT_FALSE(All.empty());
    EXPECT_EQ(All.front(), &TGenericLCDDriver::Class);
    for (const TLCDDriverClass* C : All) {
        EXPECT_EQ(FindLCDDriverClass(C->ClassName), C);
        auto D = C->Create(TestCOMPins(), TestObitPins());
        EXPECT_EQ(&D->GetClass(), C);
        EXPECT_TRUE(C->InheritsFrom(*C));
    }
    EXPECT_EQ(FindLCDDriverClass("TNoSuchLCDDriver"), nullptr);
    EXPECT_EQ(FindLCDDriverClass(""), nullptr);
    EXPECT_TRUE(TTestDerivedLCDDriver::Class.InheritsFrom(TTestLCDDriver::Class));
    EXPECT_FALSE(TTestLCDDriver::Class.InheritsFrom(TTestDerivedLCDDriver::Class));
    EXPECT_FALSE(TTestLCDDriver::Class.InheritsFrom(TGenericLCDDriver::Class));
    auto D = TTestDerivedLCDDriver::Class.Create(TestCOMPins(), TestObitPins());
    EXPECT_EQ(D->LCDThemeName(), "Test glass");
}

} // namespace
} // namespace tarvolin
