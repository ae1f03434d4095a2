// Recolouring a game picture: the whole screen on and off again (all 72 bits of O and O'),
// one RefreshBitmap per direction. The "us_per_refresh" counter is the processor time of one
// refresh in microseconds.
#include <benchmark/benchmark.h>

#include <ctime>

#include "core/mcu.h"
#include "games/game_catalogue.h"
#include "games/game_lcd_drivers.h"
#include "lcd/lcd_driver.h"
#include "lcd/raster.h"

using namespace tarvolin;

namespace {

void FullScreenToggle(benchmark::State& State, const TLCDDriverClass* Class) {
    const TChipVariant& Chip = *FirstGameListingLCDDriver(*Class)->Class->Chip;
    auto Driver = Class->Create(Chip.COMtoMCUpin, Chip.ObitToMCUpin);
    TRaster Scene;
    Driver->AssignBitmapContainer(&Scene, clBtnFace, 4, false);
    TORegister Off{}, On{};
    On.fill(0xF);
    const std::clock_t Start = std::clock();
    for (auto _ : State) {
        Driver->RefreshBitmap(On, On, false);
        Driver->RefreshBitmap(Off, Off, false);
        benchmark::DoNotOptimize(Scene.Data());
    }
    // Processor time per refresh, so that a busy machine does not inflate it.
    const double Seconds = static_cast<double>(std::clock() - Start) / CLOCKS_PER_SEC;
    State.counters["us_per_refresh"] = Seconds * 1e6 / (2.0 * static_cast<double>(State.iterations()));
}

} // namespace

BENCHMARK_CAPTURE(FullScreenToggle, MH06, &TMH06LCDDriver::Class)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FullScreenToggle, IM02, &TIM02LCDDriver::Class)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(FullScreenToggle, AC01, &TAC01LCDDriver::Class)->Unit(benchmark::kMicrosecond);
