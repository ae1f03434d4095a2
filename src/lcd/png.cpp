// PNG decoding and encoding with libpng.
//
// libpng reports errors by longjmp. Every function below that calls setjmp keeps no C++
// objects with destructors in its own frame, so jumping back into it skips no destructor;
// the buffers it fills are allocated by the caller beforehand.
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "base/safe_file.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "lcd/raster.h"

namespace tarvolin {

namespace {

// Largest image accepted: far above any LCD picture (a few hundred pixels a side), small
// enough to allocate safely (16 M pixels, 48 MB of RGB rows).
constexpr png_uint_32 MaxImageSide = 16384;
constexpr uint64_t MaxImagePixels = 16ull * 1024 * 1024;
// Deflate packs at most 1032 bytes into one: rows that need more than that many times the
// bytes left in the file cannot be there, whatever the header declares.
constexpr uint64_t MaxDeflateRatio = 1032;

struct TPngContext {
    const uint8_t* Data = nullptr; // reading
    size_t Size = 0;
    size_t Pos = 0;
    std::vector<uint8_t>* Out = nullptr; // writing
    char Message[256] = {};
};

void OnPngError(png_structp Png, png_const_charp Msg) {
    auto* Ctx = static_cast<TPngContext*>(png_get_error_ptr(Png));
    std::snprintf(Ctx->Message, sizeof Ctx->Message, "%s", Msg ? Msg : "unknown error");
    png_longjmp(Png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void OnPngRead(png_structp Png, png_bytep Dest, size_t Length) {
    auto* Ctx = static_cast<TPngContext*>(png_get_io_ptr(Png));
    if (Length > Ctx->Size - Ctx->Pos) png_error(Png, TR_NOOP("LCD", "the image data is truncated"));
    std::memcpy(Dest, Ctx->Data + Ctx->Pos, Length);
    Ctx->Pos += Length;
}

void OnPngWrite(png_structp Png, png_bytep Src, size_t Length) {
    auto* Ctx = static_cast<TPngContext*>(png_get_io_ptr(Png));
    bool Failed = false;
    try {
        Ctx->Out->insert(Ctx->Out->end(), Src, Src + Length);
    } catch (...) {
        Failed = true;
    }
    if (Failed) png_error(Png, TR_NOOP("LCD", "out of memory"));
}

void OnPngFlush(png_structp) {}

struct TDecodeInfo {
    png_uint_32 Width = 0, Height = 0;
    int Channels = 0;
    size_t RowBytes = 0;
    uint64_t StoredBytes = 0; // the rows as stored (before the conversions), filter bytes included
};

// Reads the header and sets up the conversions to 8-bit samples, one byte each.
bool ReadPngHeader(png_structp Png, png_infop Info, TDecodeInfo& DI) {
    if (setjmp(png_jmpbuf(Png))) return false;
    png_set_user_limits(Png, MaxImageSide, MaxImageSide);
    png_read_info(Png, Info);
    DI.StoredBytes = (uint64_t(png_get_rowbytes(Png, Info)) + 1) * png_get_image_height(Png, Info);
    const int ColorType = png_get_color_type(Png, Info);
    const int BitDepth = png_get_bit_depth(Png, Info);
    if (ColorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(Png);
    if (ColorType == PNG_COLOR_TYPE_GRAY && BitDepth < 8) png_set_expand_gray_1_2_4_to_8(Png);
    if (BitDepth == 16) png_set_strip_16(Png);
    png_set_strip_alpha(Png); // transparency (alpha channel or tRNS) is dropped
    png_set_interlace_handling(Png);
    png_read_update_info(Png, Info);
    DI.Width = png_get_image_width(Png, Info);
    DI.Height = png_get_image_height(Png, Info);
    DI.Channels = png_get_channels(Png, Info);
    DI.RowBytes = png_get_rowbytes(Png, Info);
    return true;
}

bool ReadPngRows(png_structp Png, png_bytepp Rows) {
    if (setjmp(png_jmpbuf(Png))) return false;
    png_read_image(Png, Rows);
    png_read_end(Png, nullptr);
    return true;
}

// Message: one of the reasons marked below, or a reason libpng gave (which stays as it is).
[[noreturn]] void ThrowDecodeError(const char* Message) {
    throw std::runtime_error(
        Format(Tr("LCD", "The PNG image cannot be decoded: %s").c_str(), Tr("LCD", Message).c_str()));
}

} // namespace

void DecodePNG(const uint8_t* Data, size_t Size, TRaster& Out) {
    if (!Data || Size == 0) ThrowDecodeError(TR_NOOP("LCD", "the image data is empty"));
    if (Size < 8 || png_sig_cmp(Data, 0, 8) != 0) ThrowDecodeError(TR_NOOP("LCD", "the data is not a PNG image"));

    TPngContext Ctx;
    Ctx.Data = Data;
    Ctx.Size = Size;
    png_structp Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &Ctx, OnPngError, OnPngWarning);
    if (!Png) ThrowDecodeError(TR_NOOP("LCD", "out of memory"));
    png_infop Info = png_create_info_struct(Png);
    if (!Info) {
        png_destroy_read_struct(&Png, nullptr, nullptr);
        ThrowDecodeError(TR_NOOP("LCD", "out of memory"));
    }
    struct TGuard {
        png_structp& P;
        png_infop& I;
        ~TGuard() { png_destroy_read_struct(&P, &I, nullptr); }
    } Guard{Png, Info};

    png_set_read_fn(Png, &Ctx, OnPngRead);
    TDecodeInfo DI;
    if (!ReadPngHeader(Png, Info, DI)) ThrowDecodeError(Ctx.Message);
    if (DI.Width == 0 || DI.Height == 0 || uint64_t(DI.Width) * DI.Height > MaxImagePixels)
        ThrowDecodeError(TR_NOOP("LCD", "the image is too large"));
    // Checked before the rows are allocated, so a small file declaring a huge image costs
    // nothing.
    if (DI.StoredBytes > uint64_t(Size - Ctx.Pos) * MaxDeflateRatio)
        ThrowDecodeError(TR_NOOP("LCD", "the image declares more pixels than its data can hold"));
    if (DI.Channels != 1 && DI.Channels != 3 && DI.Channels != 2 && DI.Channels != 4)
        ThrowDecodeError(TR_NOOP("LCD", "unsupported pixel format"));

    std::vector<uint8_t> Buffer(DI.RowBytes * DI.Height);
    std::vector<png_bytep> Rows(DI.Height);
    for (png_uint_32 y = 0; y < DI.Height; ++y) Rows[y] = Buffer.data() + size_t(y) * DI.RowBytes;
    if (!ReadPngRows(Png, Rows.data())) ThrowDecodeError(Ctx.Message);

    // Everything decoded: only now is the target touched.
    Out.SetSize(int(DI.Width), int(DI.Height), clBlack);
    for (png_uint_32 y = 0; y < DI.Height; ++y) {
        const uint8_t* Src = Rows[y];
        TColor* Dst = Out.Data() + size_t(y) * DI.Width;
        for (png_uint_32 x = 0; x < DI.Width; ++x, Src += DI.Channels) {
            if (DI.Channels <= 2) // grey (an alpha byte, if any, follows and is ignored)
                Dst[x] = TColor(Src[0]) * 0x010101u;
            else
                Dst[x] = TColor(Src[0]) | (TColor(Src[1]) << 8) | (TColor(Src[2]) << 16);
        }
    }
    Out.MarkChanged();
}

namespace {

struct TEncodeSetup {
    int Width = 0, Height = 0;
    bool Palette = false;
    int BitDepth = 8;
    int PaletteSize = 0;
    TColor PaletteColors[256] = {}; // ascending
};

// Writes the whole image; RowBuffer holds Width * 3 bytes.
bool WritePng(png_structp Png, png_infop Info, const TEncodeSetup& S, const TColor* Pixels, png_bytep RowBuffer) {
    if (setjmp(png_jmpbuf(Png))) return false;
    png_set_IHDR(Png, Info, png_uint_32(S.Width), png_uint_32(S.Height), S.BitDepth,
                 S.Palette ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (S.Palette) {
        png_color Entries[256];
        for (int i = 0; i < S.PaletteSize; ++i) {
            Entries[i].red = png_byte(S.PaletteColors[i] & 0xFF);
            Entries[i].green = png_byte((S.PaletteColors[i] >> 8) & 0xFF);
            Entries[i].blue = png_byte((S.PaletteColors[i] >> 16) & 0xFF);
        }
        png_set_PLTE(Png, Info, Entries, S.PaletteSize);
    }
    png_write_info(Png, Info);
    if (S.Palette && S.BitDepth < 8) png_set_packing(Png);
    for (int y = 0; y < S.Height; ++y) {
        const TColor* Src = Pixels + size_t(y) * S.Width;
        if (S.Palette) {
            for (int x = 0; x < S.Width; ++x) {
                const TColor c = Src[x] & 0xFFFFFF;
                RowBuffer[x] = png_byte(std::lower_bound(S.PaletteColors, S.PaletteColors + S.PaletteSize, c) -
                                        S.PaletteColors);
            }
        } else {
            for (int x = 0; x < S.Width; ++x) {
                RowBuffer[3 * x] = png_byte(Src[x] & 0xFF);
                RowBuffer[3 * x + 1] = png_byte((Src[x] >> 8) & 0xFF);
                RowBuffer[3 * x + 2] = png_byte((Src[x] >> 16) & 0xFF);
            }
        }
        png_write_row(Png, RowBuffer);
    }
    png_write_end(Png, Info);
    return true;
}

std::vector<uint8_t> Encode(const TRaster& Image, const TEncodeSetup& Setup) {
    if (Image.Empty()) throw std::runtime_error("Cannot write an empty image as PNG");
    std::vector<uint8_t> Result;
    TPngContext Ctx;
    Ctx.Out = &Result;
    png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &Ctx, OnPngError, OnPngWarning);
    if (!Png) throw std::runtime_error("Cannot write PNG image: out of memory");
    png_infop Info = png_create_info_struct(Png);
    if (!Info) {
        png_destroy_write_struct(&Png, nullptr);
        throw std::runtime_error("Cannot write PNG image: out of memory");
    }
    struct TGuard {
        png_structp& P;
        png_infop& I;
        ~TGuard() { png_destroy_write_struct(&P, &I); }
    } Guard{Png, Info};
    png_set_write_fn(Png, &Ctx, OnPngWrite, OnPngFlush);
    std::vector<png_byte> RowBuffer(size_t(Image.Width()) * 3);
    if (!WritePng(Png, Info, Setup, Image.Data(), RowBuffer.data()))
        throw std::runtime_error(std::string("Cannot write PNG image: ") + Ctx.Message);
    return Result;
}

void WriteFileAtomically(const std::vector<uint8_t>& Bytes, const std::string& Path) {
    WriteFileReplacing(Path, std::string_view(reinterpret_cast<const char*>(Bytes.data()), Bytes.size()));
}

} // namespace

std::vector<uint8_t> EncodePNG(const TRaster& Image) {
    TEncodeSetup S;
    S.Width = Image.Width();
    S.Height = Image.Height();
    // Collect up to 256 distinct colours; one more means RGB.
    std::vector<TColor> Colors;
    const size_t Count = size_t(Image.Width()) * size_t(Image.Height());
    const TColor* P = Image.Data();
    TColor Last = 0xFFFFFFFFu;
    bool TooMany = false;
    for (size_t i = 0; i < Count && !TooMany; ++i) {
        const TColor c = P[i] & 0xFFFFFF;
        if (c == Last) continue;
        Last = c;
        auto It = std::lower_bound(Colors.begin(), Colors.end(), c);
        if (It != Colors.end() && *It == c) continue;
        if (Colors.size() == 256) TooMany = true;
        else Colors.insert(It, c);
    }
    if (!TooMany && !Colors.empty()) {
        S.Palette = true;
        S.PaletteSize = int(Colors.size());
        std::copy(Colors.begin(), Colors.end(), S.PaletteColors);
        S.BitDepth = S.PaletteSize <= 2 ? 1 : S.PaletteSize <= 4 ? 2 : S.PaletteSize <= 16 ? 4 : 8;
    }
    return Encode(Image, S);
}

void EncodePNGFile(const TRaster& Image, const std::string& Path) { WriteFileAtomically(EncodePNG(Image), Path); }

std::vector<uint8_t> EncodePalettePNG(const TRaster& Image) {
    const int W = Image.Width(), H = Image.Height();
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const TColor c = Image.Pixel(x, y) & 0xFFFFFF;
            if (c != clBlack && c != clWhite) {
                char Buf[128];
                std::snprintf(Buf, sizeof Buf, "Pixel (%d, %d) of a two-colour image is neither black nor white", x, y);
                throw std::runtime_error(Buf);
            }
        }
    TEncodeSetup S;
    S.Width = W;
    S.Height = H;
    S.Palette = true;
    S.BitDepth = 1;
    S.PaletteSize = 2;
    S.PaletteColors[0] = clBlack;
    S.PaletteColors[1] = clWhite;
    return Encode(Image, S);
}

void EncodePalettePNGFile(const TRaster& Image, const std::string& Path) {
    WriteFileAtomically(EncodePalettePNG(Image), Path);
}

} // namespace tarvolin
