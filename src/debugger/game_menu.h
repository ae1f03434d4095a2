// The game-specific menu's own commands: the cheats and test modes of the game, and setting
// the game's clock to the current time. (Sound recording is a feature of its own.)
#pragma once

#include "debugger/feature_links.h"
#include "debugger/prompter.h"
#include "debugger/session.h"

namespace tarvolin {

class TGameMenuControl {
public:
    TGameMenuControl(TLoadedGame& Game, const TRunState& Run, TPrompter& Prompter, TSessionControl& Session,
                     TPaneRefresh& Panes);

    bool HasCheats() const;
    void ShowCheats();
    bool CanSetCurrentTime() const;
    void SetCurrentTime();

private:
    TLoadedGame& FGame;
    const TRunState& FRun;
    TPrompter& FPrompter;
    TSessionControl& FSession;
    TPaneRefresh& FPanes;
};

} // namespace tarvolin
