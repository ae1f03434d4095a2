#include "debugger/options_control.h"

#include <algorithm>

#include "base/interface_language.h"
#include "base/options.h"
#include "base/translate.h"
#include "persist/language_choice.h"
#include "persist/settings.h"

namespace tarvolin {

TOptionsControl::TOptionsControl(TSettings& Settings, TPrompter& Prompter, std::string ExecutablePath)
    : FSettings(Settings), FPrompter(Prompter), FExecutablePath(std::move(ExecutablePath)) {}

TOptionsDialogValues TOptionsControl::DialogValues() const {
    const TOptions& o = Options();
    TOptionsDialogValues v;
    v.UseBankPageStepAddressNotation = o.UseBankPageStepAddressNotation;
    v.UseLFSRAddressing = o.UseLFSRAddressing;
    v.AppendDisAsmComments = o.AppendDisAsmComments;
    v.InstructionMnemonics = std::clamp(o.InstructionMnemonics, 0, 2);
    v.UseMAMEKeyMapping = o.UseMAMEKeyMapping;
    v.DerivatedSoundWave = o.DerivatedSoundWave;
    v.LiveSound = o.LiveSound;
    v.LiveSoundVolume = std::clamp(o.LiveSoundVolume, 0, 100);
    v.MuteLiveSoundAtFullSpeed = o.MuteLiveSoundAtFullSpeed;
    v.MuteLiveSoundWhenMinimised = o.MuteLiveSoundWhenMinimised;
    v.Russian = RussianUIActive();
    return v;
}

bool TOptionsControl::Accept(const TOptionsDialogValues& v) {
    TOptions& o = Options();
    o.UseBankPageStepAddressNotation = v.UseBankPageStepAddressNotation;
    o.UseLFSRAddressing = v.UseLFSRAddressing;
    o.AppendDisAsmComments = v.AppendDisAsmComments;
    o.InstructionMnemonics = std::clamp(v.InstructionMnemonics, 0, 2);
    o.UseMAMEKeyMapping = v.UseMAMEKeyMapping;
    o.DerivatedSoundWave = v.DerivatedSoundWave;
    o.LiveSound = v.LiveSound;
    o.LiveSoundVolume = std::clamp(v.LiveSoundVolume, 0, 100);
    o.MuteLiveSoundAtFullSpeed = v.MuteLiveSoundAtFullSpeed;
    o.MuteLiveSoundWhenMinimised = v.MuteLiveSoundWhenMinimised;
    if (v.Russian != RussianUIActive()) {
        if (SetInterfaceLanguage(FSettings.Store(), FExecutablePath, v.Russian)) {
            const TMessageResult Answer = FPrompter.Message(
                TMessageKind::Warning,
                Tr("Options", "For the new language to take effect, the debugger must be restarted.\n"
                              "Do you want to restart it now?"),
                TMessageButtons::YesNo);
            if (Answer == TMessageResult::Yes) {
                if (!SaveSettings()) return false;
                if (OnRestart) OnRestart();
                return true;
            }
        } else {
            FPrompter.Error(Tr("Options", "Unable to set the language."));
        }
    }
    return SaveSettings();
}

bool TOptionsControl::SaveSettings() {
    if (FSettings.SaveSettings()) return true;
    // The options are in force for this run; the user learns that the next start will not
    // have them.
    FPrompter.Error(Tr("Options", "Unable to save the settings."));
    return false;
}

} // namespace tarvolin
