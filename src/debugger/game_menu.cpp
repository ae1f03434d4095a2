#include "debugger/game_menu.h"

#include <exception>

namespace tarvolin {

TGameMenuControl::TGameMenuControl(TLoadedGame& Game, const TRunState& Run, TPrompter& Prompter,
                                   TSessionControl& Session, TPaneRefresh& Panes)
    : FGame(Game), FRun(Run), FPrompter(Prompter), FSession(Session), FPanes(Panes) {}

bool TGameMenuControl::HasCheats() const { return FGame.IsLoaded() && !FGame.Class->GetCheatsText().empty(); }

void TGameMenuControl::ShowCheats() {
    if (!FGame.IsLoaded()) return;
    const std::string Text = FGame.Class->GetCheatsText();
    if (!Text.empty()) FPrompter.Information(Text);
}

bool TGameMenuControl::CanSetCurrentTime() const { return FGame.IsLoaded() && !FGame.Class->IsCustomGame(); }

void TGameMenuControl::SetCurrentTime() {
    if (!CanSetCurrentTime() || FRun.IsResetting()) return;
    try {
        FGame.MCU->SetCurrentTime();
    } catch (const std::exception& e) {
        FPrompter.Error(e.what());
        return;
    }
    FSession.MarkSessionModified();
    FPanes.UpdatePanes(pnRegisters | pnRAM | pnLCDRegisters, false, false, false);
}

} // namespace tarvolin
