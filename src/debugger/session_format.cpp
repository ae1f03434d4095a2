#include "debugger/session_format.h"

#include <algorithm>
#include <cstdio>

#include "base/errors.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "core/mcu.h"
#include "persist/stream.h"

namespace tarvolin {

const char* const BreakpointAddressOutsideROMText =
    TR_NOOP("Session", "Error loading debug session - the breakpoint address %d lies outside the ROM.");
const char* const BreakpointAddressOutsideRAMText =
    TR_NOOP("Session", "Error loading debug session - the breakpoint address %d lies outside the RAM.");

// ---------------------------------------------------------------------------------------
// Window placement

std::array<uint8_t, WindowPlacementSize> TWindowPlacement::Encode() const {
    std::array<uint8_t, WindowPlacementSize> b{};
    const uint32_t v[11] = {Length,
                            Flags,
                            ShowCmd,
                            static_cast<uint32_t>(MinX),
                            static_cast<uint32_t>(MinY),
                            static_cast<uint32_t>(MaxX),
                            static_cast<uint32_t>(MaxY),
                            static_cast<uint32_t>(Left),
                            static_cast<uint32_t>(Top),
                            static_cast<uint32_t>(Right),
                            static_cast<uint32_t>(Bottom)};
    for (size_t i = 0; i < 11; ++i)
        for (size_t k = 0; k < 4; ++k) b[i * 4 + k] = static_cast<uint8_t>(v[i] >> (8 * k));
    return b;
}

bool TWindowPlacement::Decode(const std::vector<uint8_t>& Bytes, TWindowPlacement& P) {
    if (Bytes.size() != WindowPlacementSize) return false;
    uint32_t v[11];
    for (size_t i = 0; i < 11; ++i)
        v[i] = Bytes[i * 4] | (Bytes[i * 4 + 1] << 8) | (Bytes[i * 4 + 2] << 16) | (uint32_t(Bytes[i * 4 + 3]) << 24);
    if (v[0] != WindowPlacementSize) return false;
    P.Length = v[0];
    P.Flags = v[1];
    P.ShowCmd = v[2];
    P.MinX = static_cast<int32_t>(v[3]);
    P.MinY = static_cast<int32_t>(v[4]);
    P.MaxX = static_cast<int32_t>(v[5]);
    P.MaxY = static_cast<int32_t>(v[6]);
    P.Left = static_cast<int32_t>(v[7]);
    P.Top = static_cast<int32_t>(v[8]);
    P.Right = static_cast<int32_t>(v[9]);
    P.Bottom = static_cast<int32_t>(v[10]);
    return true;
}

TScreenRect FitOntoScreens(const TScreenRect& Window, const std::vector<TScreenRect>& Screens) {
    if (Screens.empty()) return Window;
    // A window is reachable when a grip of its title bar (this wide, this high) lies on a screen.
    constexpr int32_t Grip = 48, TitleHeight = 24;
    int64_t BestDistance = -1;
    const TScreenRect* Best = &Screens.front();
    for (const TScreenRect& S : Screens) {
        const int64_t w = int64_t(std::min(Window.Right, S.Right)) - std::max(Window.Left, S.Left);
        const bool TopOnScreen = Window.Top >= S.Top && int64_t(Window.Top) + TitleHeight <= S.Bottom;
        if (w >= Grip && TopOnScreen) return Window;
        // The screen whose centre is nearest to the window's centre takes it.
        const int64_t dx = (int64_t(S.Left) + S.Right) / 2 - (int64_t(Window.Left) + Window.Right) / 2;
        const int64_t dy = (int64_t(S.Top) + S.Bottom) / 2 - (int64_t(Window.Top) + Window.Bottom) / 2;
        const int64_t d = dx * dx + dy * dy;
        if (BestDistance < 0 || d < BestDistance) {
            BestDistance = d;
            Best = &S;
        }
    }
    const TScreenRect& S = *Best;
    const int32_t W = std::clamp<int64_t>(int64_t(Window.Right) - Window.Left, 1, S.Width());
    const int32_t H = std::clamp<int64_t>(int64_t(Window.Bottom) - Window.Top, 1, S.Height());
    const int32_t L = static_cast<int32_t>(std::clamp<int64_t>(Window.Left, S.Left, int64_t(S.Right) - W));
    const int32_t T = static_cast<int32_t>(std::clamp<int64_t>(Window.Top, S.Top, int64_t(S.Bottom) - H));
    return {L, T, L + W, T + H};
}

// ---------------------------------------------------------------------------------------
// Main block

namespace {

// An integer list of addresses below Limit; a negative count is refused like a bad address.
void ReadAddressList(std::istream& S, std::vector<int32_t>& List, int32_t Limit, const char* RefusalText) {
    const int32_t Count = ReadCount(S, 4);
    for (int32_t i = 0; i < Count; ++i) {
        const int32_t a = ReadInt32(S);
        if (a < 0 || a >= Limit) {
            throw EStreamError(Format(Tr("Session", RefusalText).c_str(), static_cast<int>(a)));
        }
        List.push_back(a);
    }
}

} // namespace

TMainBlock ReadMainBlock(std::istream& S, const std::function<bool(const std::string&)>& IsKnownGame) {
    TMainBlock b;
    b.Version = ReadInt32(S);
    if (b.Version < 1) return b;
    std::array<uint8_t, WindowPlacementSize> Placement{};
    const int32_t PlacementSize = ReadSizedBlock(S, Placement.data(), Placement.size());
    b.Placement.assign(Placement.begin(), Placement.begin() + PlacementSize);
    b.RightPanelWidth = ReadInt32(S);
    b.Game = ReadString(S);
    if (IsKnownGame && !IsKnownGame(b.Game)) {
        b.GameRecognized = false;
        return b;
    }
    b.MCU = ReadMCUSessionBlock(S);
    ReadAddressList(S, b.CodeBreakpoints, 2048, BreakpointAddressOutsideROMText);
    ReadAddressList(S, b.TempCodeBreakpoints, 2048, BreakpointAddressOutsideROMText);
    b.MemoryBreakpointFieldValue = ReadByte(S) & 0x0F;
    b.MemoryBreakpointPreviousFieldValue = ReadByte(S) & 0x0F;
    b.TriggeredReadAddress = ReadByte(S) & 0x7F;
    ReadAddressList(S, b.ReadBreakpoints, 128, BreakpointAddressOutsideRAMText);
    b.TriggeredWriteAddress = ReadByte(S) & 0x7F;
    ReadAddressList(S, b.WriteBreakpoints, 128, BreakpointAddressOutsideRAMText);
    b.TriggeredChangeAddress = ReadByte(S) & 0x7F;
    ReadAddressList(S, b.ChangeBreakpoints, 128, BreakpointAddressOutsideRAMText);
    b.SoundRecording = ReadBool(S);
    b.Speed = ReadInt32(S);
    if (b.Version >= 2) b.RadiationIntensity = ReadInt32(S);
    b.SelectedLine = ReadInt32(S);
    b.TopLine = ReadInt32(S);
    return b;
}

void WriteMainBlock(std::ostream& S, const TMainBlock& F, const TSHARP_SM5A_MCU& MCU) {
    WriteInt32(S, MainBlockVersion);
    const int32_t PlacementSize = static_cast<int32_t>(std::min<size_t>(F.Placement.size(), WindowPlacementSize));
    WriteSizedBlock(S, F.Placement.data(), PlacementSize);
    WriteInt32(S, F.RightPanelWidth);
    WriteString(S, F.Game);
    MCU.SaveSessionToStream(S);
    WriteIntegerList(S, F.CodeBreakpoints);
    WriteIntegerList(S, F.TempCodeBreakpoints);
    WriteByte(S, F.MemoryBreakpointFieldValue);
    WriteByte(S, F.MemoryBreakpointPreviousFieldValue);
    WriteByte(S, F.TriggeredReadAddress);
    WriteIntegerList(S, F.ReadBreakpoints);
    WriteByte(S, F.TriggeredWriteAddress);
    WriteIntegerList(S, F.WriteBreakpoints);
    WriteByte(S, F.TriggeredChangeAddress);
    WriteIntegerList(S, F.ChangeBreakpoints);
    WriteBool(S, F.SoundRecording);
    WriteInt32(S, F.Speed);
    WriteInt32(S, F.RadiationIntensity);
    WriteInt32(S, F.SelectedLine);
    WriteInt32(S, F.TopLine);
}

} // namespace tarvolin
