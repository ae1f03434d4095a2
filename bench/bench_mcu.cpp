// Speed of the emulation core: machine cycles per second of PerformOneCycle on a program
// that keeps running with RAM traffic, skips, jumps, calls, returns and LCD writes.
#include <benchmark/benchmark.h>

#include <memory>

#include "core/mcu.h"
#include "core/step_tables.h"

using namespace tarvolin;

namespace {

// The short-jump opcode that reaches step index k of the current page.
uint8_t JumpTo(int k) {
    return static_cast<uint8_t>(0x80 | StepIndexToCode[k]);
}
uint8_t CallTo(int k) {
    return static_cast<uint8_t>(0xC0 | StepIndexToCode[k]);
}

std::unique_ptr<TSHARP_SM5A_MCU> MakeBusyMCU() {
    auto mcu = TSHARP_SM5A_MCU::Class.Create(nullptr);
    // Main loop in bank 0 page 15 (the reset page), written in execution order.
    const uint8_t main[] = {
        0x5F,      0x12, // 0: LBL  DP=0x12
        0x21,            // 2: LAX  1
        0x14,            // 3: EXCI (read + write, DPL++)
        0x08,            // 4: ADD
        0x10,            // 5: EXC
        0x0C,            // 6: SM   bit 0
        0x53,            // 7: TAM  (skips when equal)
        0x00,            // 8: SKIP
        0x5D,            // 9: DTW  (LCD write)
        0x62,            // 10: WR  (LCD write)
        CallTo(0),       // 11: TRS subroutine at bank 1 page 0 step 0
        0x09,            // 12: ADDC (skips on carry)
        0x00,            // 13
        0x35,            // 14: ADX 5 (skips on overflow)
        0x52,            // 15: TC
        0x5C,            // 16: TW  (LCD write)
        0x22,      0x23, // 17, 18: LAX chain (second load skipped)
        0x4D,            // 19: LB
        0x04,            // 20: RM  bit 0
        JumpTo(2),       // 21: TR back to step 2
    };
    for (size_t i = 0; i < sizeof main; ++i)
        mcu->ROM[0x3C0 + i] = main[i];
    const uint8_t sub[] = {
        0x18,       // LDA
        0x64,       // INCB
        0x1C,       // EXCD
        0x5F, 0x21, // LBL
        0x0F,       // SM bit 3
        0x6E,       // RTN
    };
    for (size_t i = 0; i < sizeof sub; ++i)
        mcu->ROM[0x400 + i] = sub[i];
    mcu->Reset();
    return mcu;
}

uint64_t g_Sink = 0;
void OnRead(void*, T7bits Addr, T4bits Value) {
    g_Sink += Addr + Value;
}
void OnWrite(void*, T7bits Addr, T4bits NewValue, T4bits Previous) {
    g_Sink += Addr ^ NewValue ^ Previous;
}

void Run(benchmark::State& state, bool callbacks, bool fullRun = false) {
    auto mcu = MakeBusyMCU();
    if (fullRun) {
        mcu->SetFullRun(true);
        mcu->SetFullRunCyclesPerSecond(0); // full speed: the pacing checks run, nothing waits
    }
    if (callbacks) {
        mcu->OnReadMemory = {&OnRead, nullptr};
        mcu->OnWriteMemory = {&OnWrite, nullptr};
    }
    uint8_t opcode = 0, operand = 0;
    const uint64_t start = mcu->CycleCount;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i)
            mcu->PerformOneCycle(opcode, operand);
        benchmark::DoNotOptimize(opcode);
    }
    const double cycles = static_cast<double>(mcu->CycleCount - start);
    state.counters["cycles_per_second"] = benchmark::Counter(cycles, benchmark::Counter::kIsRate);
    state.counters["cycles_per_call"] = cycles / (static_cast<double>(state.iterations()) * 1000.0);
    benchmark::DoNotOptimize(g_Sink);
}

void BM_PerformOneCycle(benchmark::State& state) {
    Run(state, false);
}
void BM_PerformOneCycle_RAMCallbacks(benchmark::State& state) {
    Run(state, true);
}

void BM_PerformOneCycle_UnpacedFullRun(benchmark::State& state) {
    Run(state, false, true);
}

} // namespace

BENCHMARK(BM_PerformOneCycle)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_PerformOneCycle_RAMCallbacks)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_PerformOneCycle_UnpacedFullRun)->Repetitions(5)->ReportAggregatesOnly(true);
