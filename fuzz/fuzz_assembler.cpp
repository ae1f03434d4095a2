// Feeds arbitrary text to the assembler, in both address notations; the seeds include
// listings as the debugger exports them (address and byte columns), which it reads too.
// Only EAssemblerError may come out, with at least one and at most AssemblerErrorLimit
// messages and no control character but the line breaks between them; an assembled image
// must agree with itself (chip order = the execution order reordered, labels inside the ROM).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "disasm/assembler.h"

using namespace tarvolin;

namespace {

void AssembleOnce(const std::string& Source, bool StepCodes) {
    TAssemblerOptions options;
    options.StepCodes = StepCodes;
    TAssemblyResult result;
    try {
        result = Assemble(Source, "fuzz.asm", options);
    } catch (const EAssemblerError& e) {
        if (e.Messages().empty() || e.Messages().size() > AssemblerErrorLimit) std::abort();
        for (const char c : std::string(e.what()))
            if ((static_cast<unsigned char>(c) < 0x20 && c != '\n') || c == 0x7F) std::abort();
        return;
    }
    if (result.ChipOrder != ExecutionToChipOrder(result.ExecutionOrder)) std::abort();
    if (result.Used.size() != size_t(ROMSize)) std::abort();
    for (size_t i = 0; i < result.Used.size(); ++i)
        if (!result.Used[i] && result.ExecutionOrder[i] != 0) std::abort();
    for (const auto& [name, addr] : result.Labels)
        if (name.empty() || addr > 0x7FF) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string source(reinterpret_cast<const char*>(Data), Size);
    AssembleOnce(source, false);
    AssembleOnce(source, true);
    return 0;
}
