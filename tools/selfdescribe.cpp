// Prints what the built core library contains, and runs one emulated second as a smoke test.
#include <cstdio>
#include <exception>
#include <string>

#include "core/input_output.h"
#include "core/mcu.h"
#include "core/step_tables.h"
#include "core/mnemonics.h"
#include "lcd/lcd_driver.h"

using namespace tarvolin;

int main() {
    std::printf("Tarvolin %s: emulator and debugger core for the SHARP SM-5A and the KB1013VK1-2\n",
                TARVOLIN_VERSION_STRING);

    for (const TMCUClass* cls : {&TSHARP_SM5A_MCU::Class, &TKB1013VK1_2MCU::Class}) {
        const auto& labels = cls->GetR_K_LabelingNumbers();
        std::printf("Chip %-16s class %-16s input register %s, lines R%s..R%s, %s/%s, reset pin %s, "
                    "COM0/COM1 on pins %d/%d\n",
                    cls->GetMCUname().c_str(), cls->ClassName, cls->GetInputRegisterName().c_str(), labels[0],
                    labels[3], cls->GetAlphaName().c_str(), cls->GetBetaName().c_str(),
                    cls->GetACLName().c_str(), cls->GetCOMtoMCUpin()[COM0], cls->GetCOMtoMCUpin()[COM1]);
    }

    int named[2] = {0, 0};
    for (int set = 0; set < 2; ++set) {
        for (int op = 0; op < 256; ++op) {
            const char* n = MnemonicOf(static_cast<uint8_t>(op), 0, set == 1);
            if (n && *n) ++named[set];
        }
    }
    std::printf("Instruction set: 256 opcodes, every one executes; %d named in the SHARP set, %d in the "
                "KB1013VK1-2 set\n",
                named[1], named[0]);
    std::printf("ROM: %d bytes in %d pages of 64 steps (6-bit feedback step counter, %d-step cycle)\n",
                ROMSize, ROMSize / 64, 63);
    std::printf("RAM: 65 nibbles (5 rows of 13); LCD output registers O and O' of 9 nibbles\n");
    std::printf("Standard game control tables: 7\n");
    std::printf("LCD driver classes:");
    for (const TLCDDriverClass* c : AllLCDDriverClasses())
        std::printf(" %s", c->ClassName);
    std::printf("\n");

    try {
        auto mcu = TSHARP_SM5A_MCU::Class.Create(nullptr);
        uint8_t opcode, operand;
        bool sawHalfSecond = false;
        while (mcu->CycleCount < 16384) {
            mcu->PerformOneCycle(opcode, operand);
            if (!mcu->OneSecond) sawHalfSecond = true;
        }
        std::printf(
            "Smoke test: an empty ROM ran %llu machine cycles (one emulated second); timer wrapped: %s\n",
            static_cast<unsigned long long>(mcu->CycleCount),
            sawHalfSecond && mcu->OneSecond && mcu->T == 0 ? "yes" : "NO");
        return sawHalfSecond && mcu->OneSecond ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Smoke test failed: %s\n", e.what());
        return 1;
    }
}
