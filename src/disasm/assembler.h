// An SM-5A assembler that reads the instruction texts the disassembler writes.
//
// Source lines:  [name:] [instruction | .org ADDRESS | .byte V, V, ...] [; comment]
// - Instructions are written as the disassembler shows them, in either mnemonic set
//   (SHARP SM-5A or KB1013VK1-2, mixed freely) and either address notation (three hex
//   digits, or bank:page:step). Targets are addresses, label names, "label @ address", or
//   the double readings "A / B" of far jumps and calls and "TRS A / TRSA B" of one-byte calls.
// - The DPH toggle of the exchange/load family (EXC, EXCI, LDA, EXCD; XE, XEI, LE, XED) is
//   the note "xor DPH 01", "10" or "11" that the disassembler writes in the comment; without
//   it the SHARP names mean no toggle.
// - Numbers: 0x1F or $1F hexadecimal, otherwise decimal. Addresses: hexadecimal (3C5, 0x3C5
//   or $3C5). Label names may hold letters of any script (UTF-8).
// - A listing exported by the debugger is a source too: its address column places each
//   instruction, its byte columns are not read.
// - .org takes an execution-order address (the order the listing shows); the code that
//   follows is placed at consecutive steps of that page. Step 63 of every page is the chip's
//   fixed jump to step 0 and holds no code of its own.
// The result is a 1856-byte image in chip order (the order of a dump), unused bytes 00.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/types.h"

namespace tarvolin {

// The largest source file read: a listing of the whole ROM is about 100 kilobytes.
constexpr uint64_t AssemblerSourceLimit = 16u << 20;
// Errors reported before the rest is only counted ("... and N more errors").
constexpr size_t AssemblerErrorLimit = 100;

struct TAssemblerOptions {
    // Step parts of addresses are step codes of the chip's counter, not step indexes.
    bool StepCodes = false;
};

struct TAssemblerMessage {
    int Line = 0;
    std::string Text;
};

// Thrown when the source has errors; what() lists them, one "FILE:LINE: text" per line, the
// first AssemblerErrorLimit of them followed by "... and N more errors" when there are more.
class EAssemblerError : public std::runtime_error {
public:
    EAssemblerError(const std::string& What, std::vector<TAssemblerMessage> Messages)
        : std::runtime_error(What), FMessages(std::move(Messages)) {}
    const std::vector<TAssemblerMessage>& Messages() const { return FMessages; }

private:
    std::vector<TAssemblerMessage> FMessages;
};

struct TAssemblyResult {
    TROM ExecutionOrder{};                      // as the MCU holds it, without the fixed step-63 jumps
    std::array<uint8_t, ROMSize> ChipOrder{};   // the file to write
    std::vector<bool> Used = std::vector<bool>(ROMSize, false); // execution-order bytes written
    std::map<std::string, T11bits> Labels;
};

// Assembles Source; FileName only names the source in messages. Throws EAssemblerError.
TAssemblyResult Assemble(const std::string& Source, const std::string& FileName,
                         const TAssemblerOptions& AsmOptions = {});

// Execution order to chip order (the inverse of the ROM reordering; step 63 becomes 00).
std::array<uint8_t, ROMSize> ExecutionToChipOrder(const TROM& Image);

} // namespace tarvolin
