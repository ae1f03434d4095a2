// The run options of the machine's history and coverage: --back K steps back after the run
// (with --trace, one line per step back), --history-mb N its memory bound, and --coverage FILE
// the executed addresses with their counts.
#include <cinttypes>
#include <cstdio>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "base/safe_file.h"
#include "cli.h"
#include "core/history.h"
#include "core/mcu.h"
#include "core/trace.h"

namespace tarvolin::cli {
namespace {

struct THistoryOptions {
    uint64_t Back = 0;
    bool BackGiven = false;
    uint64_t LimitMB = TMachineHistory::DefaultLimitBytes >> 20;
    std::string CoverageFile;
    std::unique_ptr<TMachineHistory> History;
};
THistoryOptions& Settings() {
    static THistoryOptions s;
    return s;
}

void DefineHistoryOptions(CLI::App& Run) {
    THistoryOptions& s = Settings();
    AddCount(Run, "--back", "K", s.Back, UINT64_MAX / 2,
             "after the run, go K steps back through the machine's history (with --trace\n"
             "one line per step back, numbered N-1 down to N-K)")
        ->each([](const std::string&) { Settings().BackGiven = true; });
    AddCount(Run, "--history-mb", "N", s.LimitMB, 1u << 20, "memory bound of that history in MiB (default 64)")
        ->each([](const std::string& Value) {
            if (Value.find_first_not_of('0') == std::string::npos) throw EUsageError("--history-mb takes at least 1");
        });
    AddOutputFile(Run, "--coverage", "FILE", s.CoverageFile,
                  "write the executed addresses: one line \"ADR COUNT\" per address (three hex\n"
                  "digits in ascending order, the count in decimal)");
}

void HistoryAfterStep(TSHARP_SM5A_MCU& MCU) {
    if (Settings().History) Settings().History->CountStep(MCU);
}

void HistoryAfterCreate(TSHARP_SM5A_MCU& MCU) {
    THistoryOptions& s = Settings();
    if (!s.CoverageFile.empty()) MCU.SetTrackCoverage(true);
    if (s.BackGiven) {
        s.History = std::make_unique<TMachineHistory>(static_cast<size_t>(s.LimitMB) << 20);
        s.History->Start(MCU);
    }
}

void HistoryAfterSteps(TSHARP_SM5A_MCU& MCU, uint64_t Steps, bool Trace, std::string& Out) {
    THistoryOptions& s = Settings();
    if (!s.History || s.Back == 0) return;
    // State 0 has no trace line, so the steps back end at state 1 at the earliest.
    if (s.Back >= Steps)
        throw EUsageError("--back " + std::to_string(s.Back) + " needs more than " + std::to_string(Steps) +
                          " steps forward (--steps)");
    if (s.History->OldestStep() > Steps - s.Back)
        throw EFailure("the history holds the last " + std::to_string(Steps - s.History->OldestStep()) +
                       " steps only; raise --history-mb to go back " + std::to_string(s.Back));
    for (uint64_t k = 1; k <= s.Back; ++k) {
        const TStepResult r = s.History->GoTo(MCU, Steps - k);
        if (Trace) Out += FormatTraceLine(Steps - k, MCU, r);
    }
}

// One line per executed address, in ascending order: three hex digits, a space, the count.
void CoverageAfterRun(TSHARP_SM5A_MCU& MCU, std::ostream&) {
    const THistoryOptions& s = Settings();
    if (s.CoverageFile.empty()) return;
    std::string Text;
    char Line[32];
    for (int a = 0; a < ROMSize; ++a) {
        const uint32_t n = MCU.ExecutionCount(static_cast<T11bits>(a));
        if (!n) continue;
        std::snprintf(Line, sizeof Line, "%03X %" PRIu32 "\n", static_cast<unsigned>(a), n);
        Text += Line;
    }
    try {
        WriteFileReplacing(s.CoverageFile, Text);
    } catch (const std::exception& e) {
        throw EFailure(e.what());
    }
}

const TRunExtensionRegistration RunHistoryExtension(
    {&DefineHistoryOptions, &HistoryAfterCreate, &CoverageAfterRun, &HistoryAfterStep, &HistoryAfterSteps});

} // namespace
} // namespace tarvolin::cli
