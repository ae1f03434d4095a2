// Feeds arbitrary bytes to the two ROM conversions: as the text of a /DeJAVA ROM and as a
// raw /DeLFSR dump. The text conversion either refuses with EConversionError (a short
// message without control characters) or yields a full ROM; the dump conversion keeps the
// length of its input.
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
        // The message names the file and echoes a bad token cut short, without control characters.
        const std::string What = e.what();
        // (64 bytes of a token, each at most 4 characters escaped, and the words around them)
        if (What.rfind("fuzz.txt: ", 0) != 0 || What.size() > 400) std::abort();
        for (const char c : What)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) std::abort();
    }
    const std::vector<uint8_t> raw(Data, Data + Size);
    if (DeLFSR(raw).size() != raw.size()) std::abort();
    return 0;
}
