// Register widths, memory images and the wiring vocabulary of the SM-5A family.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tarvolin {

using T1bit = uint8_t;    // 0..1
using T4bits = uint8_t;   // 0..15
using T7bits = uint8_t;   // 0..127
using T11bits = uint16_t; // 0..2047
using T14bits = uint16_t; // 0..16383

constexpr int ROMSize = 1856;          // 29 pages of 64 bytes
constexpr int RAMSize = 128;           // 7-bit addresses, 65 cells exist
constexpr T11bits NoAddress = 0x7FF;   // "no address": empty return register, nothing to follow
constexpr T11bits LastROMAddress = 0x73F;

using TROM = std::array<uint8_t, ROMSize>;    // program image in execution order
using TRAM = std::array<T4bits, RAMSize>;     // one nibble per element, row*16 + column
using TORegister = std::array<T4bits, 9>;     // LCD output register O or O'
using TDefaultROMAddressComments = std::array<std::string, ROMSize>;

// Wiring vocabulary.
using TMCUpin = uint8_t;        // 1..60; 255 = none
using TOIndex = uint8_t;        // 0..8
using TObit = uint8_t;          // 0..3
using TLCDpad = uint8_t;        // 1..54; 255 = none
using TLCDpadPosition = int8_t; // >0 upper edge, <0 lower edge, 0 = not placed

constexpr TMCUpin NoMCUpin = 255;
constexpr TLCDpad NoLCDpad = 255;

enum TCommonPlane : uint8_t { COM0 = 0, COM1 = 1 };

using TCOMtoMCUpin = std::array<TMCUpin, 2>;                     // [COM0, COM1]
using TObitToMCUpin = std::array<std::array<TMCUpin, 4>, 9>;     // [O index][bit]
using TLabelingNumbers = std::array<const char*, 4>;             // text after "R"/"K" for bit 0..3

// Points and sizes in pixels (LCD pictures, control layouts).
struct TPoint {
    int32_t x = 0, y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};
struct TSize {
    int32_t cx = 0, cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

enum TMCUpin1Position : uint8_t {
    p1pTopLeft = 0,
    p1pTopRight = 1,
    p1pRightTop = 2,
    p1pRightBottom = 3,
    p1pBottomRight = 4,
    p1pBottomLeft = 5,
    p1pLeftBottom = 6,
    p1pLeftTop = 7,
};

} // namespace tarvolin
