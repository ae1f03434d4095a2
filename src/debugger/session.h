// The debug session as the other features see it: whether one exists, whether it changed
// since it was saved, whether one is being read, and the question before its game is
// closed. Every change of emulator or debugger state marks the session modified; the mark
// has an effect only while a session exists. The session commands (session_commands) open,
// save and create sessions.
#pragma once

#include <functional>
#include <memory>

#include "debugger/feature_links.h"
#include "debugger/prompter.h"
#include "persist/debug_session.h"

namespace tarvolin {

class TSessionControl : public TCloseQuestion {
public:
    explicit TSessionControl(TPrompter& Prompter) : FPrompter(Prompter) {}

    void MarkSessionModified() {
        if (FDebugSession) FDebugSession->SetModified(true);
    }
    bool HasDebugSession() const { return FDebugSession != nullptr; }
    bool IsSessionModified() const { return FDebugSession && FDebugSession->Modified(); }
    TDebugSession* DebugSession() const { return FDebugSession.get(); }
    // The window's session from now on (nullptr: none).
    void SetDebugSession(std::unique_ptr<TDebugSession> Session) { FDebugSession = std::move(Session); }

    // True while a session file is being applied (its values are not changes of the user).
    bool IsLoadingDebugSession() const { return FLoadingDebugSession; }
    void SetLoadingDebugSession(bool Loading) { FLoadingDebugSession = Loading; }

    // "This debug session was modified..." when it was; false when the user cancelled or the
    // save failed.
    bool MayCloseGame() override;
    // The game is gone: so is its session (unsaved).
    void Forget() { FDebugSession.reset(); }

    // Saves the debug session (the Session menu's Save); false when it was not saved.
    std::function<bool()> OnSaveSession;

private:
    TPrompter& FPrompter;
    std::unique_ptr<TDebugSession> FDebugSession;
    bool FLoadingDebugSession = false;
};

} // namespace tarvolin
