// The machine's part of a debug session: the MCU block (registers, RAM, output registers,
// the input/output sub-block, the LCD driver's class name, the sound recording and the
// user-data block). A block is read completely and checked before anything of it is applied,
// so a refused file leaves the machine as it was.
#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "base/types.h"
#include "core/input_output.h"
#include "persist/user_data.h"

namespace tarvolin {

class TSHARP_SM5A_MCU;

constexpr int32_t MCUSessionBlockVersion = 2;
constexpr int32_t IOSessionBlockVersion = 1;
// The whole audio buffer of a recording: 10485760 samples of 2 bytes.
constexpr int32_t AudioBufferSamples = 0xA00000;
constexpr int32_t AudioBufferBytes = AudioBufferSamples * 2;

// Texts of the refusals of a block whose values do not fit.
extern const char* const AudioPositionOutsideText; // "... the audio position %d lies outside ... (%d samples)."

// The input/output sub-block: version, input matrix (direct, R4, R3, R2), Alpha, Beta, R.
struct TIOSessionBlock {
    int32_t Version = IOSessionBlockVersion; // below 1: only the version is stored
    TInputMatrix Matrix{};
    bool Alpha = false;
    bool Beta = false;
    T4bits R = 0;
};
TIOSessionBlock ReadIOSessionBlock(std::istream& S);
void WriteIOSessionBlock(std::ostream& S, const TInputOutput& IO);
// Takes the matrix, Alpha, Beta and R (nothing for a version below 1).
void ApplyIOSessionBlock(const TIOSessionBlock& Block, TInputOutput& IO);

// The MCU block as stored; values are masked to their register widths when read.
struct TMCUSessionBlock {
    int32_t Version = MCUSessionBlockVersion; // below 1: only the version is stored
    uint8_t PreviousOpcode = 0;
    uint32_t FullRunCyclesPerSecond = 16384;
    T4bits Acc = 0;
    T7bits DP = 0;
    T14bits T = 0;
    T1bit MSB = 0;
    T4bits Page = 15;
    T11bits PC = 0x3C0;
    T11bits A = NoAddress;
    bool Carry = false, OneSecond = true, HaltMode = false;
    TORegister O{}, O_{};
    bool TD = false, LD0 = false;
    TRAM RAM{};
    TIOSessionBlock IO;
    std::string LCDDriverName; // stored from version 2 on
    bool Recording = false;
    // Only while recording: the stored audio block as bytes (little-endian samples), the
    // position of the next sample and the buzzer bit of the previous cycle.
    std::vector<uint8_t> AudioBytes;
    int32_t AudioBufferPos = 0;
    int32_t PreviousSoundBit = 0;
    TUserDataBlock UserData;
};

// Reads and checks a whole MCU block. Throws EStreamError for a short file, an oversized
// block, a count that cannot fit and an audio position outside the recorded buffer.
TMCUSessionBlock ReadMCUSessionBlock(std::istream& S);

} // namespace tarvolin
