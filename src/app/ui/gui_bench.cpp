#include "app/ui/gui_bench.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "persist/settings.h"
#include "core/mcu.h"
#include "games/game_catalogue.h"
#include "debugger/debugger.h"
#include "debugger/null_view.h"
#include "debugger/ui/lcd_image_widget.h"
#include "debugger/ui/main_frm.h"

namespace tarvolin {

namespace {

// Posts an event to itself and, on its arrival, measures how long it waited and posts the next.
class TEventLatencyProbe : public QObject {
public:
    void Start() {
        FRunning = true;
        Post();
    }
    void Stop() { FRunning = false; }
    double LongestMs() const { return FLongestNs / 1e6; }
    double MeanMs() const { return FCount ? FTotalNs / 1e6 / FCount : 0; }

protected:
    void customEvent(QEvent*) override {
        const qint64 waited = FClock.nsecsElapsed();
        FLongestNs = std::max(FLongestNs, waited);
        FTotalNs += waited;
        ++FCount;
        if (FRunning) Post();
    }

private:
    void Post() {
        FClock.start();
        QCoreApplication::postEvent(this, new QEvent(QEvent::User));
    }
    QElapsedTimer FClock;
    qint64 FLongestNs = 0;
    double FTotalNs = 0;
    uint64_t FCount = 0;
    bool FRunning = false;
};

// Prints every question and answers it without a dialog.
class TConsolePrompter : public TPrompter {
public:
    TMessageResult Message(TMessageKind, const std::string& Text, TMessageButtons Buttons) override {
        std::fprintf(stderr, "%s\n", Text.c_str());
        return Buttons == TMessageButtons::YesNo || Buttons == TMessageButtons::YesNoCancel ? TMessageResult::Yes
                                                                                              : TMessageResult::OK;
    }
    bool Input(TInputDialog&) override { return false; }
    bool OpenFile(const TFileDialog&, std::string&) override { return false; }
    bool SaveFile(const TFileDialog&, std::string&) override { return false; }
};

std::string ReadFile(const std::string& Name) {
    std::ifstream in(Name, std::ios::binary);
    if (!in) throw std::runtime_error("Cannot open \"" + Name + "\".");
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Loads the game the way the Game menu does, its ROM file taken as remembered.
void LoadBenchGame(TDebugger& d, TSettings& Settings, const TBenchGame& Game) {
    bool loaded = false;
    if (Game.Class->IsCustomGame()) {
        loaded = d.Loading().LoadGame(Game.Class, Game.ROMFile);
    } else {
        Settings.SetROMFile(Game.Class->ShortGameName(), Game.ROMFile);
        loaded = d.Loading().LoadGame(Game.Class);
    }
    if (!loaded || !d.IsGameLoaded()) throw std::runtime_error("Cannot load \"" + Game.ROMFile + "\".");
}

} // namespace

double ControllerCyclesPerSecond(const TBenchGame& Game, double Seconds) {
    TNullDebuggerView view;
    TConsolePrompter prompter;
    TMemorySettingsStore store;
    TSettings settings(store);
    TDebugger d(view, prompter, settings);
    d.Initialize();
    LoadBenchGame(d, settings, Game);
    d.Run().SetSpeedFactor(6);
    const uint64_t before = d.MCU()->CycleCount;
    const auto start = std::chrono::steady_clock::now();
    double elapsed = 0;
    d.Run().UnattendedRun();
    while (elapsed < Seconds && !d.Run().IsStopped()) {
        d.Run().RunSlice(65536);
        elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    return (d.MCU()->CycleCount - before) / elapsed;
}

double HeadlessCyclesPerSecond(const TBenchGame& Game, double Seconds) {
    std::istringstream rom(ReadFile(Game.ROMFile));
    std::unique_ptr<TSHARP_SM5A_MCU> mcu = Game.Class->Create(&rom);
    // As in an unattended run at full emulation speed: full-run mode without pacing, so a halt
    // lasts its real number of cycles as it does in the window.
    mcu->SetFullRunCyclesPerSecond(0);
    mcu->SetFullRun(true);
    uint8_t op = 0, operand = 0;
    const auto start = std::chrono::steady_clock::now();
    double elapsed = 0;
    do {
        for (int i = 0; i < 20000; ++i) mcu->PerformOneCycle(op, operand);
        elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    } while (elapsed < Seconds);
    return mcu->CycleCount / elapsed;
}

TGuiBenchResult RunGuiBenchmark(TMainFrm& Window, TSettings& Settings, const TBenchGame& Game, double Seconds,
                                bool FullSpeed) {
    TDebugger& d = Window.Debugger();
    LoadBenchGame(d, Settings, Game);
    for (TPane p : {pnDisAsm, pnRegisters, pnRAM, pnLCDRegisters}) d.Run().SetUpdateCheckBox(p, true);
    d.Run().SetSpeedFactor(FullSpeed ? 6 : DefaultSpeedFactor);
    QCoreApplication::processEvents();

    TGuiBenchResult r;
    const uint64_t drawsBefore = Window.DrawPanesCount();
    const uint64_t lcdBefore = Window.Panes()->LCDImage->RepaintCount();
    const uint64_t cyclesBefore = d.MCU()->CycleCount;
    TEventLatencyProbe probe;
    QElapsedTimer clock;
    clock.start();
    Window.Command([&] { d.Run().UnattendedRun(); });
    probe.Start();
    QTimer::singleShot(static_cast<int>(Seconds * 1000), Qt::PreciseTimer, &Window, [&] {
        probe.Stop();
        Window.Command([&] { d.Run().Pause(); });
        r.Seconds = clock.nsecsElapsed() / 1e9;
        r.CyclesPerSecond = (d.MCU()->CycleCount - cyclesBefore) / r.Seconds;
        QCoreApplication::exit(0);
    });
    QCoreApplication::exec();
    r.LongestEventGapMs = probe.LongestMs();
    r.MeanEventGapMs = probe.MeanMs();
    r.PanesDrawn = Window.DrawPanesCount() - drawsBefore;
    r.LCDRepaints = Window.Panes()->LCDImage->RepaintCount() - lcdBefore;
    return r;
}

int ScreenshotMain(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: tarvolin --screenshot ROMFILE PNGFILE [RUN_MILLISECONDS]\n");
        return 2;
    }
    const std::string rom = argv[2];
    const QString png = QString::fromLocal8Bit(argv[3]);
    const int runMs = argc > 4 ? std::atoi(argv[4]) : 700;
    QApplication app(argc, argv);
    TMemorySettingsStore store;
    TSettings settings(store);
    TConsolePrompter prompter;
    TMainFrm window(settings);
    window.SetPrompterOverride(&prompter);
    window.show();
    TDebugger& d = window.Debugger();
    if (!d.Loading().LoadGame(&TSHARP_SM5A_MCU::Class, rom)) return 1;
    // Run a little so the LCD shows the program's output, stop, then take two single steps so
    // the panes show what an ordinary debugging session shows (changed values in red).
    window.Command([&] { d.Run().UnattendedRun(); });
    QTimer::singleShot(runMs, Qt::PreciseTimer, &window, [&] {
        window.Command([&] { d.Run().Pause(); });
        window.Command([&] { d.Run().TraceInto(); });
        window.Command([&] { d.Run().TraceInto(); });
        QTimer::singleShot(300, &window, [&] {
            const bool ok = window.grab().save(png);
            std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(png));
            QCoreApplication::exit(ok ? 0 : 1);
        });
    });
    return app.exec();
}

int GuiBenchMain(int argc, char** argv) {
    const std::string mode = argv[1];
    if (mode == "--screenshot") return ScreenshotMain(argc, argv);
    // [GAME] ROM [SECONDS]: a first argument that names a catalogue game, followed by a ROM.
    int next = 2;
    TBenchGame game{&TSHARP_SM5A_MCU::Class, {}};
    if (argc > 3) {
        if (const TMCUClass* cls = FindGameClass(argv[2]); cls && !cls->IsCustomGame()) {
            game.Class = cls;
            ++next;
        }
    }
    if (argc <= next) {
        std::fprintf(stderr, "usage: tarvolin %s [GAME] ROMFILE [SECONDS]\n", mode.c_str());
        return 2;
    }
    const bool fullSpeed = mode == "--gui-bench";
    game.ROMFile = std::filesystem::absolute(argv[next]).string();
    const double seconds = argc > next + 1 ? std::atof(argv[next + 1]) : (fullSpeed ? 5.0 : 10.0);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TMemorySettingsStore store; // the benchmark leaves the user's settings alone
    TSettings settings(store);
    TConsolePrompter prompter;
    TMainFrm window(settings);
    window.SetPrompterOverride(&prompter);
    window.show();
    QCoreApplication::processEvents();
    try {
        const TGuiBenchResult r = RunGuiBenchmark(window, settings, game, seconds, fullSpeed);
        if (fullSpeed) {
            const double headless = HeadlessCyclesPerSecond(game, std::min(seconds, 3.0));
            const double controller = ControllerCyclesPerSecond(game, std::min(seconds, 3.0));
            std::printf("GUI unattended run of %s at (full emulation speed), all update boxes ticked, %.2f s\n",
                        game.Class->ShortGameName().c_str(), r.Seconds);
            std::printf("  machine cycles per second (GUI):      %.0f\n", r.CyclesPerSecond);
            std::printf("  machine cycles per second (headless): %.0f\n", headless);
            std::printf("  machine cycles per second (run control without a window): %.0f\n", controller);
            std::printf("  GUI / headless:                       %.2f\n", r.CyclesPerSecond / headless);
            std::printf("  run control / headless:               %.2f\n", controller / headless);
            std::printf("  longest posted-event wait:            %.2f ms (mean %.3f ms)\n", r.LongestEventGapMs,
                        r.MeanEventGapMs);
            std::printf("  pane refreshes requested / LCD repaints: %llu / %llu\n",
                        static_cast<unsigned long long>(r.PanesDrawn), static_cast<unsigned long long>(r.LCDRepaints));
        } else {
            const double dev = (r.CyclesPerSecond - 16384.0) / 16384.0 * 100.0;
            std::printf("GUI unattended run at 100%%, %.2f s\n", r.Seconds);
            std::printf("  machine cycles per second: %.1f (target 16384, deviation %+.3f %%)\n", r.CyclesPerSecond, dev);
            std::printf("  longest posted-event wait: %.2f ms\n", r.LongestEventGapMs);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

} // namespace tarvolin
