// Long operations (a download, a check of many addresses) run while the window stays
// responsive: the window shows what runs with a progress indication and a Cancel button and
// keeps handling its events; the caller goes on when the operation has finished.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/task_progress.h"

namespace tarvolin {

class TTaskRunner {
public:
    virtual ~TTaskRunner() = default;
    // Runs Work and returns when it has finished. Work may run on another thread: it must not
    // touch the window or the debugger, only its own data and the progress object. Meanwhile
    // the window shows Title, a progress indication and Cancel, and the status texts of Work
    // in its status bar, which gets its text and colour back afterwards. An exception thrown
    // by Work is thrown again here.
    virtual void RunTask(const std::string& Title, const std::function<void(TTaskProgress&)>& Work) = 0;
};

// Runs the work at once on the calling thread (tests, and the debugger before a window
// exists). The status texts are kept; CancelAfterStatus cancels once that text was shown.
class TDirectTaskRunner : public TTaskRunner, private TTaskProgress {
public:
    std::vector<std::string> Titles;
    std::vector<std::string> StatusLog;
    std::string CancelAfterStatus;

    void RunTask(const std::string& Title, const std::function<void(TTaskProgress&)>& Work) override {
        Titles.push_back(Title);
        FCancelled = false;
        Work(*this);
    }

private:
    void Status(const std::string& Text) override {
        StatusLog.push_back(Text);
        if (!CancelAfterStatus.empty() && Text == CancelAfterStatus) FCancelled = true;
    }
    void Progress(uint64_t, uint64_t) override {}
    bool Cancelled() const override { return FCancelled; }

    bool FCancelled = false;
};

} // namespace tarvolin
