// The GUI benchmark: a ROM in the real window (offscreen), an unattended run with every update
// box ticked, and figures printed to standard output.
#pragma once

#include <string>

namespace tarvolin {

class TMainFrm;
struct TCommandLine;
class TSettings;
struct TMCUClass;

// What a benchmark runs: a game class (the custom game or one of the catalogue, whose LCD
// picture is then redrawn) with a ROM file.
struct TBenchGame {
    const TMCUClass* Class;
    std::string ROMFile;
};

struct TGuiBenchResult {
    double Seconds = 0;
    double CyclesPerSecond = 0;
    double HeadlessCyclesPerSecond = 0; // the same ROM on a bare MCU, no window, no pacing
    double LongestEventGapMs = 0;       // longest wait of a posted event
    double MeanEventGapMs = 0;
    uint64_t PanesDrawn = 0;
    uint64_t LCDRepaints = 0;
};

// Speed position 6 ("(full emulation speed)") for FullSpeed, else 3 (100 %). Throws
// std::runtime_error when the ROM cannot be loaded.
TGuiBenchResult RunGuiBenchmark(TMainFrm& Window, TSettings& Settings, const TBenchGame& Game, double Seconds,
                                bool FullSpeed);

// Runs the same ROM headless (full-run mode, no pacing) for about Seconds; returns machine
// cycles per second.
double HeadlessCyclesPerSecond(const TBenchGame& Game, double Seconds);

// The run control with a view that draws nothing, at full emulation speed: the share of the
// cost that is not the window's.
double ControllerCyclesPerSecond(const TBenchGame& Game, double Seconds);

// "tarvolin --gui-bench [GAME] ROM [SECONDS]", "tarvolin --gui-bench-pace [GAME] ROM [SECONDS]"
// (GAME: a catalogue game's short name; without it the ROM runs as the custom game) and
// "tarvolin --screenshot ROM IMAGEFILE [RUN_MILLISECONDS]" (the picture of the documentation),
// as parsed and checked by ParseCommandLine; argc and argv go to QApplication.
int GuiBenchMain(const TCommandLine& Line, int argc, char** argv);

} // namespace tarvolin
