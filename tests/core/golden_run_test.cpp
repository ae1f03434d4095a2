// Long runs of fixed programs in every mode of the machine cycle, each summed up in one hash of
// the state after every step: registers, RAM, LCD registers and the driver's copy, timer and
// cycle count, pacing counters and clock calls, sound samples, RAM callbacks, errors.
// The expected hashes come from the plain cycle loop the core had before its common step was
// given a path of its own; a difference between the paths shows here.
#include <cinttypes>
#include <cstdio>
#include <iterator>

#include "core/step_tables.h"
#include "lcd/lcd_driver.h"
#include "mcu_test_support.h"

namespace tarvolin::test {
namespace {

struct THash {
    uint64_t H = 0xCBF29CE484222325ull; // FNV-1a, byte by byte
    void Add(uint64_t Value, int Bytes = 8) {
        for (int i = 0; i < Bytes; ++i) {
            H ^= (Value >> (8 * i)) & 0xFF;
            H *= 0x100000001B3ull;
        }
    }
};

THash* g_Log = nullptr;

// A clock that moves by 1 ms whenever it is read, and by the time slept.
class TStepClock : public TTickSource {
public:
    uint32_t Now = 0xFFFFFC00; // wraps during the run
    uint32_t GetTickCount() override {
        g_Log->Add(++Now, 4);
        return Now;
    }
    void Sleep(uint32_t Milliseconds) override {
        g_Log->Add(0x51EE90000ull | Milliseconds);
        Now += Milliseconds;
    }
};

void OnRead(void*, T7bits Addr, T4bits Value) {
    g_Log->Add(0x100 | Addr);
    g_Log->Add(Value, 1);
}
void OnWrite(void*, T7bits Addr, T4bits NewValue, T4bits PreviousValue) {
    g_Log->Add(0x200 | Addr);
    g_Log->Add(NewValue << 4 | PreviousValue, 1);
}

enum TMode : unsigned {
    mPlain = 0,
    mCallbacks = 1,
    mPaced = 2,      // full run at 1000 cycles per second
    mUnpaced = 4,    // full run at rate 0
    mSound = 8,      // with derivation
    mStable = 16,    // the LCD driver shows stable images only
    mInputs = 32,    // keys and Beta pressed, a game that raises on unwired inputs
    mWriteOnly = 64, // the RAM write callback alone
    mSwitching = 128, // the modes of Sequence one after another
    mReset = 256,     // (in Sequence) a reset after the mode is set
};

// The benchmark's busy loop, a halting clock-like program, and random bytes.
TROM Program(int Which) {
    TROM rom{};
    auto jump = [](int k) { return static_cast<uint8_t>(0x80 | StepIndexToCode[k]); };
    auto call = [](int k) { return static_cast<uint8_t>(0xC0 | StepIndexToCode[k]); };
    auto put = [&rom](unsigned addr, std::initializer_list<uint8_t> bytes) {
        for (uint8_t b : bytes)
            rom[addr++] = b;
    };
    if (Which == 0) {
        put(0x3C0, {0x5F, 0x12, 0x21, 0x14, 0x08, 0x10, 0x0C, 0x53, 0x00, 0x5D, 0x62, call(0), 0x09, 0x00, 0x35,
                    0x52, 0x5C, 0x22, 0x23, 0x4D, 0x04, jump(2)});
        put(0x400, {0x18, 0x64, 0x1C, 0x5F, 0x21, 0x0F, 0x6E});
    } else if (Which == 1) {
        // Reset: TG, CEND. Wake-up at 0: inputs, tone, digits, the timer, back to the halt.
        put(0x3C0, {0x58, 0x5E, 0x00, jump(0)});
        put(0x000, {0x6A, 0x10, 0x50, 0x2F, 0x51, 0x01, 0x5E, 0x04, 0x5D, 0x61, 0x59, 0x5C, 0x14, 0x09,
                    0x00, 0x6C, 0x6F, 0x67, 0x3F, 0x6D, 0x6D, 0x7F, jump(0)});
    } else {
        uint32_t x = 12345;
        for (auto& b : rom) {
            x = x * 1103515245u + 12345u;
            b = static_cast<uint8_t>(x >> 16);
        }
    }
    return rom;
}

// The modes one after another in mSwitching, each for 3000 steps.
const unsigned Sequence[] = {mUnpaced, mPaced, mPlain, mSound, mUnpaced | mCallbacks, mPaced | mSound, mStable,
                             mWriteOnly, mPaced | mInputs, mUnpaced, mPaced | mStable, mCallbacks | mSound,
                             mInputs, mUnpaced | mStable | mSound, mUnpaced | mReset, mPaced | mWriteOnly};

uint64_t RunGolden(int Which, unsigned Mode, int Steps) {
    THash log;
    g_Log = &log;
    TStepClock clock;
    auto mcu = (Mode & mInputs) ? NewMCU<TTestGame>() : NewMCU();
    TSHARP_SM5A_MCU& m = *mcu;
    m.ROM = Program(Which);
    m.Reset();
    m.SetTickSource(&clock);
    m.LCDDriver->OnBitmapRefresh = [](TLCDDriver& d) { g_Log->Add(d.PreviousO()[8] | 0x3000); };
    auto apply = [&](unsigned mode) {
        m.OnReadMemory = (mode & mCallbacks) ? TReadMemoryEvent{&OnRead, nullptr} : TReadMemoryEvent{};
        m.OnWriteMemory = (mode & (mCallbacks | mWriteOnly)) ? TWriteMemoryEvent{&OnWrite, nullptr} : TWriteMemoryEvent{};
        Options().DerivatedSoundWave = true;
        if (mode & mSound) m.StartSoundRecording();
        else m.StopSoundRecording();
        m.LCDDriver->SetShowStableImageOnly(mode & mStable);
        m.IO.FInputMatrix = (mode & mInputs) ? TInputMatrix{0, 5, 0, 2} : TInputMatrix{};
        m.IO.FBeta = (mode & mInputs) != 0;
        m.SetFullRun(mode & (mPaced | mUnpaced));
        m.SetFullRunCyclesPerSecond((mode & mPaced) ? 1000 : 0);
        if (mode & mReset) m.Reset(); // the rate goes back to 16384
    };
    apply(Mode);
    THash h;
    for (int i = 1; i <= Steps; ++i) {
        if (Mode & mSwitching && i % 3000 == 0) apply(Sequence[i / 3000 % std::size(Sequence)]);
        if (Which == 2 && i % 997 == 0) m.PC = static_cast<T11bits>((i * 7919) % ROMSize); // set PC, as a user may
        uint8_t op = 0xEE, operand = 0xEE;
        bool executed = false;
        try {
            executed = m.PerformOneCycle(op, operand);
        } catch (const EEmulatorError& e) {
            for (const char* c = e.what(); *c; ++c)
                h.Add(static_cast<uint8_t>(*c), 1);
        }
        h.Add(executed | op << 8 | operand << 16 | uint64_t{m.FPreviousOpcode} << 24 | uint64_t{m.PC} << 32);
        h.Add(m.Acc | m.DP << 8 | m.A << 16 | uint64_t{m.Page} << 32 | uint64_t{m.MSB} << 40 |
              uint64_t{m.Carry} << 48 | uint64_t{m.OneSecond} << 56);
        h.Add(m.T | m.HaltMode << 16 | m.IO.R << 24 | uint64_t{m.TD} << 32 | uint64_t{m.LD0} << 40);
        h.Add(m.CycleCount);
        h.Add(m.FullRunStartTickCount() | uint64_t{m.FullRunCycleCounter()} << 32);
        h.Add(static_cast<uint32_t>(m.AudioBufferPos()) |
              uint64_t{static_cast<uint16_t>(m.AudioBufferPos() > 0 ? m.AudioBuffer()[m.AudioBufferPos() - 1] : 0)} << 32);
        for (int k = 0; k < 9; ++k)
            h.Add(m.O[k] | m.O_[k] << 4 | m.LCDDriver->PreviousO()[k] << 8 | m.LCDDriver->PreviousO_()[k] << 12, 2);
        h.Add(static_cast<uint64_t>(m.LCDDriver->InstructionCountOfStableORegisters()));
        for (T4bits v : m.RAM)
            h.Add(v, 1);
        h.Add(log.H);
    }
    g_Log = nullptr;
    return h.H;
}

struct TGoldenCase {
    int Program;
    unsigned Mode;
    uint64_t Hash;
};

TEST(GoldenRunTest, EveryModeRunsAsTheCycleLoopDid) {
    TCoreEnvironment env;
    const TGoldenCase cases[] = {
        // clang-format off
        {0, mPlain, 0xE63103BA2FEAF7D8},
        {0, mCallbacks, 0xBA4AED039C6872BC},
        {0, mUnpaced, 0xE63103BA2FEAF7D8},
        {0, mPaced | mSound, 0x9C6DADAB9A877942},
        {0, mStable, 0x4D603BBC21BCDC81},
        {0, mSwitching, 0xF7B98BA2C216B513},
        {1, mPlain, 0xC6EFCA08BDB82EEE},
        {1, mCallbacks | mInputs, 0xDE5EC71CDA5E2CD7},
        {1, mUnpaced | mSound, 0x0BF63A00E48E118F},
        {1, mPaced, 0xD233A28F30546D0A},
        {1, mStable | mInputs, 0x753084CD596E1639},
        {1, mSwitching, 0x2023C8248F4315C8},
        {2, mPlain, 0x3020E9BF7205C756},
        {2, mCallbacks, 0xDBA05B8B82333907},
        {2, mUnpaced | mInputs, 0x82A0A530CDD39C32},
        {2, mPaced | mStable, 0xCD0647348E783BB7},
        {2, mSound, 0xAE16D6E5F66D2ADE},
        {2, mWriteOnly, 0x597387B4B83D6C22},
        {2, mSwitching, 0xBCBD8E759B5E854E},
        // clang-format on
    };
    for (const TGoldenCase& c : cases) {
        const uint64_t hash = RunGolden(c.Program, c.Mode, 60000);
        char text[80];
        std::snprintf(text, sizeof text, "program %d, mode %u: 0x%016" PRIX64, c.Program, c.Mode, hash);
        EXPECT_EQ(hash, c.Hash) << text;
    }
}

} // namespace
} // namespace tarvolin::test
