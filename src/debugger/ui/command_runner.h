// How the views run a command of the debugger: errors end in an error box, and a command
// that started a run starts the main loop.
#pragma once

#include <functional>

namespace tarvolin {

class TCommandRunner {
public:
    virtual ~TCommandRunner() = default;
    virtual void RunCommand(const std::function<void()>& Action) = 0;
};

} // namespace tarvolin
