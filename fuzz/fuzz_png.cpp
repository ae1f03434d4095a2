// Feeds arbitrary bytes to the PNG decoder (LCD images, pin diagrams, screenshots).
// A refused image must leave the target raster exactly as it was; a decoded one must be a
// sane size with 24-bit colours.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

#include "lcd/raster.h"

using namespace tarvolin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    constexpr TColor Sentinel = 0x123456;
    TRaster Image(3, 2, Sentinel);
    const uint64_t Changes = Image.ChangeCount();
    try {
        DecodePNG(Data, Size, Image);
    } catch (const std::runtime_error&) {
        if (Image.Width() != 3 || Image.Height() != 2 || Image.ChangeCount() != Changes) std::abort();
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                if (Image.Pixel(x, y) != Sentinel) std::abort();
        return 0;
    }
    if (Image.Width() <= 0 || Image.Height() <= 0 || Image.Width() > 16384 || Image.Height() > 16384) std::abort();
    if (Image.ChangeCount() == Changes) std::abort();
    const size_t Count = size_t(Image.Width()) * size_t(Image.Height());
    for (size_t i = 0; i < Count; ++i)
        if (Image.Data()[i] > 0xFFFFFF) std::abort();
    return 0;
}
