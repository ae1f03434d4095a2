#include "debugger/sound_recording.h"

#include <exception>
#include <string>

#include "base/translate.h"

namespace tarvolin {

namespace {

TFileDialog SoundFileDialog() {
    TFileDialog Dialog;
    Dialog.Title = Tr("SoundRecording", "Specify file name for recorded sound");
    Dialog.DefaultExt = "wav";
    Dialog.Filter =
        Tr("SoundRecording", "Wave files (*.wav)") + "|*.wav|" + Tr("SoundRecording", "All files (*.*)") + "|*.*";
    Dialog.OverwritePrompt = true;
    return Dialog;
}

} // namespace

TSoundRecordingControl::TSoundRecordingControl(TLoadedGame& Game, TPrompter& Prompter, TSessionControl& Session,
                                               TStateSink& States)
    : FGame(Game), FPrompter(Prompter), FSession(Session), FStates(States) {}

bool TSoundRecordingControl::SaveSoundRecordingAs() {
    std::string FileName;
    if (!FPrompter.SaveFile(SoundFileDialog(), FileName)) return false;
    if (const std::string Refusal = FGame.RefuseROMFileAsOutput(FileName); !Refusal.empty()) {
        FPrompter.Error(Refusal);
        return false;
    }
    try {
        FGame.MCU->SaveSoundRecording(FileName);
    } catch (const std::exception& e) {
        FPrompter.Error(e.what());
        return false;
    }
    TellIfCut();
    return true;
}

bool TSoundRecordingControl::MayCloseGame() {
    // A recording that has not taken a sample yet holds nothing to save.
    TSHARP_SM5A_MCU* MCU = FGame.Get();
    if (!(MCU && FSoundRecording && MCU->IsSoundRecordingActive())) return true;
    const TMessageResult r = FPrompter.Message(
        TMessageKind::Warning,
        Tr("SoundRecording", "Sound recording is active. Do you want to save the recorded sound?"),
        TMessageButtons::YesNoCancel);
    if (r == TMessageResult::Cancel) return false;
    if (r == TMessageResult::Yes && !SaveSoundRecordingAs()) return false;
    MCU->StopSoundRecording();
    FSoundRecording = false;
    FStates.StatesChanged();
    return true;
}

void TSoundRecordingControl::ToggleSoundRecording() {
    TSHARP_SM5A_MCU* MCU = FGame.Get();
    if (!MCU) return;
    if (!FSoundRecording) {
        MCU->StartSoundRecording();
        FSoundRecording = true;
        FSession.MarkSessionModified();
    } else {
        const bool Anything = MCU->AudioBufferPos() > 0;
        if (Anything) {
            std::string FileName;
            if (FPrompter.SaveFile(SoundFileDialog(), FileName)) {
                if (const std::string Refusal = FGame.RefuseROMFileAsOutput(FileName); !Refusal.empty()) {
                    FPrompter.Error(Refusal); // the recording stays on, as after a failed save
                    return;
                }
                try {
                    MCU->SaveSoundRecording(FileName);
                } catch (const std::exception& e) {
                    // The recording stays on, so the sound is not lost with the failed file.
                    FPrompter.Error(e.what());
                    return;
                }
                TellIfCut();
            }
        }
        MCU->StopSoundRecording();
        FSoundRecording = false;
        if (Anything) FSession.MarkSessionModified();
    }
    FStates.StatesChanged();
}

void TSoundRecordingControl::TellIfCut() {
    const std::string Note = FGame.MCU->SoundRecordingCutNote();
    if (!Note.empty()) FPrompter.Message(TMessageKind::Information, Note, TMessageButtons::OK);
}

void TSoundRecordingControl::RestoreSession(bool Checked) {
    TSHARP_SM5A_MCU* MCU = FGame.Get();
    if (!MCU) return;
    FSoundRecording = Checked || MCU->IsSoundRecordingActive();
    if (FSoundRecording && MCU->AudioBuffer().empty()) MCU->StartSoundRecording();
    FStates.StatesChanged();
}

} // namespace tarvolin
