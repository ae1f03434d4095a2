#include "app/ui/gui_bench.h"

#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "app/ui/command_line.h"
#include "base/safe_file.h"
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

int ScreenshotMain(const TCommandLine& Line, int argc, char** argv) {
    const std::string& rom = Line.ROMFile;
    const std::string& image = Line.ImageFile;
    // Refused before anything is written: a file whose suffix is no image format, or the ROM.
    if (const QString refused = CheckScreenshotTarget(rom, image); !refused.isEmpty()) {
        std::fprintf(stderr, "tarvolin --screenshot: %s\n", qPrintable(refused));
        return 2;
    }
    const int runMs = Line.RunMilliseconds;
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
            // Encoded in memory first, then written through the safe writer: a failed write
            // leaves an existing file as it was.
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            const QByteArray format = QFileInfo(QString::fromStdString(image)).suffix().toLower().toLatin1();
            int code = 0;
            if (!window.grab().toImage().save(&buffer, format.constData())) {
                std::fprintf(stderr, "tarvolin --screenshot: cannot encode the picture as %s\n", format.constData());
                code = 1;
            } else {
                try {
                    WriteFileReplacing(image, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
                    std::printf("wrote %s\n", image.c_str());
                } catch (const std::exception& e) {
                    std::fprintf(stderr, "tarvolin --screenshot: %s\n", e.what());
                    code = 1;
                }
            }
            QCoreApplication::exit(code);
        });
    });
    return app.exec();
}

int GuiBenchMain(const TCommandLine& Line, int argc, char** argv) {
    if (Line.Mode == TCommandLine::TMode::Screenshot) return ScreenshotMain(Line, argc, argv);
    TBenchGame game{&TSHARP_SM5A_MCU::Class, {}};
    if (!Line.Game.empty()) game.Class = FindGameClass(Line.Game);
    const bool fullSpeed = Line.Mode == TCommandLine::TMode::GuiBench;
    game.ROMFile = std::filesystem::absolute(Line.ROMFile).string();
    const double seconds = Line.Seconds;
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
