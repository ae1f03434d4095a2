// What a long operation (a download, a check of many addresses) reports while it runs, and
// how it learns that the user wants it to stop. The operation may run on a thread of its own;
// implementations pass the reports to the window's thread.
#pragma once

#include <cstdint>
#include <string>

namespace tarvolin {

class TTaskProgress {
public:
    virtual ~TTaskProgress() = default;
    // A status text for the window's status bar ("Downloading ROM...").
    virtual void Status(const std::string& Text) = 0;
    // Bytes done so far of Total (0 = unknown).
    virtual void Progress(uint64_t Done, uint64_t Total) = 0;
    // True once the user asked to stop; the operation then ends as soon as it can.
    virtual bool Cancelled() const = 0;
};

// Reports go nowhere and nothing is ever cancelled.
class TSilentProgress : public TTaskProgress {
public:
    void Status(const std::string&) override {}
    void Progress(uint64_t, uint64_t) override {}
    bool Cancelled() const override { return false; }
};

} // namespace tarvolin
