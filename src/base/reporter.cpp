#include "base/reporter.h"

#include <cstdio>

namespace tarvolin {

namespace {

// Prints every message to standard error, one line per message.
class TStdErrReporter : public TMessageReporter {
public:
    void ShowError(const std::string& Text) override { std::fprintf(stderr, "Error: %s\n", Text.c_str()); }
    void ShowWarning(const std::string& Text) override {
        std::fprintf(stderr, "Warning: %s\n", Text.c_str());
    }
};

TStdErrReporter& DefaultReporter() {
    static TStdErrReporter reporter;
    return reporter;
}

TMessageReporter* g_Reporter = nullptr;

} // namespace

TMessageReporter& MessageReporter() {
    return g_Reporter ? *g_Reporter : DefaultReporter();
}

TMessageReporter* SetMessageReporter(TMessageReporter* Reporter) {
    TMessageReporter* previous = g_Reporter ? g_Reporter : &DefaultReporter();
    g_Reporter = Reporter;
    return previous;
}

} // namespace tarvolin
