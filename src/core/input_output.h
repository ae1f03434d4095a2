// Input lines, key matrix and the R output register; on-screen game control definitions.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/types.h"

namespace tarvolin {

enum TInputGND : uint8_t { gndDirect = 0, gndR4 = 1, gndR3 = 2, gndR2 = 3 };
using TInputGNDs = uint8_t; // bit n = member n
constexpr TInputGNDs GNDSet(TInputGND g) { return static_cast<TInputGNDs>(1u << g); }
constexpr TInputGNDs AllGNDs = 0x0F;

using TInputMatrix = std::array<T4bits, 4>; // per ground: bit3 = K4 .. bit0 = K1

struct TInputOutput {
    TInputMatrix FInputMatrix{};
    bool FAlpha = false;
    bool FBeta = false;
    TInputGNDs SupportedGNDs = AllGNDs;
    bool AlphaBeingQueried = true;
    bool BetaBeingQueried = true;
    T4bits R = 0; // bit 0 = R1 (buzzer), bits 1..3 = R2..R4 (scan lines, active low)

    // R := 0; the matrix, Alpha and Beta keep their values.
    void Reset() { R = 0; }
    // The input nibble under the current R scan lines. Throws EEmulatorError
    // "Querying input for R<n>=0" for a low scan line whose ground is not wired,
    // unless lDontRaiseQueryingException.
    // Inline: a halted chip asks for any input on every machine cycle.
    T4bits GetK(const TLabelingNumbers& OutputLabelingNumbers, bool lDontRaiseQueryingException) const {
        T4bits k = (SupportedGNDs & GNDSet(gndDirect)) ? FInputMatrix[gndDirect] : 0;
        if (SupportedGNDs == GNDSet(gndDirect)) return k & 0x0F; // R is not looked at
        // Scan lines R4, R3, R2 (R bits 3, 2, 1) select grounds R4, R3, R2 when low; R1 never
        // selects inputs.
        const unsigned low = ~unsigned(R) & 0x0E;
        if (low & 0x08) {
            if (SupportedGNDs & GNDSet(gndR4)) k |= FInputMatrix[gndR4];
            else if (!lDontRaiseQueryingException) RaiseInputQuery(OutputLabelingNumbers, 3);
        }
        if (low & 0x04) {
            if (SupportedGNDs & GNDSet(gndR3)) k |= FInputMatrix[gndR3];
            else if (!lDontRaiseQueryingException) RaiseInputQuery(OutputLabelingNumbers, 2);
        }
        if (low & 0x02) {
            if (SupportedGNDs & GNDSet(gndR2)) k |= FInputMatrix[gndR2];
            else if (!lDontRaiseQueryingException) RaiseInputQuery(OutputLabelingNumbers, 1);
        }
        return k & 0x0F;
    }
    bool AlphaIsSignaled(bool lDontRaiseQueryingException) const {
        if (AlphaBeingQueried) return FAlpha;
        if (!lDontRaiseQueryingException) RaiseAlphaQuery();
        return false;
    }
    bool BetaIsSignaled(bool lDontRaiseQueryingException) const {
        if (BetaBeingQueried) return FBeta;
        if (!lDontRaiseQueryingException) RaiseBetaQuery();
        return false;
    }
    bool IsAnyInput(const TLabelingNumbers& OutputLabelingNumbers, bool lDontRaiseQueryingException) const {
        if (GetK(OutputLabelingNumbers, lDontRaiseQueryingException) != 0) return true;
        return (AlphaBeingQueried && FAlpha) || (BetaBeingQueried && FBeta);
    }

private:
    // "Querying input for R<n>=0", "Querying Alpha state", "Querying Beta state".
    [[noreturn, gnu::cold]] static void RaiseInputQuery(const TLabelingNumbers& OutputLabelingNumbers, int RBit);
    [[noreturn, gnu::cold]] static void RaiseAlphaQuery();
    [[noreturn, gnu::cold]] static void RaiseBetaQuery();
};

enum TGameControlAssociatedInputPin : uint8_t {
    aipK4 = 0,
    aipK3 = 1,
    aipK2 = 2,
    aipK1 = 3,
    aipAlpha = 4,
    aipBeta = 5,
    aipACL = 6,
};

// Virtual-key codes used by the control tables.
constexpr uint16_t VK_LEFT = 0x25;
constexpr uint16_t VK_RIGHT = 0x27;

struct TGameControlDef {
    TPoint FOrigin;
    TSize FSize;
    std::string FCaption;  // UTF-8
    std::string FFontName; // empty = the page's font
    int32_t FFontSize = 0; // 0 = the page's size
    TInputGND FGnd = gndDirect;
    TGameControlAssociatedInputPin FAssociatedInputPin = aipK1;
    std::vector<uint16_t> FVirtualKeyCodes;
    void* FAssociatedObj = nullptr; // the on-screen control made for it (not owned)

    // Fills the record field by field; FAssociatedObj stays empty.
    static TGameControlDef Create(TPoint AOrigin, TSize ASize, std::string ACaption, std::string AFontName,
                                  int32_t AFontSize, TInputGND AGnd,
                                  TGameControlAssociatedInputPin AAssociatedInputPin,
                                  std::vector<uint16_t> AVirtualKeyCodes);
};

// True for gndDirect with any pin, and for gndR4/gndR3/gndR2 with aipK4..aipK1.
bool IsValidGndPinCombination(TInputGND Gnd, TGameControlAssociatedInputPin Pin);
// Throws std::invalid_argument "Invalid combination of Gnd (%d) and AssociatedInputPin (%d)."
// for a pair that IsValidGndPinCombination refuses.
void CheckGndPinCombination(TInputGND Gnd, TGameControlAssociatedInputPin Pin);

// The seven standard control tables (Table = 1..7), built once and shared.
const std::vector<TGameControlDef>& StandardGameControls(int Table);

} // namespace tarvolin
