// The main block of a debug session file: the window's placement and right panel width, the
// game's short name, the MCU block, the breakpoints, the sound recording item, the speed and
// radiation positions and the disassembly list's selected and top lines. The block is read
// completely and checked before anything of it is applied; the window's placement record
// keeps the 44-byte layout of the platform record it stands for.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "core/mcu_session.h"

namespace tarvolin {

class TSHARP_SM5A_MCU;

constexpr int32_t MainBlockVersion = 2;
constexpr int32_t WindowPlacementSize = 44;

// Texts of the refusals of breakpoint lists that do not fit.
// English, marked for translation in the context "Session"; the refusal is shown translated.
extern const char* const BreakpointAddressOutsideROMText; // "... breakpoint address %d lies outside the ROM."
extern const char* const BreakpointAddressOutsideRAMText; // "... breakpoint address %d lies outside the RAM."

// The window placement record: length, flags, show state, minimised and maximised
// positions, and the restored (normal) rectangle of the window's frame in screen
// coordinates. All fields are 32-bit little-endian.
struct TWindowPlacement {
    enum : uint32_t { ShowNormal = 1, ShowMinimized = 2, ShowMaximized = 3 };
    enum : uint32_t { RestoreToMaximized = 2 }; // flag: a minimised window returns maximised
    uint32_t Length = WindowPlacementSize;
    uint32_t Flags = 0;
    uint32_t ShowCmd = ShowNormal;
    int32_t MinX = -1, MinY = -1;
    int32_t MaxX = -1, MaxY = -1;
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;

    std::array<uint8_t, WindowPlacementSize> Encode() const;
    // False unless Bytes is a whole record whose length field says 44.
    static bool Decode(const std::vector<uint8_t>& Bytes, TWindowPlacement& Placement);
    friend bool operator==(const TWindowPlacement&, const TWindowPlacement&) = default;
};

// A rectangle (left, top, right, bottom exclusive) of screen coordinates.
struct TScreenRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    friend bool operator==(const TScreenRect&, const TScreenRect&) = default;
};
// A window rectangle that would be off every screen (less than a grip of its title bar on
// one) is moved onto the screen it lies nearest to, shrunk to fit when it is larger;
// Screens are the screens' available areas (the first is the primary one).
TScreenRect FitOntoScreens(const TScreenRect& Window, const std::vector<TScreenRect>& Screens);

// The main block's fields around the MCU block, as stored.
struct TMainBlock {
    int32_t Version = MainBlockVersion; // below 1: the block ends after its version
    std::vector<uint8_t> Placement;      // the stored placement bytes (none: size 0)
    int32_t RightPanelWidth = 0;
    std::string Game;                    // the game's short name
    // False when reading stopped at the game's name (a game no class answers to).
    bool GameRecognized = true;
    TMCUSessionBlock MCU;
    std::vector<int32_t> CodeBreakpoints, TempCodeBreakpoints;
    uint8_t MemoryBreakpointFieldValue = 0, MemoryBreakpointPreviousFieldValue = 0;
    uint8_t TriggeredReadAddress = 0x7F;
    std::vector<int32_t> ReadBreakpoints;
    uint8_t TriggeredWriteAddress = 0x7F;
    std::vector<int32_t> WriteBreakpoints;
    uint8_t TriggeredChangeAddress = 0x7F;
    std::vector<int32_t> ChangeBreakpoints;
    bool SoundRecording = false;
    int32_t Speed = 3;
    int32_t RadiationIntensity = 1; // stored from version 2 on
    int32_t SelectedLine = -1;
    int32_t TopLine = 0;
};

// Reads a main block. IsKnownGame decides whether the block goes on after the game's name;
// for an unknown game reading stops there with GameRecognized false. Throws EStreamError for
// a short file, an oversized block, a count or value that cannot fit.
TMainBlock ReadMainBlock(std::istream& S, const std::function<bool(const std::string&)>& IsKnownGame);
// Writes a main block (the current version) with the MCU block taken from MCU.
void WriteMainBlock(std::ostream& S, const TMainBlock& Fields, const TSHARP_SM5A_MCU& MCU);

} // namespace tarvolin
