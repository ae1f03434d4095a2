// The one channel through which the core shows messages that do not abort an operation
// (a ROM that could not be read in full, a ".dat" file that failed to load, a missing LCD image).
// The application installs its own reporter: the window shows message boxes, the headless
// tool prints to standard error, tests record the texts.
#pragma once

#include <string>

namespace tarvolin {

class TMessageReporter {
public:
    virtual ~TMessageReporter() = default;
    // An error box with an OK button.
    virtual void ShowError(const std::string& Text) = 0;
    // A warning box with an OK button.
    virtual void ShowWarning(const std::string& Text) { ShowError(Text); }
};

// The installed reporter; by default one that prints to standard error.
TMessageReporter& MessageReporter();
// Installs a reporter (not owned); nullptr restores the default. Returns the previous one.
TMessageReporter* SetMessageReporter(TMessageReporter* Reporter);

} // namespace tarvolin
