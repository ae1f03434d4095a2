// `--game NAME`: the MCU class of a game's short name.
#include "core/mcu.h"
#include "cli.h"

namespace tarvolin::cli {

const TMCUClass& FindGameClass(const std::string& ShortName) {
    // The custom game runs any SM-5A ROM. The game catalogue adds its classes here.
    if (ShortName == TSHARP_SM5A_MCU::Class.ShortGameName()) return TSHARP_SM5A_MCU::Class;
    throw EUsageError("unknown game \"" + ShortName + "\" (known games: " + TSHARP_SM5A_MCU::Class.ShortGameName() + ")");
}

} // namespace tarvolin::cli
