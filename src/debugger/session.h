// The debug session as the other features see it: whether one exists, whether it changed
// since it was saved, and the question before its game is closed. Every change of emulator or
// debugger state marks the session modified; the mark has an effect only while a session exists.
#pragma once

#include <functional>

#include "debugger/feature_links.h"
#include "debugger/prompter.h"

namespace tarvolin {

class TSessionControl : public TCloseQuestion {
public:
    explicit TSessionControl(TPrompter& Prompter) : FPrompter(Prompter) {}

    void MarkSessionModified() {
        if (FHasDebugSession) FSessionModified = true;
    }
    bool HasDebugSession() const { return FHasDebugSession; }
    bool IsSessionModified() const { return FSessionModified; }
    // True while a session file is being applied (its values are not changes of the user).
    bool IsLoadingDebugSession() const { return FLoadingDebugSession; }

    // "This debug session was modified..." when it was; false when the user cancelled or the
    // save failed.
    bool MayCloseGame() override;
    // The game is gone: so is its session.
    void Forget();

    // Saves the debug session (the Session menu's Save); false when it was not saved.
    std::function<bool()> OnSaveSession;

private:
    TPrompter& FPrompter;
    bool FHasDebugSession = false;
    bool FSessionModified = false;
    bool FLoadingDebugSession = false;
};

} // namespace tarvolin
