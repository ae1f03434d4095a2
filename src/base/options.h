// The user options, global values read at the moment they apply. The settings layer fills
// them at start and writes them back when they change.
#pragma once

#include <cstdint>
#include <string>

namespace tarvolin {

struct TOptions {
    bool UseBankPageStepAddressNotation = false;
    bool UseLFSRAddressing = false;
    bool AppendDisAsmComments = true;
    int InstructionMnemonics = 0; // 0 native to the MCU, 1 SHARP SM-5A, 2 KB1013VK1-2
    bool UseMAMEKeyMapping = false;
    bool DerivatedSoundWave = false;
    bool HighContrast = false;
    // Base address of the ROM archive server ("https://host/path/"); empty = none configured.
    std::string ROMArchiveServer;
};

TOptions& Options();

} // namespace tarvolin
