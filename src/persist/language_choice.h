// The interface language chosen for the next start. The choice is kept per executable: the
// settings group "LanguageOverrides" holds one value per program file, named after the full
// path of the executable (escaped, so the path's separators open no groups), whose value is
// the language code of the Russian interface. No value means English, the built-in texts.
#pragma once

#include <string>

#include "persist/settings.h"

namespace tarvolin {

inline constexpr const char* LanguageOverridesGroup = "LanguageOverrides";
// The code written for the Russian interface (the three-letter abbreviation of the Russian
// locale's language name).
inline constexpr const char* RussianLanguageCode = "RUS";

// The value name of an executable: its path with every byte other than a letter, a digit, '.',
// '-' or '_' written as %XX.
std::string LanguageOverrideName(const std::string& ExecutablePath);
// Russian: writes the code; English: removes the override (nothing to remove is success).
// False when the store could not be written.
bool SetInterfaceLanguage(TSettingsStore& Store, const std::string& ExecutablePath, bool Russian);
// True when the override in force for this executable names the Russian interface.
bool RussianChosenFor(const TSettingsStore& Store, const std::string& ExecutablePath);

} // namespace tarvolin
