// User artwork: export and check round trip for every driver, and good, broken and hostile
// files in the artwork folder (a refused picture leaves the built-in image and points).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>

#include "base/resources.h"
#include "games/game_catalogue.h"
#include "games/game_lcd_drivers.h"
#include "lcd/lcd_artwork.h"
#include "lcd/lcd_driver.h"
#include "lcd/raster.h"

using namespace tarvolin;

namespace {

std::unique_ptr<TLCDDriver> Create(const TLCDDriverClass& Class) {
    const TChipVariant& Chip = *FirstGameListingLCDDriver(Class)->Class->Chip;
    return Class.Create(Chip.COMtoMCUpin, Chip.ObitToMCUpin);
}

std::string BuiltInPNG(const TLCDDriver& D) {
    const auto R = FindResource(D.LCDResourceName());
    return std::string(reinterpret_cast<const char*>(R->Data), R->Size);
}

class ArtworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = std::filesystem::temp_directory_path() / ("tarvolin_artwork_" + std::to_string(::getpid()));
        std::filesystem::remove_all(Dir);
        std::filesystem::create_directories(Dir);
    }
    void TearDown() override {
        SetArtworkFolder({});
        std::filesystem::remove_all(Dir);
    }
    void Write(const std::string& Name, const std::string& Data) const {
        std::ofstream(Dir / Name, std::ios::binary) << Data;
    }
    // The driver's own picture and points, as `artwork export` writes them.
    void Export(const TLCDDriver& D) const {
        Write(D.LCDResourceName() + ".png", BuiltInPNG(D));
        Write(D.LCDResourceName() + ".points", FormatArtworkPoints(D));
    }
    std::filesystem::path Dir;
};

TEST_F(ArtworkTest, ExportedPicturesPassTheCheckForEveryDriver) {
    for (const TLCDDriverClass* C : GameLCDDriverClasses()) {
        SCOPED_TRACE(C->ClassName);
        auto D = Create(*C);
        Export(*D);
        const TArtworkLoad Load = LoadArtwork(Dir, *D);
        ASSERT_TRUE(Load.Found);
        EXPECT_TRUE(Load.Report.Usable()) << Load.Report.FirstError();
        size_t Segments = 0;
        for (const auto& R : D->LCDpadToSegmentMappings().LCDpadToSegmentInnerPoints) {
            if (R.TwinPad != 0) continue;
            for (TCommonPlane Plane : {COM0, COM1}) {
                if (R.AssociatedSegmentInnerPoints[Plane].empty()) continue;
                ++Segments;
                EXPECT_EQ(Load.Points.at(R.LCDpad)[Plane], R.AssociatedSegmentInnerPoints[Plane]) << int(R.LCDpad);
            }
        }
        EXPECT_EQ(Load.Report.GoodSegments.size(), Segments);
    }
}

TEST_F(ArtworkTest, UsablePictureReplacesImageAndPointsUntilItBreaks) {
    auto D = Create(TMH06LCDDriver::Class);
    const auto BuiltIn = D->LCDpadToSegmentMappings().LCDpadToSegmentInnerPoints;
    // Our picture with a black bar added in a free corner and pad 2's COM0 point moved onto
    // it: the driver takes the picture and the moved point.
    TRaster Image;
    const std::string Original = BuiltInPNG(*D);
    DecodePNG(reinterpret_cast<const uint8_t*>(Original.data()), Original.size(), Image);
    Image.FillRect(0, 0, 12, 6, clBlack);
    const std::vector<uint8_t> Png = EncodePNG(Image);
    Write("MH06_LCD.png", std::string(Png.begin(), Png.end()));
    std::string Points = FormatArtworkPoints(*D);
    const size_t Line = Points.find("\n2 COM0 ");
    Points.replace(Line, Points.find('\n', Line + 1) - Line, "\n2 COM0 3,3");
    Write("MH06_LCD.points", Points);
    SetArtworkFolder(Dir);

    TRaster Scene;
    D->AssignBitmapContainer(&Scene, clWhite, 4, false);
    EXPECT_EQ(D->ArtworkFile(), (Dir / "MH06_LCD.png").string());
    EXPECT_EQ(D->ArtworkNote(), "");
    EXPECT_EQ(D->LCDpadToSegmentMappings().LCDpadToSegmentInnerPoints[0].AssociatedSegmentInnerPoints[COM0],
              (TPointList{{3, 3}}));
    D->ToggleLCDpad(2, true, true, false);
    EXPECT_EQ(Scene.Pixel(11, 5), clBlack);
    D->ToggleLCDpad(2, false, true, false);
    EXPECT_NE(Scene.Pixel(11, 5), clBlack);

    // Broken later: the built-in picture and points come back.
    Write("MH06_LCD.points", "2 COM0 nonsense\n");
    D->AssignBitmapContainer(&Scene, clWhite, 4, false);
    EXPECT_EQ(D->ArtworkFile(), "");
    EXPECT_NE(D->ArtworkNote().find("MH06_LCD.points"), std::string::npos) << D->ArtworkNote();
    const auto& Now = D->LCDpadToSegmentMappings().LCDpadToSegmentInnerPoints;
    ASSERT_EQ(Now.size(), BuiltIn.size());
    for (size_t i = 0; i < Now.size(); ++i) EXPECT_EQ(Now[i].AssociatedSegmentInnerPoints, BuiltIn[i].AssociatedSegmentInnerPoints);
}

TEST_F(ArtworkTest, BrokenAndHostileFilesFallBackToTheBuiltInPicture) {
    auto D = Create(TMH06LCDDriver::Class);
    const std::string Png = BuiltInPNG(*D), Points = FormatArtworkPoints(*D);
    auto Reencoded = [&](const std::function<void(TRaster&)>& Change) {
        TRaster R;
        DecodePNG(reinterpret_cast<const uint8_t*>(Png.data()), Png.size(), R);
        Change(R);
        const std::vector<uint8_t> Bytes = EncodePNG(R);
        return std::string(Bytes.begin(), Bytes.end());
    };
    auto ReplaceLine = [&](const std::string& Start, const std::string& By) {
        std::string Text = Points;
        const size_t At = Text.find("\n" + Start) + 1;
        return Text.replace(At, Text.find('\n', At) - At, By);
    };
    std::string HugeHeader = Png;
    HugeHeader.replace(16, 4, std::string("\x7F\xFF\xFF\xFF", 4)); // a 2147483647-pixel-wide picture
    const std::string Pad2COM1 = Points.substr(Points.find("\n2 COM1 ") + 8, Points.find('\n', Points.find("\n2 COM1 ") + 1) - Points.find("\n2 COM1 ") - 8);

    struct Case {
        const char* Name;
        std::string PNG, PointsText; // "" = the file is missing
        const char* Why;
        const char* File;
    };
    const Case Cases[] = {
        {"wrong size", Reencoded([](TRaster& R) { R.SetSize(100, 100, clWhite); }), Points, "100 x 100 pixels", ".png"},
        {"huge header", HugeHeader, Points, "2147483647 x 864 pixels", ".png"},
        {"not a PNG", "GIF89a and then some", Points, "not a PNG file", ".png"},
        {"grey pixel", Reencoded([](TRaster& R) { R.SetPixel(7, 9, 0x808080); }), Points, "the first at 7,9", ".png"},
        {"point outside", Png, ReplaceLine("2 COM0", "2 COM0 1400,10"), "point 1400,10 lies outside", ".points"},
        {"point on white", Png, ReplaceLine("2 COM0", "2 COM0 0,0"), "point 0,0 is not on a black shape", ".points"},
        {"two segments, one shape", Png, ReplaceLine("2 COM0", "2 COM0 " + Pad2COM1), "flood into each other", ".points"},
        {"segment left out", Png, ReplaceLine("2 COM0", ""), "pad 2 COM0: no inner point", ".points"},
        {"no such segment", Png, Points + "1 COM0 10,10\n", "pad 1 COM0: this glass has no such segment", ".points"},
        {"bad line", Png, Points + "2 COM2 1,1\n", "must be followed by COM0 or COM1", ".points"},
        {"bad point", Png, Points + "50 COM0 1;1\n", "\"1;1\" is no point", ".points"},
        {"points file missing", Png, "", "points file is missing", ".points"},
        {"picture missing", "", Points, "picture is missing", ".png"},
    };
    SetArtworkFolder(Dir);
    TRaster Expected;
    D->AssignBitmapContainer(&Expected, clWhite, 4, false); // nothing in the folder yet
    EXPECT_EQ(D->ArtworkNote(), "");
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        std::filesystem::remove(Dir / "MH06_LCD.png");
        std::filesystem::remove(Dir / "MH06_LCD.points");
        if (!C.PNG.empty()) Write("MH06_LCD.png", C.PNG);
        if (!C.PointsText.empty()) Write("MH06_LCD.points", C.PointsText);
        TRaster Scene;
        D->AssignBitmapContainer(&Scene, clWhite, 4, false);
        EXPECT_EQ(D->ArtworkFile(), "");
        EXPECT_NE(D->ArtworkNote().find(C.Why), std::string::npos) << D->ArtworkNote();
        EXPECT_NE(D->ArtworkNote().find(std::string("MH06_LCD") + C.File), std::string::npos) << D->ArtworkNote();
        ASSERT_EQ(Scene.Width(), Expected.Width());
        EXPECT_TRUE(std::equal(Scene.Data(), Scene.Data() + size_t(Scene.Width()) * Scene.Height(), Expected.Data()));
    }
}

TEST_F(ArtworkTest, ShapesMeetingAtACornerAreNotedNotRefused) {
    auto D = Create(TMH06LCDDriver::Class);
    TRaster Image;
    const std::string Png = BuiltInPNG(*D);
    DecodePNG(reinterpret_cast<const uint8_t*>(Png.data()), Png.size(), Image);
    // Two one-pixel-diagonal squares in a free corner, pads 2 and 3 COM0 on them.
    Image.FillRect(0, 0, 4, 4, clBlack);
    Image.FillRect(4, 4, 8, 8, clBlack);
    std::string Points = FormatArtworkPoints(*D);
    auto Move = [&](const std::string& Start, const std::string& By) {
        const size_t At = Points.find("\n" + Start) + 1;
        Points.replace(At, Points.find('\n', At) - At, By);
    };
    Move("2 COM0", "2 COM0 1,1");
    Move("3 COM0", "3 COM0 6,6");
    const TArtworkReport Report = CheckArtwork(*D, Image, ParseArtworkPoints(Points));
    EXPECT_TRUE(Report.Usable()) << Report.FirstError();
    ASSERT_FALSE(Report.Findings.empty());
    bool Noted = false;
    for (const TArtworkFinding& F : Report.Findings)
        Noted |= !F.Error && F.Text.find("touches") != std::string::npos;
    EXPECT_TRUE(Noted);
}

} // namespace
