// Wiring records and the two mapping tables between MCU pins, LCD pads and segments.
#include "lcd/lcd_mappings.h"

#include <algorithm>
#include <cstdlib>

#include "lcd/lcd_driver.h"

namespace tarvolin {

namespace {

// Nibble and bit of the O-bit cell that holds the pin, searched nibble 0..8, bit 0..3.
bool FindObit(const TObitToMCUpin& ObitToMCUpin, TMCUpin MCUpin, TOIndex& OIndex, TObit& Obit) {
    if (MCUpin == 0 || MCUpin > 60) return false;
    for (TOIndex i = 0; i < 9; ++i)
        for (TObit b = 0; b < 4; ++b)
            if (ObitToMCUpin[i][b] == MCUpin) {
                OIndex = i;
                Obit = b;
                return true;
            }
    return false;
}

} // namespace

// ---- records -------------------------------------------------------------------------

TMCUpinToLCDpads TMCUpinToLCDpads::Create(TMCUpin MCUpin, std::vector<TLCDpad> DrivenLCDpads, bool IsCOM0,
                                          bool IsCOM1) {
    TMCUpinToLCDpads R;
    R.MCUpin = MCUpin;
    R.DrivenLCDpads = std::move(DrivenLCDpads);
    R.IsCOM0 = IsCOM0;
    R.IsCOM1 = IsCOM1;
    return R;
}

bool TMCUpinToLCDpads::HasLCDpad(TLCDpad LCDpad) const {
    return std::find(DrivenLCDpads.begin(), DrivenLCDpads.end(), LCDpad) != DrivenLCDpads.end();
}

TLCDpadToSegmentInnerPoints TLCDpadToSegmentInnerPoints::CreateAsSegment(TLCDpad LCDpad, TLCDpadPosition PadPosition,
                                                                         TPointList COM0Points, TPointList COM1Points) {
    TLCDpadToSegmentInnerPoints R;
    R.LCDpad = LCDpad;
    R.PadPosition = PadPosition;
    R.AssociatedSegmentInnerPoints[COM0] = std::move(COM0Points);
    R.AssociatedSegmentInnerPoints[COM1] = std::move(COM1Points);
    R.TwinPad = 0;
    return R;
}

TLCDpadToSegmentInnerPoints TLCDpadToSegmentInnerPoints::CreateAsCOM(TLCDpad LCDpad, TLCDpadPosition PadPosition,
                                                                     std::vector<TLCDpad> DrivenSegmentPads,
                                                                     TLCDpad TwinPad) {
    TLCDpadToSegmentInnerPoints R;
    R.LCDpad = LCDpad;
    R.PadPosition = PadPosition;
    R.DrivenSegmentPadsIfCOM = std::move(DrivenSegmentPads);
    R.TwinPad = TwinPad;
    return R;
}

// ---- MCU pins to LCD pads ------------------------------------------------------------

void TMCUtoLCDmappings::AddCOMpads(TMCUpin MCUpin, std::vector<TLCDpad> DrivenLCDpads, bool IsCOM0, bool IsCOM1) {
    MCUpinToLCDpadsDefs.push_back(TMCUpinToLCDpads::Create(MCUpin, std::move(DrivenLCDpads), IsCOM0, IsCOM1));
}

void TMCUtoLCDmappings::AddSegmentPads(TMCUpin MCUpin, std::vector<TLCDpad> DrivenLCDpads) {
    MCUpinToLCDpadsDefs.push_back(TMCUpinToLCDpads::Create(MCUpin, std::move(DrivenLCDpads), false, false));
}

// The 40-pad wiring used when no game-specific glass is known: common pads 1 and 21 (COM0),
// 20 and 40 (COM1); O0 bit 3 .. O4 bit 2 drive pads 19 down to 2, O4 bit 1 .. O8 bit 0 pads
// 39 down to 22.
void TMCUtoLCDmappings::SetupGenericMapping(const TCOMtoMCUpin& COMtoMCUpin, const TObitToMCUpin& ObitToMCUpin) {
    Clear();
    AddCOMpads(COMtoMCUpin[COM0], {1, 21}, true, false);
    AddCOMpads(COMtoMCUpin[COM1], {20, 40}, false, true);
    for (int k = 0; k < 36; ++k) {
        const int Nibble = k / 4, Bit = 3 - k % 4;
        const TLCDpad Pad = TLCDpad(k < 18 ? 19 - k : 57 - k);
        AddSegmentPads(ObitToMCUpin[Nibble][Bit], {Pad});
    }
}

int TMCUtoLCDmappings::IndexOfMCUpin(TMCUpin MCUpin) const {
    for (size_t i = 0; i < MCUpinToLCDpadsDefs.size(); ++i)
        if (MCUpinToLCDpadsDefs[i].MCUpin == MCUpin) return int(i);
    return -1;
}

bool TMCUtoLCDmappings::IsMCUpinCOMx(TMCUpin MCUpin) const {
    const int i = IndexOfMCUpin(MCUpin);
    return i >= 0 && MCUpinToLCDpadsDefs[size_t(i)].IsCOMx();
}

int TMCUtoLCDmappings::IndexOfLCDpad(TLCDpad LCDpad) const {
    for (size_t i = MCUpinToLCDpadsDefs.size(); i-- > 0;)
        if (MCUpinToLCDpadsDefs[i].HasLCDpad(LCDpad)) return int(i);
    return -1;
}

bool TMCUtoLCDmappings::IsLCDpadCOM0(TLCDpad LCDpad) const {
    return std::any_of(MCUpinToLCDpadsDefs.begin(), MCUpinToLCDpadsDefs.end(),
                       [&](const TMCUpinToLCDpads& E) { return E.IsCOM0 && E.HasLCDpad(LCDpad); });
}

bool TMCUtoLCDmappings::IsLCDpadCOM1(TLCDpad LCDpad) const {
    return std::any_of(MCUpinToLCDpadsDefs.begin(), MCUpinToLCDpadsDefs.end(),
                       [&](const TMCUpinToLCDpads& E) { return E.IsCOM1 && E.HasLCDpad(LCDpad); });
}

bool TMCUtoLCDmappings::IsLCDpadCOMx(TLCDpad LCDpad) const {
    for (const auto& E : MCUpinToLCDpadsDefs)
        if (E.HasLCDpad(LCDpad)) return E.IsCOMx();
    return false;
}

bool TMCUtoLCDmappings::GetCOMLCDpads(int DrivenLCDpadsArrayIndex, TLCDpad& COM0LCDpad, TLCDpad& COM1LCDpad) const {
    COM0LCDpad = NoLCDpad;
    COM1LCDpad = NoLCDpad;
    if (DrivenLCDpadsArrayIndex < 0) return false;
    const size_t Index = size_t(DrivenLCDpadsArrayIndex);
    for (const auto& E : MCUpinToLCDpadsDefs) {
        const bool LongEnough = E.DrivenLCDpads.size() > Index;
        if (E.IsCOM0 && LongEnough)
            COM0LCDpad = E.DrivenLCDpads[Index];
        else if (E.IsCOM1 && LongEnough)
            COM1LCDpad = E.DrivenLCDpads[Index];
        if (COM0LCDpad != NoLCDpad && COM1LCDpad != NoLCDpad) break;
    }
    return COM0LCDpad != NoLCDpad && COM1LCDpad != NoLCDpad;
}

void TMCUtoLCDmappings::GetPads(std::vector<TLCDpad>& COMpads, std::vector<TLCDpad>& SegmentPads) const {
    COMpads.clear();
    SegmentPads.clear();
    for (const auto& E : MCUpinToLCDpadsDefs) {
        auto& Target = E.IsCOMx() ? COMpads : SegmentPads;
        Target.insert(Target.end(), E.DrivenLCDpads.begin(), E.DrivenLCDpads.end());
    }
}

std::vector<TLCDpad> TMCUtoLCDmappings::MCUpinToLCDpads(TMCUpin MCUpin) const {
    const int i = IndexOfMCUpin(MCUpin);
    if (i < 0) return {};
    return MCUpinToLCDpadsDefs[size_t(i)].DrivenLCDpads;
}

TMCUpin TMCUtoLCDmappings::LCDpadToMCUpin(TLCDpad LCDpad) const {
    const int i = IndexOfLCDpad(LCDpad);
    return i < 0 ? NoMCUpin : MCUpinToLCDpadsDefs[size_t(i)].MCUpin;
}

// ---- LCD pads to segments ------------------------------------------------------------

void TLCDpadToSegmentMappings::AddSegmentPad(TLCDpad LCDpad, TLCDpadPosition PadPosition, TPointList COM0Points,
                                             TPointList COM1Points) {
    LCDpadToSegmentInnerPoints.push_back(
        TLCDpadToSegmentInnerPoints::CreateAsSegment(LCDpad, PadPosition, std::move(COM0Points), std::move(COM1Points)));
}

void TLCDpadToSegmentMappings::AddCOMpad(TLCDpad LCDpad, TLCDpadPosition PadPosition,
                                         std::vector<TLCDpad> DrivenSegmentPads, TLCDpad TwinPad) {
    LCDpadToSegmentInnerPoints.push_back(
        TLCDpadToSegmentInnerPoints::CreateAsCOM(LCDpad, PadPosition, std::move(DrivenSegmentPads), TwinPad));
}

// The generic layout: each edge is bounded by a pair of common pads (the lower edge by the
// first pad of each common pin, the upper edge by the second). The segment pads between them
// take consecutive slots, starting at slot 5 (lower) or 23 (upper) and moving towards the
// middle of the glass numbering; a pad that carries no O bit keeps its slot empty. Each segment
// pad gets the generic square of its bit on both planes.
void TLCDpadToSegmentMappings::SetupGenericMapping(const TObitToMCUpin& ObitToMCUpin,
                                                   const TMCUtoLCDmappings& MCUtoLCDmappings) {
    Clear();
    struct TEdge {
        int COMIndex;
        int FirstSlot;
        TLCDpadPosition COM0Position, COM1Position;
    };
    static constexpr TEdge Edges[2] = {{0, -5, -1, -27}, {1, 23, 27, 1}};
    for (const TEdge& Edge : Edges) {
        TLCDpad C0, C1;
        if (!MCUtoLCDmappings.GetCOMLCDpads(Edge.COMIndex, C0, C1)) continue;
        std::vector<TLCDpad> Added;
        int Counter = Edge.FirstSlot;
        for (int p = int(C0) + 1; p < int(C1); ++p, --Counter) {
            // Slots 1 and 27 belong to the common pads; an edge with more segment pads than
            // slots 2..26 (never the case with real wiring) gets no more, so positions stay unique.
            if (std::abs(Counter) < 2 || std::abs(Counter) > 26) break;
            const TMCUpin Pin = MCUtoLCDmappings.LCDpadToMCUpin(TLCDpad(p));
            TOIndex i;
            TObit b;
            if (!FindObit(ObitToMCUpin, Pin, i, b)) continue;
            AddSegmentPad(TLCDpad(p), TLCDpadPosition(Counter), {TLCDDriver::GenericSegmentPosition(COM0, b, i)},
                          {TLCDDriver::GenericSegmentPosition(COM1, b, i)});
            Added.push_back(TLCDpad(p));
        }
        if (!Added.empty()) {
            AddCOMpad(C0, Edge.COM0Position, Added, NoLCDpad);
            AddCOMpad(C1, Edge.COM1Position, Added, NoLCDpad);
        }
    }
}

void TLCDpadToSegmentMappings::ApplyGenericMapping(const TLCDDriver* LCDDriverRef) {
    if (!LCDDriverRef) return;
    for (auto& R : LCDpadToSegmentInnerPoints) {
        TOIndex i;
        TObit b;
        if (!LCDDriverRef->LCDpadToOIndexAndObit(R.LCDpad, i, b)) continue;
        for (TCommonPlane Plane : {COM0, COM1}) {
            auto& Points = R.AssociatedSegmentInnerPoints[Plane];
            if (!Points.empty()) Points.assign(1, TLCDDriver::GenericSegmentPosition(Plane, b, i));
        }
    }
}

int TLCDpadToSegmentMappings::IndexOf(TLCDpad LCDpad) const {
    for (size_t i = 0; i < LCDpadToSegmentInnerPoints.size(); ++i)
        if (LCDpadToSegmentInnerPoints[i].LCDpad == LCDpad) return int(i);
    return -1;
}

TLCDpad TLCDpadToSegmentMappings::PadPositionToLCDpad(TLCDpadPosition PadPosition) const {
    for (const auto& R : LCDpadToSegmentInnerPoints)
        if (R.PadPosition == PadPosition) return R.LCDpad;
    return NoLCDpad;
}

TLCDpadPosition TLCDpadToSegmentMappings::LCDpadToPadPosition(TLCDpad LCDpad) const {
    const int i = IndexOf(LCDpad);
    return i < 0 ? 0 : LCDpadToSegmentInnerPoints[size_t(i)].PadPosition;
}

void TLCDpadToSegmentMappings::GetDrivenSegmentPadsForCOM(TLCDpad COMpad, std::vector<TLCDpad>& DrivenSegmentPads) const {
    DrivenSegmentPads.clear();
    const int i = IndexOf(COMpad);
    if (i >= 0) DrivenSegmentPads = LCDpadToSegmentInnerPoints[size_t(i)].DrivenSegmentPadsIfCOM;
}

} // namespace tarvolin
