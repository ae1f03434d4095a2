// The main loop of runs: a zero-interval timer that hands the run control slices of a few
// milliseconds and returns to the event loop in between. During full runs the views defer
// their drawing and the loop lets them catch up at most every 40 ms.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <vector>

namespace tarvolin {

class TDebugger;
class TPrompter;

// A view that draws less often than it is asked to while a full run goes on.
class TDeferredDrawing {
public:
    virtual ~TDeferredDrawing() = default;
    virtual void FlushDeferred() = 0;
};

class TMainLoop : public QObject {
    Q_OBJECT
public:
    TMainLoop(TPrompter& ErrorPrompter, QObject* Parent);
    void SetDebugger(TDebugger* Debugger) { FDebugger = Debugger; }
    void AddDeferredDrawing(TDeferredDrawing& View) { FDeferred.push_back(&View); }

    // Starts the loop when a run goes on and it is not running yet.
    void Ensure();
    void Stop();
    bool IsActive() const { return FTimer.isActive(); }
    // True while views should defer their drawing to the loop (a full run in the loop).
    bool IsDeferring() const;
    void SetSliceMilliseconds(int Milliseconds) { FSliceNanoseconds = int64_t(Milliseconds) * 1000000; }

private:
    void OnIdle();
    void FlushDeferredDrawing(bool Force);

    TPrompter& FErrorPrompter;
    TDebugger* FDebugger = nullptr;
    std::vector<TDeferredDrawing*> FDeferred;
    QTimer FTimer;
    int64_t FSliceNanoseconds = 8 * 1000000;
    bool FInSlice = false;
    QElapsedTimer FLastDeferredDraw;
};

} // namespace tarvolin
