// Builds an MCU of any game class from a ROM stream of any length and runs it.
//
// Input: byte 0 chooses the game class, byte 1 the state of the input pins (K lines of the
// four grounds, Alpha, Beta), the rest is the chip-order ROM stream, short, exact or long.
// Emulation errors (EEmulatorError) end the run like they stop the debugger; anything else
// escaping, a memory error or a register outside its width is a fault.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "base/program_folder.h"
#include "base/errors.h"
#include "core/mcu.h"
#include "base/reporter.h"
#include "core/step_tables.h"
#include "games/game_catalogue.h"

using namespace tarvolin;

namespace {

// Counts the messages the core shows: building from a stream in memory, with every game
// image built in and no ".dat" file, has nothing to complain about.
class TCountingReporter : public TMessageReporter {
public:
    void ShowError(const std::string&) override { ++Count; }
    int Count = 0;
};
TCountingReporter Reporter;

std::string& ScratchFolder() {
    static std::string folder;
    return folder;
}

void RemoveScratchFolder() {
    std::error_code ec;
    if (!ScratchFolder().empty()) std::filesystem::remove_all(ScratchFolder(), ec);
}

void CheckWidths(const TSHARP_SM5A_MCU& M) {
    bool ok = M.Acc <= 0xF && M.DP <= 0x7F && M.T <= 0x3FFF && M.MSB <= 1 && M.Page <= 0xF && M.PC <= 0x7FF &&
              M.A <= 0x7FF && M.IO.R <= 0xF;
    for (T4bits v : M.RAM) ok = ok && v <= 0xF;
    for (T4bits v : M.O) ok = ok && v <= 0xF;
    for (T4bits v : M.O_) ok = ok && v <= 0xF;
    if (!ok) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // No ".dat" file of a real user may be read (or retired) by the runs.
    char pattern[] = "/tmp/tarvolin-fuzz-XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    ScratchFolder() = pattern;
    SetProgramFolder(pattern);
    std::atexit(RemoveScratchFolder);
    SetMessageReporter(&Reporter);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size < 2) return 0;
    const auto& classes = GameClasses();
    const TMCUClass& cls = *classes[Data[0] % classes.size()];
    const uint8_t pins = Data[1];
    std::istringstream rom(std::string(reinterpret_cast<const char*>(Data + 2), Size - 2));

    Reporter.Count = 0;
    std::unique_ptr<TSHARP_SM5A_MCU> mcu = cls.Create(&rom);
    if (!mcu || &mcu->GetClass() != &cls || Reporter.Count != 0) std::abort();
    // The first 1856 bytes of the stream, zero-padded, make the program; the rest is ignored.
    std::array<uint8_t, ROMSize> chip{};
    std::copy(Data + 2, Data + 2 + std::min(Size - 2, size_t(ROMSize)), chip.begin());
    if (mcu->ROM != ReorderROMImage(chip)) std::abort();
    CheckWidths(*mcu);
    for (int g = 0; g < 4; ++g) mcu->IO.FInputMatrix[g] = T4bits((pins >> g) & 1 ? 0xF >> g : 0);
    mcu->IO.FAlpha = pins & 0x40;
    mcu->IO.FBeta = pins & 0x80;

    uint8_t opcode = 0, operand = 0;
    try {
        for (int i = 0; i < 3000; ++i) {
            mcu->PerformOneCycle(opcode, operand);
            CheckWidths(*mcu);
        }
    } catch (const EEmulatorError&) {
        CheckWidths(*mcu);
    }
    return 0;
}
