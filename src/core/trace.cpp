#include "core/trace.h"

#include <cinttypes>
#include <cstdio>
#include <exception>

#include "core/mcu.h"

namespace tarvolin {

TStepResult PerformStep(TSHARP_SM5A_MCU& MCU) {
    TStepResult r;
    try {
        r.Executed = MCU.PerformOneCycle(r.Opcode, r.Operand);
    } catch (const std::exception& e) {
        r.Failed = true;
        r.Error = e.what();
    }
    return r;
}

std::string FormatTraceLine(uint64_t Number, const TSHARP_SM5A_MCU& M, const TStepResult& Step) {
    static const char Digits[] = "0123456789ABCDEF";
    char Op[3] = "--";
    if (Step.Executed && !Step.Failed) {
        Op[0] = Digits[Step.Opcode >> 4];
        Op[1] = Digits[Step.Opcode & 0xF];
    }
    char Buf[256];
    std::snprintf(Buf, sizeof Buf,
                  "%" PRIu64 " PC=%03X OP=%s ACC=%X DP=%02X A=%03X MSB=%X PAGE=%X C=%d T=%04X T14=%d HALT=%d R=%X TD=%d LD0=%d O=",
                  Number, M.PC & 0x7FF, Op, M.Acc & 0xF, M.DP & 0x7F, M.A & 0x7FF, M.MSB & 1, M.Page & 0xF, M.Carry ? 1 : 0,
                  M.T & 0x3FFF, M.OneSecond ? 1 : 0, M.HaltMode ? 1 : 0, M.IO.R & 0xF, M.TD ? 1 : 0, M.LD0 ? 1 : 0);
    std::string Line = Buf;
    for (T4bits v : M.O) Line += Digits[v & 0xF];
    Line += " O'=";
    for (T4bits v : M.O_) Line += Digits[v & 0xF];
    if (Step.Failed) Line += " ERROR=\"" + Step.Error + "\"";
    Line += "\n";
    return Line;
}

} // namespace tarvolin
