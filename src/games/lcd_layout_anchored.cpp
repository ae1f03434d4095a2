// The layout of a glass whose inner points are partly given: the given segments get shapes
// drawn around exactly those points (a word of letters for a list that names one), the digits
// stand in their frame, and the remaining segments are spread over the room that is left,
// each as far from the others as the picture allows.
#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

#include "games/lcd_layout.h"

namespace tarvolin {

namespace {

constexpr double Pi = 3.14159265358979323846;

using TStroke = std::array<double, 4>; // x0, y0, x1, y1 in a unit box, y downwards

// Block capitals whose strokes all meet and pass through the box's centre, so that one fill
// from the centre reaches the whole letter.
const std::map<char, std::vector<TStroke>>& Letters() {
    static const std::map<char, std::vector<TStroke>> L = {
        {'A', {{0, 1, .5, 0}, {.5, 0, 1, 1}, {.25, .5, .75, .5}}},
        {'B', {{0, 0, 0, 1}, {0, 0, .85, 0}, {.85, 0, .85, .5}, {0, .5, 1, .5}, {1, .5, 1, 1}, {0, 1, 1, 1}}},
        {'E', {{0, 0, 0, 1}, {0, 0, 1, 0}, {0, .5, .8, .5}, {0, 1, 1, 1}}},
        {'H', {{0, 0, 0, 1}, {1, 0, 1, 1}, {0, .5, 1, .5}}},
        {'I', {{.5, 0, .5, 1}, {.2, 0, .8, 0}, {.2, 1, .8, 1}}},
        {'N', {{0, 1, 0, 0}, {0, 0, 1, 1}, {1, 1, 1, 0}}},
        {'R', {{0, 0, 0, 1}, {0, 0, 1, 0}, {1, 0, 1, .5}, {1, .5, 0, .5}, {.4, .5, 1, 1}}},
        {'S', {{1, 0, 0, 0}, {0, 0, 0, .5}, {0, .5, 1, .5}, {1, .5, 1, 1}, {1, 1, 0, 1}}},
        {'T', {{0, 0, 1, 0}, {.5, 0, .5, 1}}},
    };
    return L;
}

// A straight stroke Half wide on each side, with square ends reaching Half past its ends.
TLayoutPolygon ThickLine(double x0, double y0, double x1, double y1, double Half) {
    double dx = x1 - x0, dy = y1 - y0;
    const double Length = std::hypot(dx, dy);
    dx = dx / Length * Half;
    dy = dy / Length * Half;
    return {{x0 - dx - dy, y0 - dy + dx}, {x1 + dx - dy, y1 + dy + dx}, {x1 + dx + dy, y1 + dy - dx},
            {x0 - dx + dy, y0 - dy - dx}};
}

// A convex shape filling the square of half side Half around (cx, cy).
TLayoutPolygon PlainShape(unsigned Family, double cx, double cy, double Half) {
    TLayoutPolygon P;
    const double c = Half * 0.4;
    switch (Family % 5) {
    case 0: // octagon
        P = {{cx - Half + c, cy - Half}, {cx + Half - c, cy - Half}, {cx + Half, cy - Half + c}, {cx + Half, cy + Half - c},
             {cx + Half - c, cy + Half}, {cx - Half + c, cy + Half}, {cx - Half, cy + Half - c}, {cx - Half, cy - Half + c}};
        break;
    case 1: // diamond
        P = {{cx, cy - Half}, {cx + Half, cy}, {cx, cy + Half}, {cx - Half, cy}};
        break;
    case 2: // flat hexagon
        P = {{cx - Half, cy}, {cx - Half / 2, cy - Half * 0.8}, {cx + Half / 2, cy - Half * 0.8}, {cx + Half, cy},
             {cx + Half / 2, cy + Half * 0.8}, {cx - Half / 2, cy + Half * 0.8}};
        break;
    case 3: // disc
        for (int i = 0; i < 20; ++i) P.push_back({cx + Half * std::cos(2 * Pi * i / 20), cy + Half * std::sin(2 * Pi * i / 20)});
        break;
    default: // triangle
        P = {{cx, cy - Half}, {cx + Half, cy + Half * 0.7}, {cx - Half, cy + Half * 0.7}};
        break;
    }
    return P;
}

unsigned Hash(unsigned a, unsigned b, uint32_t Style) {
    uint32_t h = (a * 31 + b + 1) * 2654435761u ^ Style;
    h ^= h >> 15;
    h *= 2246822519u;
    h ^= h >> 13;
    return h;
}

struct TBox {
    double Left, Top, Right, Bottom;
};

// Chebyshev distance from a point to a box (0 inside).
double Distance(const TBox& B, double x, double y) {
    return std::max({B.Left - x, x - B.Right, B.Top - y, y - B.Bottom, 0.0});
}

double Distance(const TPoint& a, const TPoint& b) { return std::max(std::abs(a.x - b.x), std::abs(a.y - b.y)); }

// The centre of digit segment 0..7 (a..g, dot) of a digit frame.
TLayoutVertex DigitSegmentCentre(int Segment, double Left, double Top, double Width, double Height, double Half) {
    const double xM = Left + Width / 2, xR = Left + Width;
    switch (Segment) {
    case 0: return {xM, Top};
    case 1: return {xR, Top + Height / 4};
    case 2: return {xR, Top + Height * 3 / 4};
    case 3: return {xM, Top + Height};
    case 4: return {Left, Top + Height * 3 / 4};
    case 5: return {Left, Top + Height / 4};
    case 6: return {xM, Top + Height / 2};
    default: return {xR + Half * 3, Top + Height};
    }
}

// Whether (x, y) lies inside a polygon (crossing count).
bool Inside(const TLayoutPolygon& P, double x, double y) {
    bool In = false;
    for (size_t i = 0, j = P.size() - 1; i < P.size(); j = i++)
        if ((P[i].y > y) != (P[j].y > y) && x < (P[j].x - P[i].x) * (y - P[i].y) / (P[j].y - P[i].y) + P[i].x) In = !In;
    return In;
}

struct TPlaced {
    TLCDpad Pad;
    TCommonPlane Plane;
    TPoint Point;
    const char* Word; // letters of this word, one per point
    size_t Index;     // of the point in its segment
};

} // namespace

TLayoutPolygon DigitSegmentPolygon(int Segment, double Left, double Top, double Width, double Height, double Half) {
    if (Segment >= 0 && Segment < 7)
        return DigitStrokePolygon(Segment, Left, Left + Width, Top, Top + Height / 2, Top + Height, Half, Half + 1);
    switch (Segment) {
    default: {
        const TLayoutVertex c = DigitSegmentCentre(7, Left, Top, Width, Height, Half);
        return PlainShape(0, c.x, c.y, Half * 1.2);
    }
    }
}

TLCDLayout ComputeAnchoredLayout(const TLayoutInput& In) {
    TLCDLayout Layout;
    const TSevenSegmentBits& Bits = SevenSegmentBits();
    const TCommonPlane TD1Plane = In.TD0IsCOM1 ? COM0 : COM1;
    const TDigitFrame& F = In.DigitFrame;
    const double StrokeHalf = 6;

    auto GivenOf = [&](TLCDpad Pad, TCommonPlane Plane) -> const TGivenSegment* {
        for (const TGivenSegment& G : In.Given)
            if (G.Pad == Pad && G.Plane == Plane) return &G;
        return nullptr;
    };

    // Digits: the first pad of each digit bit's pin, in the frame. A given point of a digit
    // segment must be where the frame puts it.
    TBox Digits{1e9, 1e9, -1e9, -1e9};
    std::map<TLCDpad, bool> IsDigitPad;
    for (size_t Place = 0; Place < In.DigitORegisters.size(); ++Place) {
        const double Left = F.Left + double(Place) * F.Pitch;
        for (const TLayoutSegmentPad& P : In.Pads) {
            if (P.ShapesOf != 0 || P.OIndex != In.DigitORegisters[Place]) continue;
            IsDigitPad[P.Pad] = true;
            for (TCommonPlane Plane : {COM0, COM1}) {
                if (!P.HasPlane[Plane]) continue;
                const int8_t Segment = Plane == TD1Plane ? Bits.TD1Segment[size_t(P.Obit)] : Bits.TD0Segment[size_t(P.Obit)];
                if (Segment < 0) continue;
                const TLayoutVertex c = DigitSegmentCentre(Segment, Left, F.Top, F.Width, F.Height, StrokeHalf);
                TSegmentShape S;
                S.Pad = P.Pad;
                S.Plane = Plane;
                S.InnerPoint = {int32_t(std::floor(c.x)), int32_t(std::floor(c.y))};
                // Pixel (x, y) is the square from (x, y) to (x + 1, y + 1): shapes are centred on it.
                S.Polygon = DigitSegmentPolygon(Segment, Left + 0.5, F.Top + 0.5, F.Width, F.Height, StrokeHalf);
                if (const TGivenSegment* G = GivenOf(P.Pad, Plane)) {
                    if (G->Points.size() != 1 || !Inside(S.Polygon, G->Points[0].x + 0.5, G->Points[0].y + 0.5))
                        throw std::logic_error("a given digit point is not inside its stroke, pad " + std::to_string(P.Pad));
                    S.InnerPoint = G->Points[0];
                }
                S.DigitPlace = int(Place);
                S.Segment = Segment;
                Layout.Shapes.push_back(std::move(S));
                Digits = {std::min(Digits.Left, Left - StrokeHalf * 4), std::min(Digits.Top, F.Top - StrokeHalf * 2),
                          std::max(Digits.Right, Left + F.Width + StrokeHalf * 5),
                          std::max(Digits.Bottom, F.Top + F.Height + StrokeHalf * 2)};
            }
        }
    }

    // The given points, then the free segments, each placed where it is farthest from
    // everything placed so far (lower-edge pads in the lower half, upper-edge pads above).
    std::vector<TPlaced> Placed;
    for (const TGivenSegment& G : In.Given) {
        if (IsDigitPad.count(G.Pad)) continue;
        if (G.Word && std::string(G.Word).size() != G.Points.size())
            throw std::logic_error("a word needs one point per letter, pad " + std::to_string(G.Pad));
        for (size_t i = 0; i < G.Points.size(); ++i) Placed.push_back({G.Pad, G.Plane, G.Points[i], G.Word, i});
    }
    auto Score = [&](const TPoint& p) {
        double d = Digits.Left < Digits.Right ? Distance(Digits, p.x, p.y) : 1e9;
        for (const TPlaced& Q : Placed) d = std::min(d, Distance(p, Q.Point));
        return d;
    };
    constexpr int Margin = 40, Step = 8;
    for (const TLayoutSegmentPad& P : In.Pads) {
        if (P.ShapesOf != 0 || IsDigitPad.count(P.Pad)) continue;
        for (TCommonPlane Plane : {COM0, COM1}) {
            if (!P.HasPlane[Plane] || GivenOf(P.Pad, Plane)) continue;
            TPoint Best{};
            double BestScore = -1;
            const int y0 = P.Position < 0 ? LCDImageHeight / 2 : Margin;
            const int y1 = P.Position < 0 ? LCDImageHeight - Margin : LCDImageHeight / 2;
            for (int y = y0; y <= y1; y += Step)
                for (int x = Margin; x <= LCDImageWidth - Margin; x += Step)
                    if (const double s = Score({x, y}); s > BestScore) {
                        BestScore = s;
                        Best = {x, y};
                    }
            Placed.push_back({P.Pad, Plane, Best, nullptr, 0});
        }
    }

    // Shapes as large as the room around their points allows.
    auto Room = [&](const TPlaced& A) {
        double r = Digits.Left < Digits.Right ? Distance(Digits, A.Point.x, A.Point.y) : 1e9;
        for (const TPlaced& B : Placed)
            if (&A != &B) r = std::min(r, Distance(A.Point, B.Point));
        r = std::min({r, 2.0 * A.Point.x, 2.0 * A.Point.y, 2.0 * (LCDImageWidth - 1 - A.Point.x),
                      2.0 * (LCDImageHeight - 1 - A.Point.y)});
        return r;
    };
    // The letters of one word share the size of its most crowded letter.
    std::map<std::pair<TLCDpad, int>, double> WordHalf;
    for (const TPlaced& A : Placed)
        if (A.Word) {
            const double Half = std::min(12.0, (Room(A) / 2 - 3) / 1.15);
            auto [It, New] = WordHalf.emplace(std::pair{A.Pad, int(A.Plane)}, Half);
            if (!New) It->second = std::min(It->second, Half);
        }
    for (const TPlaced& A : Placed) {
        TSegmentShape S;
        S.Pad = A.Pad;
        S.Plane = A.Plane;
        S.InnerPoint = A.Point;
        const double cx = A.Point.x + 0.5, cy = A.Point.y + 0.5;
        if (A.Word) {
            const double Half = WordHalf.at({A.Pad, int(A.Plane)});
            if (Half < 4) throw std::logic_error("no room for the letters of pad " + std::to_string(A.Pad));
            const double HalfWidth = Half * 0.7, Stroke = std::max(1.5, Half * 0.15);
            bool First = true;
            for (const TStroke& L : Letters().at(A.Word[A.Index])) {
                TLayoutPolygon P = ThickLine(cx - HalfWidth + L[0] * 2 * HalfWidth, cy - Half + L[1] * 2 * Half,
                                             cx - HalfWidth + L[2] * 2 * HalfWidth, cy - Half + L[3] * 2 * Half, Stroke);
                if (First) S.Polygon = std::move(P);
                else S.Strokes.push_back(std::move(P));
                First = false;
            }
        } else {
            const double Half = std::min(34.0, Room(A) / 2 - 3);
            if (Half < 3) throw std::logic_error("no room for a shape of pad " + std::to_string(A.Pad));
            S.Polygon = PlainShape(Hash(A.Pad, A.Plane * 16 + unsigned(A.Index), In.Style), cx, cy, Half);
        }
        Layout.Shapes.push_back(std::move(S));
    }
    return Layout;
}

} // namespace tarvolin
