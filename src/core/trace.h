// One step with its report, and the trace line of a step: the format `tarvolin-cli run
// --trace` prints and the window's trace log writes.
#pragma once

#include <cstdint>
#include <string>

namespace tarvolin {

class TSHARP_SM5A_MCU;

// What one step reported: whether an instruction executed, its bytes, and the error it raised.
struct TStepResult {
    bool Executed = false;
    uint8_t Opcode = 0;
    uint8_t Operand = 0;
    bool Failed = false;
    std::string Error;
};

// One step (PerformOneCycle) with its report; an emulator error is caught and reported.
TStepResult PerformStep(TSHARP_SM5A_MCU& MCU);

// "<Number> PC=... OP=.. ACC=. DP=.. A=... MSB=. PAGE=. C=. T=.... T14=. HALT=. R=. TD=. LD0=.
// O=......... O'=........." with ERROR="<text>" after a failed step, and a line feed. OP is
// "--" for a halted cycle or a failed step.
std::string FormatTraceLine(uint64_t Number, const TSHARP_SM5A_MCU& MCU, const TStepResult& Step);

} // namespace tarvolin
