#include "core/step_tables.h"

namespace tarvolin {

std::vector<uint8_t> ReorderPages(const uint8_t* data, size_t length) {
    std::vector<uint8_t> out(length, 0);
    for (size_t base = 0; base < length; base += 64) {
        for (size_t k = 0; k < 64 && base + k < length; ++k) {
            if (k == 63) {
                out[base + k] = 0x80; // the synthetic jump back to step 0 of the page
            } else {
                size_t src = base + StepIndexToCode[k];
                out[base + k] = src < length ? data[src] : 0;
            }
        }
    }
    return out;
}

TROM ReorderROMImage(const std::array<uint8_t, ROMSize>& ChipOrderImage) {
    TROM image{};
    for (int p = 0; p < ROMSize / 64; ++p) {
        for (int k = 0; k < 63; ++k)
            image[p * 64 + k] = ChipOrderImage[p * 64 + StepIndexToCode[k]];
        image[p * 64 + 63] = 0x80;
    }
    return image;
}

} // namespace tarvolin
