// Feeds arbitrary bytes to the two ROM conversions: as the text of a /DeJAVA ROM and as a
// raw /DeLFSR dump. The text conversion either refuses with EConversionError or yields a
// full ROM; the dump conversion keeps the length of its input.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/converters.h"
#include "base/types.h"

using namespace tarvolin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string text(reinterpret_cast<const char*>(Data), Size);
    try {
        if (DeJAVA(text, "fuzz.txt").size() != size_t(ROMSize)) std::abort();
    } catch (const EConversionError& e) {
        if (std::string(e.what()).rfind("fuzz.txt: ", 0) != 0) std::abort();
    }
    const std::vector<uint8_t> raw(Data, Data + Size);
    if (DeLFSR(raw).size() != raw.size()) std::abort();
    return 0;
}
