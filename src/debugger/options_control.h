// The options feature: the values the options dialog shows, and what its OK does: every value
// into the options, the interface language stored for the next start (with the question to
// restart now), the settings saved. Applying the options to the window (shortcuts, mnemonics,
// listing, panes, legend) follows at once through the owner.
#pragma once

#include <functional>
#include <string>

#include "debugger/prompter.h"

namespace tarvolin {

class TSettings;

// The controls of the options dialog.
struct TOptionsDialogValues {
    bool UseBankPageStepAddressNotation = false;
    bool UseLFSRAddressing = false;
    bool AppendDisAsmComments = true;
    int InstructionMnemonics = 0; // 0 native, 1 SHARP SM-5A, 2 KB1013VK1-2
    bool UseMAMEKeyMapping = false;
    bool DerivatedSoundWave = false;
    bool Russian = false; // the interface language button
    // Sound during runs: on, volume in percent, the two mute rules.
    bool LiveSound = true;
    int LiveSoundVolume = 50;
    bool MuteLiveSoundAtFullSpeed = true;
    bool MuteLiveSoundWhenMinimised = true;

    friend bool operator==(const TOptionsDialogValues&, const TOptionsDialogValues&) = default;
};

class TOptionsControl {
public:
    // ExecutablePath: the full path of the running program, under which its language choice
    // is stored.
    TOptionsControl(TSettings& Settings, TPrompter& Prompter, std::string ExecutablePath);

    // The dialog's controls from the options in force and the running interface language.
    TOptionsDialogValues DialogValues() const;
    // The dialog's OK. A language other than the running one is stored for the next start;
    // when the user then wants to restart now, OnRestart is called after the settings were
    // saved (a restart never starts with settings that could not be saved). Returns false when
    // the settings could not be saved: the options are in force for this run all the same.
    bool Accept(const TOptionsDialogValues& Values);

    // Starts the program again and ends this run (set by the window; tests record it).
    std::function<void()> OnRestart;

private:
    bool SaveSettings();

    TSettings& FSettings;
    TPrompter& FPrompter;
    std::string FExecutablePath;
};

} // namespace tarvolin
