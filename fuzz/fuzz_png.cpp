// Feeds arbitrary bytes to the PNG decoder (LCD images, pin diagrams, screenshots).
// A refused image must leave the target raster exactly as it was; a decoded one must be a
// sane size with 24-bit colours.
//
// A mutated chunk almost always fails its CRC, which libpng refuses before it looks at the
// data; the custom mutator therefore repairs the signature and the CRC of every complete
// chunk after mutating, so the fuzzer reaches the image data.
#include <zlib.h>

#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "lcd/raster.h"

using namespace tarvolin;

extern "C" size_t LLVMFuzzerMutate(uint8_t* Data, size_t Size, size_t MaxSize);

namespace {

uint32_t BigEndian(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

} // namespace

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* Data, size_t Size, size_t MaxSize, unsigned int Seed) {
    Size = LLVMFuzzerMutate(Data, Size, MaxSize);
    if (Seed % 16 == 0) return Size; // now and then the raw mutation, broken CRCs and all
    static const uint8_t Signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (Size >= 8) std::copy(Signature, Signature + 8, Data);
    for (size_t pos = 8; pos + 12 <= Size;) {
        const uint32_t length = BigEndian(Data + pos);
        if (length > Size - pos - 12) break;
        const uint32_t crc = uint32_t(crc32(crc32(0, nullptr, 0), Data + pos + 4, uInt(length + 4)));
        uint8_t* out = Data + pos + 8 + length;
        out[0] = uint8_t(crc >> 24);
        out[1] = uint8_t(crc >> 16);
        out[2] = uint8_t(crc >> 8);
        out[3] = uint8_t(crc);
        pos += 12 + length;
    }
    return Size;
}

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
