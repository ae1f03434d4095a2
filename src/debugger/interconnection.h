// What the interconnection window does, without a toolkit: it shows the loaded game's LCD on
// a driver of its own, lights the segments of the pads the user points at, highlights the
// pads and the pin that belong together, fills the pad and pin panels and the note, and keeps
// a highlight locked after Ctrl+click. The window only paints what it reads here and forwards
// the mouse.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "base/translate.h"
#include "base/types.h"
#include "debugger/wiring.h"
#include "lcd/lcd_mappings.h"
#include "lcd/raster.h"

namespace tarvolin {

class TLCDDriver;
class TSHARP_SM5A_MCU;
struct TChipVariant;

// What a lock was set on.
enum TActivationLockSource : uint8_t { alsNone, alsLCDpad, alsMCUpin };

// One of the two pad panels of the group "Activated LCD elements".
struct TLCDpadPanel {
    bool Visible = true;
    std::string Value = "-"; // the pad, or all pads of a common pin joined by ", "
    bool NoSegmentInCOM0Visible = false;
    bool NoSegmentInCOM1Visible = false;
    friend bool operator==(const TLCDpadPanel&, const TLCDpadPanel&) = default;
};

// The group "Activated MCU elements".
struct TMCUpinPanel {
    std::string Number = "-";
    TMCUpinName Name{"-", ""};
    bool ORegistersVisible = false;
    std::string ORegisters; // "O3, O'3"
    bool BitVisible = false;
    std::string Bit; // "#2 (x1xx)"
    friend bool operator==(const TMCUpinPanel&, const TMCUpinPanel&) = default;
};

struct TInterconnectionPanels {
    std::array<TLCDpadPanel, 2> Pads{TLCDpadPanel{}, TLCDpadPanel{false}};
    TMCUpinPanel Pin;
    std::string Note; // red, across the window; "" = none
};

// The exact texts of the panels and the note, in English; they are shown through
// Tr("Interconnection", ...).
inline constexpr const char* NoSegmentInCOM0Text = TR_NOOP("Interconnection", "No segment in COM0.");
inline constexpr const char* NoSegmentInCOM1Text = TR_NOOP("Interconnection", "No segment in COM1.");
inline constexpr const char* TwinCOMpadsNoteFormat = TR_NOOP("Interconnection",
    "Note: LCD COM pads %d and %d drive the same group of segments; i.e. if one of them is broken the LCD will "
    "still work correctly.");
inline constexpr const char* ApproximateCOMGroupsNote = TR_NOOP("Interconnection",
    "Note: Segment groups driven by LCD COM pads are only approximate. They need to be confirmed using a real LCD.");

// What the window redraws when the model changes.
class TInterconnectionView {
public:
    virtual ~TInterconnectionView() = default;
    virtual void StripsChanged() = 0;    // the pads' colours
    virtual void PackageChanged() = 0;   // the highlighted pin or the whole drawing (rotate, flip)
    virtual void PanelsChanged() = 0;    // the pad and pin panels and the note
    virtual void LCDImageChanged() = 0;  // segments were lit or darkened
};

class TInterconnection {
public:
    explicit TInterconnection(TInterconnectionView& View);
    ~TInterconnection();
    TInterconnection(const TInterconnection&) = delete;
    TInterconnection& operator=(const TInterconnection&) = delete;

    // Takes the MCU's chip, pin-1 position and a fresh driver of its current LCD image class,
    // drawing into this window's image with the image panel's background colour; the dimming
    // of unlit segments is stronger with HighContrast. The image opens with every segment off.
    void Initialize(const TSHARP_SM5A_MCU& MCU, TColor ImageBackground, bool HighContrast);
    bool IsInitialized() const { return FLCDDriver != nullptr; }

    // ---- what the window paints ----
    const TRaster& LCDImage() const { return FLCDImage; }
    const TLCDDriver& LCDDriver() const { return *FLCDDriver; }
    const TChipVariant& Chip() const { return *FChip; }
    bool IsSHARP_SM5A_MCU() const;
    std::string MCUname() const;
    TMCUpin1Position Pin1Position() const { return FPin1Position; }
    const TMCUpinRects& MCUpinRects() const { return FMCUpinRects; }
    const TLCDpadSet& ActivatedLCDpads() const { return FActivatedLCDpads; }
    TMCUpin ActivatedMCUpin() const { return FActivatedMCUpin; }
    TActivationLockSource ActivationLockedBy() const { return FActivationLockedBy; }
    const TInterconnectionPanels& Panels() const { return FPanels; }
    // A pin that drives no pad (unwired ones included) is drawn dotted and never red.
    bool MCUpinDrivesPads(TMCUpin Pin) const;

    // ---- the mouse over a strip (X in the strip's coordinates) ----
    void StripMouseMove(bool UpperStrip, int X);
    void StripMouseLeave();
    void StripClick(bool UpperStrip, int X, bool Ctrl);
    // ---- the mouse over the package drawing ----
    void PackageMouseMove(TPoint P);
    void PackageMouseLeave();
    void PackageClick(TPoint P, bool Ctrl);
    // ---- the buttons in the drawing (the MCU's own position stays) ----
    void RotateRight();
    void FlipHorizontally();

    // Releases the lock and every highlight.
    void ResetActivation();

private:
    void SetPin1Position(TMCUpin1Position Position);
    void ActivateLCDpads(const TLCDpadSet& NewSet, bool FromLCDSide);
    void ActivateMCUpin(TMCUpin Pin, bool Cascade);
    void UpdateFromLCDpads(const std::vector<TLCDpad>& Pads);
    void UpdateFromMCUpin(TMCUpin Pin);
    void ShowLCDpadPanel(int Index, TLCDpad Pad);
    void ShowMCUpinPanel(TMCUpin Pin);
    void ClearPanels();
    void UpdateNote();
    bool IsLocked() const { return FActivationLockedBy != alsNone; }

    TInterconnectionView& FView;
    const TChipVariant* FChip = nullptr;
    std::string FMCUname;
    TMCUpin1Position FPin1Position = p1pRightTop;
    std::unique_ptr<TLCDDriver> FLCDDriver;
    TRaster FLCDImage;
    TMCUpinRects FMCUpinRects{};
    TLCDpadSet FActivatedLCDpads;
    TMCUpin FActivatedMCUpin = NoMCUpin;
    TActivationLockSource FActivationLockedBy = alsNone;
    TInterconnectionPanels FPanels;
};

} // namespace tarvolin
