// The LCD driver: colours segments of the scene from the O and O' registers.
#include "lcd/lcd_driver.h"

#include <algorithm>

#include "base/reporter.h"
#include "base/resources.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "lcd/lcd_artwork.h"

namespace tarvolin {

namespace {

constexpr int GenericImageWidth = 1355;
constexpr int GenericImageHeight = 864;
constexpr int GenericSquareSize = 64;

} // namespace

TColor ResolveSystemColor(TColor Color) {
    if ((Color >> 24) != 0xFF) return Color;
    switch (Color & 0xFFFFFF) {
    case 5: return clWhite; // window background
    case 15:                // button face
    default: return clBtnFace;
    }
}

// ---- driver classes ------------------------------------------------------------------

std::unique_ptr<TLCDDriver> TLCDDriverClass::Create(const TCOMtoMCUpin& COMtoMCUpin,
                                                    const TObitToMCUpin& ObitToMCUpin) const {
    std::unique_ptr<TLCDDriver> Driver = Factory();
    Driver->Initialize(COMtoMCUpin, ObitToMCUpin);
    return Driver;
}

bool TLCDDriverClass::InheritsFrom(const TLCDDriverClass& Other) const {
    for (const TLCDDriverClass* C = this; C; C = C->Parent)
        if (C == &Other) return true;
    return false;
}

// ---- lifecycle -----------------------------------------------------------------------

void TLCDDriver::Initialize(const TCOMtoMCUpin& ACOMtoMCUpin, const TObitToMCUpin& AObitToMCUpin) {
    SetSceneColors(clSysBtnFace, 4);
    FCOMtoMCUpin = ACOMtoMCUpin;
    FObitToMCUpin = AObitToMCUpin;
    SetupMappings();
    Reset();
}

// The inactive colour is the background darkened by LowerFactor per channel (stopping at 0).
// It must differ from black (lit segments) and white (the transparent surroundings): a fill
// from black to black, or from a white segment into the white surroundings, would leave
// segments stuck or flood the whole picture. A background that would give one of those
// (black, or white with a factor of 0) is nudged by one step.
void TLCDDriver::SetSceneColors(TColor Color, uint8_t LowerFactor) {
    Color = ResolveSystemColor(Color);
    FContainerBackgroundColor = Color;
    TColor Inactive = 0;
    for (int Shift = 0; Shift < 24; Shift += 8) {
        const int Channel = int((Color >> Shift) & 0xFF);
        Inactive |= TColor(std::max(Channel - int(LowerFactor), 0)) << Shift;
    }
    if (Inactive == clBlack) Inactive = 0x010101;
    if (Inactive == clWhite) Inactive = 0xFEFEFE;
    FInactiveSegmentColor = Inactive;
}

void TLCDDriver::Reset() {
    FPreviousO.fill(0xF);
    FPreviousO_.fill(0xF);
    const TORegister Zero{};
    RefreshBitmap(Zero, Zero, false);
    SetShowStableImageOnly(false);
    SetDeferStableImages(false);
}

void TLCDDriver::SetShowStableImageOnly(bool Value) {
    FShowStableImageOnly = Value;
    FInstructionCountOfStableORegisters = -1;
}

void TLCDDriver::SetDeferStableImages(bool Value) {
    FDeferStableImages = Value;
    FHasDeferredStableImage = false;
}

void TLCDDriver::DrawDeferredStableImage() {
    if (!FHasDeferredStableImage) return;
    FHasDeferredStableImage = false;
    RefreshBitmap(FDeferredO, FDeferredO_, true);
}

void TLCDDriver::ShowStableImage(const TORegister& O, const TORegister& O_) {
    if (FDeferStableImages && FSceneBitmap) {
        FDeferredO = O;
        FDeferredO_ = O_;
        FHasDeferredStableImage = true;
        if (OnBitmapRefresh) OnBitmapRefresh(*this);
    } else {
        RefreshBitmap(O, O_, true);
    }
}

void TLCDDriver::CopyCurrentState(TLCDDriver& TargetLCDDriver) const {
    TargetLCDDriver.FInactiveSegmentColor = FInactiveSegmentColor;
    TargetLCDDriver.FPreviousO = FPreviousO;
    TargetLCDDriver.FPreviousO_ = FPreviousO_;
    TargetLCDDriver.FShowStableImageOnly = FShowStableImageOnly;
    TargetLCDDriver.FDeferStableImages = FDeferStableImages;
    TargetLCDDriver.FInstructionCountOfStableORegisters = FInstructionCountOfStableORegisters;
    TargetLCDDriver.OnBitmapRefresh = OnBitmapRefresh;
}

void TLCDDriver::RestorePictureState(const TLCDPictureState& State) {
    FHasDeferredStableImage = false;
    RefreshBitmap(State.O, State.O_, false);
    FInstructionCountOfStableORegisters = State.StableCount;
}

// ---- colouring -----------------------------------------------------------------------

void TLCDDriver::ColorizeSegments(const TPointList& SegmentInnerPoints, TColor OldColor, TColor NewColor) {
    if (!FSceneBitmap || SegmentInnerPoints.empty()) return;
    TRaster& Scene = *FSceneBitmap;
    bool Changed = false;
    for (const TPoint& P : SegmentInnerPoints) {
        if (!Scene.Contains(P.x, P.y)) continue; // a point off the picture has nothing to colour
        if (OldColor == clDefaultMarker) OldColor = Scene.Pixel(P.x, P.y);
        if (Scene.Pixel(P.x, P.y) != OldColor) continue; // already in the wanted state
        if (Scene.FloodFill(P.x, P.y, NewColor)) Changed = true;
    }
    // The pass is complete: tell a view to repaint.
    if (Changed) Scene.MarkChanged();
}

void TLCDDriver::TurnSegmentsOnOrOff(const TPointList& SegmentInnerPoints, bool lTurnOn) {
    if (!FSceneBitmap || SegmentInnerPoints.empty()) return;
    if (lTurnOn)
        ColorizeSegments(SegmentInnerPoints, FInactiveSegmentColor, clBlack);
    else
        ColorizeSegments(SegmentInnerPoints, clBlack, FInactiveSegmentColor);
}

void TLCDDriver::RefreshBitmap(const TORegister& O, const TORegister& O_, bool lErrorOnUndefinedLCDpad) {
    if (!FSceneBitmap) {
        // Nothing to colour: only remember what the registers hold, so a scene attached later
        // shows the current state. Headless runs take this path on every LCD write.
        FPreviousO = O;
        FPreviousO_ = O_;
        if (OnBitmapRefresh) OnBitmapRefresh(*this);
        return;
    }
    TMCUpinSet TurnOn[2], TurnOff[2]; // [COM0], [COM1]
    // O drives plane COM1, O' plane COM0.
    auto Collect = [this](const TORegister& Now, TORegister& Previous, TCommonPlane Plane, TMCUpinSet (&On)[2],
                          TMCUpinSet (&Off)[2]) {
        if (Now == Previous) return;
        for (int i = 0; i < 9; ++i) {
            const unsigned Diff = unsigned(Now[i] ^ Previous[i]) & 0xF;
            if (!Diff) continue;
            for (int b = 0; b < 4; ++b) {
                if (!(Diff & (1u << b))) continue;
                const TMCUpin Pin = FObitToMCUpin[i][b];
                if (Pin > 63) continue;
                if (Now[i] & (1u << b))
                    On[Plane].set(Pin);
                else
                    Off[Plane].set(Pin);
            }
        }
        Previous = Now;
    };
    // Copy first: the caller may pass our own previous registers.
    const TORegister NewO = O, NewO_ = O_;
    Collect(NewO, FPreviousO, COM1, TurnOn, TurnOff);
    Collect(NewO_, FPreviousO_, COM0, TurnOn, TurnOff);
    TurnMCUpinsOnOrOff(TurnOn, true, lErrorOnUndefinedLCDpad);
    TurnMCUpinsOnOrOff(TurnOff, false, lErrorOnUndefinedLCDpad);
    if (OnBitmapRefresh) OnBitmapRefresh(*this);
}

// Pins that reach no pad are passed over without a word. Several glasses leave O bits
// unconnected on purpose, and game programs write whole nibbles, so a warning ("Toggling MCU
// pin #%d that has no LCD pad defined.") would only interrupt ordinary runs with a fact of
// the hardware; the interconnection window shows which pins reach no pad.
// lErrorOnUndefinedLCDpad is kept for the callers' sake and does not change anything.
void TLCDDriver::TurnMCUpinsOnOrOff(const TMCUpinSet (&PinSets)[2], bool lTurnOn, bool lErrorOnUndefinedLCDpad) {
    if (!FSceneBitmap || (PinSets[COM0].none() && PinSets[COM1].none())) return;
    const TMCUpinSet Either = PinSets[COM0] | PinSets[COM1];
    TPointList Points;
    for (int Pin = 1; Pin <= 60; ++Pin) {
        if (!Either.test(size_t(Pin))) continue;
        const int Entry = FMCUtoLCDmappings.IndexOfMCUpin(TMCUpin(Pin));
        if (Entry < 0) continue;
        for (TLCDpad Pad : FMCUtoLCDmappings.MCUpinToLCDpadsDefs[size_t(Entry)].DrivenLCDpads) {
            const int Record = FLCDpadToSegmentMappings.IndexOf(Pad);
            if (Record < 0) continue;
            const auto& R = FLCDpadToSegmentMappings.LCDpadToSegmentInnerPoints[size_t(Record)];
            for (TCommonPlane Plane : {COM0, COM1})
                if (PinSets[Plane].test(size_t(Pin)))
                    Points.insert(Points.end(), R.AssociatedSegmentInnerPoints[Plane].begin(),
                                  R.AssociatedSegmentInnerPoints[Plane].end());
        }
    }
    if (!Points.empty()) TurnSegmentsOnOrOff(Points, lTurnOn);
}

// Stable-image filter: with it on, the picture is redrawn only once O and O' have been left
// alone for 31 instructions (or at once when the chip halts), hiding the intermediate states
// a program passes through while it rewrites the display.
void TLCDDriver::OnInstructionSlow(const TORegister& O, const TORegister& O_, bool lWasLCDInstruction, bool lWasHLT) {
    if (lWasHLT && FShowStableImageOnly) {
        ShowStableImage(O, O_);
        FInstructionCountOfStableORegisters = -1;
    } else if (lWasLCDInstruction) {
        FInstructionCountOfStableORegisters = 0;
        if (!FShowStableImageOnly) RefreshBitmap(O, O_, true);
    } else if (FShowStableImageOnly && FInstructionCountOfStableORegisters != -1) {
        if (++FInstructionCountOfStableORegisters > 30) {
            ShowStableImage(O, O_);
            FInstructionCountOfStableORegisters = -1;
        }
    }
}

void TLCDDriver::ToggleLCDpad(TLCDpad LCDpad, bool lTurnOn, bool IncludeCOM0, bool IncludeCOM1) {
    const int Entry = FMCUtoLCDmappings.IndexOfLCDpad(LCDpad);
    if (Entry < 0) return;
    const TMCUpinToLCDpads& E = FMCUtoLCDmappings.MCUpinToLCDpadsDefs[size_t(Entry)];
    std::vector<TLCDpad> Pads;
    if (E.IsCOMx()) {
        // A common pad lights the segments of its own plane over the pads it drives.
        if (FMCUtoLCDmappings.IsLCDpadCOM0(LCDpad)) IncludeCOM1 = false;
        if (FMCUtoLCDmappings.IsLCDpadCOM1(LCDpad)) IncludeCOM0 = false;
        FLCDpadToSegmentMappings.GetDrivenSegmentPadsForCOM(LCDpad, Pads);
    } else {
        Pads.push_back(LCDpad);
    }
    TPointList Points;
    for (TLCDpad Pad : Pads) {
        const int Record = FLCDpadToSegmentMappings.IndexOf(Pad);
        if (Record < 0) continue;
        const auto& R = FLCDpadToSegmentMappings.LCDpadToSegmentInnerPoints[size_t(Record)];
        if (IncludeCOM0)
            Points.insert(Points.end(), R.AssociatedSegmentInnerPoints[COM0].begin(),
                          R.AssociatedSegmentInnerPoints[COM0].end());
        if (IncludeCOM1)
            Points.insert(Points.end(), R.AssociatedSegmentInnerPoints[COM1].begin(),
                          R.AssociatedSegmentInnerPoints[COM1].end());
    }
    if (!Points.empty()) TurnSegmentsOnOrOff(Points, lTurnOn);
}

// ---- the scene -----------------------------------------------------------------------

void TLCDDriver::AssignBitmapContainer(TRaster* Container, TColor BackgroundColor, uint8_t LowerFactor,
                                       bool lDoRawCopyOnly) {
    FSceneBitmap = Container;
    SetSceneColors(BackgroundColor, LowerFactor);
    if (!Container) return;
    bool Loaded = LoadUserArtwork(*Container);
    if (!Loaded && !FLCDResourceName.empty()) Loaded = LoadPngResourceToBitmap(FLCDResourceName, *Container);
    if (!Loaded) {
        DrawGenericImage(*Container);
        if (!GetClass().InheritsFrom(TGenericLCDDriver::Class)) FLCDpadToSegmentMappings.ApplyGenericMapping(this);
        EraseUndefinedGenericSquares(*Container);
    }
    if (!lDoRawCopyOnly) {
        // Every segment of the fresh image is black. Inverting the remembered registers makes
        // every bit differ, so the refresh sets each wired segment explicitly to the state
        // that was last drawn.
        const TORegister SavedO = FPreviousO, SavedO_ = FPreviousO_;
        for (auto& Nibble : FPreviousO) Nibble ^= 0xF;
        for (auto& Nibble : FPreviousO_) Nibble ^= 0xF;
        RefreshBitmap(SavedO, SavedO_, false);
    }
}

// The user's picture of this glass, when the artwork folder holds a usable one: it replaces
// the image and the inner points. A picture that fails its checks leaves the built-in image
// and points, and ArtworkNote says which file and why.
bool TLCDDriver::LoadUserArtwork(TRaster& Bitmap) {
    if (FBuiltInSegments) {
        FLCDpadToSegmentMappings = *FBuiltInSegments;
        FBuiltInSegments.reset();
    }
    FArtworkNote.clear();
    FArtworkFile.clear();
    if (ArtworkFolder().empty() || FLCDResourceName.empty()) return false;
    TArtworkLoad Load = LoadArtwork(ArtworkFolder(), *this);
    if (!Load.Found) return false;
    if (!Load.Report.Usable()) {
        FArtworkNote = Format(Tr("LCD", "Artwork %s is not used: %s. The built-in image is shown.").c_str(),
                              Load.File.string().c_str(), Load.Report.FirstError().c_str());
        return false;
    }
    FBuiltInSegments = FLCDpadToSegmentMappings;
    for (TLCDpadToSegmentInnerPoints& R : FLCDpadToSegmentMappings.LCDpadToSegmentInnerPoints) {
        if (R.TwinPad != 0) continue;
        auto It = Load.Points.find(R.LCDpad);
        for (int Plane : {COM0, COM1})
            R.AssociatedSegmentInnerPoints[size_t(Plane)] = It == Load.Points.end() ? TPointList{} : It->second[size_t(Plane)];
    }
    Bitmap.SetSize(Load.Image.Width(), Load.Image.Height(), clWhite);
    std::copy(Load.Image.Data(), Load.Image.Data() + size_t(Load.Image.Width()) * Load.Image.Height(), Bitmap.Data());
    Bitmap.TransparentColor = clWhite;
    Bitmap.Transparent = true;
    Bitmap.MarkChanged();
    FArtworkFile = ArtworkPNGPath(ArtworkFolder(), FLCDResourceName).string();
    return true;
}

bool TLCDDriver::LoadPngResourceToBitmap(const std::string& ResourceName, TRaster& Bitmap) {
    std::string Error;
    try {
        const auto Resource = FindResource(ResourceName);
        if (!Resource)
            throw std::runtime_error(Format(Tr("LCD", "Resource %s not found").c_str(), ResourceName.c_str()));
        // Leaves the bitmap untouched on failure; transparency is dropped.
        DecodePNG(Resource->Data, Resource->Size, Bitmap);
        Bitmap.TransparentColor = clWhite;
        Bitmap.Transparent = true;
        Bitmap.MarkChanged();
        return true;
    } catch (const std::exception& E) {
        Error = E.what();
    }
    MessageReporter().ShowError(Error + " (" + ResourceName + ")");
    return false;
}

TPoint TLCDDriver::GenericSegmentPosition(TCommonPlane Plane, TObit Obit, TOIndex OIndex) {
    return TPoint{277 + 80 * (3 - int(Obit)) + (Plane == COM0 ? 480 : 0), 72 + 80 * (8 - int(OIndex))};
}

void TLCDDriver::DrawGenericImage(TRaster& Bitmap) {
    Bitmap.SetSize(GenericImageWidth, GenericImageHeight, clWhite);
    Bitmap.TransparentColor = clWhite;
    Bitmap.Transparent = true;
    for (TCommonPlane Plane : {COM0, COM1})
        for (TOIndex i = 0; i < 9; ++i)
            for (TObit b = 0; b < 4; ++b) {
                const TPoint P = GenericSegmentPosition(Plane, b, i);
                Bitmap.FillRect(P.x, P.y, P.x + GenericSquareSize, P.y + GenericSquareSize, clBlack);
            }
}

// Removes the squares of bits and planes that have no segment in this driver's layout. A pin
// that drives two pads keeps a plane's square when either pad has a segment on that plane:
// both pads' segments were moved onto that one square.
void TLCDDriver::EraseUndefinedGenericSquares(TRaster& Bitmap) {
    auto Erase = [&](TCommonPlane Plane, TObit b, TOIndex i) {
        const TPoint P = GenericSegmentPosition(Plane, b, i);
        if (Bitmap.Contains(P.x, P.y) && Bitmap.Pixel(P.x, P.y) == clBlack)
            Bitmap.FloodFill(P.x, P.y, Bitmap.TransparentColor);
    };
    for (TOIndex i = 0; i < 9; ++i)
        for (TObit b = 0; b < 4; ++b) {
            bool Defined[2] = {false, false};
            for (TLCDpad Pad : MCUpinToLCDpads(FObitToMCUpin[i][b])) {
                bool D0, D1;
                AreSegmentsForLCDpadDefined(Pad, D0, D1);
                Defined[COM0] |= D0;
                Defined[COM1] |= D1;
            }
            for (TCommonPlane Plane : {COM0, COM1})
                if (!Defined[Plane]) Erase(Plane, b, i);
        }
    Bitmap.MarkChanged();
}

// ---- mapping queries -----------------------------------------------------------------

TMCUpin TLCDDriver::OIndexAndObitToMCUpin(TOIndex OIndex, TObit Obit) const {
    if (OIndex > 8 || Obit > 3) return NoMCUpin;
    return FObitToMCUpin[OIndex][Obit];
}

bool TLCDDriver::MCUpinToOIndexAndObit(TMCUpin MCUpin, TOIndex& OIndex, TObit& Obit) const {
    if (MCUpin == 0 || MCUpin > 60) return false;
    for (TOIndex i = 0; i < 9; ++i)
        for (TObit b = 0; b < 4; ++b)
            if (FObitToMCUpin[i][b] == MCUpin) {
                OIndex = i;
                Obit = b;
                return true;
            }
    return false;
}

std::vector<TLCDpad> TLCDDriver::MCUpinToLCDpads(TMCUpin MCUpin) const { return FMCUtoLCDmappings.MCUpinToLCDpads(MCUpin); }
bool TLCDDriver::IsMCUpinCOMx(TMCUpin MCUpin) const { return FMCUtoLCDmappings.IsMCUpinCOMx(MCUpin); }
bool TLCDDriver::IsLCDpadCOMx(TLCDpad LCDpad) const { return FMCUtoLCDmappings.IsLCDpadCOMx(LCDpad); }
bool TLCDDriver::IsLCDpadCOM0(TLCDpad LCDpad) const { return FMCUtoLCDmappings.IsLCDpadCOM0(LCDpad); }
bool TLCDDriver::IsLCDpadCOM1(TLCDpad LCDpad) const { return FMCUtoLCDmappings.IsLCDpadCOM1(LCDpad); }
TMCUpin TLCDDriver::LCDpadToMCUpin(TLCDpad LCDpad) const { return FMCUtoLCDmappings.LCDpadToMCUpin(LCDpad); }

bool TLCDDriver::LCDpadToOIndexAndObit(TLCDpad LCDpad, TOIndex& OIndex, TObit& Obit) const {
    return MCUpinToOIndexAndObit(LCDpadToMCUpin(LCDpad), OIndex, Obit);
}

std::vector<TLCDpad> TLCDDriver::GetDefinedLCDpads(bool lForGlassTop) const {
    std::vector<TLCDpad> Pads;
    for (const auto& R : FLCDpadToSegmentMappings.LCDpadToSegmentInnerPoints)
        if (lForGlassTop ? R.PadPosition > 0 : R.PadPosition < 0) Pads.push_back(R.LCDpad);
    return Pads;
}

TLCDpadPosition TLCDDriver::LCDpadToPadPosition(TLCDpad LCDpad) const {
    return FLCDpadToSegmentMappings.LCDpadToPadPosition(LCDpad);
}

TLCDpad TLCDDriver::PadPositionToLCDpad(TLCDpadPosition PadPosition) const {
    return FLCDpadToSegmentMappings.PadPositionToLCDpad(PadPosition);
}

void TLCDDriver::GetDrivenSegmentPadsForCOM(TLCDpad COMpad, std::vector<TLCDpad>& DrivenSegmentPads) const {
    FLCDpadToSegmentMappings.GetDrivenSegmentPadsForCOM(COMpad, DrivenSegmentPads);
}

void TLCDDriver::AreSegmentsForLCDpadDefined(TLCDpad LCDpad, bool& lSegmentsForCOM0Defined,
                                             bool& lSegmentsForCOM1Defined) const {
    lSegmentsForCOM0Defined = lSegmentsForCOM1Defined = false;
    const int i = FLCDpadToSegmentMappings.IndexOf(LCDpad);
    if (i < 0) return;
    const auto& R = FLCDpadToSegmentMappings.LCDpadToSegmentInnerPoints[size_t(i)];
    lSegmentsForCOM0Defined = !R.AssociatedSegmentInnerPoints[COM0].empty();
    lSegmentsForCOM1Defined = !R.AssociatedSegmentInnerPoints[COM1].empty();
}

TLCDpad TLCDDriver::GetCOMpadTwin(TLCDpad LCDpad) const {
    const int i = FLCDpadToSegmentMappings.IndexOf(LCDpad);
    return i < 0 ? NoLCDpad : FLCDpadToSegmentMappings.LCDpadToSegmentInnerPoints[size_t(i)].TwinPad;
}

void TLCDDriver::GetLCDpads(std::vector<TLCDpad>& COMpads, std::vector<TLCDpad>& SegmentPads) const {
    FMCUtoLCDmappings.GetPads(COMpads, SegmentPads);
}

void TLCDDriver::ConvertLCDpadSetToLCDpadArray(const TLCDpadSet& LCDpadSet, std::vector<TLCDpad>& LCDpadArray) {
    LCDpadArray.clear();
    for (int Pad = 1; Pad <= 54; ++Pad)
        if (LCDpadSet.test(size_t(Pad))) LCDpadArray.push_back(TLCDpad(Pad));
}

// Pad numbers above 55 are ignored.
void TLCDDriver::ConvertLCDpadArrayToLCDpadSet(const std::vector<TLCDpad>& LCDpadArray, TLCDpadSet& LCDpadSet) {
    LCDpadSet.reset();
    for (TLCDpad Pad : LCDpadArray)
        if (Pad <= 55) LCDpadSet.set(Pad);
}

// ---- the generic driver --------------------------------------------------------------

const TLCDDriverClass TGenericLCDDriver::Class{"TGenericLCDDriver", nullptr, &MakeLCDDriver<TGenericLCDDriver>};

void TGenericLCDDriver::SetupMappings() {
    FLCDResourceName.clear();
    FLCDThemeName = Tr("LCD", "(non-specific technical image)");
    FMCUtoLCDmappings.SetupGenericMapping(FCOMtoMCUpin, FObitToMCUpin);
    FLCDpadToSegmentMappings.SetupGenericMapping(FObitToMCUpin, FMCUtoLCDmappings);
}

} // namespace tarvolin
