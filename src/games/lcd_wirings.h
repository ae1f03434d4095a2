// Pin wirings of the game LCDs: which glass pads the common pins and the 36 O-bit pins
// reach. A wiring names pads per O bit, not package pins, so one wiring serves both chip
// variants: the driver takes each pin from the MCU's own pin tables.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/types.h"

namespace tarvolin {

// Index of an O bit in wiring order: O0 bit 3, O0 bit 2, ..., O8 bit 0.
constexpr int WiringBitIndex(TOIndex OIndex, TObit Obit) { return 4 * OIndex + 3 - Obit; }
constexpr TOIndex WiringBitOIndex(int k) { return static_cast<TOIndex>(k / 4); }
constexpr TObit WiringBitObit(int k) { return static_cast<TObit>(3 - k % 4); }

struct TPinWiring {
    std::string Name;                               // "A", "B", ..., "SK10"
    std::vector<TLCDpad> COM0Pads;                  // pads of the COM0 pin
    std::vector<TLCDpad> COM1Pads;                  // pads of the COM1 pin
    std::array<std::vector<TLCDpad>, 36> BitPads;   // per wiring bit index; empty = pin reaches no pad
};

// Every wiring of the catalogue, parsed once from its table text.
const std::vector<TPinWiring>& AllPinWirings();
// The wiring of that name; throws std::out_of_range for an unknown name.
const TPinWiring& PinWiring(std::string_view Name);

// Parses one wiring from its table text: the pad lists of the two common pins ("1, 17")
// and nine groups of four bit entries separated by "/", each entry a pad, two pads
// joined by "+", or "-" for a pin that reaches no pad. Throws std::invalid_argument.
TPinWiring ParsePinWiring(std::string_view Name, std::string_view COM0, std::string_view COM1,
                          std::string_view Bits);

} // namespace tarvolin
