#include "persist/language_choice.h"

#include <cctype>
#include <cstdio>

namespace tarvolin {

std::string LanguageOverrideName(const std::string& ExecutablePath) {
    std::string Name;
    for (unsigned char c : ExecutablePath) {
        if (std::isalnum(c) || c == '.' || c == '-' || c == '_') {
            Name += static_cast<char>(c);
        } else {
            char Hex[4];
            std::snprintf(Hex, sizeof Hex, "%%%02X", c);
            Name += Hex;
        }
    }
    return Name;
}

bool SetInterfaceLanguage(TSettingsStore& Store, const std::string& ExecutablePath, bool Russian) {
    const std::string Name = LanguageOverrideName(ExecutablePath);
    if (Russian)
        Store.Write(LanguageOverridesGroup, Name, RussianLanguageCode);
    else
        Store.Remove(LanguageOverridesGroup, Name);
    return Store.Flush();
}

bool RussianChosenFor(const TSettingsStore& Store, const std::string& ExecutablePath) {
    const auto Code = Store.Read(LanguageOverridesGroup, LanguageOverrideName(ExecutablePath));
    return Code && *Code == RussianLanguageCode;
}

} // namespace tarvolin
