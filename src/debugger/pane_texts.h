// What the register, RAM and LCD-register panes show: every label's text, whether it changed
// since the previous refresh (drawn red) and the RAM cells' backgrounds.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/translate.h"
#include "base/types.h"

namespace tarvolin {

// Colours as 0xRRGGBB.
constexpr uint32_t RunningStatusColourRGB = 0xC0FFC0;
constexpr uint32_t HighlightStatusColourRGB = 0xFFB0B0;
constexpr uint32_t DPCellBackgroundRGB = 0xB0B0F0;
constexpr uint32_t BreakpointCellBackgroundRGB = 0xF0B0B0;
constexpr uint32_t ChangedValueTextRGB = 0xFF0000;

// A value that can be shown, edited or used by the value pop-up menu.
enum class TValueKind : uint8_t {
    Acc, DP, DPCell, T, T14, MSB, Page, PC, A, Carry, R, // registers pane
    RAMCell,                                             // Index = RAM address
    O, O_,                                               // Index = O index 0..8
    TD, LD0,
    RawInput,                                            // Index = TRawButton
};

struct TValueId {
    TValueKind Kind = TValueKind::Acc;
    int Index = 0;
    friend bool operator==(const TValueId&, const TValueId&) = default;
};

// One row's labels. Rewrite is false when only changed labels were asked for and the value
// equals its previous one (the view may then leave the texts alone); Changed is always fresh.
struct TValueText {
    std::string Value;
    std::string Bits;
    bool Changed = false;
    bool Rewrite = true;
};

// DPBreakpoint: the cell DP addresses has a memory breakpoint too; both colours show.
enum class TRAMCellBackground : uint8_t { Normal, DP, Breakpoint, DPBreakpoint };

struct TPaneTexts {
    // Registers pane.
    TValueText Acc, DP, DPCell, T, T14, MSB, Page, PC, A, Carry, R;
    bool DPWarningVisible = false;
    std::string DPWarningHint = Tr("Panes", "RAM address is out of range");
    std::string RHint; // "Output register (R4,R3,R2,R1)" style
    // RAM pane, indexed by RAM address; only the 65 valid cells are meaningful.
    std::array<TValueText, RAMSize> RAM;
    std::array<TRAMCellBackground, RAMSize> RAMBackground{};
    // LCD pane, indexed by O index.
    std::array<TValueText, 9> O, O_;
    TValueText TD, LD0;
};

// Static captions and hints of the registers pane, in display order.
struct TRegisterRowInfo {
    TValueKind Kind;
    const char* Caption; // "Acc  "
    // Hints in English, marked for translation in the context "Panes"; the view shows them
    // through ShownRowHint.
    const char* Hint;    // "" = none (the R row's hint is TPaneTexts::RHint)
    const char* BitsHint; // "" = same as Hint
    bool HasBits;
};
extern const std::array<TRegisterRowInfo, 11> RegisterRows;
// A row's Hint or BitsHint in the interface language ("" stays "").
std::string ShownRowHint(const char* Hint);

// Text formats of the panes.
std::string NibbleText(unsigned Value);          // "A"
std::string FourBitsText(unsigned Value);        // "1010"
std::string DPBitsText(unsigned DP);             // "0 00 0000"
std::string AddressBitsText(T11bits Addr);       // "0 0000 000000" (step as code with LFSR addressing)

} // namespace tarvolin
