#include "core/mcu_session.h"

#include <algorithm>
#include <cstdio>

#include "base/errors.h"
#include "base/text_format.h"
#include "core/mcu.h"
#include "lcd/lcd_driver.h"
#include "persist/stream.h"

namespace tarvolin {

const char* const AudioPositionOutsideText = TR_NOOP("Stream",
    "Error loading debug session - the audio position %d lies outside the recorded sound (%d samples).");

TIOSessionBlock ReadIOSessionBlock(std::istream& S) {
    TIOSessionBlock b;
    b.Version = ReadInt32(S);
    if (b.Version < 1) return b;
    ReadSizedBlock(S, b.Matrix.data(), b.Matrix.size());
    for (T4bits& k : b.Matrix) k &= 0x0F;
    b.Alpha = ReadBool(S);
    b.Beta = ReadBool(S);
    b.R = ReadByte(S) & 0x0F;
    return b;
}

void WriteIOSessionBlock(std::ostream& S, const TInputOutput& IO) {
    WriteInt32(S, IOSessionBlockVersion);
    WriteSizedBlock(S, IO.FInputMatrix.data(), static_cast<int32_t>(IO.FInputMatrix.size()));
    WriteBool(S, IO.FAlpha);
    WriteBool(S, IO.FBeta);
    WriteByte(S, IO.R);
}

void ApplyIOSessionBlock(const TIOSessionBlock& Block, TInputOutput& IO) {
    if (Block.Version < 1) return;
    IO.FInputMatrix = Block.Matrix;
    IO.FAlpha = Block.Alpha;
    IO.FBeta = Block.Beta;
    IO.R = Block.R;
}

TMCUSessionBlock ReadMCUSessionBlock(std::istream& S) {
    TMCUSessionBlock b;
    b.Version = ReadInt32(S);
    if (b.Version < 1) return b;
    b.PreviousOpcode = ReadByte(S);
    b.FullRunCyclesPerSecond = ReadUInt32(S);
    b.Acc = ReadByte(S) & 0x0F;
    b.DP = ReadByte(S) & 0x7F;
    b.T = ReadWord(S) & 0x3FFF;
    b.MSB = ReadByte(S) & 1;
    b.Page = ReadByte(S) & 0x0F;
    b.PC = ReadWord(S) & 0x7FF;
    b.A = ReadWord(S) & 0x7FF;
    b.Carry = ReadBool(S);
    b.OneSecond = ReadBool(S);
    b.HaltMode = ReadBool(S);
    ReadSizedBlock(S, b.O.data(), b.O.size());
    ReadSizedBlock(S, b.O_.data(), b.O_.size());
    for (T4bits& v : b.O) v &= 0x0F;
    for (T4bits& v : b.O_) v &= 0x0F;
    b.TD = ReadBool(S);
    b.LD0 = ReadBool(S);
    ReadSizedBlock(S, b.RAM.data(), b.RAM.size());
    for (T4bits& v : b.RAM) v &= 0x0F;
    b.IO = ReadIOSessionBlock(S);
    if (b.Version >= 2) b.LCDDriverName = ReadString(S);
    b.Recording = ReadBool(S);
    if (b.Recording) {
        // The buffer is allocated only for as many bytes as the file really holds.
        const int32_t Size = ReadInt32(S);
        if (Size > AudioBufferBytes) throw EStreamError(TrStream(StreamBlockTooLargeText));
        if (Size > 0) {
            const size_t Remaining = RemainingBytes(S);
            if (Remaining != SIZE_MAX && static_cast<size_t>(Size) > Remaining) throw EStreamError(TrStream(StreamReadErrorText));
            b.AudioBytes.resize(static_cast<size_t>(Size));
            ReadBytes(S, b.AudioBytes.data(), b.AudioBytes.size());
        }
        b.AudioBufferPos = ReadInt32(S);
        b.PreviousSoundBit = ReadInt32(S) & 1;
        const int32_t Samples = static_cast<int32_t>(b.AudioBytes.size() / 2);
        if (b.AudioBufferPos < 0 || b.AudioBufferPos > Samples) {
            throw EStreamError(Format(TrStream(AudioPositionOutsideText).c_str(), static_cast<int>(b.AudioBufferPos),
                                      static_cast<int>(Samples)));
        }
    }
    ReadUserDataBlock(S, b.UserData);
    return b;
}

// ---------------------------------------------------------------------------------------
// The MCU's side

void TSHARP_SM5A_MCU::SaveSessionToStream(std::ostream& S) const {
    WriteInt32(S, MCUSessionBlockVersion);
    WriteByte(S, FPreviousOpcode);
    WriteUInt32(S, FFullRunCyclesPerSecond);
    WriteByte(S, Acc);
    WriteByte(S, DP);
    WriteWord(S, T);
    WriteByte(S, MSB);
    WriteByte(S, Page);
    WriteWord(S, PC);
    WriteWord(S, A);
    WriteBool(S, Carry);
    WriteBool(S, OneSecond);
    WriteBool(S, HaltMode);
    WriteSizedBlock(S, O.data(), static_cast<int32_t>(O.size()));
    WriteSizedBlock(S, O_.data(), static_cast<int32_t>(O_.size()));
    WriteBool(S, TD);
    WriteBool(S, LD0);
    WriteSizedBlock(S, RAM.data(), static_cast<int32_t>(RAM.size()));
    WriteIOSessionBlock(S, IO);
    WriteString(S, LCDDriver ? std::string(LCDDriver->GetClass().ClassName) : std::string());
    const bool Recording = IsSoundRecordingActive();
    WriteBool(S, Recording);
    if (Recording) {
        WriteInt32(S, static_cast<int32_t>(FAudioBuffer.size() * 2));
        std::vector<uint8_t> Bytes(FAudioBuffer.size() * 2);
        for (size_t i = 0; i < FAudioBuffer.size(); ++i) {
            const auto v = static_cast<uint16_t>(FAudioBuffer[i]);
            Bytes[2 * i] = static_cast<uint8_t>(v);
            Bytes[2 * i + 1] = static_cast<uint8_t>(v >> 8);
        }
        WriteBytes(S, Bytes.data(), Bytes.size());
        WriteInt32(S, FAudioBufferPos);
        WriteInt32(S, FPreviousSoundBit);
    }
    UserData->SaveToStream(S, ROM);
}

void TSHARP_SM5A_MCU::ApplySessionBlock(const TMCUSessionBlock& B) {
    if (B.Version < 1) return;
    // The user data is the one part that can still refuse (an address its ".dat" file has
    // labelled already): it goes first, so that a refusal changes nothing.
    TROM Live = ROM;
    TUserData Trial = *UserData;
    Trial.ApplyBlock(B.UserData, Live);

    FPreviousOpcode = B.PreviousOpcode;
    FFullRunCyclesPerSecond = B.FullRunCyclesPerSecond;
    FFullRunStartTickCount = 0;
    Acc = B.Acc;
    DP = B.DP;
    T = B.T;
    MSB = B.MSB;
    Page = B.Page;
    PC = B.PC;
    A = B.A;
    Carry = B.Carry;
    OneSecond = B.OneSecond;
    HaltMode = B.HaltMode;
    O = B.O;
    O_ = B.O_;
    TD = B.TD;
    LD0 = B.LD0;
    RAM = B.RAM;
    ApplyIOSessionBlock(B.IO, IO);
    if (B.Version >= 2) {
        for (const TLCDDriverClass* c : SupportedLCDDrivers) {
            if (c && B.LCDDriverName == c->ClassName) {
                if (!LCDDriver || &LCDDriver->GetClass() != c) ChangeLCDDriver(*c);
                break;
            }
        }
    }
    if (LCDDriver) LCDDriver->RefreshBitmap(O, O_, false);
    // A recording that has taken no sample holds nothing (and is not stored as one again).
    if (B.Recording && B.AudioBufferPos > 0) {
        std::vector<int16_t> Buffer(AudioBufferSamples, 0);
        for (size_t i = 0; i + 1 < B.AudioBytes.size(); i += 2)
            Buffer[i / 2] = static_cast<int16_t>(B.AudioBytes[i] | (B.AudioBytes[i + 1] << 8));
        if (B.AudioBytes.size() % 2) Buffer[B.AudioBytes.size() / 2] = static_cast<int16_t>(B.AudioBytes.back());
        RestoreSoundRecording(std::move(Buffer), B.AudioBufferPos, B.PreviousSoundBit);
    } else {
        StopSoundRecording();
    }
    ROM = Live;
    *UserData = std::move(Trial);
}

void TSHARP_SM5A_MCU::LoadSessionFromStream(std::istream& S) { ApplySessionBlock(ReadMCUSessionBlock(S)); }

} // namespace tarvolin
