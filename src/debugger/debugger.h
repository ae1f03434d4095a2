// The debugger behind the main window: a thin owner that holds the loaded game and one
// controller per feature of the window, wires them to each other and to the window, installs
// and removes games, and tells the window which of its commands are available.
//
// The features, each in its own files:
//   TRunControl            run types, steps, the idle loop, reset, speed       run_control
//   TNavigationControl     listing, selection, go to / follow / search, labels  navigation
//   TBreakpointControl     code, temporary and RAM breakpoints, the dialog      breakpoints
//   TPaneControl           register/RAM/LCD panes, hint, value edits            panes
//   TGameLoadingControl    loading and closing games, the command line          game_loading
//   TInputControl          raw buttons, game controls and keys, radiation       input
//   TSoundRecordingControl buzzer capture to WAV                                sound_recording
//   TLCDPictureControl     the LCD picture and the choice of LCD image          lcd_picture
//   TGameMenuControl       cheats, current time                                 game_menu
//   TSessionControl        the session's modified flag and close question      session
//   TPatchingControl       changing and reverting opcodes of the live ROM       patching
//   TSessionCommands       the Session menu, session files, the ".dat" import  session_commands
//   TReverseControl        step back, run backwards, coverage, trace log        reverse
//   TLiveSoundControl      the buzzer through the audio output during runs      live_sound
// The options join as a feature of its own in the same way.
#pragma once

#include <memory>
#include <string>

#include "debugger/breakpoints.h"
#include "debugger/debugger_view.h"
#include "debugger/feature_links.h"
#include "debugger/game_loading.h"
#include "debugger/game_menu.h"
#include "debugger/input.h"
#include "debugger/lcd_picture.h"
#include "debugger/live_sound.h"
#include "debugger/navigation.h"
#include "debugger/options_control.h"
#include "debugger/panes.h"
#include "debugger/patching.h"
#include "debugger/prompter.h"
#include "debugger/reverse.h"
#include "debugger/run_control.h"
#include "debugger/session.h"
#include "debugger/session_commands.h"
#include "debugger/sound_recording.h"

namespace tarvolin {

class TSettings;

class TDebugger : private TGameHost, private TStateSink {
public:
    TDebugger(const TDebuggerViews& Views, TPrompter& Prompter, TSettings& Settings);
    TDebugger(TDebuggerView& View, TPrompter& Prompter, TSettings& Settings)
        : TDebugger(View.Views(), Prompter, Settings) {}
    ~TDebugger() override;
    TDebugger(const TDebugger&) = delete;
    TDebugger& operator=(const TDebugger&) = delete;

    static constexpr const char* ApplicationName = "Tarvolin";

    // Start-up: "Tarvolin" caption and no game; the window calls it once it exists.
    void Initialize();

    // ---- the loaded game ----
    TSHARP_SM5A_MCU* MCU() const { return FGame.Get(); }
    // The class the loaded game was created from (nullptr without a game).
    const TMCUClass* GameClass() const { return FGame.Class; }
    bool IsGameLoaded() const { return FGame.IsLoaded(); }

    // ---- window state ----
    const std::string& Caption() const { return FCaption; }
    const TCommandStates& CommandStates() const { return FStates; }
    // Applies changed options (after the options dialog): mnemonics, listing texts, panes.
    void OptionsChanged();

    // ---- the features ----
    TRunControl& Run() { return FRun; }
    const TRunControl& Run() const { return FRun; }
    TNavigationControl& Navigation() { return FNavigation; }
    const TNavigationControl& Navigation() const { return FNavigation; }
    TBreakpointControl& Breakpoints() { return FBreakpoints; }
    const TBreakpointControl& Breakpoints() const { return FBreakpoints; }
    TPaneControl& Panes() { return FPanes; }
    TGameLoadingControl& Loading() { return FLoading; }
    TInputControl& Input() { return FInput; }
    const TInputControl& Input() const { return FInput; }
    TSoundRecordingControl& Sound() { return FSound; }
    TLCDPictureControl& LCD() { return FLCD; }
    const TLCDPictureControl& LCD() const { return FLCD; }
    TGameMenuControl& GameMenu() { return FGameMenu; }
    TSessionControl& Session() { return FSession; }
    TOptionsControl& OptionsDialog() { return FOptions; }
    TSessionCommands& SessionCommands() { return FSessionCommands; }
    TPatchingControl& Patching() { return FPatching; }
    TReverseControl& Reverse() { return FReverse; }
    const TReverseControl& Reverse() const { return FReverse; }
    TLiveSoundControl& LiveSound() { return FLiveSound; }

private:
    // ---- TGameHost ----
    void InstallGame(std::unique_ptr<TSHARP_SM5A_MCU> MCU, const TMCUClass& Class) override;
    void RemoveGame() override;
    // ---- TStateSink ----
    void StatesChanged() override;

    void SetCaption(std::string Caption);

    TDebuggerViews FViews;
    TLoadedGame FGame; // declared first: every feature refers to it until the end

    TSessionControl FSession;
    TLCDPictureControl FLCD;
    TBreakpointControl FBreakpoints;
    TInputControl FInput;
    TPaneControl FPanes;
    TNavigationControl FNavigation;
    TPatchingControl FPatching;
    TReverseControl FReverse;
    TRunControl FRun;
    TSoundRecordingControl FSound;
    TGameMenuControl FGameMenu;
    TGameLoadingControl FLoading;
    TOptionsControl FOptions;
    TSessionCommands FSessionCommands;
    TLiveSoundControl FLiveSound;

    std::string FCaption = ApplicationName;
    TCommandStates FStates;
    bool FStatesSent = false;
};

} // namespace tarvolin
