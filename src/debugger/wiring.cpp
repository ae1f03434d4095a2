#include "debugger/wiring.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/mcu.h"
#include "lcd/lcd_driver.h"

namespace tarvolin {

// ---- the pad strips ----

TRect LCDpadSlotRect(bool UpperStrip, int Slot) {
    TRect r;
    r.Left = OffsetOfLeftmostLCDpad + LCDpadWidth * (2 * Slot - 2);
    r.Right = r.Left + LCDpadWidth;
    r.Top = UpperStrip ? 0 : 1;
    r.Bottom = r.Top + LCDpadHeight;
    return r;
}

int LCDpadSlotAtX(int X) {
    if (X < OffsetOfLeftmostLCDpad) return 0;
    const int k = (X - OffsetOfLeftmostLCDpad) / LCDpadWidth;
    if (k % 2 != 0 || k / 2 >= LCDpadSlotCount) return 0;
    return k / 2 + 1;
}

TLCDpad LCDpadAtX(const TLCDDriver& Driver, bool UpperStrip, int X) {
    const int Slot = LCDpadSlotAtX(X);
    if (Slot == 0) return NoLCDpad;
    return Driver.PadPositionToLCDpad(static_cast<TLCDpadPosition>(UpperStrip ? Slot : -Slot));
}

std::vector<TStripEndLabel> StripEndLabels(const TLCDDriver& Driver, bool UpperStrip) {
    const std::vector<TLCDpad> Pads = Driver.GetDefinedLCDpads(UpperStrip);
    if (Pads.empty()) return {};
    const auto [Lowest, Highest] = std::minmax_element(Pads.begin(), Pads.end());
    auto SlotOf = [&](TLCDpad Pad) { return std::abs(int(Driver.LCDpadToPadPosition(Pad))); };
    return {{*Lowest, SlotOf(*Lowest), !UpperStrip}, {*Highest, SlotOf(*Highest), UpperStrip}};
}

// ---- the package drawing ----

TRect MCUpinCellRect(int Cell) {
    TRect r;
    if (Cell >= 1 && Cell <= 15) {
        r.Left = 150;
        r.Top = 30 + 8 * (Cell - 1);
        r.Right = 180;
        r.Bottom = r.Top + 8;
    } else if (Cell >= 16 && Cell <= 30) {
        r.Left = 142 - 8 * (Cell - 16);
        r.Top = 150;
        r.Right = r.Left + 8;
        r.Bottom = 180;
    } else if (Cell >= 31 && Cell <= 45) {
        r.Left = 0;
        r.Top = 142 - 8 * (Cell - 31);
        r.Right = 30;
        r.Bottom = r.Top + 8;
    } else if (Cell >= 46 && Cell <= 60) {
        r.Left = 30 + 8 * (Cell - 46);
        r.Top = 0;
        r.Right = r.Left + 8;
        r.Bottom = 30;
    }
    return r;
}

namespace {

// Brings any number into 1..60 by adding or subtracting 60.
int Wrap60(int v) { return ((v - 1) % MCUpinCount + MCUpinCount) % MCUpinCount + 1; }

// Pin on cell c is Sign * c + Offset: the numbering runs with the cells (Sign 1) or against them.
struct TNumbering {
    int Sign;
    int Offset;
};
TNumbering NumberingOf(TMCUpin1Position Position) {
    switch (Position) {
    case p1pTopLeft: return {1, 15};
    case p1pTopRight: return {-1, 61};
    case p1pRightTop: return {1, 0};
    case p1pRightBottom: return {-1, 16};
    case p1pBottomRight: return {1, -15};
    case p1pBottomLeft: return {-1, 31};
    case p1pLeftBottom: return {1, -30};
    case p1pLeftTop: return {-1, 46};
    }
    return {1, 0};
}

} // namespace

TMCUpin MCUpinOnCell(TMCUpin1Position Position, int Cell) {
    const TNumbering n = NumberingOf(Position);
    return static_cast<TMCUpin>(Wrap60(n.Sign * Cell + n.Offset));
}

int CellOfMCUpin(TMCUpin1Position Position, TMCUpin Pin) {
    const TNumbering n = NumberingOf(Position);
    return Wrap60(n.Sign * (int(Pin) - n.Offset));
}

TMCUpinRects ComputeMCUpinRects(TMCUpin1Position Position) {
    TMCUpinRects Rects{};
    for (int Cell = 1; Cell <= MCUpinCount; ++Cell) Rects[MCUpinOnCell(Position, Cell)] = MCUpinCellRect(Cell);
    return Rects;
}

TMCUpin MCUpinAtPoint(const TMCUpinRects& Rects, TPoint P) {
    for (int Pin = 1; Pin <= MCUpinCount; ++Pin)
        if (Rects[size_t(Pin)].Contains(P)) return static_cast<TMCUpin>(Pin);
    return NoMCUpin;
}

TMCUpin1Position RotatedRight(TMCUpin1Position Position) {
    switch (Position) {
    case p1pTopLeft: return p1pRightTop;
    case p1pRightTop: return p1pBottomRight;
    case p1pBottomRight: return p1pLeftBottom;
    case p1pLeftBottom: return p1pTopLeft;
    case p1pTopRight: return p1pRightBottom;
    case p1pRightBottom: return p1pBottomLeft;
    case p1pBottomLeft: return p1pLeftTop;
    case p1pLeftTop: return p1pTopRight;
    }
    return Position;
}

TMCUpin1Position FlippedHorizontally(TMCUpin1Position Position) {
    switch (Position) {
    case p1pTopLeft: return p1pTopRight;
    case p1pTopRight: return p1pTopLeft;
    case p1pRightTop: return p1pLeftTop;
    case p1pLeftTop: return p1pRightTop;
    case p1pRightBottom: return p1pLeftBottom;
    case p1pLeftBottom: return p1pRightBottom;
    case p1pBottomRight: return p1pBottomLeft;
    case p1pBottomLeft: return p1pBottomRight;
    }
    return Position;
}

TRect SM5ACircleRect(TMCUpin1Position Position) {
    // The body's centre (90, 90) moved 52 pixels towards the corner of pin 1.
    int dx = -52, dy = -52;
    switch (Position) {
    case p1pTopLeft:
    case p1pLeftTop: break;
    case p1pTopRight:
    case p1pRightTop: dx = 52; break;
    case p1pRightBottom:
    case p1pBottomRight: dx = dy = 52; break;
    case p1pBottomLeft:
    case p1pLeftBottom: dy = 52; break;
    }
    const int cx = 90 + dx, cy = 90 + dy;
    return {cx - 4, cy - 4, cx + 4, cy + 4};
}

void SM5AChamferLine(TMCUpin1Position Position, TPoint& From, TPoint& To) {
    const TRect a = MCUpinCellRect(CellOfMCUpin(Position, 15));
    const TRect b = MCUpinCellRect(CellOfMCUpin(Position, 16));
    // The corner of each cell that faces the chamfered corner of the body.
    bool Left = true, Bottom = true;
    switch (Position) {
    case p1pTopLeft:
    case p1pRightBottom: Left = true, Bottom = true; break;
    case p1pTopRight:
    case p1pLeftBottom: Left = false, Bottom = true; break;
    case p1pRightTop:
    case p1pBottomLeft: Left = true, Bottom = false; break;
    case p1pBottomRight:
    case p1pLeftTop: Left = false, Bottom = false; break;
    }
    From = {Left ? a.Left : a.Right, Bottom ? a.Bottom : a.Top};
    To = {Left ? b.Left : b.Right, Bottom ? b.Bottom : b.Top};
}

std::vector<TPinNumberLabel> PinNumberLabels(TMCUpin1Position Position,
                                             const std::function<TSize(const std::string&)>& TextSize) {
    std::vector<TPinNumberLabel> Labels;
    for (int Cell : {1, 15, 16, 30, 31, 45, 46, 60}) {
        TPinNumberLabel L;
        L.Pin = MCUpinOnCell(Position, Cell);
        L.Text = std::to_string(L.Pin);
        const TSize s = TextSize(L.Text);
        const int w = s.cx, h = s.cy;
        const TRect R = MCUpinCellRect(Cell);
        switch (Cell) {
        case 1: L.Origin = {R.Right - w, R.Top - h}; break;
        case 15: L.Origin = {R.Right - w, R.Bottom}; break;
        case 16: L.Origin = {R.Right + 2, R.Bottom - h}; break;
        case 30: L.Origin = {R.Left - w - 1, R.Bottom - h}; break;
        case 31: L.Origin = {R.Left, R.Bottom}; break;
        case 45: L.Origin = {R.Left, R.Top - h}; break;
        case 46: L.Origin = {R.Left - w - 1, R.Top}; break;
        case 60: L.Origin = {R.Right + 2, R.Top}; break;
        }
        Labels.push_back(L);
    }
    return Labels;
}

// ---- pin names ----

bool ChipPinToOIndexAndObit(const TChipVariant& Chip, TMCUpin Pin, TOIndex& OIndex, TObit& Obit) {
    if (Pin == 0 || Pin > MCUpinCount) return false;
    for (TOIndex i = 0; i < 9; ++i)
        for (TObit b = 0; b < 4; ++b)
            if (Chip.ObitToMCUpin[i][b] == Pin) {
                OIndex = i;
                Obit = b;
                return true;
            }
    return false;
}

TMCUpinName MCUpinName(const TChipVariant& Chip, TMCUpin Pin) {
    if (Pin == Chip.COMtoMCUpin[COM0]) return {Chip.IsSHARP_SM5A_MCU ? "H2 (COM0)" : "COM0", ""};
    if (Pin == Chip.COMtoMCUpin[COM1]) return {Chip.IsSHARP_SM5A_MCU ? "H1 (COM1)" : "COM1", ""};
    TOIndex i = 0;
    TObit b = 0;
    if (!ChipPinToOIndexAndObit(Chip, Pin, i, b)) return {"-", ""};
    if (Chip.IsSHARP_SM5A_MCU && i == 0) return {"O", "S" + std::to_string(b + 1)};
    return {"O", std::to_string(b + 1) + std::to_string(i)};
}

std::string ORegistersText(TOIndex OIndex) {
    return "O" + std::to_string(OIndex) + ", O'" + std::to_string(OIndex);
}

std::string ObitText(TObit Obit) {
    static const char* const Masks[4] = {"xxx1", "xx1x", "x1xx", "1xxx"};
    char Text[32];
    std::snprintf(Text, sizeof Text, "#%d (%s)", int(Obit), Masks[Obit & 3]);
    return Text;
}

} // namespace tarvolin
