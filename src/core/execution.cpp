// Instruction execution: one call runs one instruction with every machine cycle that
// belongs to it (its second cycle, the cycles spent skipping), or one halted cycle.
#include <cmath>

#include "base/errors.h"
#include "core/mcu.h"
#include "base/options.h"
#include "core/step_tables.h"
#include "core/mnemonics.h"
#include "lcd/lcd_driver.h"

namespace tarvolin {

const uint8_t SevenSegmentCodingTable[2][16] = {
    // TD = 0: bit 0 is free for the dot segment (LD0)
    {0xE, 0x0, 0xC, 0x8, 0x2, 0xA, 0xE, 0x2, 0xE, 0xA, 0x0, 0x0, 0x2, 0xA, 0x2, 0x2},
    // TD = 1
    {0xB, 0x9, 0x7, 0xF, 0xD, 0xE, 0xE, 0xB, 0xF, 0xF, 0x4, 0x0, 0xD, 0xE, 0x4, 0x0},
};

namespace {

constexpr int16_t SampleAmplitude = 0x6000;

// AdjustDP for every 7-bit value, so a RAM access costs one table load.
struct TAdjustedDP {
    T7bits Map[128];
    constexpr TAdjustedDP() : Map{} {
        for (int i = 0; i < 128; ++i)
            Map[i] = AdjustDP(static_cast<T7bits>(i));
    }
};
constexpr TAdjustedDP AdjustedDP;

// PC advanced by n steps within its page (bank and page unchanged).
inline T11bits StepPC(T11bits pc, unsigned n) {
    return static_cast<T11bits>((pc & 0x7C0) | ((pc + n) & 0x3F));
}

[[noreturn, gnu::noinline, gnu::cold]] void RaiseReturnOutsideSubroutine() {
    throw EEmulatorError(GetMnemonic(0x6E, false, 0) + "/" + GetMnemonic(0x6F, false, 0) +
                         " outside subroutine?");
}

[[noreturn, gnu::noinline, gnu::cold]] void RaiseLongBranchInSubroutine(uint8_t secondByte) {
    throw EEmulatorError(GetMnemonic(0x70, false, secondByte) + " in subroutine?");
}

[[noreturn, gnu::noinline, gnu::cold]] void RaisePagePresetNotProcessed() {
    throw EEmulatorError(GetMnemonic(0x70, false, 0xC0) + ": was previous " + GetMnemonic(0x70, false, 0x00) +
                         " not processed?");
}

} // namespace

void TSHARP_SM5A_MCU::StartPacingWindow() {
    FFullRunCycleCounter = 0;
    FFullRunStartTickCount = (FTickSource ? *FTickSource : SystemTickSource()).GetTickCount();
}

// Sleeps as needed to hold FFullRunCyclesPerSecond: the clock is read at every 64th cycle of
// the window and at the end of each emulated second, when a new window starts.
void TSHARP_SM5A_MCU::PaceFullRun() {
    TTickSource& clock = FTickSource ? *FTickSource : SystemTickSource();
    const uint32_t c = ++FFullRunCycleCounter;
    const uint32_t r = FFullRunCyclesPerSecond;
    if (c >= r && c % r == 0) {
        const int64_t target = static_cast<int64_t>(c / r) * 1000;
        const int64_t elapsed = static_cast<int32_t>(clock.GetTickCount() - FFullRunStartTickCount);
        if (elapsed < target) clock.Sleep(static_cast<uint32_t>(target - elapsed));
        FFullRunCycleCounter = 0;
        FFullRunStartTickCount = clock.GetTickCount();
    } else if ((c & 63) == 0) {
        const int64_t target = std::llrint(static_cast<double>(c) * 1000.0 / r); // halves to even
        const int64_t elapsed = static_cast<int32_t>(clock.GetTickCount() - FFullRunStartTickCount);
        if (elapsed < target) clock.Sleep(static_cast<uint32_t>(target - elapsed));
    }
}

// One sample of line R1 (raw level, or its change in derivation mode).
void TSHARP_SM5A_MCU::TakeSoundSample() {
    const int32_t bit = IO.R & 1;
    const int32_t level = Options().DerivatedSoundWave ? FPreviousSoundBit - bit : 1 - bit;
    FPreviousSoundBit = bit;
    if (FAudioBufferPos < 0 || FAudioBufferPos >= static_cast<int32_t>(FAudioBuffer.size()))
        FAudioBufferPos = 0; // the buffer is reused from its start once it is full
    FAudioBuffer[FAudioBufferPos++] = static_cast<int16_t>(level * SampleAmplitude);
}

bool TSHARP_SM5A_MCU::PerformOneCycle(uint8_t& Opcode, uint8_t& Operand) {
    bool operandCyclePending = false;
    bool skipPending = false;
    bool laxChain = false;
    bool executed = false;

    // Read and write the cell DP points at (through AdjustDP), raising the RAM callbacks.
    auto readM = [this]() -> T4bits {
        const T7bits a = AdjustedDP.Map[DP & 0x7F];
        const T4bits v = RAM[a];
        if (OnReadMemory.Handler) [[unlikely]]
            OnReadMemory.Handler(OnReadMemory.Obj, a, v);
        return v;
    };
    auto writeM = [this](unsigned v) {
        const T7bits a = AdjustedDP.Map[DP & 0x7F];
        const T4bits previous = RAM[a];
        RAM[a] = static_cast<T4bits>(v & 0x0F);
        if (OnWriteMemory.Handler) [[unlikely]]
            OnWriteMemory.Handler(OnWriteMemory.Obj, a, static_cast<T4bits>(v & 0x0F), previous);
    };
    auto exchangeAccRAM = [&]() {
        const T4bits m = readM();
        writeM(Acc);
        Acc = m;
    };
    auto encode = [this]() -> T4bits {
        return TD ? SevenSegmentCodingTable[1][Acc & 0x0F]
                  : static_cast<T4bits>(SevenSegmentCodingTable[0][Acc & 0x0F] | (LD0 ? 1 : 0));
    };
    auto shiftO = [this]() {
        for (int i = 0; i < 8; ++i)
            O[i] = O[i + 1];
    };
    auto setDPL = [this](unsigned v) { DP = static_cast<T7bits>((DP & 0x70) | (v & 0x0F)); };
    auto xorDPH = [this](unsigned x) { DP = static_cast<T7bits>((DP ^ ((x & 3) << 4)) & 0x7F); };

    do {
        // Pacing window check.
        if (FFullRun) [[unlikely]] {
            if (FFullRunCyclesPerSecond == 0)
                FFullRunStartTickCount = 0;
            else if (FFullRunStartTickCount == 0)
                StartPacingWindow();
        } else {
            FFullRunStartTickCount = 0;
        }

        if (operandCyclePending) {
            operandCyclePending = false; // the second cycle of a two-cycle instruction
        } else if (HaltMode) {
            // halted: no instruction is fetched
        } else if (skipPending) {
            const uint8_t op = PC < ROMSize ? ROM[PC] : 0;
            const uint8_t next = PC + 1 < ROMSize ? ROM[PC + 1] : 0;
            PC = StepPC(PC, static_cast<unsigned>(GetOpcodeSize(op, next)));
            FPreviousOpcode = 0;
            skipPending = laxChain && PC < ROMSize && (ROM[PC] & 0xF0) == 0x20;
        } else {
            executed = true;
            bool lcdChanged = false;
            const T11bits pc = PC;
            uint8_t op = 0, next = 0;
            if (pc < ROMSize) [[likely]] {
                op = ROM[pc];
                next = pc + 1 < ROMSize ? ROM[pc + 1] : 0;
            }
            const uint8_t previousOpcode = FPreviousOpcode;
            PC = StepPC(pc, static_cast<unsigned>(GetOpcodeSize(op, next)));
            FPreviousOpcode = 0;
            Opcode = op;
            Operand = next;

            switch (op) {
            case 0x00:
                break; // SKIP
            case 0x01:
                IO.R = Acc & 0x0F;
                break;
            case 0x02:
                DP |= 0x40;
                break;
            case 0x03:
                TD = (Acc & 0x08) != 0;
                break;
            case 0x04:
            case 0x05:
            case 0x06:
            case 0x07:
                writeM(readM() & ~(1u << (op & 3)));
                break;
            case 0x08:
                Acc = static_cast<T4bits>((Acc + readM()) & 0x0F);
                break;
            case 0x09: {
                const unsigned t = Acc + readM() + (Carry ? 1 : 0);
                Carry = t > 15;
                Acc = static_cast<T4bits>(t & 0x0F);
                skipPending = Carry;
                break;
            }
            case 0x0A:
                Acc = static_cast<T4bits>(~Acc & 0x0F);
                break;
            case 0x0B: {
                const T4bits dpl = DP & 0x0F;
                setDPL(Acc);
                Acc = dpl;
                break;
            }
            case 0x0C:
            case 0x0D:
            case 0x0E:
            case 0x0F:
                writeM(readM() | (1u << (op & 3)));
                break;
            case 0x10:
            case 0x11:
            case 0x12:
            case 0x13:
                exchangeAccRAM();
                xorDPH(op);
                break;
            case 0x14:
            case 0x15:
            case 0x16:
            case 0x17: {
                exchangeAccRAM();
                xorDPH(op);
                const unsigned dpl = DP & 0x0F;
                setDPL(dpl + 1);
                skipPending = dpl == 7;
                break;
            }
            case 0x18:
            case 0x19:
            case 0x1A:
            case 0x1B:
                Acc = readM();
                xorDPH(op);
                break;
            case 0x1C:
            case 0x1D:
            case 0x1E:
            case 0x1F: {
                exchangeAccRAM();
                xorDPH(op);
                const unsigned dpl = DP & 0x0F;
                setDPL(dpl - 1);
                skipPending = dpl == 0;
                break;
            }
            case 0x20:
            case 0x21:
            case 0x22:
            case 0x23:
            case 0x24:
            case 0x25:
            case 0x26:
            case 0x27:
            case 0x28:
            case 0x29:
            case 0x2A:
            case 0x2B:
            case 0x2C:
            case 0x2D:
            case 0x2E:
            case 0x2F:
                Acc = op & 0x0F;
                laxChain = true;
                skipPending = PC < ROMSize && (ROM[PC] & 0xF0) == 0x20; // a run of loads takes the first
                break;
            case 0x30:
            case 0x31:
            case 0x32:
            case 0x33:
            case 0x34:
            case 0x35:
            case 0x36:
            case 0x37:
            case 0x38:
            case 0x39:
            case 0x3A:
            case 0x3B:
            case 0x3C:
            case 0x3D:
            case 0x3E:
            case 0x3F: {
                const unsigned sum = Acc + (op & 0x0F);
                Acc = static_cast<T4bits>(sum & 0x0F);
                skipPending = sum > 15 && op != 0x3A;
                break;
            }
            case 0x40:
            case 0x41:
            case 0x42:
            case 0x43:
            case 0x44:
            case 0x45:
            case 0x46:
            case 0x47:
            case 0x48:
            case 0x49:
            case 0x4A:
            case 0x4B:
            case 0x4C:
            case 0x4D:
            case 0x4E:
            case 0x4F: {
                const unsigned x = (op >> 2) & 3;
                DP = static_cast<T7bits>(((op & 3) << 4) | (x == 0 ? 0 : 8 + x));
                break;
            }
            case 0x50:
                skipPending = !IO.AlphaIsSignaled(FQuietInputQueries);
                break;
            case 0x51:
                skipPending = !IO.BetaIsSignaled(FQuietInputQueries);
                break;
            case 0x52:
                skipPending = !Carry;
                break;
            case 0x53:
                skipPending = readM() == Acc;
                break;
            case 0x54:
            case 0x55:
            case 0x56:
            case 0x57:
                skipPending = (readM() >> (op & 3)) & 1;
                break;
            case 0x58:
                skipPending = !OneSecond;
                OneSecond = false;
                break;
            case 0x59:
                O_[8] = O[8];
                O_[7] = O[7];
                lcdChanged = true;
                break;
            case 0x5A:
                skipPending = Acc == 0;
                break;
            case 0x5B:
                skipPending = Acc == (DP & 0x0F);
                break;
            case 0x5C:
                O_ = O;
                lcdChanged = true;
                break;
            case 0x5D:
                shiftO();
                O[8] = encode();
                lcdChanged = true;
                break;
            case 0x5E:
                if (next == 0x00)
                    HaltMode = true; // CEND
                else if (next == 0x04)
                    Acc = static_cast<T4bits>((T >> 10) & 0x0F); // DTA
                operandCyclePending = true;
                break;
            case 0x5F:
                DP = next & 0x7F;
                operandCyclePending = true;
                break;
            case 0x60:
                TD = !TD;
                break;
            case 0x61:
                O[7] = O[8];
                O[8] = encode();
                lcdChanged = true;
                break;
            case 0x62:
                shiftO();
                O[8] = Acc & 0x07;
                lcdChanged = true;
                break;
            case 0x63:
                shiftO();
                O[8] = (Acc | 0x08) & 0x0F;
                lcdChanged = true;
                break;
            case 0x64: {
                const unsigned dpl = DP & 0x0F;
                setDPL(dpl + 1);
                skipPending = dpl == 7;
                break;
            }
            case 0x65:
                T = 0;
                OneSecond = true;
                break;
            case 0x66:
                Carry = false;
                break;
            case 0x67:
                Carry = true;
                break;
            case 0x68:
                Acc = 0;
                LD0 = false;
                break;
            case 0x69:
                LD0 = true;
                break;
            case 0x6A:
                Acc = IO.GetK(*FLabels, FQuietInputQueries);
                break;
            case 0x6B:
                DP &= 0x3F;
                break;
            case 0x6C: {
                const unsigned dpl = DP & 0x0F;
                setDPL(dpl - 1);
                skipPending = dpl == 0;
                break;
            }
            case 0x6D:
                MSB = (MSB ^ 1) & 1;
                break;
            case 0x6E:
            case 0x6F:
                if (A == NoAddress) RaiseReturnOutsideSubroutine();
                skipPending = op == 0x6F;
                PC = A & 0x7FF;
                Page = (PC >> 6) & 0x0F;
                A = NoAddress;
                break;
            case 0x70:
            case 0x71:
            case 0x72:
            case 0x73:
            case 0x74:
            case 0x75:
            case 0x76:
            case 0x77:
            case 0x78:
            case 0x79:
            case 0x7A:
            case 0x7B:
            case 0x7C:
            case 0x7D:
            case 0x7E:
            case 0x7F:
                Page = op & 0x0F;
                operandCyclePending = true;
                if (next & 0x80) {
                    Opcode = next; // reported like the short forms
                    if (A != NoAddress) RaiseLongBranchInSubroutine(next);
                    if (next >= 0xC0) A = PC; // long call: return past both bytes
                    PC = static_cast<T11bits>(((MSB & 1) << 10) | (Page << 6) | CodeToStepIndex[next & 0x3F]);
                }
                break;
            default:
                if (op < 0xC0) { // 0x80..0xBF: jump
                    if (A == NoAddress)
                        PC = static_cast<T11bits>(((MSB & 1) << 10) | ((Page & 0x0F) << 6) |
                                                  CodeToStepIndex[op & 0x3F]);
                    else
                        PC = static_cast<T11bits>((PC & 0x7C0) | CodeToStepIndex[op & 0x3F]);
                } else if (A == NoAddress) { // 0xC0..0xFF: call
                    A = PC;
                    if ((previousOpcode & 0xF0) == 0x70) {
                        PC = static_cast<T11bits>(((MSB & 1) << 10) | ((Page & 0x0F) << 6) | (PC & 0x3F));
                        RaisePagePresetNotProcessed();
                    }
                    PC = static_cast<T11bits>(0x400 | CodeToStepIndex[op & 0x3F]);
                } else { // inside a subroutine: a jump within a group of four pages
                    PC = static_cast<T11bits>((PC & 0x700) | (((op >> 4) & 3) << 6) |
                                              CodeToStepIndex[op & 0x0F]);
                }
                break;
            }

            if (LCDDriver) [[likely]]
                LCDDriver->OnInstruction(O, O_, lcdChanged, HaltMode);
            FPreviousOpcode = Opcode;
        }

        // Pacing count and wait.
        if (FFullRun && FFullRunStartTickCount != 0) [[unlikely]]
            PaceFullRun();

        // Halt shortcut: outside real-time runs a halt without input ends at this cycle's tick.
        if (HaltMode && !operandCyclePending && !FFullRun && !IO.IsAnyInput(*FLabels, FQuietInputQueries))
            T = 0x3FFF;

        // Timer tick.
        ++CycleCount;
        if (++T > 0x3FFF) {
            T = 0;
            OneSecond = true;
        } else if (T == 0x2000) {
            OneSecond = false;
        }

        // Halt wake-up.
        if (HaltMode && !operandCyclePending) [[unlikely]] {
            if (OneSecond || IO.IsAnyInput(*FLabels, FQuietInputQueries)) {
                HaltMode = false;
                MSB = 0;
                Page = 0;
                PC = 0;
                FPreviousOpcode = 0;
                skipPending = false;
                operandCyclePending = false;
            }
        }

        // Sound sample.
        if (!FAudioBuffer.empty()) [[unlikely]]
            TakeSoundSample();
    } while (operandCyclePending || skipPending);

    return executed;
}

} // namespace tarvolin
