// A small LCD driver and image for the driver tests.
//
// Wiring (pins of test_pins.h): COM0 pin 50 -> pad 1, COM1 pin 51 -> pad 10;
// O0 bit 0 -> pad 2, O0 bit 1 -> pads 3 and 4, O0 bit 2 -> registered without pads,
// O0 bit 3 -> not wired, O1 bit 0 -> pad 5.
// Segments: pad 2 COM0 "A" and COM1 "B" (touching only at a corner), pad 3 COM0 "C" only,
// pad 4 COM1 "D" only, pad 5 COM0 "E1"+"E2" (two shapes) and COM1 "F". "G" is a drawn shape
// that belongs to no segment.
#pragma once

#include <map>
#include <string>

#include "base/reporter.h"
#include "base/resources.h"
#include "lcd/lcd_driver.h"
#include "test_pins.h"

namespace tarvolin::testing_lcd {

struct TShape {
    const char* Name;
    int Left, Top, Right, Bottom; // right/bottom exclusive
};
inline constexpr TShape Shapes[] = {
    {"A", 10, 10, 20, 20}, {"B", 20, 20, 30, 30}, {"C", 40, 10, 50, 20},  {"D", 40, 30, 50, 40},
    {"E1", 60, 10, 65, 15}, {"E2", 70, 10, 75, 15}, {"F", 60, 30, 70, 40}, {"G", 90, 10, 100, 20},
};
inline constexpr int ImageWidth = 120, ImageHeight = 60;
inline constexpr const char* TestResourceName = "TEST_LCD";

inline TPoint InnerPoint(const std::string& Name) {
    for (const auto& S : Shapes)
        if (Name == S.Name) return {(S.Left + S.Right) / 2, (S.Top + S.Bottom) / 2};
    return {-1, -1};
}
inline int ShapeArea(const std::string& Name) {
    for (const auto& S : Shapes)
        if (Name == S.Name) return (S.Right - S.Left) * (S.Bottom - S.Top);
    return 0;
}

inline TRaster DrawTestImage() {
    TRaster R(ImageWidth, ImageHeight, clWhite);
    for (const auto& S : Shapes) R.FillRect(S.Left, S.Top, S.Right, S.Bottom, clBlack);
    return R;
}

// Registers the test image once (the registry keeps a pointer to the bytes).
inline void RegisterTestImage() {
    static const std::vector<uint8_t> Bytes = EncodePalettePNG(DrawTestImage());
    RegisterResource(TestResourceName, {Bytes.data(), Bytes.size()});
}

// The names of the shapes that are black, in table order, separated by spaces.
inline std::string LitShapes(const TRaster& R) {
    std::string Result;
    for (const auto& S : Shapes) {
        const TPoint P = InnerPoint(S.Name);
        if (R.Contains(P.x, P.y) && R.Pixel(P.x, P.y) == clBlack) Result += std::string(Result.empty() ? "" : " ") + S.Name;
    }
    return Result;
}

class TTestLCDDriver : public TLCDDriver {
public:
    static const TLCDDriverClass Class;
    const TLCDDriverClass& GetClass() const override { return Class; }
    // The resource the next created driver loads.
    static inline std::string NextResourceName = TestResourceName;

protected:
    void SetupMappings() override {
        FLCDResourceName = NextResourceName;
        FLCDThemeName = "Test glass";
        FMCUtoLCDmappings.Clear();
        FMCUtoLCDmappings.AddCOMpads(FCOMtoMCUpin[COM0], {1}, true, false);
        FMCUtoLCDmappings.AddCOMpads(FCOMtoMCUpin[COM1], {10}, false, true);
        FMCUtoLCDmappings.AddSegmentPads(FObitToMCUpin[0][2], {});
        FMCUtoLCDmappings.AddSegmentPads(FObitToMCUpin[0][1], {3, 4});
        FMCUtoLCDmappings.AddSegmentPads(FObitToMCUpin[0][0], {2});
        FMCUtoLCDmappings.AddSegmentPads(FObitToMCUpin[1][0], {5});
        FLCDpadToSegmentMappings.Clear();
        FLCDpadToSegmentMappings.AddSegmentPad(2, -2, {InnerPoint("A")}, {InnerPoint("B")});
        FLCDpadToSegmentMappings.AddSegmentPad(3, -3, {InnerPoint("C")}, {});
        FLCDpadToSegmentMappings.AddSegmentPad(4, -4, {}, {InnerPoint("D")});
        FLCDpadToSegmentMappings.AddSegmentPad(5, -5, {InnerPoint("E1"), InnerPoint("E2")}, {InnerPoint("F")});
        FLCDpadToSegmentMappings.AddCOMpad(1, -1, {2, 3, 4, 5}, NoLCDpad);
        FLCDpadToSegmentMappings.AddCOMpad(10, -27, {2, 3, 4, 5}, NoLCDpad);
    }
};
inline const TLCDDriverClass TTestLCDDriver::Class{"TTestLCDDriver", nullptr, &MakeLCDDriver<TTestLCDDriver>};

class TTestDerivedLCDDriver : public TTestLCDDriver {
public:
    static const TLCDDriverClass Class;
    const TLCDDriverClass& GetClass() const override { return Class; }
};
inline const TLCDDriverClass TTestDerivedLCDDriver::Class{"TTestDerivedLCDDriver", &TTestLCDDriver::Class,
                                                          &MakeLCDDriver<TTestDerivedLCDDriver>};

inline std::unique_ptr<TLCDDriver> CreateTestDriver(const std::string& ResourceName = TestResourceName) {
    RegisterTestImage();
    TTestLCDDriver::NextResourceName = ResourceName;
    auto D = TTestLCDDriver::Class.Create(testing_pins::TestCOMPins(), testing_pins::TestObitPins());
    TTestLCDDriver::NextResourceName = TestResourceName;
    return D;
}

// Collects the messages shown while it is installed.
class TRecordingReporter : public TMessageReporter {
public:
    TRecordingReporter() { FPrevious = SetMessageReporter(this); }
    ~TRecordingReporter() override { SetMessageReporter(FPrevious); }
    void ShowError(const std::string& Text) override { Errors.push_back(Text); }
    void ShowWarning(const std::string& Text) override { Warnings.push_back(Text); }
    std::vector<std::string> Errors, Warnings;

private:
    TMessageReporter* FPrevious = nullptr;
};

inline size_t CountDifferentPixels(const TRaster& A, const TRaster& B) {
    size_t n = 0;
    for (int y = 0; y < A.Height(); ++y)
        for (int x = 0; x < A.Width(); ++x) n += A.Pixel(x, y) != B.Pixel(x, y);
    return n;
}

} // namespace tarvolin::testing_lcd
