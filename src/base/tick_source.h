// Millisecond clock and sleep used by real-time pacing; replaceable so tests need not wait.
#pragma once

#include <cstdint>

namespace tarvolin {

class TTickSource {
public:
    virtual ~TTickSource() = default;
    // A free-running 32-bit millisecond counter (wraps around).
    virtual uint32_t GetTickCount() = 0;
    virtual void Sleep(uint32_t Milliseconds) = 0;
};

// steady_clock and this_thread::sleep_for.
TTickSource& SystemTickSource();

} // namespace tarvolin
