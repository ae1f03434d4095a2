// A 32-bit raster (0x00BBGGRR pixels, as colours are given everywhere in the system),
// with the few drawing operations the LCD scene needs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvolin {

using TColor = uint32_t; // 0x00BBGGRR; top byte 0xFF marks a system colour index

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;

class TRaster {
public:
    TRaster() = default;
    TRaster(int Width, int Height, TColor Fill = clWhite);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool Empty() const { return FPixels.empty(); }
    void SetSize(int Width, int Height, TColor Fill = clWhite);
    void Clear(); // no pixels

    TColor Pixel(int x, int y) const { return FPixels[size_t(y) * FWidth + x]; }
    // SetPixel and writes through Data() do not count as changes: call MarkChanged after them.
    void SetPixel(int x, int y, TColor c) { FPixels[size_t(y) * FWidth + x] = c; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < FWidth && y < FHeight; }
    const TColor* Data() const { return FPixels.data(); }
    TColor* Data() { return FPixels.data(); }

    void FillSolid(TColor c);
    void FillRect(int Left, int Top, int Right, int Bottom, TColor c); // right/bottom exclusive
    // Four-neighbour flood fill of the region of exactly the colour at (x, y); returns pixels changed.
    size_t FloodFill(int x, int y, TColor NewColor);

    // Transparent colour used when the scene is displayed (white by default).
    TColor TransparentColor = clWhite;
    bool Transparent = false;

    // Bumped by every change (size, fills), so a view can tell it must repaint.
    uint64_t ChangeCount() const { return FChangeCount; }
    void MarkChanged() { ++FChangeCount; }

private:
    int FWidth = 0, FHeight = 0;
    std::vector<TColor> FPixels;
    uint64_t FChangeCount = 0;
};

// Decodes a PNG (any colour type, bit depth and interlacing) into the raster, dropping
// transparency. Throws std::runtime_error with a readable message on bad, truncated or
// oversized data (more than 16384 pixels a side); the raster is then left as it was.
void DecodePNG(const uint8_t* Data, size_t Size, TRaster& Out);
// Encodes the raster as a PNG file (used by tools and screenshots): a palette image when it
// has at most 256 colours, else 8-bit RGB. The file is written to a temporary file next to
// the target and renamed over it when complete. Throws std::runtime_error on failure.
void EncodePNGFile(const TRaster& Image, const std::string& Path);
std::vector<uint8_t> EncodePNG(const TRaster& Image);
// Encodes a black-and-white raster as a 1-bit PNG with the two-entry palette
// index 0 = black, index 1 = white (the format of the LCD images). Throws
// std::runtime_error when a pixel is neither black nor white, or on failure.
std::vector<uint8_t> EncodePalettePNG(const TRaster& Image);
void EncodePalettePNGFile(const TRaster& Image, const std::string& Path);

} // namespace tarvolin
