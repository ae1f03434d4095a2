// Turns the O and O' output registers into a picture of the game's LCD by recolouring
// segments of a two-colour image with flood fills from their inner points.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/types.h"
#include "lcd/lcd_mappings.h"
#include "lcd/raster.h"

namespace tarvolin {

class TLCDDriver;

// What decides the picture a driver shows: the O and O' values it has drawn (or holds for a
// deferred redraw) and where the stable-image filter stands. Two drivers of one class with
// equal states show the same picture and go on alike.
struct TLCDPictureState {
    TORegister O{};
    TORegister O_{};
    int64_t StableCount = -1;
    friend bool operator==(const TLCDPictureState&, const TLCDPictureState&) = default;
};

using TMCUpinSet = std::bitset<64>; // bit n = MCU pin n

// A driver class: its name (stored in debug sessions), base class and factory.
struct TLCDDriverClass {
    const char* ClassName;
    const TLCDDriverClass* Parent; // nullptr for direct descendants of TLCDDriver
    std::unique_ptr<TLCDDriver> (*Factory)();
    // Creates a driver of this class for a chip's pin tables (runs SetupMappings and Reset).
    std::unique_ptr<TLCDDriver> Create(const TCOMtoMCUpin& COMtoMCUpin, const TObitToMCUpin& ObitToMCUpin) const;
    bool InheritsFrom(const TLCDDriverClass& Other) const;
};

// The system's colour for button faces, used as the default scene background.
constexpr TColor clBtnFace = 0xF0F0F0;
// System colours passed by index: top byte 0xFF, index in the low bytes.
constexpr TColor clSysWindow = 0xFF000005;   // window background: white
constexpr TColor clSysBtnFace = 0xFF00000F;  // button face: clBtnFace
// A system colour (top byte 0xFF) as an RGB colour; other colours are returned unchanged.
// Index 5 (window) is white; button face and every other index give clBtnFace.
TColor ResolveSystemColor(TColor Color);
// The toolkit's "default colour" marker for ColorizeSegments' old colour.
constexpr TColor clDefaultMarker = 0x20000000;

class TLCDDriver {
public:
    virtual ~TLCDDriver() = default;
    virtual const TLCDDriverClass& GetClass() const = 0;

    // Two-phase construction (SetupMappings is virtual): Factory() then Initialize().
    void Initialize(const TCOMtoMCUpin& ACOMtoMCUpin, const TObitToMCUpin& AObitToMCUpin);

    void AssignBitmapContainer(TRaster* Container, TColor BackgroundColor, uint8_t LowerFactor, bool lDoRawCopyOnly);
    void ColorizeSegments(const TPointList& SegmentInnerPoints, TColor OldColor, TColor NewColor);
    void TurnSegmentsOnOrOff(const TPointList& SegmentInnerPoints, bool lTurnOn);
    void RefreshBitmap(const TORegister& O, const TORegister& O_, bool lErrorOnUndefinedLCDpad);
    // Called after every emulated instruction. The common case (no LCD write, no halt, and no
    // redraw pending in stable-image mode) returns at once without a call.
    void OnInstruction(const TORegister& O, const TORegister& O_, bool lWasLCDInstruction, bool lWasHLT) {
        if (!(lWasLCDInstruction | lWasHLT) && (!FShowStableImageOnly | (FInstructionCountOfStableORegisters < 0)))
            [[likely]] return;
        OnInstructionSlow(O, O_, lWasLCDInstruction, lWasHLT);
    }
    // What OnInstruction does after an instruction that neither writes O or O' nor halts,
    // while the stable-image filter counts towards a redraw: counts it, and returns true when
    // that was all (false: the count is at its end, OnInstruction must redraw).
    bool CountQuietInstruction() {
        if (FInstructionCountOfStableORegisters >= 30) return false;
        ++FInstructionCountOfStableORegisters;
        return true;
    }
    void SetShowStableImageOnly(bool Value);
    bool ShowStableImageOnly() const { return FShowStableImageOnly; }
    // A picture shown during a full run is looked at far less often than its stable images
    // follow each other. Deferred, a stable image is only remembered (and OnBitmapRefresh
    // called); DrawDeferredStableImage colours the last one into the scene. Turning deferral
    // off forgets a remembered image: whoever stops deferring refreshes from the registers.
    void SetDeferStableImages(bool Value);
    bool DefersStableImages() const { return FDeferStableImages; }
    bool HasDeferredStableImage() const { return FHasDeferredStableImage; }
    void DrawDeferredStableImage();
    void Reset();
    void CopyCurrentState(TLCDDriver& TargetLCDDriver) const;
    // The picture as it stands (a deferred image counts as drawn), and the way back to one:
    // the scene is recoloured to State's registers at once.
    TLCDPictureState PictureState() const {
        return {FHasDeferredStableImage ? FDeferredO : FPreviousO, FHasDeferredStableImage ? FDeferredO_ : FPreviousO_,
                FInstructionCountOfStableORegisters};
    }
    void RestorePictureState(const TLCDPictureState& State);
    void ToggleLCDpad(TLCDpad LCDpad, bool lTurnOn, bool IncludeCOM0, bool IncludeCOM1);

    // Mapping queries.
    TMCUpin OIndexAndObitToMCUpin(TOIndex OIndex, TObit Obit) const;
    bool MCUpinToOIndexAndObit(TMCUpin MCUpin, TOIndex& OIndex, TObit& Obit) const;
    std::vector<TLCDpad> MCUpinToLCDpads(TMCUpin MCUpin) const;
    bool IsMCUpinCOMx(TMCUpin MCUpin) const;
    bool IsLCDpadCOMx(TLCDpad LCDpad) const;
    bool IsLCDpadCOM0(TLCDpad LCDpad) const;
    bool IsLCDpadCOM1(TLCDpad LCDpad) const;
    TMCUpin LCDpadToMCUpin(TLCDpad LCDpad) const;
    bool LCDpadToOIndexAndObit(TLCDpad LCDpad, TOIndex& OIndex, TObit& Obit) const;
    std::vector<TLCDpad> GetDefinedLCDpads(bool lForGlassTop) const;
    TLCDpadPosition LCDpadToPadPosition(TLCDpad LCDpad) const;
    TLCDpad PadPositionToLCDpad(TLCDpadPosition PadPosition) const;
    void GetDrivenSegmentPadsForCOM(TLCDpad COMpad, std::vector<TLCDpad>& DrivenSegmentPads) const;
    void AreSegmentsForLCDpadDefined(TLCDpad LCDpad, bool& lSegmentsForCOM0Defined, bool& lSegmentsForCOM1Defined) const;
    TLCDpad GetCOMpadTwin(TLCDpad LCDpad) const;
    void GetLCDpads(std::vector<TLCDpad>& COMpads, std::vector<TLCDpad>& SegmentPads) const;
    static void ConvertLCDpadSetToLCDpadArray(const TLCDpadSet& LCDpadSet, std::vector<TLCDpad>& LCDpadArray);
    static void ConvertLCDpadArrayToLCDpadSet(const std::vector<TLCDpad>& LCDpadArray, TLCDpadSet& LCDpadSet);
    // Top-left corner of the generic image's square for one bit of one plane.
    static TPoint GenericSegmentPosition(TCommonPlane Plane, TObit Obit, TOIndex OIndex);

    // Properties.
    bool COMMappingsConfirmed() const { return FCOMMappingsConfirmed; }
    const std::string& LCDResourceName() const { return FLCDResourceName; }
    const std::string& LCDThemeName() const { return FLCDThemeName; }
    // After AssignBitmapContainer: the user artwork in use ("" = the built-in image), and why
    // the user artwork found for this image was not used ("" = none was refused).
    const std::string& ArtworkFile() const { return FArtworkFile; }
    const std::string& ArtworkNote() const { return FArtworkNote; }
    std::function<void(TLCDDriver&)> OnBitmapRefresh;
    TColor ContainerBackgroundColor() const { return FContainerBackgroundColor; }
    TColor InactiveSegmentColor() const { return FInactiveSegmentColor; }
    TRaster* SceneBitmap() const { return FSceneBitmap; }
    const TORegister& PreviousO() const { return FPreviousO; }
    const TORegister& PreviousO_() const { return FPreviousO_; }
    int64_t InstructionCountOfStableORegisters() const { return FInstructionCountOfStableORegisters; }
    const TCOMtoMCUpin& COMtoMCUpin() const { return FCOMtoMCUpin; }
    const TObitToMCUpin& ObitToMCUpin() const { return FObitToMCUpin; }
    const TMCUtoLCDmappings& MCUtoLCDmappings() const { return FMCUtoLCDmappings; }
    const TLCDpadToSegmentMappings& LCDpadToSegmentMappings() const { return FLCDpadToSegmentMappings; }

protected:
    TLCDDriver() = default;
    // Fills resource name, theme name, both mappings and the confirmed flag.
    virtual void SetupMappings() {}

    TColor FContainerBackgroundColor = clBtnFace;
    TColor FInactiveSegmentColor = 0;
    TORegister FPreviousO{};
    TORegister FPreviousO_{};
    bool FShowStableImageOnly = false;
    int64_t FInstructionCountOfStableORegisters = -1;
    bool FDeferStableImages = false;
    bool FHasDeferredStableImage = false;
    TORegister FDeferredO{};
    TORegister FDeferredO_{};
    TRaster* FSceneBitmap = nullptr;
    TCOMtoMCUpin FCOMtoMCUpin{};
    TObitToMCUpin FObitToMCUpin{};
    TMCUtoLCDmappings FMCUtoLCDmappings;
    TLCDpadToSegmentMappings FLCDpadToSegmentMappings;
    bool FCOMMappingsConfirmed = false;
    std::string FLCDResourceName;
    std::string FLCDThemeName;

private:
    bool LoadUserArtwork(TRaster& Bitmap);
    std::optional<TLCDpadToSegmentMappings> FBuiltInSegments; // while user artwork's points are in use
    std::string FArtworkFile, FArtworkNote;

    void ShowStableImage(const TORegister& O, const TORegister& O_);
    void OnInstructionSlow(const TORegister& O, const TORegister& O_, bool lWasLCDInstruction, bool lWasHLT);
    void SetSceneColors(TColor Color, uint8_t LowerFactor);
    // PinSets[COM0], PinSets[COM1]: MCU pins (bit n = pin n) whose segments on that plane change.
    void TurnMCUpinsOnOrOff(const TMCUpinSet (&PinSets)[2], bool lTurnOn, bool lErrorOnUndefinedLCDpad);
    void DrawGenericImage(TRaster& Bitmap);
    void EraseUndefinedGenericSquares(TRaster& Bitmap);
    bool LoadPngResourceToBitmap(const std::string& ResourceName, TRaster& Bitmap);
};

// The driver used when no game-specific image exists; its image is drawn at run time.
class TGenericLCDDriver : public TLCDDriver {
public:
    static const TLCDDriverClass Class;
    const TLCDDriverClass& GetClass() const override { return Class; }

protected:
    void SetupMappings() override;
};

// Factory helper for TLCDDriverClass::Factory.
template <class T> std::unique_ptr<TLCDDriver> MakeLCDDriver() { return std::unique_ptr<TLCDDriver>(new T()); }

// Every driver class of the program: the generic driver first, then the classes of every
// registered source in registration order (the game catalogue's drivers, in catalogue order).
const std::vector<const TLCDDriverClass*>& AllLCDDriverClasses();
// Adds a source of driver classes to AllLCDDriverClasses. The source is asked when the list
// is next read, so it may be registered during static initialisation. Returns true.
bool RegisterLCDDriverClasses(const std::vector<const TLCDDriverClass*>& (*Source)());
// The driver class of that name among AllLCDDriverClasses, or nullptr.
const TLCDDriverClass* FindLCDDriverClass(const std::string& ClassName);

} // namespace tarvolin
