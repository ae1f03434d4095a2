// Pin tables shared by the LCD tests.
#pragma once

#include "base/types.h"

namespace tarvolin::testing_pins {

// A chip-like pin table: COM0 on pin 50, COM1 on pin 51, bit b of nibble i on pin 1 + 4i + b.
inline TCOMtoMCUpin TestCOMPins() { return {50, 51}; }
inline TObitToMCUpin TestObitPins() {
    TObitToMCUpin T{};
    for (int i = 0; i < 9; ++i)
        for (int b = 0; b < 4; ++b) T[i][b] = TMCUpin(1 + 4 * i + b);
    return T;
}
inline TMCUpin PinOf(int Nibble, int Bit) { return TMCUpin(1 + 4 * Nibble + Bit); }

} // namespace tarvolin::testing_pins
