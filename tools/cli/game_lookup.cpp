// `--game NAME`: the MCU class of a game's short name, from the game catalogue.
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

} // namespace tarvolin::cli
