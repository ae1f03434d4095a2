// Machine cycles per second of an unattended run driven by the debugger controller (idle
// loop, breakpoint handlers, pane refresh every 256 timer ticks) against the bare core.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "base/options.h"
#include "base/tick_source.h"
#include "base/safe_file.h"
#include "persist/settings.h"
#include "core/mcu.h"
#include "core/step_tables.h"
#include "debugger/debugger.h"
#include "debugger/null_view.h"
#include "lcd/lcd_driver.h"

namespace tarvolin {
namespace {

class TNullPrompter : public TPrompter {
public:
    TMessageResult Message(TMessageKind, const std::string&, TMessageButtons) override { return TMessageResult::Cancel; }
    bool Input(TInputDialog&) override { return false; }
    bool OpenFile(const TFileDialog&, std::string&) override { return false; }
    bool SaveFile(const TFileDialog&, std::string&) override { return false; }
};

// A loop that reads and writes RAM and the LCD registers:
// 3C0 LAX 5; 3C1 LB 0; 3C2 EXC; 3C3 ADX 1; 3C4 ADD; 3C5 TW; 3C6 TR 3C1.
std::string BenchROM() {
    std::array<uint8_t, ROMSize> Exec{};
    const uint8_t Code[] = {0x25, 0x40, 0x10, 0x31, 0x08, 0x5C, static_cast<uint8_t>(0x80 | StepIndexToCode[1])};
    for (size_t i = 0; i < sizeof Code; ++i) Exec[0x3C0 + i] = Code[i];
    std::string Chip(ROMSize, '\0');
    for (int p = 0; p < ROMSize / 64; ++p)
        for (int k = 0; k < 63; ++k) Chip[size_t(p * 64 + StepIndexToCode[size_t(k)])] = static_cast<char>(Exec[size_t(p * 64 + k)]);
    return Chip;
}

void BM_CorePerformOneCycle(benchmark::State& State) {
    std::istringstream Stream(BenchROM());
    auto MCU = TSHARP_SM5A_MCU::Class.Create(&Stream);
    MCU->SetFullRunCyclesPerSecond(0);
    MCU->SetFullRun(true);
    MCU->LCDDriver->SetShowStableImageOnly(true);
    const uint64_t Start = MCU->CycleCount;
    for (auto _ : State) {
        uint8_t Opcode = 0, Operand = 0;
        for (int i = 0; i < 4096; ++i) MCU->PerformOneCycle(Opcode, Operand);
    }
    State.counters["cycles/s"] = benchmark::Counter(double(MCU->CycleCount - Start), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CorePerformOneCycle);

// The idle loop of an unattended run at "(full emulation speed)" with every update box ticked,
// returning to the caller every 4096 instructions.
void BM_DebuggerUnattendedRun(benchmark::State& State) {
    TMemorySettingsStore Store;
    TSettings Settings(Store);
    TNullDebuggerView View;
    TNullPrompter Prompter;
    TDebugger Debugger(View, Prompter, Settings);
    Debugger.Initialize();
    // Loaded the way LoadGame does once the ROM is read.
    // In a folder of its own (mkdtemp), so no file planted under a fixed name in /tmp is
    // followed or replaced.
    std::string Folder = (std::filesystem::temp_directory_path() / "tarvolin_bench_XXXXXX").string();
    if (!::mkdtemp(Folder.data())) {
        State.SkipWithError("cannot make a temporary folder");
        return;
    }
    const std::string Path = Folder + "/debugger.rom";
    WriteFileReplacing(Path, BenchROM());
    if (!Debugger.Loading().LoadGame(&TSHARP_SM5A_MCU::Class, Path)) {
        State.SkipWithError("cannot load the benchmark ROM");
        return;
    }
    Debugger.Run().SetSpeedFactor(6);
    Debugger.Run().UnattendedRun();
    const uint64_t Start = Debugger.MCU()->CycleCount;
    for (auto _ : State) {
        Debugger.Run().RunSlice(4096);
    }
    State.counters["cycles/s"] =
        benchmark::Counter(double(Debugger.MCU()->CycleCount - Start), benchmark::Counter::kIsRate);
    std::remove(Path.c_str());
    ::rmdir(Folder.c_str());
}
BENCHMARK(BM_DebuggerUnattendedRun);

// The same run with the machine's history (arg 0) and the coverage marks with the last
// writers (arg 1) switched on or off: what each costs an unattended run.
void BM_DebuggerRunWithHistoryAndCoverage(benchmark::State& State) {
    const TOptions Saved = Options();
    Options().KeepHistory = State.range(0) != 0;
    Options().TrackCoverage = State.range(1) != 0;
    TMemorySettingsStore Store;
    TSettings Settings(Store);
    TNullDebuggerView View;
    TNullPrompter Prompter;
    TDebugger Debugger(View, Prompter, Settings);
    Debugger.Initialize();
    const std::string Path = "/tmp/tarvolin_bench_history.rom";
    {
        std::ofstream(Path, std::ios::binary) << BenchROM();
    }
    if (!Debugger.Loading().LoadGame(&TSHARP_SM5A_MCU::Class, Path)) {
        State.SkipWithError("cannot load the benchmark ROM");
        Options() = Saved;
        return;
    }
    Debugger.Run().SetSpeedFactor(6);
    Debugger.Run().UnattendedRun();
    const uint64_t Start = Debugger.MCU()->CycleCount;
    for (auto _ : State) Debugger.Run().RunSlice(4096);
    State.counters["cycles/s"] =
        benchmark::Counter(double(Debugger.MCU()->CycleCount - Start), benchmark::Counter::kIsRate);
    std::remove(Path.c_str());
    Options() = Saved;
}
BENCHMARK(BM_DebuggerRunWithHistoryAndCoverage)->ArgNames({"history", "coverage"})->ArgsProduct({{0, 1}, {0, 1}});

// The bare core with and without counting executions and RAM writers.
void BM_CoreWithCoverage(benchmark::State& State) {
    std::istringstream Stream(BenchROM());
    auto MCU = TSHARP_SM5A_MCU::Class.Create(&Stream);
    MCU->SetFullRunCyclesPerSecond(0);
    MCU->SetFullRun(true);
    MCU->LCDDriver->SetShowStableImageOnly(true);
    MCU->SetTrackCoverage(State.range(0) != 0);
    MCU->SetTrackWrites(State.range(0) != 0);
    const uint64_t Start = MCU->CycleCount;
    for (auto _ : State) {
        uint8_t Opcode = 0, Operand = 0;
        for (int i = 0; i < 4096; ++i) MCU->PerformOneCycle(Opcode, Operand);
    }
    State.counters["cycles/s"] = benchmark::Counter(double(MCU->CycleCount - Start), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CoreWithCoverage)->ArgName("coverage")->Arg(0)->Arg(1);


// A clock that never waits, so that a paced run shows the work it does per machine cycle.
class TInstantClock : public TTickSource {
public:
    uint32_t Now = 1;
    uint32_t GetTickCount() override { return Now; }
    void Sleep(uint32_t Milliseconds) override { Now += Milliseconds; }
};

// An audio device that takes every sample at once.
class TSwallowingOutput : public TAudioOutput {
public:
    TAudioRing* Ring = nullptr;
    uint32_t Open(TAudioRing& R, std::string&) override {
        Ring = &R;
        return 48000;
    }
    void Close() override {}
    void Drain() {
        int16_t Buffer[4096];
        if (Ring)
            while (Ring->Read(Buffer, 4096) == 4096) {
            }
    }
};

// The idle loop with the live sound: Arg 0 is the speed position (3 = 100 %, paced on a clock
// that never waits; 6 = full emulation speed), Arg 1 whether the sound plays (at full speed
// with the mute at full speed switched off). Each iteration is one slice of 4096 instructions
// followed by the slice's sound going to the device.
void BM_DebuggerRunWithLiveSound(benchmark::State& State) {
    TMemorySettingsStore Store;
    TSettings Settings(Store);
    TNullDebuggerView View;
    TNullPrompter Prompter;
    const TOptions Saved = Options();
    Options().LiveSound = State.range(1) != 0;
    Options().MuteLiveSoundAtFullSpeed = false;
    TDebugger Debugger(View, Prompter, Settings);
    TSwallowingOutput Output;
    Debugger.LiveSound().SetAudioOutput(&Output);
    Debugger.Initialize();
    const std::string Path = "/tmp/tarvolin_bench_live_sound.rom";
    {
        std::ofstream(Path, std::ios::binary) << BenchROM();
    }
    if (!Debugger.Loading().LoadGame(&TSHARP_SM5A_MCU::Class, Path)) {
        State.SkipWithError("cannot load the benchmark ROM");
        return;
    }
    TInstantClock Clock;
    Debugger.MCU()->SetTickSource(&Clock);
    Debugger.Run().SetSpeedFactor(static_cast<int>(State.range(0)));
    Debugger.Run().UnattendedRun();
    if (Debugger.LiveSound().IsPlaying() != (State.range(1) != 0)) State.SkipWithError("the sound did not follow");
    const uint64_t Start = Debugger.MCU()->CycleCount;
    for (auto _ : State) {
        Debugger.Run().RunSlice(4096);
        Debugger.LiveSound().Frame();
        Output.Drain();
    }
    State.counters["cycles/s"] =
        benchmark::Counter(double(Debugger.MCU()->CycleCount - Start), benchmark::Counter::kIsRate);
    Debugger.Run().Pause();
    Debugger.LiveSound().SetAudioOutput(nullptr);
    Options() = Saved;
    std::remove(Path.c_str());
}
BENCHMARK(BM_DebuggerRunWithLiveSound)->ArgNames({"speed", "sound"})->Args({3, 0})->Args({3, 1})->Args({6, 0})->Args({6, 1});

} // namespace
} // namespace tarvolin
