// The drawing behind the interconnection window, without a toolkit: where the pad slots of the
// two strips along the glass lie, where each of the chip's 60 pins lies in the package drawing
// for every position of pin 1, which pad or pin is under the mouse, how the package turns and
// flips, the SM-5A marks, and the names of the pins.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "base/types.h"

namespace tarvolin {

class TLCDDriver;
struct TChipVariant;

// A rectangle with exclusive right and bottom edges: neighbouring pin cells share an edge
// without sharing a pixel.
struct TRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Contains(TPoint P) const { return P.x >= Left && P.x < Right && P.y >= Top && P.y < Bottom; }
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

// ---- the pad strips ----
// Each strip is a band of this height along the upper or lower edge of the LCD image; its 27
// slots are pads of width 10 separated by gaps of width 10, the first one 35 pixels in.
constexpr int LCDpadStripHeight = 20;
constexpr int LCDpadWidth = 10;
constexpr int LCDpadHeight = LCDpadStripHeight - 1;
constexpr int OffsetOfLeftmostLCDpad = LCDpadWidth * 7 / 2;
constexpr int LCDpadSlotCount = 27;
// Horizontal distance between a strip's end label and the slot it names.
constexpr int LCDpadLabelDistance = 5;

// Slot 1..27 of a strip, in the strip's own coordinates (top 0 in the upper strip, 1 in the
// lower one, so that both leave the row next to the image for the edge line).
TRect LCDpadSlotRect(bool UpperStrip, int Slot);
// The slot under X (1..27), or 0 left of slot 1, over a gap or right of slot 27.
int LCDpadSlotAtX(int X);
// The pad shown in the slot under X: the pad at position +slot (upper strip) or -slot (lower
// strip), NoLCDpad where no slot or no pad is.
TLCDpad LCDpadAtX(const TLCDDriver& Driver, bool UpperStrip, int X);

// The pad numbers written at the two ends of a strip: its lowest and highest pad. On the lower
// strip the lowest is written left of its slot and the highest right of its slot, on the upper
// strip the other way round (the pads are numbered round the glass).
struct TStripEndLabel {
    TLCDpad Pad = NoLCDpad;
    int Slot = 0;
    bool LeftOfSlot = false;
};
std::vector<TStripEndLabel> StripEndLabels(const TLCDDriver& Driver, bool UpperStrip);

// ---- the package drawing ----
// A square body from (30, 30) to (150, 150), 15 pins a side, each pin a cell 8 wide and 30
// long. The cells are numbered 1..60 round the body: the right side downwards, the bottom side
// leftwards, the left side upwards, the top side rightwards.
constexpr int MCUpinCount = 60;
constexpr int PackageDrawingSize = 180;
using TMCUpinRects = std::array<TRect, MCUpinCount + 1>; // [pin 1..60]; [0] unused

TRect MCUpinCellRect(int Cell);
// The pin drawn on a cell (1..60) when pin 1 is at Position, and the cell of a pin.
TMCUpin MCUpinOnCell(TMCUpin1Position Position, int Cell);
int CellOfMCUpin(TMCUpin1Position Position, TMCUpin Pin);
TMCUpinRects ComputeMCUpinRects(TMCUpin1Position Position);
// The first pin whose cell contains P, NoMCUpin if none.
TMCUpin MCUpinAtPoint(const TMCUpinRects& Rects, TPoint P);

// The position after "Rotate right" (a quarter turn clockwise) and "Flip horizontally".
TMCUpin1Position RotatedRight(TMCUpin1Position Position);
TMCUpin1Position FlippedHorizontally(TMCUpin1Position Position);

// The SM-5A's marks: an 8 x 8 circle in the body's corner next to pin 1, and a chamfer line
// across the corner between the cells of pins 15 and 16.
TRect SM5ACircleRect(TMCUpin1Position Position);
void SM5AChamferLine(TMCUpin1Position Position, TPoint& From, TPoint& To);

// Pin numbers are written at both ends of each side (eight cells). TextSize gives the width
// and height of a text as it will be drawn.
struct TPinNumberLabel {
    TMCUpin Pin = NoMCUpin;
    std::string Text;
    TPoint Origin; // top-left corner of the text
};
std::vector<TPinNumberLabel> PinNumberLabels(TMCUpin1Position Position,
                                             const std::function<TSize(const std::string&)>& TextSize);

// ---- the pin diagrams ----
// The MCU-pins window shows one picture per chip variant, embedded under these resource names.
// Each is drawn for a client area of PinDiagramWidth x PinDiagramHeight at PinDiagramScale
// times that size, so that it stays sharp on screens with more pixels per point.
inline constexpr const char* SHARP_SM5A_PinDiagram = "MCUpinsSHARP";
inline constexpr const char* KB1013VK1_2_PinDiagram = "MCUpinsKB";
constexpr int PinDiagramWidth = 579;
constexpr int PinDiagramHeight = 600;
constexpr int PinDiagramScale = 2;

// ---- pin names ----
// How the chip's pin tables name a pin: the common pins "H2 (COM0)" and "H1 (COM1)" on the
// SM-5A, "COM0" and "COM1" on the KB1013VK1-2; a segment pin "O" with the suffix bit + 1
// followed by the O index ("O" "35" for O5 bit 2), the SM-5A's O0 pins "O" "S1".."S4"; any
// other pin "-" with no suffix.
struct TMCUpinName {
    std::string Name;
    std::string Suffix; // written small and bold after the name
    friend bool operator==(const TMCUpinName&, const TMCUpinName&) = default;
};
TMCUpinName MCUpinName(const TChipVariant& Chip, TMCUpin Pin);
// The O index and bit a pin carries: the first cell of the table holding it (O indices 0..8,
// bits 0..3 in order). False for pins outside 1..60 and pins that carry no O bit.
bool ChipPinToOIndexAndObit(const TChipVariant& Chip, TMCUpin Pin, TOIndex& OIndex, TObit& Obit);
// "O3, O'3": the two registers whose bit the pin carries.
std::string ORegistersText(TOIndex OIndex);
// "#2 (x1xx)": the bit and its mask.
std::string ObitText(TObit Obit);

} // namespace tarvolin
