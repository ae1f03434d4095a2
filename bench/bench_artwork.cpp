// Attaching a picture: the built-in image against user artwork (the same picture and points,
// exported to a folder, so the artwork is read, decoded and checked on every attach). The
// "ms_per_attach" counter is the processor time of one attach in milliseconds.
#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "base/resources.h"
#include "core/mcu.h"
#include "games/game_lcd_drivers.h"
#include "lcd/lcd_artwork.h"
#include "lcd/lcd_driver.h"
#include "lcd/raster.h"

using namespace tarvolin;

namespace {

void Attach(benchmark::State& State, bool UserArtwork) {
    auto Driver = TMH06LCDDriver::Class.Create(SHARP_SM5A_Chip.COMtoMCUpin, SHARP_SM5A_Chip.ObitToMCUpin);
    const std::filesystem::path Folder =
        std::filesystem::temp_directory_path() / ("tarvolin_bench_artwork_" + std::to_string(::getpid()));
    std::filesystem::create_directories(Folder);
    const auto Png = FindResource(Driver->LCDResourceName());
    std::ofstream(Folder / "MH06_LCD.png", std::ios::binary).write(reinterpret_cast<const char*>(Png->Data),
                                                                    std::streamsize(Png->Size));
    std::ofstream(Folder / "MH06_LCD.points") << FormatArtworkPoints(*Driver);
    SetArtworkFolder(UserArtwork ? Folder : std::filesystem::path());
    TRaster Scene;
    const std::clock_t Start = std::clock();
    for (auto _ : State) {
        Driver->AssignBitmapContainer(&Scene, clBtnFace, 4, false);
        if (UserArtwork && Driver->ArtworkFile().empty()) State.SkipWithError("the artwork was not used");
        benchmark::DoNotOptimize(Scene.Data());
    }
    const double Seconds = static_cast<double>(std::clock() - Start) / CLOCKS_PER_SEC;
    State.counters["ms_per_attach"] = Seconds * 1e3 / static_cast<double>(State.iterations());
    SetArtworkFolder({});
    std::filesystem::remove_all(Folder);
}

} // namespace

BENCHMARK_CAPTURE(Attach, BuiltIn, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Attach, UserArtwork, true)->Unit(benchmark::kMillisecond);
