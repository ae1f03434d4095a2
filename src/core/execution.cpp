// Instruction execution: one call runs one instruction with every machine cycle that
// belongs to it (its second cycle, the cycles spent skipping), or one halted cycle.
// The file is longer than most: the one switch over all 256 opcodes and the three paths that
// share it (the lean common step, the step that makes calls, the general cycle loop) are read
// and changed together, and splitting them would hide the hot path's shape.
#include <cmath>

#include "base/errors.h"
#include "base/text_format.h"
#include "base/translate.h"
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

// What the first cycle of an instruction leaves for the cycles after it.
enum TInstructionEffect : unsigned {
    effOperandCycle = 1, // a second machine cycle follows
    effSkip = 2,         // the next instruction is skipped
    effLaxChain = 4,     // a load: loads right after it are skipped too
    effLCDWrite = 8,     // O or O' was written
    effHalt = 16,        // CEND: halt mode entered
    effRetry = 32,       // (lean execution only) nothing was done: the instruction needs a call
};

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
    throw EEmulatorError(Format(Tr("Emulator", "%s/%s outside subroutine?").c_str(),
                                GetMnemonic(0x6E, false, 0).c_str(), GetMnemonic(0x6F, false, 0).c_str()));
}

[[noreturn, gnu::noinline, gnu::cold]] void RaiseLongBranchInSubroutine(uint8_t secondByte) {
    throw EEmulatorError(
        Format(Tr("Emulator", "%s in subroutine?").c_str(), GetMnemonic(0x70, false, secondByte).c_str()));
}

[[noreturn, gnu::noinline, gnu::cold]] void RaisePagePresetNotProcessed() {
    throw EEmulatorError(Format(Tr("Emulator", "%s: was previous %s not processed?").c_str(),
                                GetMnemonic(0x70, false, 0xC0).c_str(), GetMnemonic(0x70, false, 0x00).c_str()));
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
    if (FAudioBufferPos < 0 || FAudioBufferPos >= static_cast<int32_t>(FAudioBuffer.size())) {
        if (FAudioBufferPos > 0) ++FAudioBufferReuses; // the buffer is reused from its start once it is full
        FAudioBufferPos = 0;
    }
    FAudioBuffer[FAudioBufferPos++] = static_cast<int16_t>(level * SampleAmplitude);
}

// The first machine cycle of the instruction at PC: fetch, PC advance, effect. Returns the
// TInstructionEffect bits and, in bits 8..15, the opcode to report and remember as the
// previous one (the second byte of a long jump or call).
//
// Lean execution calls nothing: it leaves the previous opcode alone for the caller to
// overwrite, and gives an instruction that would call out (a RAM callback, an input query,
// an emulator error) back untouched: PC restored, effRetry.
template <bool Lean>
[[gnu::always_inline]] inline unsigned TSHARP_SM5A_MCU::ExecuteInstruction(uint8_t& Opcode, uint8_t& Operand) {
    unsigned effect = 0;
    const T11bits pc = PC;

    // Read and write the cell DP points at (through AdjustDP), raising the RAM callbacks.
    auto readM = [this]() -> T4bits {
        const T7bits a = AdjustedDP.Map[DP & 0x7F];
        const T4bits v = RAM[a];
        if (!Lean && OnReadMemory.Handler) [[unlikely]]
            OnReadMemory.Handler(OnReadMemory.Obj, a, v);
        return v;
    };
    auto writeM = [this, pc](unsigned v) {
        const T7bits a = AdjustedDP.Map[DP & 0x7F];
        const T4bits previous = RAM[a];
        RAM[a] = static_cast<T4bits>(v & 0x0F);
        if (FTrackWrites) [[likely]] {
            FLastWriterPC[a] = pc;
            FLastWriteCycle[a] = CycleCount;
        }
        if (!Lean && OnWriteMemory.Handler) [[unlikely]]
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
    auto skipIf = [&effect](bool condition) { effect |= condition ? effSkip : 0u; };

    uint8_t op = 0, next = 0;
    if (pc < ROMSize - 1) [[likely]] {
        op = ROM[pc];
        next = ROM[pc + 1];
    } else if (pc < ROMSize) {
        op = ROM[pc];
    }
    // Advanced over one byte; the two-byte instructions (0x5E, 0x5F, the long jumps and
    // calls) step over their second byte below.
    PC = StepPC(pc, 1);
    uint8_t previousOpcode = 0;
    if (!Lean) {
        previousOpcode = FPreviousOpcode;
        FPreviousOpcode = 0;
    }
    Opcode = op;
    Operand = next;
    uint8_t reported = op;
    // (Lean) Hands the instruction back: PC is all that has changed (Opcode and Operand get the
    // same values again).
    auto retry = [this, pc]() -> unsigned {
        PC = pc;
        return effRetry;
    };
    // (Lean) With a RAM callback installed an instruction that reads RAM is handed back; it
    // reads RAM before it changes anything.
    auto ramCallbacks = [this]() { return (OnReadMemory.Handler != nullptr) | (OnWriteMemory.Handler != nullptr); };

#define TARVOLIN_CASE4(b) case (b): case (b) + 1: case (b) + 2: case (b) + 3
#define TARVOLIN_CASE16(b) TARVOLIN_CASE4(b): TARVOLIN_CASE4((b) + 4): TARVOLIN_CASE4((b) + 8): TARVOLIN_CASE4((b) + 12)
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
    TARVOLIN_CASE4(0x04):
        if (Lean && ramCallbacks()) return retry();
        writeM(readM() & ~(1u << (op & 3)));
        break;
    case 0x08:
        if (Lean && ramCallbacks()) return retry();
        Acc = static_cast<T4bits>((Acc + readM()) & 0x0F);
        break;
    case 0x09: {
        if (Lean && ramCallbacks()) return retry();
        const unsigned t = Acc + readM() + (Carry ? 1 : 0);
        Carry = t > 15;
        Acc = static_cast<T4bits>(t & 0x0F);
        skipIf(t > 15);
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
    TARVOLIN_CASE4(0x0C):
        if (Lean && ramCallbacks()) return retry();
        writeM(readM() | (1u << (op & 3)));
        break;
    TARVOLIN_CASE4(0x10):
        if (Lean && ramCallbacks()) return retry();
        exchangeAccRAM();
        xorDPH(op);
        break;
    TARVOLIN_CASE4(0x14): {
        if (Lean && ramCallbacks()) return retry();
        exchangeAccRAM();
        xorDPH(op);
        const unsigned dpl = DP & 0x0F;
        setDPL(dpl + 1);
        skipIf(dpl == 7);
        break;
    }
    TARVOLIN_CASE4(0x18):
        if (Lean && ramCallbacks()) return retry();
        Acc = readM();
        xorDPH(op);
        break;
    TARVOLIN_CASE4(0x1C): {
        if (Lean && ramCallbacks()) return retry();
        exchangeAccRAM();
        xorDPH(op);
        const unsigned dpl = DP & 0x0F;
        setDPL(dpl - 1);
        skipIf(dpl == 0);
        break;
    }
    TARVOLIN_CASE16(0x20): {
        Acc = op & 0x0F;
        effect = effLaxChain;
        const T11bits following = PC;
        skipIf(following < ROMSize && (ROM[following] & 0xF0) == 0x20); // a run of loads takes the first
        break;
    }
    TARVOLIN_CASE16(0x30): {
        const unsigned sum = Acc + (op & 0x0F);
        Acc = static_cast<T4bits>(sum & 0x0F);
        skipIf(sum > 15 && op != 0x3A);
        break;
    }
    TARVOLIN_CASE16(0x40): {
        const unsigned x = (op >> 2) & 3;
        DP = static_cast<T7bits>(((op & 3) << 4) | (x == 0 ? 0 : 8 + x));
        break;
    }
    case 0x50:
        if (Lean) return retry();
        skipIf(!IO.AlphaIsSignaled(FQuietInputQueries));
        break;
    case 0x51:
        if (Lean) return retry();
        skipIf(!IO.BetaIsSignaled(FQuietInputQueries));
        break;
    case 0x52:
        skipIf(!Carry);
        break;
    case 0x53:
        if (Lean && ramCallbacks()) return retry();
        skipIf(readM() == Acc);
        break;
    TARVOLIN_CASE4(0x54):
        if (Lean && ramCallbacks()) return retry();
        skipIf((readM() >> (op & 3)) & 1);
        break;
    case 0x58:
        skipIf(!OneSecond);
        OneSecond = false;
        break;
    case 0x59:
        O_[8] = O[8];
        O_[7] = O[7];
        effect = effLCDWrite;
        break;
    case 0x5A:
        skipIf(Acc == 0);
        break;
    case 0x5B:
        skipIf(Acc == (DP & 0x0F));
        break;
    case 0x5C:
        O_ = O;
        effect = effLCDWrite;
        break;
    case 0x5D:
        shiftO();
        O[8] = encode();
        effect = effLCDWrite;
        break;
    case 0x5E:
        PC = StepPC(pc, 2);
        effect = effOperandCycle;
        if (next == 0x00) {
            HaltMode = true; // CEND
            effect |= effHalt;
        } else if (next == 0x04) {
            Acc = static_cast<T4bits>((T >> 10) & 0x0F); // DTA
        }
        break;
    case 0x5F:
        PC = StepPC(pc, 2);
        DP = next & 0x7F;
        effect = effOperandCycle;
        break;
    case 0x60:
        TD = !TD;
        break;
    case 0x61:
        O[7] = O[8];
        O[8] = encode();
        effect = effLCDWrite;
        break;
    case 0x62:
        shiftO();
        O[8] = Acc & 0x07;
        effect = effLCDWrite;
        break;
    case 0x63:
        shiftO();
        O[8] = (Acc | 0x08) & 0x0F;
        effect = effLCDWrite;
        break;
    case 0x64: {
        const unsigned dpl = DP & 0x0F;
        setDPL(dpl + 1);
        skipIf(dpl == 7);
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
        if (Lean) return retry();
        Acc = IO.GetK(*FLabels, FQuietInputQueries);
        break;
    case 0x6B:
        DP &= 0x3F;
        break;
    case 0x6C: {
        const unsigned dpl = DP & 0x0F;
        setDPL(dpl - 1);
        skipIf(dpl == 0);
        break;
    }
    case 0x6D:
        MSB = (MSB ^ 1) & 1;
        break;
    case 0x6E:
    case 0x6F:
        if (A == NoAddress) {
            if (Lean) return retry();
            RaiseReturnOutsideSubroutine();
        }
        skipIf(op == 0x6F);
        PC = A & 0x7FF;
        Page = (PC >> 6) & 0x0F;
        A = NoAddress;
        break;
    TARVOLIN_CASE16(0x70):
        if (next & 0x80) { // a long jump or call
            if (A != NoAddress) {
                if (Lean) return retry();
                Page = op & 0x0F;
                PC = StepPC(pc, 2);
                Opcode = next;
                RaiseLongBranchInSubroutine(next);
            }
            Page = op & 0x0F;
            PC = StepPC(pc, 2);
            Opcode = next; // reported like the short forms
            reported = next;
            if (next >= 0xC0) A = PC; // long call: return past both bytes
            PC = static_cast<T11bits>(((MSB & 1) << 10) | (Page << 6) | CodeToStepIndex[next & 0x3F]);
        } else {
            Page = op & 0x0F; // a page preset for the following one-byte jump or call
        }
        effect = effOperandCycle;
        break;
    TARVOLIN_CASE16(0x80):
    TARVOLIN_CASE16(0x90):
    TARVOLIN_CASE16(0xA0):
    TARVOLIN_CASE16(0xB0): // jump
        if (A == NoAddress)
            PC = static_cast<T11bits>(((MSB & 1) << 10) | ((Page & 0x0F) << 6) | CodeToStepIndex[op & 0x3F]);
        else
            PC = static_cast<T11bits>((PC & 0x7C0) | CodeToStepIndex[op & 0x3F]);
        break;
    TARVOLIN_CASE16(0xC0):
    TARVOLIN_CASE16(0xD0):
    TARVOLIN_CASE16(0xE0):
    TARVOLIN_CASE16(0xF0):
        if (A == NoAddress) { // call
            // (Lean execution has not cleared FPreviousOpcode.)
            if (((Lean ? FPreviousOpcode : previousOpcode) & 0xF0) == 0x70) {
                if (Lean) return retry();
                A = PC;
                PC = static_cast<T11bits>(((MSB & 1) << 10) | ((Page & 0x0F) << 6) | (PC & 0x3F));
                RaisePagePresetNotProcessed();
            }
            A = PC;
            PC = static_cast<T11bits>(0x400 | CodeToStepIndex[op & 0x3F]);
        } else { // inside a subroutine: a jump within a group of four pages
            PC = static_cast<T11bits>((PC & 0x700) | (((op >> 4) & 3) << 6) | CodeToStepIndex[op & 0x0F]);
        }
        break;
    }
#undef TARVOLIN_CASE16
#undef TARVOLIN_CASE4
    return effect | (static_cast<unsigned>(reported) << 8);
}

// One machine cycle skipping the instruction at PC. Returns whether the next is skipped too
// (a run of loads after a load).
[[gnu::always_inline]] inline bool TSHARP_SM5A_MCU::SkipInstruction(bool LaxChain) {
    const T11bits pc = PC;
    const uint8_t op = pc < ROMSize ? ROM[pc] : 0;
    const uint8_t next = pc + 1 < ROMSize ? ROM[pc + 1] : 0;
    const T11bits after = StepPC(pc, static_cast<unsigned>(GetOpcodeSize(op, next)));
    PC = after;
    FPreviousOpcode = 0;
    return LaxChain && after < ROMSize && (ROM[after] & 0xF0) == 0x20;
}

// Cycles timer ticks, each counted in CycleCount: T wraps to 0 after 0x3FFF and sets the
// second flag, which is cleared when T reaches 0x2000.
[[gnu::always_inline]] inline void TSHARP_SM5A_MCU::TickTimer(unsigned Cycles) {
    CycleCount += Cycles;
    const T14bits t = T;
    const unsigned after = t + Cycles;
    // No flag changes on the way: T stays below 0x2000, or stays in 0x2000..0x3FFF (a T
    // outside 14 bits fails both and takes the loop).
    if (after - (t & 0x2000u) < 0x2000u) [[likely]] {
        T = static_cast<T14bits>(after);
        return;
    }
    for (unsigned i = 0; i < Cycles; ++i) {
        if (++T > 0x3FFF) {
            T = 0;
            OneSecond = true;
        } else if (T == 0x2000) {
            OneSecond = false;
        }
    }
}

// Machine cycles of an instruction that is not CEND: its first, its second if it has one,
// and one for each instruction it skips (PC moves past those).
[[gnu::always_inline]] inline unsigned TSHARP_SM5A_MCU::CyclesAfter(unsigned Effect) {
    unsigned cycles = 1;
    if (Effect & (effOperandCycle | effSkip)) [[unlikely]] {
        if (Effect & effOperandCycle) ++cycles;
        if (Effect & effSkip) {
            const bool laxChain = (Effect & effLaxChain) != 0;
            do
                ++cycles;
            while (SkipInstruction(laxChain));
        }
    }
    return cycles;
}

// The rest of a step after the first cycle of its instruction: the LCD driver's look at the
// registers, the second cycle or the skipped instructions, the timer. No pacing and no sound
// capture; the second cycle of a CEND (halted) goes to PerformCycles.
[[gnu::always_inline]] inline bool TSHARP_SM5A_MCU::FinishInstruction(unsigned Effect) {
    if (LCDDriver) [[likely]]
        LCDDriver->OnInstruction(O, O_, (Effect & effLCDWrite) != 0, HaltMode);
    FPreviousOpcode = static_cast<uint8_t>(Effect >> 8);
    if ((Effect & effOperandCycle) && HaltMode) [[unlikely]] {
        TickTimer(1);
        return PerformCycles(nullptr, nullptr, true, true);
    }
    TickTimer(CyclesAfter(Effect));
    return true;
}

// A step without pacing, sound capture or halt, making every call the instruction needs (RAM
// callbacks, input queries, the LCD driver, emulator errors).
bool TSHARP_SM5A_MCU::PerformInstruction(uint8_t& Opcode, uint8_t& Operand) {
    if (FTrackCoverage) CountExecution(PC);
    return FinishInstruction(ExecuteInstruction<false>(Opcode, Operand));
}

// The rest of a lean step that needs the LCD driver (an LCD write, a halt, or a driver
// counting instructions towards a stable image).
bool TSHARP_SM5A_MCU::FinishLeanInstruction(unsigned Effect) {
    FPreviousOpcode = 0; // as ExecuteInstruction<false> leaves it for the driver to see
    return FinishInstruction(Effect);
}

// The common step as one straight sequence that calls nothing: not halted, no paced full run,
// no sound capture, and an instruction that needs no call. Any other step is passed on whole
// to PerformInstruction or PerformCycles, or finished by FinishLeanInstruction when it needs
// the LCD driver.
bool TSHARP_SM5A_MCU::PerformOneCycle(uint8_t& Opcode, uint8_t& Operand) {
    // FRareCycleWork: a paced full run or sound capture. (Outside a paced full run
    // FFullRunStartTickCount is always 0, as PerformCycles would leave it.)
    if (FRareCycleWork | HaltMode) [[unlikely]]
        return PerformCycles(&Opcode, &Operand, false, false);

    const T11bits pc = PC;
    const unsigned effect = ExecuteInstruction<true>(Opcode, Operand);
    // TLCDDriver::OnInstruction calls out after an instruction that neither writes O or O'
    // nor halts only while it counts instructions towards a stable image.
    // A driver counting towards a stable image counts a quiet instruction inline.
    TLCDDriver* driver = LCDDriver.get();
    if (effect & (effLCDWrite | effHalt | effRetry)) [[unlikely]] {
        if (effect & effRetry) return PerformInstruction(Opcode, Operand);
        if (FTrackCoverage) CountExecution(pc);
        return FinishLeanInstruction(effect);
    }
    if (FTrackCoverage) [[likely]]
        CountExecution(pc);
    if (driver && driver->ShowStableImageOnly() && driver->InstructionCountOfStableORegisters() >= 0 &&
        !driver->CountQuietInstruction()) [[unlikely]]
        return FinishLeanInstruction(effect);
    FPreviousOpcode = static_cast<uint8_t>(effect >> 8);
    TickTimer(CyclesAfter(effect));
    return true;
}

// Every machine cycle of one step in the general case, starting with a pending second cycle
// when OperandCyclePending (an instruction already executed in this step when Executed; no
// other can then execute, and Opcode and Operand may be null).
bool TSHARP_SM5A_MCU::PerformCycles(uint8_t* Opcode, uint8_t* Operand, bool OperandCyclePending, bool Executed) {
    bool operandCyclePending = OperandCyclePending;
    bool skipPending = false;
    bool laxChain = false;
    bool executed = Executed;

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
            skipPending = SkipInstruction(laxChain);
        } else {
            executed = true;
            if (FTrackCoverage) CountExecution(PC);
            const unsigned effect = ExecuteInstruction<false>(*Opcode, *Operand);
            operandCyclePending = (effect & effOperandCycle) != 0;
            skipPending = (effect & effSkip) != 0;
            laxChain = (effect & effLaxChain) != 0;
            if (LCDDriver) [[likely]]
                LCDDriver->OnInstruction(O, O_, (effect & effLCDWrite) != 0, HaltMode);
            FPreviousOpcode = static_cast<uint8_t>(effect >> 8);
        }

        // Pacing count and wait.
        if (FFullRun && FFullRunStartTickCount != 0) [[unlikely]]
            PaceFullRun();

        // Halt shortcut: outside real-time runs a halt without input ends at this cycle's tick.
        if (HaltMode && !operandCyclePending && !FFullRun && !IO.IsAnyInput(*FLabels, FQuietInputQueries))
            T = 0x3FFF;

        TickTimer(1);

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
        if (FBuzzerTap) [[unlikely]]
            FBuzzerTap->push_back(static_cast<uint8_t>(IO.R & 1));
    } while (operandCyclePending || skipPending);

    return executed;
}

} // namespace tarvolin
