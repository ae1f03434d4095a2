// Feeds arbitrary stored settings to the settings model: each line of the input is one stored
// value, "group<TAB>name<TAB>value" (a hand-edited or damaged settings file gives any text).
// Reading must leave the options valid (mnemonic set 0..2), at most MaxRecentROMs recent ROMs
// each naming a game, and a save followed by a second read must give back what the first read
// made of it.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/options.h"
#include "persist/settings.h"

using namespace tarvolin;

namespace {

void Check(bool Condition) {
    if (!Condition) std::abort();
}

TMemorySettingsStore StoreOf(const std::string& Text) {
    TMemorySettingsStore Store;
    size_t Start = 0;
    while (Start < Text.size()) {
        size_t End = Text.find('\n', Start);
        if (End == std::string::npos) End = Text.size();
        const std::string Line = Text.substr(Start, End - Start);
        const size_t Tab1 = Line.find('\t'), Tab2 = Tab1 == std::string::npos ? Tab1 : Line.find('\t', Tab1 + 1);
        if (Tab2 != std::string::npos)
            Store.Write(Line.substr(0, Tab1), Line.substr(Tab1 + 1, Tab2 - Tab1 - 1), Line.substr(Tab2 + 1));
        Start = End + 1;
    }
    return Store;
}

bool SameOptions(const TOptions& a, const TOptions& b) {
    return a.UseBankPageStepAddressNotation == b.UseBankPageStepAddressNotation &&
           a.UseLFSRAddressing == b.UseLFSRAddressing && a.AppendDisAsmComments == b.AppendDisAsmComments &&
           a.InstructionMnemonics == b.InstructionMnemonics && a.UseMAMEKeyMapping == b.UseMAMEKeyMapping &&
           a.DerivatedSoundWave == b.DerivatedSoundWave && a.ROMArchiveServer == b.ROMArchiveServer &&
           a.UpdateServer == b.UpdateServer && a.ContactAddress == b.ContactAddress &&
           a.IgnoreCertificateErrors == b.IgnoreCertificateErrors;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const TOptions Defaults;
    Options() = Defaults;
    TMemorySettingsStore Store = StoreOf(std::string(reinterpret_cast<const char*>(Data), Size));
    TSettings First(Store);
    First.LoadSettings();
    Check(Options().InstructionMnemonics >= 0 && Options().InstructionMnemonics <= 2);
    Check(First.RecentROMs().size() <= MaxRecentROMs);
    for (const TRecentROM& r : First.RecentROMs()) Check(!r.Game.empty() && !r.File.empty());
    Check(!Store.Read("", "UseSM500Mnemonics"));

    const TOptions Read = Options();
    Check(First.SaveSettings());
    TSettings Second(Store);
    Second.LoadSettings();
    Check(SameOptions(Options(), Read));
    Check(Second.ROMs() == First.ROMs());
    Check(Second.RecentROMs() == First.RecentROMs());
    Options() = Defaults;
    return 0;
}
