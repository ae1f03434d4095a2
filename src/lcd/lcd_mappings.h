// How MCU pins reach LCD pads, and where on the LCD image each pad's segments lie.
#pragma once

#include <bitset>
#include <vector>

#include "base/types.h"

namespace tarvolin {

class TLCDDriver;

using TLCDpadSet = std::bitset<64>; // bit n = pad n
using TPointList = std::vector<TPoint>;

struct TMCUpinToLCDpads {
    TMCUpin MCUpin = 0;
    std::vector<TLCDpad> DrivenLCDpads;
    bool IsCOM0 = false;
    bool IsCOM1 = false;

    static TMCUpinToLCDpads Create(TMCUpin MCUpin, std::vector<TLCDpad> DrivenLCDpads, bool IsCOM0, bool IsCOM1);
    bool IsCOMx() const { return IsCOM0 || IsCOM1; }
    bool HasLCDpad(TLCDpad LCDpad) const;
};

struct TLCDpadToSegmentInnerPoints {
    TLCDpad LCDpad = 0;
    TLCDpadPosition PadPosition = 0;
    std::array<TPointList, 2> AssociatedSegmentInnerPoints; // [COM0], [COM1]
    std::vector<TLCDpad> DrivenSegmentPadsIfCOM;
    TLCDpad TwinPad = 0; // 0 for segment pads, 255 for a common pad without twin

    static TLCDpadToSegmentInnerPoints CreateAsSegment(TLCDpad LCDpad, TLCDpadPosition PadPosition,
                                                       TPointList COM0Points, TPointList COM1Points);
    static TLCDpadToSegmentInnerPoints CreateAsCOM(TLCDpad LCDpad, TLCDpadPosition PadPosition,
                                                   std::vector<TLCDpad> DrivenSegmentPads, TLCDpad TwinPad);
};

class TMCUtoLCDmappings {
public:
    std::vector<TMCUpinToLCDpads> MCUpinToLCDpadsDefs;

    void Clear() { MCUpinToLCDpadsDefs.clear(); }
    void AddCOMpads(TMCUpin MCUpin, std::vector<TLCDpad> DrivenLCDpads, bool IsCOM0, bool IsCOM1);
    void AddSegmentPads(TMCUpin MCUpin, std::vector<TLCDpad> DrivenLCDpads);
    void SetupGenericMapping(const TCOMtoMCUpin& COMtoMCUpin, const TObitToMCUpin& ObitToMCUpin);
    int IndexOfMCUpin(TMCUpin MCUpin) const;
    bool IsMCUpinCOMx(TMCUpin MCUpin) const;
    int IndexOfLCDpad(TLCDpad LCDpad) const;
    bool IsLCDpadCOM0(TLCDpad LCDpad) const;
    bool IsLCDpadCOM1(TLCDpad LCDpad) const;
    bool IsLCDpadCOMx(TLCDpad LCDpad) const;
    bool GetCOMLCDpads(int DrivenLCDpadsArrayIndex, TLCDpad& COM0LCDpad, TLCDpad& COM1LCDpad) const;
    void GetPads(std::vector<TLCDpad>& COMpads, std::vector<TLCDpad>& SegmentPads) const;
    std::vector<TLCDpad> MCUpinToLCDpads(TMCUpin MCUpin) const;
    TMCUpin LCDpadToMCUpin(TLCDpad LCDpad) const;
};

class TLCDpadToSegmentMappings {
public:
    std::vector<TLCDpadToSegmentInnerPoints> LCDpadToSegmentInnerPoints;

    void Clear() { LCDpadToSegmentInnerPoints.clear(); }
    void AddSegmentPad(TLCDpad LCDpad, TLCDpadPosition PadPosition, TPointList COM0Points, TPointList COM1Points);
    void AddCOMpad(TLCDpad LCDpad, TLCDpadPosition PadPosition, std::vector<TLCDpad> DrivenSegmentPads,
                   TLCDpad TwinPad);
    void SetupGenericMapping(const TObitToMCUpin& ObitToMCUpin, const TMCUtoLCDmappings& MCUtoLCDmappings);
    // Moves every inner point onto the generic technical image's squares; nothing for nullptr.
    void ApplyGenericMapping(const TLCDDriver* LCDDriverRef);
    int IndexOf(TLCDpad LCDpad) const;
    TLCDpad PadPositionToLCDpad(TLCDpadPosition PadPosition) const;
    TLCDpadPosition LCDpadToPadPosition(TLCDpad LCDpad) const;
    void GetDrivenSegmentPadsForCOM(TLCDpad COMpad, std::vector<TLCDpad>& DrivenSegmentPads) const;
};

} // namespace tarvolin
