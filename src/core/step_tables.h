// The chip's program counter walks a page with a 6-bit feedback shift counter.
// A value of that counter is a step code; a position in execution order is a step index.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/types.h"

namespace tarvolin {

// Successor of a step code: shift right, feed NOT(bit0 XOR bit1) into bit 5.
constexpr uint8_t NextStep(uint8_t s) {
    return static_cast<uint8_t>((s >> 1) | ((~((s ^ (s >> 1)) & 1) & 1) << 5));
}

namespace detail {
constexpr std::array<uint8_t, 64> MakeStepIndexToCode() {
    std::array<uint8_t, 64> t{};
    uint8_t s = 0;
    for (int k = 0; k < 63; ++k) {
        t[k] = s;
        s = NextStep(s);
    }
    t[63] = 63;
    return t;
}
constexpr std::array<uint8_t, 64> MakeCodeToStepIndex() {
    std::array<uint8_t, 64> t{};
    auto fwd = MakeStepIndexToCode();
    for (int k = 0; k < 64; ++k) t[fwd[k]] = static_cast<uint8_t>(k);
    return t;
}
} // namespace detail

// StepIndexToCode[k]: the k-th step code the counter visits from 0; 63 maps to 63.
inline constexpr std::array<uint8_t, 64> StepIndexToCode = detail::MakeStepIndexToCode();
// CodeToStepIndex[s]: the execution-order position of step code s; 63 maps to 63.
inline constexpr std::array<uint8_t, 64> CodeToStepIndex = detail::MakeCodeToStepIndex();

static_assert(StepIndexToCode[1] == 32 && StepIndexToCode[62] == 1);
static_assert(CodeToStepIndex[1] == 62 && CodeToStepIndex[63] == 63);

// Reorders whole or partial 64-byte pages from chip order into execution order:
// out[p*64+k] = in[p*64+StepIndexToCode[k]] for k < 63, out[p*64+63] = 0x80.
// Positions of a final partial page whose source lies past the end read as zero.
std::vector<uint8_t> ReorderPages(const uint8_t* data, size_t length);

// The 1856-byte chip-order image (zero-padded) turned into execution order.
TROM ReorderROMImage(const std::array<uint8_t, ROMSize>& ChipOrderImage);

} // namespace tarvolin
