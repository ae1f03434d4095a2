// Geometry of our own game LCD pictures. One function lays out every segment of a driver
// as a convex black shape and takes the shape's centre as its inner point; the driver
// records those points and the image generator draws those shapes, so a picture and the
// inner points of its driver cannot disagree.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/types.h"
#include "lcd/lcd_mappings.h"
#include "lcd/raster.h"

namespace tarvolin {

constexpr int LCDImageWidth = 1355;
constexpr int LCDImageHeight = 864;

// Which segment of a seven-segment digit each bit of the two coding-table halves lights.
// Segments are numbered a = 0 .. g = 6 in the usual lettering (a top, b upper right,
// c lower right, d bottom, e lower left, f upper left, g middle), 7 = the dot; -1 = none.
struct TSevenSegmentBits {
    std::array<int8_t, 4> TD1Segment; // bit 0..3 of the TD=1 half
    std::array<int8_t, 4> TD0Segment; // bit 0..3 of the TD=0 half (bit 0 carries LD0)
};
constexpr int8_t DotSegment = 7;
// Derived from the chip's coding table: every bit lights exactly the digits 0..9 (7 aside,
// whose form differs between glasses) that use its segment, which pins each bit down.
const TSevenSegmentBits& SevenSegmentBits();
// The segments (bit n = segment n) a glyph table lights for a digit 0..9, as commonly drawn.
uint8_t DigitGlyph(int Digit);

struct TLayoutVertex {
    double x = 0, y = 0;
};
using TLayoutPolygon = std::vector<TLayoutVertex>; // convex, clockwise or not

// One segment pad of a driver as the layout sees it.
struct TLayoutSegmentPad {
    TLCDpad Pad = 0;
    TLCDpadPosition Position = 0;
    std::array<bool, 2> HasPlane{true, true}; // [COM0], [COM1]
    int OIndex = -1;                          // the O bit whose pin drives the pad; -1 = none
    int Obit = -1;
    TLCDpad ShapesOf = 0; // another pad whose shapes this one shares (same pin); 0 = own shapes
};

// A segment whose inner points are fixed: one shape is drawn around each point.
struct TGivenSegment {
    TLCDpad Pad = 0;
    TCommonPlane Plane = COM0;
    TPointList Points;
    const char* Word = nullptr; // ten points drawn as the letters of this word; nullptr = plain shapes
};

// Where the digits of a glass with given points stand: the first digit's left stroke centre,
// the top stroke centre, the distance between the stroke centres across and down, and the
// pitch from one digit to the next.
struct TDigitFrame {
    double Left = 0, Top = 0, Width = 0, Height = 0, Pitch = 0;
};

struct TLayoutInput {
    std::vector<TLayoutSegmentPad> Pads;  // in record order
    std::vector<uint8_t> DigitORegisters; // O indexes drawn as digits, left to right
    bool TD0IsCOM1 = false;               // the TD=0 half of a digit lives in O (plane COM1)
    uint32_t Style = 0;                   // varies the shapes, so glasses of one wiring differ
    // A glass with given points: those segments keep them, the digits stand in DigitFrame, and
    // the other segments are spread over the free room. Empty: the slot layout.
    std::vector<TGivenSegment> Given;
    TDigitFrame DigitFrame;
};

// A style number from a text (the driver's resource name).
uint32_t LayoutStyleOf(const std::string& Text);

struct TSegmentShape {
    TLCDpad Pad = 0;
    TCommonPlane Plane = COM0;
    TLayoutPolygon Polygon;
    std::vector<TLayoutPolygon> Strokes; // further overlapping parts of one shape (letters)
    TPoint InnerPoint;
    int DigitPlace = -1;  // index of the digit it belongs to, -1 for glass shapes
    int8_t Segment = -1;  // digit segment (see TSevenSegmentBits)
};

struct TLCDLayout {
    std::vector<TSegmentShape> Shapes;
    std::vector<std::pair<TLCDpad, TLCDpad>> SharedPads; // (pad, pad whose shapes it shares)

    // The inner points of a pad's segment on one plane (its own or the shared shapes).
    TPointList InnerPoints(TLCDpad Pad, TCommonPlane Plane) const;
};

TLCDLayout ComputeLCDLayout(const TLayoutInput& Input);
// The layout of a glass with given points (Input.Given not empty).
TLCDLayout ComputeAnchoredLayout(const TLayoutInput& Input);
// The polygon of digit segment 0..7 for a digit whose stroke centres span Width x Height
// from (Left, Top), strokes 2 * Half wide.
TLayoutPolygon DigitSegmentPolygon(int Segment, double Left, double Top, double Width, double Height, double Half);
// Stroke Segment (0..6: top, upper right, lower right, bottom, lower left, upper left, middle) of
// a seven-segment digit whose stroke centres lie on the columns xL, xR and the rows yT, yM, yB:
// a hexagon Half wide on each side of its centre line, kept Gap away from the corners.
TLayoutPolygon DigitStrokePolygon(int Segment, double xL, double xR, double yT, double yM, double yB, double Half,
                                  double Gap);

// Draws the layout's shapes black on white into a 1355 x 864 raster.
void RasterizeLayout(const TLCDLayout& Layout, TRaster& Image);

} // namespace tarvolin
