#include "games/lcd_layout.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <map>
#include <stdexcept>

#include "core/mcu.h"

namespace tarvolin {

namespace {

constexpr uint8_t Glyphs[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

int SymmetricDifference(unsigned A, unsigned B) { return std::popcount((A ^ B) & 0x3FFu); }

TSevenSegmentBits DeriveSevenSegmentBits() {
    // Signature of a segment: the digits 0..9 (bit n = digit n) that light it.
    unsigned SegmentDigits[7] = {};
    for (int d = 0; d < 10; ++d)
        for (int s = 0; s < 7; ++s)
            if (Glyphs[d] & (1u << s)) SegmentDigits[s] |= 1u << d;
    TSevenSegmentBits Result{};
    bool Used[7] = {};
    for (int Half = 0; Half < 2; ++Half) {
        for (int Bit = 0; Bit < 4; ++Bit) {
            unsigned BitDigits = 0;
            for (int d = 0; d < 10; ++d)
                if (SevenSegmentCodingTable[Half][d] & (1u << Bit)) BitDigits |= 1u << d;
            int8_t Segment = -1;
            if (BitDigits == 0) {
                // The free bit of the TD=0 half is where LD0 adds the dot.
                if (Half == 0 && Bit == 0) Segment = DotSegment;
            } else {
                // The closest glyph segment; ties would leave the wiring undecided.
                int Best = 99, BestCount = 0;
                for (int s = 0; s < 7; ++s) {
                    int Distance = SymmetricDifference(SegmentDigits[s], BitDigits);
                    if (Distance < Best) {
                        Best = Distance;
                        BestCount = 1;
                        Segment = static_cast<int8_t>(s);
                    } else if (Distance == Best) {
                        ++BestCount;
                    }
                }
                // At most one digit (7, drawn with or without the upper-left stroke) may differ.
                if (BestCount != 1 || Best > 1 || Used[Segment])
                    throw std::logic_error("the 7-segment coding table does not fix the segment of a bit");
                Used[Segment] = true;
            }
            (Half == 0 ? Result.TD0Segment : Result.TD1Segment)[Bit] = Segment;
        }
    }
    for (bool u : Used)
        if (!u) throw std::logic_error("the 7-segment coding table leaves a segment unlit");
    return Result;
}

// ---------------------------------------------------------------- geometry helpers

constexpr double Pi = 3.14159265358979323846;

// Appends a half circle (or any arc) around (cx, cy) from angle a0 to a1 (radians).
void AppendArc(TLayoutPolygon& P, double cx, double cy, double rx, double ry, double a0, double a1, int Steps) {
    for (int i = 0; i <= Steps; ++i) {
        double a = a0 + (a1 - a0) * i / Steps;
        P.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
}

TPoint CentreOf(const TLayoutPolygon& P) {
    double x = 0, y = 0;
    for (const TLayoutVertex& v : P) {
        x += v.x;
        y += v.y;
    }
    return {static_cast<int32_t>(std::floor(x / P.size())), static_cast<int32_t>(std::floor(y / P.size()))};
}

// A glass segment pair: the pad's COM0 shape in the upper half, its COM1 shape in the
// lower half of one column, both halves cut from one outline so that they read as a pair.
// Top/Bottom bound the column, Split is the gap's centre line.
TLayoutPolygon GlassHalf(int Family, bool UpperHalf, double Left, double Right, double Top, double Bottom,
                         double Split) {
    constexpr double Gap = 4; // half the white gap between the two halves
    const double w = Right - Left, cx = (Left + Right) / 2;
    TLayoutPolygon P;
    if (UpperHalf) {
        const double b = Split - Gap;
        switch (Family) {
        case 0: // pointed hexagon
            P = {{Left, b}, {Left, Top + w / 2}, {cx, Top}, {Right, Top + w / 2}, {Right, b}};
            break;
        case 1: // capsule
            P = {{Left, b}};
            AppendArc(P, cx, Top + w / 2, w / 2, w / 2, Pi, 2 * Pi, 12);
            P.push_back({Right, b});
            break;
        case 2: // tapering trapezoid, narrow at the outer end
            P = {{Left, b}, {cx - w / 4, Top}, {cx + w / 4, Top}, {Right, b}};
            break;
        case 3: // chamfered bar
            P = {{Left, b}, {Left, Top + w / 4}, {Left + w / 4, Top}, {Right - w / 4, Top}, {Right, Top + w / 4},
                 {Right, b}};
            break;
        case 4: // triangle, the upper half of a diamond
            P = {{Left, b}, {cx, Top}, {Right, b}};
            break;
        default: // slanted bar
            P = {{Left + w / 3, Top}, {Right, Top}, {Right, b}, {Left, b}, {Left, Top + w / 3}};
            break;
        }
    } else {
        const double t = Split + Gap;
        switch (Family) {
        case 0:
            P = {{Left, t}, {Right, t}, {Right, Bottom - w / 2}, {cx, Bottom}, {Left, Bottom - w / 2}};
            break;
        case 1:
            P = {{Left, t}, {Right, t}};
            AppendArc(P, cx, Bottom - w / 2, w / 2, w / 2, 0, Pi, 12);
            break;
        case 2:
            P = {{Left, t}, {Right, t}, {cx + w / 4, Bottom}, {cx - w / 4, Bottom}};
            break;
        case 3:
            P = {{Left, t}, {Right, t}, {Right, Bottom - w / 4}, {Right - w / 4, Bottom}, {Left + w / 4, Bottom},
                 {Left, Bottom - w / 4}};
            break;
        case 4:
            P = {{Left, t}, {Right, t}, {cx, Bottom}};
            break;
        default:
            P = {{Left, t}, {Right, t}, {Right, Bottom - w / 3}, {Right - w / 3, Bottom}, {Left, Bottom}};
            break;
        }
    }
    return P;
}

// The polygon of one digit segment; (x, y) is the digit's top-left corner.
constexpr double DigitWidth = 110, DigitHeight = 200, DigitStroke = 20, DigitPitch = 170;

TLayoutPolygon DigitSegment(int Segment, double x, double y) {
    const double h = DigitStroke / 2;
    if (Segment >= 0 && Segment < 7)
        return DigitStrokePolygon(Segment, x + h, x + DigitWidth - h, y + h, y + DigitHeight / 2, y + DigitHeight - h, h, 6);
    switch (Segment) {
    default: { // the dot, right of the bottom stroke
        const double l = x + DigitWidth + 10, b = y + DigitHeight;
        return {{l + 5, b - 20}, {l + 15, b - 20}, {l + 20, b - 15}, {l + 20, b - 5},
                {l + 15, b},     {l + 5, b},       {l, b - 5},       {l, b - 15}};
    }
    }
}

// Stable pseudo-random variation per pad and style, so that the glass does not look like a
// bar chart and glasses of one wiring do not look alike.
unsigned PadHash(TLCDpad Pad, uint32_t Style) {
    uint32_t h = (Pad + 1) * 2654435761u ^ Style;
    h ^= h >> 15;
    h *= 2246822519u;
    h ^= h >> 13;
    return h;
}

} // namespace

TLayoutPolygon DigitStrokePolygon(int Segment, double xL, double xR, double yT, double yM, double yB, double Half,
                                  double Gap) {
    const double h = Half, g = Gap;
    auto Horizontal = [&](double yc) {
        return TLayoutPolygon{{xL + g, yc},         {xL + g + h, yc - h}, {xR - g - h, yc - h},
                              {xR - g, yc},         {xR - g - h, yc + h}, {xL + g + h, yc + h}};
    };
    auto Vertical = [&](double xc, double ya, double yb) {
        return TLayoutPolygon{{xc, ya + g},         {xc + h, ya + g + h}, {xc + h, yb - g - h},
                              {xc, yb - g},         {xc - h, yb - g - h}, {xc - h, ya + g + h}};
    };
    switch (Segment) {
    case 0: return Horizontal(yT);
    case 1: return Vertical(xR, yT, yM);
    case 2: return Vertical(xR, yM, yB);
    case 3: return Horizontal(yB);
    case 4: return Vertical(xL, yM, yB);
    case 5: return Vertical(xL, yT, yM);
    default: return Horizontal(yM);
    }
}

const TSevenSegmentBits& SevenSegmentBits() {
    static const TSevenSegmentBits Bits = DeriveSevenSegmentBits();
    return Bits;
}

uint32_t LayoutStyleOf(const std::string& Text) {
    uint32_t h = 2166136261u; // FNV-1a
    for (unsigned char c : Text) h = (h ^ c) * 16777619u;
    return h;
}

uint8_t DigitGlyph(int Digit) { return (Digit >= 0 && Digit <= 9) ? Glyphs[Digit] : 0; }

TPointList TLCDLayout::InnerPoints(TLCDpad Pad, TCommonPlane Plane) const {
    for (const auto& [Borrower, Owner] : SharedPads)
        if (Borrower == Pad) {
            Pad = Owner;
            break;
        }
    TPointList Points;
    for (const TSegmentShape& S : Shapes)
        if (S.Pad == Pad && S.Plane == Plane) Points.push_back(S.InnerPoint);
    return Points;
}

TLCDLayout ComputeLCDLayout(const TLayoutInput& Input) {
    if (!Input.Given.empty()) return ComputeAnchoredLayout(Input);
    TLCDLayout Layout;
    const TSevenSegmentBits& Bits = SevenSegmentBits();
    // The TD=1 half of a digit lives on the other plane than the TD=0 half.
    const TCommonPlane TD1Plane = Input.TD0IsCOM1 ? COM0 : COM1;

    // Pads shown as digit segments: the first pad of each digit bit's pin.
    std::map<TLCDpad, int> DigitPlaceOfPad;
    std::map<TLCDpad, int> DigitBitOfPad;
    const int DigitCount = static_cast<int>(Input.DigitORegisters.size());
    for (int Place = 0; Place < DigitCount; ++Place) {
        for (int Bit = 0; Bit < 4; ++Bit) {
            for (const TLayoutSegmentPad& P : Input.Pads) {
                if (P.ShapesOf == 0 && P.OIndex == Input.DigitORegisters[Place] && P.Obit == Bit) {
                    DigitPlaceOfPad[P.Pad] = Place;
                    DigitBitOfPad[P.Pad] = Bit;
                    break;
                }
            }
        }
    }

    // Bands from top to bottom: the upper edge's pads, the digits, the lower edge's pads.
    // A glass with pads on one edge only gives that edge the room of the other.
    const bool HaveDigits = !DigitPlaceOfPad.empty();
    bool HaveUpper = false, HaveLower = false;
    for (const TLayoutSegmentPad& P : Input.Pads) {
        if (P.ShapesOf != 0 || DigitPlaceOfPad.count(P.Pad)) continue;
        (P.Position > 0 ? HaveUpper : HaveLower) = true;
    }
    const double DigitBand = HaveDigits ? 264 : 20;
    double UpperTop = 20, UpperBottom, LowerTop, LowerBottom = 844;
    if (HaveUpper && !HaveLower) {
        UpperBottom = 844 - DigitBand;
        LowerTop = 844;
    } else if (HaveLower && !HaveUpper) {
        UpperBottom = 20;
        LowerTop = 20 + DigitBand;
    } else {
        UpperBottom = 432 - DigitBand / 2;
        LowerTop = 432 + DigitBand / 2;
    }
    const double DigitTop = (UpperBottom + LowerTop) / 2 - DigitHeight / 2;

    // Digits, centred in the middle band.
    const double DigitsLeft = (LCDImageWidth - DigitCount * DigitPitch) / 2.0 + (DigitPitch - DigitWidth - 30) / 2;
    for (const TLayoutSegmentPad& P : Input.Pads) {
        auto It = DigitPlaceOfPad.find(P.Pad);
        if (It == DigitPlaceOfPad.end()) continue;
        const int Place = It->second, Bit = DigitBitOfPad[P.Pad];
        const double x = DigitsLeft + Place * DigitPitch;
        for (TCommonPlane Plane : {COM0, COM1}) {
            if (!P.HasPlane[Plane]) continue;
            int8_t Segment = (Plane == TD1Plane) ? Bits.TD1Segment[Bit] : Bits.TD0Segment[Bit];
            if (Segment < 0) continue;
            TSegmentShape S;
            S.Pad = P.Pad;
            S.Plane = Plane;
            S.Polygon = DigitSegment(Segment, x, DigitTop);
            S.InnerPoint = CentreOf(S.Polygon);
            S.DigitPlace = Place;
            S.Segment = Segment;
            Layout.Shapes.push_back(std::move(S));
        }
    }

    // The other pads as segment pairs along their edge, in slot order from left to right.
    for (bool Upper : {true, false}) {
        std::vector<const TLayoutSegmentPad*> Column;
        for (const TLayoutSegmentPad& P : Input.Pads)
            if (P.ShapesOf == 0 && !DigitPlaceOfPad.count(P.Pad) && (Upper ? P.Position > 0 : P.Position < 0))
                Column.push_back(&P);
        std::stable_sort(Column.begin(), Column.end(), [](const TLayoutSegmentPad* a, const TLayoutSegmentPad* b) {
            return std::abs(a->Position) < std::abs(b->Position);
        });
        if (Column.empty()) continue;
        const double Top = Upper ? UpperTop : LowerTop, Bottom = Upper ? UpperBottom : LowerBottom;
        const double Pitch = std::min(1300.0 / Column.size(), 96.0);
        const double Left0 = (LCDImageWidth - Pitch * Column.size()) / 2;
        const double ColumnGap = std::max(10.0, Pitch * 0.22);
        for (size_t i = 0; i < Column.size(); ++i) {
            const TLayoutSegmentPad& P = *Column[i];
            const unsigned Hash = PadHash(P.Pad, Input.Style);
            const double Left = std::floor(Left0 + i * Pitch + ColumnGap / 2);
            const double Right = std::floor(Left0 + (i + 1) * Pitch - ColumnGap / 2);
            // Columns reach from the glass edge inwards by 70..100 % of the band.
            const double Length = (Bottom - Top) * (0.7 + 0.3 * (Hash % 16) / 15.0);
            const double ColTop = Upper ? Top : Bottom - Length;
            const double ColBottom = Upper ? Top + Length : Bottom;
            const double Split = std::floor((ColTop + ColBottom) / 2);
            const int Family = static_cast<int>(Hash / 16 % 6);
            for (TCommonPlane Plane : {COM0, COM1}) {
                if (!P.HasPlane[Plane]) continue;
                TSegmentShape S;
                S.Pad = P.Pad;
                S.Plane = Plane;
                S.Polygon = GlassHalf(Family, Plane == COM0, Left, Right, ColTop, ColBottom, Split);
                S.InnerPoint = CentreOf(S.Polygon);
                Layout.Shapes.push_back(std::move(S));
            }
        }
    }

    for (const TLayoutSegmentPad& P : Input.Pads)
        if (P.ShapesOf != 0) Layout.SharedPads.emplace_back(P.Pad, P.ShapesOf);
    return Layout;
}

namespace {

void FillPolygon(const TLayoutPolygon& P, TRaster& Image) {
    double MinY = 1e9, MaxY = -1e9;
    for (const TLayoutVertex& v : P) {
        MinY = std::min(MinY, v.y);
        MaxY = std::max(MaxY, v.y);
    }
    const int y0 = std::max(0, static_cast<int>(std::floor(MinY)));
    const int y1 = std::min(LCDImageHeight - 1, static_cast<int>(std::ceil(MaxY)));
    // Scanlines through pixel centres; a pixel is black when its centre lies inside.
    for (int y = y0; y <= y1; ++y) {
        const double yc = y + 0.5;
        std::vector<double> Crossings;
        for (size_t i = 0; i < P.size(); ++i) {
            const TLayoutVertex& a = P[i];
            const TLayoutVertex& b = P[(i + 1) % P.size()];
            if ((a.y <= yc) != (b.y <= yc)) Crossings.push_back(a.x + (yc - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(Crossings.begin(), Crossings.end());
        for (size_t i = 0; i + 1 < Crossings.size(); i += 2) {
            const int x0 = std::max(0, static_cast<int>(std::ceil(Crossings[i] - 0.5)));
            const int x1 = std::min(LCDImageWidth - 1, static_cast<int>(std::floor(Crossings[i + 1] - 0.5)));
            for (int x = x0; x <= x1; ++x) Image.SetPixel(x, y, clBlack);
        }
    }
}

} // namespace

void RasterizeLayout(const TLCDLayout& Layout, TRaster& Image) {
    Image.SetSize(LCDImageWidth, LCDImageHeight, clWhite);
    for (const TSegmentShape& S : Layout.Shapes) {
        FillPolygon(S.Polygon, Image);
        for (const TLayoutPolygon& P : S.Strokes) FillPolygon(P, Image);
    }
    Image.MarkChanged();
}

} // namespace tarvolin
