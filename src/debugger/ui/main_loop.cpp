#include "debugger/ui/main_loop.h"

#include <exception>

#include "debugger/debugger.h"

namespace tarvolin {

TMainLoop::TMainLoop(TPrompter& ErrorPrompter, QObject* Parent) : QObject(Parent), FErrorPrompter(ErrorPrompter) {
    FTimer.setInterval(0);
    connect(&FTimer, &QTimer::timeout, this, &TMainLoop::OnIdle);
}

bool TMainLoop::IsDeferring() const { return FDebugger && FDebugger->Run().IsFullRun() && FTimer.isActive(); }

void TMainLoop::Ensure() {
    if (FDebugger && !FDebugger->Run().IsStopped() && !FTimer.isActive()) {
        FLastDeferredDraw.start();
        FTimer.start();
    }
}

void TMainLoop::Stop() { FTimer.stop(); }

void TMainLoop::OnIdle() {
    // A message box shown from inside a slice runs its own event loop, which fires this timer
    // again: the instruction under way must finish before the next one starts.
    if (FInSlice) {
        FTimer.stop(); // restarted when the slice ends
        return;
    }
    if (!FDebugger || FDebugger->Run().IsStopped()) {
        FTimer.stop();
        FlushDeferredDrawing(true);
        return;
    }
    QElapsedTimer slice;
    slice.start();
    bool running = false;
    FInSlice = true;
    struct TLeave {
        bool& Flag;
        ~TLeave() { Flag = false; }
    } leave{FInSlice};
    try {
        // The clock is read between batches of instructions: large batches at full speed, where
        // reading it would cost as much as the instructions, small ones when the run is paced
        // to a real-time rate and a batch itself may wait.
        TRunControl& Run = FDebugger->Run();
        const bool paced = SpeedFactors[size_t(Run.SpeedFactor())].CyclesPerSecond != 0;
        const uint32_t batch = paced ? 64 : 4096;
        do {
            running = Run.RunSlice(batch);
        } while (running && slice.nsecsElapsed() < FSliceNanoseconds);
        // The slice's buzzer goes to the audio output.
        FDebugger->LiveSound().Frame();
    } catch (const std::exception& e) {
        running = !FDebugger->Run().IsStopped();
        FlushDeferredDrawing(true);
        FErrorPrompter.Error(e.what());
    }
    FlushDeferredDrawing(!running);
    if (!running)
        FTimer.stop();
    else if (!FTimer.isActive())
        FTimer.start();
}

void TMainLoop::FlushDeferredDrawing(bool Force) {
    // During full runs the panes are redrawn at most every 40 ms: the screen shows no more,
    // and the emulation keeps the time.
    if (!Force && FLastDeferredDraw.isValid() && FLastDeferredDraw.elapsed() < 40) return;
    FLastDeferredDraw.start();
    for (TDeferredDrawing* View : FDeferred) View->FlushDeferred();
}

} // namespace tarvolin
