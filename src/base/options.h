// The user options, global values read at the moment they apply. The settings layer fills
// them at start and writes them back when they change.
#pragma once

#include <cstdint>
#include <string>

namespace tarvolin {

// The bounds of TOptions::HistoryLimitMB.
constexpr uint32_t MinHistoryLimitMB = 1;
constexpr uint32_t MaxHistoryLimitMB = 4096;

struct TOptions {
    bool UseBankPageStepAddressNotation = false;
    bool UseLFSRAddressing = false;
    bool AppendDisAsmComments = true;
    int InstructionMnemonics = 0; // 0 native to the MCU, 1 SHARP SM-5A, 2 KB1013VK1-2
    bool UseMAMEKeyMapping = false;
    bool DerivatedSoundWave = false;
    // The buzzer played through the audio output while a run goes on at a real-time speed.
    bool LiveSound = true;
    int LiveSoundVolume = 50; // percent, 0..100
    // Silent at full emulation speed (no real-time rate) and while the window is minimised.
    bool MuteLiveSoundAtFullSpeed = true;
    bool MuteLiveSoundWhenMinimised = true;
    bool HighContrast = false;
    // The machine's history for stepping backwards, and its memory bound in MiB.
    bool KeepHistory = true;
    uint32_t HistoryLimitMB = 64;
    // Counting the executed instructions (coverage) and the last writer of each RAM cell.
    bool TrackCoverage = true;
    // Base address of the ROM archive server ("https://host/path/"); empty = none configured,
    // and then no ROM is ever requested.
    std::string ROMArchiveServer;
    // Base address of the program's web server, which holds "Tarvolin/version.txt" and the
    // home page "Tarvolin/"; empty = no update check.
    std::string UpdateServer;
    // The authors' mail address the About box links to; empty = none configured.
    std::string ContactAddress;
    // Accept servers whose certificate does not check out (wrong name, expired, self-signed).
    bool IgnoreCertificateErrors = false;

    // Not stored: the hidden testing mode, switched on from the About box for the rest of
    // the run. Only in testing mode is a missing ROM downloaded.
    bool TestingMode = false;
};

TOptions& Options();

} // namespace tarvolin
