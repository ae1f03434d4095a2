#include "base/tick_source.h"

#include <chrono>
#include <thread>

namespace tarvolin {

namespace {

class TSystemTickSource : public TTickSource {
public:
    uint32_t GetTickCount() override {
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
        return static_cast<uint32_t>(ms.count()); // wraps like a 32-bit tick counter
    }
    void Sleep(uint32_t Milliseconds) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(Milliseconds));
    }
};

} // namespace

TTickSource& SystemTickSource() {
    static TSystemTickSource source;
    return source;
}

} // namespace tarvolin
