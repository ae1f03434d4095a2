// Our game LCD pictures: embedded, two-colour, one black shape per segment around the
// drivers' inner points, and lit exactly as O and O' say.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

#include "base/resources.h"
#include "games/game_catalogue.h"
#include "games/game_lcd_drivers.h"
#include "games/lcd_layout.h"
#include "lcd/lcd_driver.h"
#include "lcd/raster.h"

using namespace tarvolin;

namespace {

uint32_t BigEndian32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

// Four-neighbour labels of the black regions; -1 for white.
std::vector<int> LabelBlackRegions(const TRaster& Image, int& Count) {
    std::vector<int> Label(size_t(Image.Width()) * Image.Height(), -1);
    Count = 0;
    std::vector<std::pair<int, int>> Stack;
    for (int y = 0; y < Image.Height(); ++y)
        for (int x = 0; x < Image.Width(); ++x) {
            if (Image.Pixel(x, y) != clBlack || Label[size_t(y) * Image.Width() + x] >= 0) continue;
            Label[size_t(y) * Image.Width() + x] = Count;
            Stack.push_back({x, y});
            while (!Stack.empty()) {
                auto [px, py] = Stack.back();
                Stack.pop_back();
                const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
                for (int d = 0; d < 4; ++d) {
                    int nx = px + dx[d], ny = py + dy[d];
                    if (!Image.Contains(nx, ny) || Image.Pixel(nx, ny) != clBlack) continue;
                    int& L = Label[size_t(ny) * Image.Width() + nx];
                    if (L < 0) {
                        L = Count;
                        Stack.push_back({nx, ny});
                    }
                }
            }
            ++Count;
        }
    return Label;
}

std::unique_ptr<TLCDDriver> CreateForFirstGame(const TLCDDriverClass& Class) {
    const TChipVariant& Chip = *FirstGameListingLCDDriver(Class)->Class->Chip;
    return Class.Create(Chip.COMtoMCUpin, Chip.ObitToMCUpin);
}

constexpr TColor Inactive = 0xFBFBFB; // white lowered by 4

// Digit glyphs as the chip's coding table draws them (its 7 has the upper-left stroke).
constexpr uint8_t TableGlyphs[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x27, 0x7F, 0x6F};

} // namespace

TEST(GameLCDImages, SevenSegmentBitsFollowTheCodingTable) {
    const TSevenSegmentBits& B = SevenSegmentBits();
    // TD=1: b, a, g, c for bits 0..3; TD=0: dot, f, e, d.
    EXPECT_EQ(B.TD1Segment, (std::array<int8_t, 4>{1, 0, 6, 2}));
    EXPECT_EQ(B.TD0Segment, (std::array<int8_t, 4>{DotSegment, 5, 4, 3}));
}

TEST(GameLCDImages, EmbeddedTwoColourPicturesHoldOneShapePerSegment) {
    EXPECT_TRUE(GameLCDImagesEmbedded());
    for (const TLCDDriverClass* C : GameLCDDriverClasses()) {
        SCOPED_TRACE(C->ClassName);
        auto D = CreateForFirstGame(*C);
        auto Resource = FindResource(D->LCDResourceName());
        ASSERT_TRUE(Resource.has_value());
        // A 1355 x 864 PNG with a two-entry palette, black then white.
        const uint8_t* P = Resource->Data;
        ASSERT_GT(Resource->Size, 57u);
        ASSERT_EQ(std::string(reinterpret_cast<const char*>(P) + 12, 4), "IHDR");
        EXPECT_EQ(BigEndian32(P + 16), 1355u);
        EXPECT_EQ(BigEndian32(P + 20), 864u);
        EXPECT_EQ(P[25], 3); // palette colour type
        ASSERT_EQ(std::string(reinterpret_cast<const char*>(P) + 37, 4), "PLTE");
        EXPECT_EQ(BigEndian32(P + 33), 6u);
        EXPECT_EQ(std::vector<uint8_t>(P + 41, P + 47), (std::vector<uint8_t>{0, 0, 0, 255, 255, 255}));

        TRaster Image;
        DecodePNG(Resource->Data, Resource->Size, Image);
        ASSERT_EQ(Image.Width(), 1355);
        ASSERT_EQ(Image.Height(), 864);
        int Regions = 0;
        const std::vector<int> Label = LabelBlackRegions(Image, Regions);

        // Every inner point lies in a black shape; different segments use different shapes,
        // except pads of one pin that share theirs (GK-10).
        const bool Sharing = FindGameLCDDriverRow(*C)->PadsOfOnePinShareShapes;
        std::map<int, std::pair<TMCUpin, TCommonPlane>> Owner;
        std::set<std::tuple<int, int, int>> Segments;
        for (const auto& R : D->LCDpadToSegmentMappings().LCDpadToSegmentInnerPoints) {
            for (TCommonPlane Plane : {COM0, COM1}) {
                for (const TPoint& Pt : R.AssociatedSegmentInnerPoints[Plane]) {
                    ASSERT_TRUE(Image.Contains(Pt.x, Pt.y));
                    ASSERT_EQ(Image.Pixel(Pt.x, Pt.y), clBlack) << "pad " << int(R.LCDpad);
                    const int L = Label[size_t(Pt.y) * Image.Width() + Pt.x];
                    const std::pair<TMCUpin, TCommonPlane> Key{D->LCDpadToMCUpin(R.LCDpad), Plane};
                    auto [It, New] = Owner.emplace(L, Key);
                    if (!New) {
                        EXPECT_TRUE(Sharing && It->second == Key) << "pad " << int(R.LCDpad) << " shares a shape";
                    }
                }
            }
        }
        // No black region without a segment.
        EXPECT_EQ(static_cast<int>(Owner.size()), Regions);

        // At least two white pixels between different shapes.
        int Touching = 0;
        const int Offsets[12][2] = {{1, -2}, {1, -1}, {1, 0}, {1, 1}, {1, 2}, {2, -2},
                                    {2, -1}, {2, 0},  {2, 1}, {2, 2}, {0, 1}, {0, 2}};
        for (int y = 0; y < Image.Height(); ++y)
            for (int x = 0; x < Image.Width(); ++x) {
                const int L = Label[size_t(y) * Image.Width() + x];
                if (L < 0) continue;
                for (const auto& o : Offsets) {
                    const int nx = x + o[0], ny = y + o[1];
                    if (!Image.Contains(nx, ny)) continue;
                    const int M = Label[size_t(ny) * Image.Width() + nx];
                    if (M >= 0 && M != L) ++Touching;
                }
            }
        EXPECT_EQ(Touching, 0);
    }
}

TEST(GameLCDImages, RefreshLightsExactlyTheSegmentsOfTheSetBits) {
    std::mt19937 Random(20261209);
    for (const TLCDDriverClass* C : GameLCDDriverClasses()) {
        SCOPED_TRACE(C->ClassName);
        auto D = CreateForFirstGame(*C);
        TRaster Scene;
        D->AssignBitmapContainer(&Scene, clWhite, 4, false);
        ASSERT_EQ(Scene.Width(), 1355);
        TRaster Fresh;
        DecodePNG(FindResource(D->LCDResourceName())->Data, FindResource(D->LCDResourceName())->Size, Fresh);
        for (int Round = 0; Round < 3; ++Round) {
            TORegister O{}, O_{};
            for (int i = 0; i < 9; ++i) {
                O[i] = static_cast<T4bits>(Random() & 0xF);
                O_[i] = static_cast<T4bits>(Random() & 0xF);
            }
            D->RefreshBitmap(O, O_, false);
            for (const auto& R : D->LCDpadToSegmentMappings().LCDpadToSegmentInnerPoints) {
                if (R.TwinPad != 0) continue;
                TOIndex i = 0;
                TObit b = 0;
                ASSERT_TRUE(D->LCDpadToOIndexAndObit(R.LCDpad, i, b));
                for (TCommonPlane Plane : {COM0, COM1}) {
                    const bool On = (((Plane == COM1 ? O : O_)[i] >> b) & 1) != 0;
                    for (const TPoint& Pt : R.AssociatedSegmentInnerPoints[Plane])
                        EXPECT_EQ(Scene.Pixel(Pt.x, Pt.y), On ? clBlack : Inactive)
                            << "pad " << int(R.LCDpad) << " plane " << int(Plane) << " round " << Round;
                }
            }
            // Colouring stays inside the shapes: white stays white, black pixels are on or off.
            size_t Leaks = 0;
            for (int y = 0; y < Scene.Height(); ++y)
                for (int x = 0; x < Scene.Width(); ++x) {
                    const TColor s = Scene.Pixel(x, y);
                    if ((Fresh.Pixel(x, y) == clWhite) != (s == clWhite) || (s != clWhite && s != clBlack && s != Inactive))
                        ++Leaks;
                }
            EXPECT_EQ(Leaks, 0u);
        }
    }
}

TEST(GameLCDImages, DigitsReadAsDigits) {
    for (const TLCDDriverClass* C : GameLCDDriverClasses()) {
        SCOPED_TRACE(C->ClassName);
        const TGameHardware& Game = *FirstGameListingLCDDriver(*C);
        auto D = CreateForFirstGame(*C);
        const TLCDLayout Layout = GameLCDLayout(*D);
        TRaster Scene;
        D->AssignBitmapContainer(&Scene, clWhite, 4, false);
        int DigitShapes = 0;
        for (int Digit = 0; Digit <= 9; ++Digit) {
            for (bool Dot : {false, true}) {
                TORegister O{}, O_{};
                for (uint8_t Reg : Game.DigitORegisters) {
                    // What the chip writes for the digit: the TD=0 half (with LD0's dot) and the TD=1 half.
                    const T4bits TD0 = SevenSegmentCodingTable[0][Digit] | (Dot ? 1 : 0);
                    const T4bits TD1 = SevenSegmentCodingTable[1][Digit];
                    (Game.TD0IsCOM1 ? O : O_)[Reg] = TD0;
                    (Game.TD0IsCOM1 ? O_ : O)[Reg] = TD1;
                }
                D->RefreshBitmap(O, O_, false);
                DigitShapes = 0;
                for (const TSegmentShape& S : Layout.Shapes) {
                    if (S.DigitPlace < 0) continue;
                    ++DigitShapes;
                    const bool Expected = S.Segment == DotSegment ? Dot : ((TableGlyphs[Digit] >> S.Segment) & 1) != 0;
                    EXPECT_EQ(Scene.Pixel(S.InnerPoint.x, S.InnerPoint.y) == clBlack, Expected)
                        << "digit " << Digit << " place " << S.DigitPlace << " segment " << int(S.Segment);
                }
            }
        }
        // Every digit register of the game shows as a digit.
        EXPECT_GE(DigitShapes, static_cast<int>(Game.DigitORegisters.size()) * 5);
    }
}

TEST(GameLCDImages, ShapesAreLaidOutLikeTheGlass) {
    for (const TLCDDriverClass* C : GameLCDDriverClasses()) {
        SCOPED_TRACE(C->ClassName);
        if (!FindGameLCDDriverRow(*C)->Given.empty()) continue; // drawn around its given points
        auto D = CreateForFirstGame(*C);
        const TLCDLayout Layout = GameLCDLayout(*D);
        int DigitTop = 10000, DigitBottom = -1;
        for (const TSegmentShape& S : Layout.Shapes)
            if (S.DigitPlace >= 0) {
                DigitTop = std::min(DigitTop, S.InnerPoint.y);
                DigitBottom = std::max(DigitBottom, S.InnerPoint.y);
            }
        // Glass shapes per pad: upper-edge pads above the digits, lower-edge pads below,
        // left to right in slot order, COM0 above COM1.
        std::map<TLCDpad, std::map<int, TPoint>> ByPad;
        for (const TSegmentShape& S : Layout.Shapes)
            if (S.DigitPlace < 0) ByPad[S.Pad][S.Plane] = S.InnerPoint;
        std::map<int, int> XBySlot[2]; // [upper], |position| -> x
        for (const auto& [Pad, Planes] : ByPad) {
            const int Position = D->LCDpadToPadPosition(Pad);
            const bool Upper = Position > 0;
            for (const auto& [Plane, P] : Planes) {
                if (Upper) EXPECT_LT(P.y, DigitTop) << int(Pad);
                else EXPECT_GT(P.y, DigitBottom) << int(Pad);
                XBySlot[Upper][std::abs(Position)] = P.x;
            }
            if (Planes.size() == 2) {
                EXPECT_LT(Planes.at(COM0).y, Planes.at(COM1).y) << int(Pad);
                EXPECT_NEAR(Planes.at(COM0).x, Planes.at(COM1).x, 12) << int(Pad); // one column
            }
        }
        for (const auto& Edge : XBySlot) {
            int LastX = -1;
            for (const auto& [Slot, X] : Edge) {
                EXPECT_GT(X, LastX) << "slot " << Slot;
                LastX = X;
            }
        }
        // Digits stand left to right in the order of the game's digit registers.
        std::map<int, int> LeftOfPlace;
        for (const TSegmentShape& S : Layout.Shapes)
            if (S.DigitPlace >= 0 && (!LeftOfPlace.count(S.DigitPlace) || S.InnerPoint.x < LeftOfPlace[S.DigitPlace]))
                LeftOfPlace[S.DigitPlace] = S.InnerPoint.x;
        int LastX = -1;
        for (const auto& [Place, X] : LeftOfPlace) {
            EXPECT_GT(X, LastX);
            LastX = X;
        }
    }
}
