#include "debugger/interconnection.h"

#include <cstdio>

#include "base/text_format.h"
#include "core/mcu.h"
#include "lcd/lcd_driver.h"

namespace tarvolin {

namespace {

constexpr TLCDpad FirstLCDpad = 1, LastLCDpad = 54;

// Only pads 1..54 can be highlighted.
TLCDpadSet PadsOnly(TLCDpadSet Set) {
    for (size_t n = 0; n < Set.size(); ++n)
        if (n < FirstLCDpad || n > LastLCDpad) Set.reset(n);
    return Set;
}

TLCDpadSet SetOf(TLCDpad Pad) {
    TLCDpadSet s;
    if (Pad >= FirstLCDpad && Pad <= LastLCDpad) s.set(Pad);
    return s;
}

} // namespace

TInterconnection::TInterconnection(TInterconnectionView& View) : FView(View) {}

TInterconnection::~TInterconnection() = default;

void TInterconnection::Initialize(const TSHARP_SM5A_MCU& MCU, TColor ImageBackground, bool HighContrast) {
    const TMCUClass& Class = MCU.GetClass();
    FChip = Class.Chip;
    FMCUname = Class.GetMCUname();
    FActivationLockedBy = alsNone;
    FActivatedLCDpads.reset();
    FActivatedMCUpin = NoMCUpin;
    FPanels = TInterconnectionPanels{};
    SetPin1Position(MCU.Pin1Position());
    // A fresh driver has all registers zero, so every segment opens dark; lit segments then
    // mark the current highlight.
    FLCDDriver = MCU.CloneCurrentLCDDriver();
    FLCDDriver->AssignBitmapContainer(&FLCDImage, ImageBackground, HighContrast ? 16 : 4, false);
    FLCDImage.MarkChanged();
    FView.LCDImageChanged();
    FView.StripsChanged();
    FView.PanelsChanged();
}

bool TInterconnection::IsSHARP_SM5A_MCU() const { return FChip && FChip->IsSHARP_SM5A_MCU; }

std::string TInterconnection::MCUname() const { return FMCUname; }

bool TInterconnection::MCUpinDrivesPads(TMCUpin Pin) const {
    return FLCDDriver && !FLCDDriver->MCUpinToLCDpads(Pin).empty();
}

void TInterconnection::SetPin1Position(TMCUpin1Position Position) {
    FPin1Position = Position;
    FMCUpinRects = ComputeMCUpinRects(Position);
    FView.PackageChanged();
}

void TInterconnection::RotateRight() { SetPin1Position(RotatedRight(FPin1Position)); }

void TInterconnection::FlipHorizontally() { SetPin1Position(FlippedHorizontally(FPin1Position)); }

// ---- highlighting ----

void TInterconnection::ActivateLCDpads(const TLCDpadSet& Requested, bool FromLCDSide) {
    if (!FLCDDriver) return;
    const TLCDpadSet NewSet = PadsOnly(Requested);
    const TLCDpadSet ToOn = NewSet & ~FActivatedLCDpads;
    const TLCDpadSet ToOff = FActivatedLCDpads & ~NewSet;
    if (ToOn.any() || ToOff.any()) {
        // Darken first, then light: a pad going off may share segments with a pad coming on
        // (a common pad over a segment pad, or twin common pads), and those must end up lit.
        for (TLCDpad Pad = FirstLCDpad; Pad <= LastLCDpad; ++Pad)
            if (ToOff[Pad]) {
                FLCDDriver->ToggleLCDpad(Pad, false, true, true);
                FActivatedLCDpads.reset(Pad);
            }
        for (TLCDpad Pad = FirstLCDpad; Pad <= LastLCDpad; ++Pad)
            if (ToOn[Pad] || (NewSet[Pad] && ToOff.any())) {
                FLCDDriver->ToggleLCDpad(Pad, true, true, true);
                FActivatedLCDpads.set(Pad);
            }
        FView.StripsChanged();
        FView.LCDImageChanged();
    }
    if (FromLCDSide) {
        std::vector<TLCDpad> Active;
        TLCDDriver::ConvertLCDpadSetToLCDpadArray(FActivatedLCDpads, Active);
        UpdateFromLCDpads(Active);
    }
    UpdateNote();
    FView.PanelsChanged();
}

void TInterconnection::ActivateMCUpin(TMCUpin Pin, bool Cascade) {
    if (Pin == FActivatedMCUpin) return;
    FActivatedMCUpin = Pin;
    FView.PackageChanged();
    if (Cascade) UpdateFromMCUpin(Pin);
}

void TInterconnection::UpdateFromLCDpads(const std::vector<TLCDpad>& Pads) {
    if (Pads.size() == 1) {
        ShowLCDpadPanel(0, Pads[0]);
        FPanels.Pads[1].Visible = false;
        const TMCUpin Pin = FLCDDriver->LCDpadToMCUpin(Pads[0]);
        ActivateMCUpin(Pin, false);
        ShowMCUpinPanel(Pin);
    } else {
        ClearPanels();
        ActivateMCUpin(NoMCUpin, false);
    }
}

void TInterconnection::UpdateFromMCUpin(TMCUpin Pin) {
    const std::vector<TLCDpad> Pads = Pin == NoMCUpin ? std::vector<TLCDpad>{} : FLCDDriver->MCUpinToLCDpads(Pin);
    if (Pads.empty()) {
        ClearPanels();
        ActivateLCDpads({}, false);
        return;
    }
    ShowMCUpinPanel(Pin);
    TLCDpadSet Set;
    TLCDDriver::ConvertLCDpadArrayToLCDpadSet(Pads, Set);
    ActivateLCDpads(Set, false);
    if (FLCDDriver->IsMCUpinCOMx(Pin)) {
        std::string Joined;
        for (TLCDpad Pad : Pads) Joined += (Joined.empty() ? "" : ", ") + std::to_string(Pad);
        FPanels.Pads[0] = TLCDpadPanel{true, Joined, false, false};
        FPanels.Pads[1].Visible = false;
    } else {
        ShowLCDpadPanel(0, Pads[0]);
        if (Pads.size() > 1)
            ShowLCDpadPanel(1, Pads[1]);
        else
            FPanels.Pads[1].Visible = false;
    }
    FView.PanelsChanged();
}

void TInterconnection::ShowLCDpadPanel(int Index, TLCDpad Pad) {
    TLCDpadPanel& P = FPanels.Pads[size_t(Index)];
    P.Visible = true;
    P.Value = std::to_string(Pad);
    P.NoSegmentInCOM0Visible = P.NoSegmentInCOM1Visible = false;
    if (!FLCDDriver->IsLCDpadCOMx(Pad)) {
        bool COM0 = false, COM1 = false;
        FLCDDriver->AreSegmentsForLCDpadDefined(Pad, COM0, COM1);
        P.NoSegmentInCOM0Visible = !COM0;
        P.NoSegmentInCOM1Visible = !COM1;
    }
}

void TInterconnection::ShowMCUpinPanel(TMCUpin Pin) {
    // A pad that no pin drives has no pin to name.
    if (Pin == NoMCUpin) {
        FPanels.Pin = TMCUpinPanel{};
        return;
    }
    TMCUpinPanel& P = FPanels.Pin;
    P.Number = std::to_string(Pin);
    P.Name = MCUpinName(*FChip, Pin);
    TOIndex i = 0;
    TObit b = 0;
    const bool Segment = ChipPinToOIndexAndObit(*FChip, Pin, i, b);
    P.ORegistersVisible = P.BitVisible = Segment;
    P.ORegisters = Segment ? ORegistersText(i) : std::string();
    P.Bit = Segment ? ObitText(b) : std::string();
}

void TInterconnection::ClearPanels() { FPanels = TInterconnectionPanels{}; }

void TInterconnection::UpdateNote() {
    FPanels.Note.clear();
    std::vector<TLCDpad> COMpads;
    for (TLCDpad Pad = FirstLCDpad; Pad <= LastLCDpad; ++Pad)
        if (FActivatedLCDpads[Pad] && FLCDDriver->IsLCDpadCOMx(Pad)) COMpads.push_back(Pad);
    if (COMpads.empty()) return;
    if (FLCDDriver->COMMappingsConfirmed()) {
        if (COMpads.size() != 1) return;
        const TLCDpad Twin = FLCDDriver->GetCOMpadTwin(COMpads[0]);
        if (Twin == 0 || Twin == NoLCDpad) return;
        FPanels.Note = Format(Tr("Interconnection", TwinCOMpadsNoteFormat).c_str(), int(COMpads[0]), int(Twin));
    } else if (&FLCDDriver->GetClass() != &TGenericLCDDriver::Class) {
        FPanels.Note = Tr("Interconnection", ApproximateCOMGroupsNote);
    }
}

void TInterconnection::ResetActivation() {
    FActivationLockedBy = alsNone;
    ActivateLCDpads({}, true);
    ActivateMCUpin(NoMCUpin, true);
}

// ---- the mouse ----

void TInterconnection::StripMouseMove(bool UpperStrip, int X) {
    if (IsLocked() || !FLCDDriver) return;
    ActivateLCDpads(SetOf(LCDpadAtX(*FLCDDriver, UpperStrip, X)), true);
}

void TInterconnection::StripMouseLeave() {
    if (IsLocked() || !FLCDDriver) return;
    ActivateLCDpads({}, true);
}

void TInterconnection::StripClick(bool UpperStrip, int X, bool Ctrl) {
    if (!FLCDDriver) return;
    if (!Ctrl) {
        ResetActivation();
        StripMouseMove(UpperStrip, X);
        return;
    }
    const TLCDpadSet Pad = SetOf(LCDpadAtX(*FLCDDriver, UpperStrip, X));
    if (Pad.none()) {
        FActivationLockedBy = alsNone; // the highlight stays, unlocked
        return;
    }
    // Lock what is under the pointer: anything else highlighted is replaced first.
    if (FActivationLockedBy == alsMCUpin || FActivatedLCDpads != Pad) {
        ResetActivation();
        StripMouseMove(UpperStrip, X);
    }
    FActivationLockedBy = alsLCDpad;
}

void TInterconnection::PackageMouseMove(TPoint P) {
    if (IsLocked() || !FLCDDriver) return;
    ActivateMCUpin(MCUpinAtPoint(FMCUpinRects, P), true);
}

void TInterconnection::PackageMouseLeave() {
    if (IsLocked() || !FLCDDriver) return;
    ActivateMCUpin(NoMCUpin, true);
}

void TInterconnection::PackageClick(TPoint P, bool Ctrl) {
    if (!FLCDDriver) return;
    if (!Ctrl) {
        ResetActivation();
        PackageMouseMove(P);
        return;
    }
    const TMCUpin Pin = MCUpinAtPoint(FMCUpinRects, P);
    if (Pin == NoMCUpin || !MCUpinDrivesPads(Pin)) {
        FActivationLockedBy = alsNone; // a pin without pads cannot be locked
        return;
    }
    if (FActivationLockedBy == alsLCDpad || FActivatedMCUpin != Pin) {
        ResetActivation();
        PackageMouseMove(P);
    }
    FActivationLockedBy = alsMCUpin;
}

} // namespace tarvolin
