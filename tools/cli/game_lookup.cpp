// `--game NAME`: the MCU class of a game's short name, from the game catalogue; names
// compared without letter case.
#include <cctype>

#include "core/mcu.h"
#include "cli.h"
#include "games/game_catalogue.h"

namespace tarvolin::cli {

const TMCUClass& FindGameClass(const std::string& ShortName) {
    if (const TMCUClass* Class = tarvolin::FindGameClass(ShortName)) return *Class;
    std::string Known;
    for (const TMCUClass* C : GameClasses()) Known += (Known.empty() ? "" : ", ") + C->ShortGameName();
    throw EUsageError("unknown game \"" + ShortName + "\" (known games: " + Known + ")");
}

bool SameIgnoringCase(const std::string& A, const std::string& B) {
    if (A.size() != B.size()) return false;
    for (size_t i = 0; i < A.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(A[i])) != std::tolower(static_cast<unsigned char>(B[i]))) return false;
    return true;
}

} // namespace tarvolin::cli