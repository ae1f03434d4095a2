#include "debugger/debugger.h"

#include "base/safe_file.h"
#include "base/text_format.h"
#include "base/translate.h"

#include "base/program_folder.h"
#include "base/translate.h"
#include "lcd/lcd_driver.h"
#include "persist/user_data.h"

namespace tarvolin {

// The features refer to each other through the links they are given here. Members are
// constructed in declaration order; a feature may be handed a later one, because nothing is
// called before the owner is complete.
TDebugger::TDebugger(const TDebuggerViews& Views, TPrompter& Prompter, TSettings& Settings)
    : FViews(Views),
      FSession(Prompter),
      FLCD(FGame, Views.LCD, Views.Tools, Prompter, FSession),
      FBreakpoints(FGame, Prompter, FSession, FPanes, Views.List),
      FInput(FGame, FRun, Prompter, FSession, FPanes, FRun),
      FPanes(FGame, FRun, Views.Panes, Views.List, Views.Tools, Prompter, FSession, *this, FNavigation, FBreakpoints,
             FInput),
      FNavigation(FGame, FRun, Views.List, Views.Tools, Prompter, FSession, FBreakpoints, FPanes, FRun),
      FPatching(FGame, FRun, Prompter, FSession, FPanes, Views.List, Views.Tools, FNavigation, FNavigation, FReverse),
      FReverse(FGame, FRun, Views.Window, Views.List, Prompter, FBreakpoints, FPanes, FSession, *this, Settings),
      FRun(FGame, Views.Window, Views.List, Prompter, FBreakpoints, FInput, FLCD, FSession, FPanes, FNavigation, *this,
           FReverse),
      FSound(FGame, Prompter, FSession, *this),
      FGameMenu(FGame, FRun, Prompter, FSession, FPanes),
      FLoading(FGame, Views.Window, Prompter, Settings, *this, *this),
      FOptions(Settings, Prompter, ExecutablePath().string()),
      FSessionCommands({FGame, Views.Window, Views.List, Prompter, FSession, FLoading, FRun, FBreakpoints,
                        FInput, FNavigation, FPanes, FLCD, FSound, *this, FReverse}),
      FLiveSound(FGame, FRun, Views.Window, Prompter, Settings, *this) {
    // Before a game is closed: an unsaved recording first, then a modified session.
    FLoading.AddCloseQuestion(FSound);
    FLoading.AddCloseQuestion(FSession);
    FSession.OnSaveSession = [this] { return FSessionCommands.SaveCommand(); };
    FLoading.OnOpenSession = [this](const std::string& FileName) { FSessionCommands.OpenDebugSession(FileName); };
}

TDebugger::~TDebugger() {
    FLiveSound.SetAudioOutput(nullptr);
    FLCD.DetachGame();
}

void TDebugger::Initialize() {
    SetCaption(ApplicationName);
    FLoading.CloseGame();
}

void TDebugger::SetCaption(std::string Caption) {
    FCaption = std::move(Caption);
    FViews.Window.SetCaption(FCaption);
}

std::string TLoadedGame::RefuseROMFileAsOutput(const std::string& Path) const {
    if (ROMFile.empty() || !SameFile(ROMFile, Path)) return {};
    return Format(Tr("Files", "\"%s\" is the ROM file of the game; name another file.").c_str(), Path.c_str());
}

// A game enters the window in this order: its caption, the run's defaults, the input panel,
// the memory watch, the LCD picture, the listing, the command states, then a reset.
void TDebugger::InstallGame(std::unique_ptr<TSHARP_SM5A_MCU> MCU, const TMCUClass& Class) {
    FLCD.DetachGame();
    FViews.Tools.CloseInterconnection();
    FGame.MCU = std::move(MCU);
    FGame.Class = &Class;
    FGame.ROMFile.clear();
    FSound.Forget(); // a replaced game took its recording with it

    SetCaption(std::string(ApplicationName) + " - " + Class.GameName());
    FRun.GameInstalled();
    FInput.GameInstalled();
    FViews.Input.RebuildInputPanel();
    FBreakpoints.WatchMemory();
    FLCD.AttachGame();
    if (!FSession.IsLoadingDebugSession()) FNavigation.FillList();
    StatesChanged();
    FViews.Tools.RefreshMCUPins();
    FRun.ResetMCU();
    // User data read from the game's ".dat" file waits in a session until it is saved.
    if (FGame.MCU->UserData && FGame.MCU->UserData->RenameDatFileOnSave()) FSessionCommands.DatFileImported();
}

void TDebugger::RemoveGame() {
    SetCaption(ApplicationName);
    FNavigation.ClearList();
    FViews.Tools.CloseInterconnection();
    FSession.Forget();
    if (FGame.MCU) {
        FLCD.DetachGame();
        FGame.MCU->StopSoundRecording();
        FGame.MCU.reset();
        FGame.Class = nullptr;
        FGame.ROMFile.clear();
    }
    FSound.Forget();
    FLCD.ClearPicture();
    FBreakpoints.ClearAll();
    FInput.GameClosed();
    FViews.Input.RebuildInputPanel();
    StatesChanged();
    FRun.ResetMCU();
}

void TDebugger::StatesChanged() {
    // A run started or stopped, its speed or the game changed: the sound follows.
    FLiveSound.Update();
    TCommandStates s;
    const TSHARP_SM5A_MCU* MCU = FGame.Get();
    const bool Game = MCU != nullptr;
    const bool Stopped = FRun.IsStopped();
    const bool Running = FRun.IsAnimatedRun() || FRun.IsFullRun();
    s.TraceInto = s.StepOver = s.AnimatedRun = s.UnattendedRun = Stopped && Game;
    s.RunUntilReturn = Stopped && Game && MCU->A != NoAddress;
    s.Pause = Running;
    s.Refresh = FRun.IsFullRun();
    s.MCUReset = Game;
    s.StepBack = FReverse.CanStepBack();
    s.KeepHistory = true;
    s.KeepHistoryChecked = FReverse.KeepHistory();
    s.TrackCoverageChecked = FReverse.TrackCoverage();
    s.ClearCoverage = Game;
    s.TraceLog = Game || FReverse.IsTraceLogging();
    s.TraceLogChecked = FReverse.IsTraceLogging();
    s.Breakpoints = Game;
    s.SessionSave = Game;
    s.CheckedGame = FLoading.CheckedGame();
    s.GameSpecificVisible = Game;
    if (Game) s.GameSpecificCaption = FGame.Class->GameName();
    s.MCUPins = s.Interconnection = Game;
    s.Cheats = FGameMenu.HasCheats();
    s.SoundRecording = Game;
    s.SoundRecordingChecked = s.SoundRecordingIndicatorVisible = FSound.IsSoundRecording();
    s.LiveSoundChecked = FLiveSound.IsSoundOn();
    s.SetCurrentTime = FGameMenu.CanSetCurrentTime();
    s.UpdateDisAsmVisible = FRun.IsAnimatedRun();
    s.UpdateRegistersVisible = s.UpdateRAMVisible = s.UpdateLCDRegistersVisible = Running;
    s.UpdateDisAsmChecked = FRun.UpdateCheckBox(pnDisAsm);
    s.UpdateRegistersChecked = FRun.UpdateCheckBox(pnRegisters);
    s.UpdateRAMChecked = FRun.UpdateCheckBox(pnRAM);
    s.UpdateLCDRegistersChecked = FRun.UpdateCheckBox(pnLCDRegisters);
    s.SpeedControlsVisible = FRun.IsFullRun();
    s.SpeedFactor = FRun.SpeedFactor();
    s.StartPanelVisible = !Game;
    for (TOIndex i = 0; i < 9; ++i) s.DigitLabelVisible[i] = Game && MCU->IsOIndexEncodingADigit(i);
    if (Game && MCU->SupportedLCDDrivers.size() > 1)
        s.LCDImageHint = Tr("LCDPicture", "There are more LCD images available for this ROM.\n"
                                          "Doubleclick here to switch to the next image.");
    if (s == FStates && FStatesSent) return;
    FStates = s;
    FStatesSent = true;
    FViews.Window.CommandStatesChanged(FStates);
}

void TDebugger::OptionsChanged() {
    if (TSHARP_SM5A_MCU* MCU = FGame.Get()) MCU->SetupInstructionMnemonics();
    FNavigation.RefreshTexts();
    FPanes.UpdatePanes(pnDisAsm | pnRegisters, false, false, false);
    FViews.Tools.RefreshOpcodeLegend();
    StatesChanged();
}

} // namespace tarvolin
