// Speed of the LCD driver: recolouring the scene when O and O' change.
//
// Full-screen toggle: every one of the 72 segment bits (36 of O, 36 of O') goes from off to on
// or back, so each refresh recolours every segment of the picture in one pass per direction.
// The reported time is per refresh.
#include <benchmark/benchmark.h>

#include <memory>

#include "core/mcu.h"
#include "lcd/lcd_driver.h"

using namespace tarvolin;

namespace {

void BM_FullScreenToggle_GenericImage(benchmark::State& State) {
    auto Driver = TGenericLCDDriver::Class.Create(SHARP_SM5A_Chip.COMtoMCUpin, SHARP_SM5A_Chip.ObitToMCUpin);
    TRaster Scene;
    Driver->AssignBitmapContainer(&Scene, clBtnFace, 4, false);
    TORegister On, Off{};
    On.fill(0xF);
    bool Lit = false;
    for (auto _ : State) {
        Lit = !Lit;
        Driver->RefreshBitmap(Lit ? On : Off, Lit ? On : Off, false);
        benchmark::DoNotOptimize(Scene.Data());
    }
    State.counters["pixels"] = double(Scene.Width()) * Scene.Height();
    State.SetItemsProcessed(int64_t(State.iterations()));
}
BENCHMARK(BM_FullScreenToggle_GenericImage)->Unit(benchmark::kMicrosecond);

// The common path of the stable-image filter: an instruction that wrote nothing to the LCD.
void BM_OnInstruction_NoLCDWrite(benchmark::State& State) {
    auto Driver = TGenericLCDDriver::Class.Create(SHARP_SM5A_Chip.COMtoMCUpin, SHARP_SM5A_Chip.ObitToMCUpin);
    TRaster Scene;
    Driver->AssignBitmapContainer(&Scene, clBtnFace, 4, false);
    Driver->SetShowStableImageOnly(State.range(0) != 0);
    TORegister O{}, O_{};
    for (auto _ : State) {
        Driver->OnInstruction(O, O_, false, false);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_OnInstruction_NoLCDWrite)->Arg(0)->Arg(1)->Unit(benchmark::kNanosecond);

} // namespace
