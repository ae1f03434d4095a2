// The sound recording feature: the "Sound recording" item of the game-specific menu, which
// starts capturing the buzzer and, when unticked, saves the capture as a WAV file; and the
// question about an unsaved recording before the game is closed.
#pragma once

#include "debugger/feature_links.h"
#include "debugger/prompter.h"
#include "debugger/session.h"

namespace tarvolin {

class TSoundRecordingControl : public TCloseQuestion {
public:
    TSoundRecordingControl(TLoadedGame& Game, TPrompter& Prompter, TSessionControl& Session, TStateSink& States);

    void ToggleSoundRecording();
    // The Sound recording item is checked (recording started, not yet stopped).
    bool IsSoundRecording() const { return FGame.IsLoaded() && FSoundRecording; }

    // "Sound recording is active..." when a recording holds samples. A cancelled or failed
    // save keeps the game and its recording, so nothing is lost.
    bool MayCloseGame() override;
    // A debug session was read: the item is checked when the session had it checked or holds
    // a recording, and a checked item always has a recording going in the MCU.
    void RestoreSession(bool Checked);
    // The game that held the recording is gone (replaced or closed).
    void Forget() { FSoundRecording = false; }

private:
    bool SaveSoundRecordingAs();
    // After a save: tells the user when the recording was longer than the buffer and only
    // its last part went into the file.
    void TellIfCut();

    TLoadedGame& FGame;
    TPrompter& FPrompter;
    TSessionControl& FSession;
    TStateSink& FStates;
    bool FSoundRecording = false; // the Sound recording item is checked
};

} // namespace tarvolin
