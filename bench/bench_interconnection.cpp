// The interconnection window's model: opening it for a game (a driver of its own, the picture
// decoded and every segment darkened) and sweeping the mouse along both pad strips and round
// the package, each pad and pin lit and darkened in turn.
#include <benchmark/benchmark.h>

#include "debugger/interconnection.h"
#include "games/game_classes.h"

using namespace tarvolin;

namespace {

class TNoWindow : public TInterconnectionView {
    void StripsChanged() override {}
    void PackageChanged() override {}
    void PanelsChanged() override {}
    void LCDImageChanged() override {}
};

void Open(benchmark::State& State, const TMCUClass* Game) {
    auto MCU = Game->Create(nullptr);
    TNoWindow View;
    for (auto _ : State) {
        TInterconnection W(View);
        W.Initialize(*MCU, 0xF0F0F0, false);
        benchmark::DoNotOptimize(W.LCDImage().Data());
    }
}

void Sweep(benchmark::State& State, const TMCUClass* Game) {
    auto MCU = Game->Create(nullptr);
    TNoWindow View;
    TInterconnection W(View);
    W.Initialize(*MCU, 0xF0F0F0, false);
    for (auto _ : State) {
        for (bool Upper : {false, true})
            for (int x = 0; x < 580; x += 5) W.StripMouseMove(Upper, x);
        W.StripMouseLeave();
        for (TMCUpin Pin = 1; Pin <= MCUpinCount; ++Pin) {
            const TRect r = W.MCUpinRects()[Pin];
            W.PackageMouseMove({r.Left + 1, r.Top + 1});
        }
        W.PackageMouseLeave();
        benchmark::DoNotOptimize(W.LCDImage().Data());
    }
}

} // namespace

BENCHMARK_CAPTURE(Open, MH06, &TMH06::Class)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Open, IM02, &TIM02::Class)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Sweep, MH06, &TMH06::Class)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Sweep, IM02, &TIM02::Class)->Unit(benchmark::kMillisecond);
