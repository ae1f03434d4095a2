// Raster fills and the PNG codec.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <random>

#include <unistd.h>

#include "lcd/raster.h"

namespace tarvolin {
namespace {

// Reference fill: breadth-first over the four neighbours, one pixel at a time.
size_t ReferenceFill(TRaster& R, int x, int y, TColor NewColor) {
    const TColor Old = R.Pixel(x, y);
    if (Old == NewColor) return 0;
    std::deque<std::pair<int, int>> Q{{x, y}};
    R.SetPixel(x, y, NewColor);
    size_t n = 0;
    while (!Q.empty()) {
        auto [px, py] = Q.front();
        Q.pop_front();
        ++n;
        const int d[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (auto& s : d) {
            const int nx = px + s[0], ny = py + s[1];
            if (R.Contains(nx, ny) && R.Pixel(nx, ny) == Old) {
                R.SetPixel(nx, ny, NewColor);
                Q.emplace_back(nx, ny);
            }
        }
    }
    return n;
}

bool SamePixels(const TRaster& A, const TRaster& B) {
    return A.Width() == B.Width() && A.Height() == B.Height() &&
           std::memcmp(A.Data(), B.Data(), size_t(A.Width()) * A.Height() * sizeof(TColor)) == 0;
}

TEST(Raster, CornerTouchingShapesStaySeparate) {
    TRaster R(20, 20, clWhite);
    R.FillRect(2, 2, 8, 8, clBlack);    // ends at (7, 7)
    R.FillRect(8, 8, 14, 14, clBlack);  // starts at (8, 8): touches only diagonally
    const uint64_t Before = R.ChangeCount();
    EXPECT_EQ(R.FloodFill(3, 3, 0x123456), 36u);
    EXPECT_EQ(R.Pixel(7, 7), 0x123456u);
    EXPECT_EQ(R.Pixel(8, 8), clBlack);
    EXPECT_EQ(R.Pixel(13, 13), clBlack);
    EXPECT_EQ(R.Pixel(8, 7), clWhite);
    EXPECT_GT(R.ChangeCount(), Before);
}

TEST(Raster, FloodFillMatchesReferenceOnRandomImages) {
    std::mt19937 Rng(12345);
    for (int Round = 0; Round < 40; ++Round) {
        const int W = 1 + int(Rng() % 70), H = 1 + int(Rng() % 50);
        TRaster A(W, H, clWhite);
        const unsigned Density = 30 + Rng() % 40; // percent black
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                if (Rng() % 100 < Density) A.SetPixel(x, y, clBlack);
        TRaster B = A;
        const int x = int(Rng() % unsigned(W)), y = int(Rng() % unsigned(H));
        const TColor New = 0x00AA00;
        const size_t Expected = ReferenceFill(B, x, y, New);
        EXPECT_EQ(A.FloodFill(x, y, New), Expected) << "round " << Round;
        EXPECT_TRUE(SamePixels(A, B)) << "round " << Round;
    }
}

TEST(Raster, FloodFillOfSpiralAndNoOps) {
    // A one-pixel-wide spiral needs seeds in every direction.
    TRaster R(31, 31, clWhite);
    int l = 0, t = 0, r = 30, b = 30;
    while (l <= r && t <= b) {
        R.FillRect(l, t, r + 1, t + 1, clBlack);
        R.FillRect(r, t, r + 1, b + 1, clBlack);
        R.FillRect(l, b, r + 1, b + 1, clBlack);
        if (t + 2 <= b) R.FillRect(l, t + 2, l + 1, b + 1, clBlack);
        if (l + 2 <= r) R.FillRect(l, t + 2, l + 3, t + 3, clBlack);
        l += 2; t += 2; r -= 2; b -= 2;
    }
    TRaster Ref = R;
    EXPECT_EQ(R.FloodFill(0, 0, 0x777777), ReferenceFill(Ref, 0, 0, 0x777777));
    EXPECT_TRUE(SamePixels(R, Ref));

    const uint64_t Count = R.ChangeCount();
    EXPECT_EQ(R.FloodFill(0, 0, 0x777777), 0u); // already that colour
    EXPECT_EQ(R.FloodFill(-1, 5, clBlack), 0u);
    EXPECT_EQ(R.FloodFill(5, 31, clBlack), 0u);
    EXPECT_EQ(R.ChangeCount(), Count);
    TRaster Empty;
    EXPECT_EQ(Empty.FloodFill(0, 0, clBlack), 0u);
}

TEST(Raster, FillRectClipsToTheRaster) {
    TRaster R(10, 6, clWhite);
    R.FillRect(-5, 4, 3, 100, clBlack);
    int Black = 0;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x) Black += R.Pixel(x, y) == clBlack;
    EXPECT_EQ(Black, 6); // x 0..2, y 4..5
    R.FillRect(7, 2, 3, 5, clBlack); // empty rectangle
    R.FillSolid(0x010203);
    EXPECT_EQ(R.Pixel(9, 5), 0x010203u);
    R.SetSize(0, 4);
    EXPECT_TRUE(R.Empty());
}

// ---- PNG -----------------------------------------------------------------------------

TRaster TwoColourPicture() {
    TRaster R(37, 23, clWhite);
    R.FillRect(3, 3, 12, 9, clBlack);
    R.FillRect(20, 10, 30, 20, clBlack);
    R.SetPixel(36, 22, clBlack);
    return R;
}

TEST(Png, PaletteEncodingRoundTripsAsOneBitTwoEntryPalette) {
    const TRaster Picture = TwoColourPicture();
    const std::vector<uint8_t> Bytes = EncodePalettePNG(Picture);
    // IHDR: bit depth 1, colour type 3 (palette); PLTE: black then white.
    ASSERT_GT(Bytes.size(), 33u);
    EXPECT_EQ(Bytes[24], 1);
    EXPECT_EQ(Bytes[25], 3);
    const uint8_t PLTE[] = {0, 0, 0, 6, 'P', 'L', 'T', 'E', 0, 0, 0, 255, 255, 255};
    EXPECT_EQ(std::memcmp(&Bytes[33], PLTE, sizeof PLTE), 0);

    TRaster Back;
    DecodePNG(Bytes.data(), Bytes.size(), Back);
    EXPECT_TRUE(SamePixels(Back, Picture));
}

TEST(Png, PaletteEncodingRejectsOtherColours) {
    TRaster Picture = TwoColourPicture();
    Picture.SetPixel(5, 7, 0x808080);
    try {
        EncodePalettePNG(Picture);
        FAIL() << "grey pixel accepted";
    } catch (const std::runtime_error& E) {
        EXPECT_NE(std::string(E.what()).find("(5, 7)"), std::string::npos) << E.what();
    }
    EXPECT_THROW(EncodePalettePNG(TRaster()), std::runtime_error);
}

TEST(Png, GeneralEncodingRoundTripsFewAndManyColours) {
    TRaster Few(16, 9, clWhite);
    for (int i = 0; i < 12; ++i) Few.SetPixel(i, i % 9, TColor(0x102030 * (i + 1)) & 0xFFFFFF);
    TRaster Many(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) Many.SetPixel(x, y, TColor(x * 4) | TColor(y * 4) << 8 | TColor((x ^ y) * 4) << 16);
    for (const TRaster* R : {&Few, &Many}) {
        const auto Bytes = EncodePNG(*R);
        TRaster Back;
        DecodePNG(Bytes.data(), Bytes.size(), Back);
        EXPECT_TRUE(SamePixels(Back, *R));
    }
    EXPECT_EQ(EncodePNG(Few)[25], 3);  // palette
    EXPECT_EQ(EncodePNG(Many)[25], 2); // RGB
}

// Writes a PNG of any colour type with libpng, for decoding tests.
struct TTestImage {
    int ColorType, BitDepth;
    bool Interlaced = false;
    bool WithTRNS = false;
};

void AppendBytes(png_structp Png, png_bytep Data, size_t Length) {
    auto* Out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(Png));
    Out->insert(Out->end(), Data, Data + Length);
}

// The image is 5 x 3; sample (x, y) has level L = x * 60 + y (0..249) in every channel.
std::vector<uint8_t> WriteTestPng(const TTestImage& T) {
    std::vector<uint8_t> Out;
    png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop Info = png_create_info_struct(Png);
    if (setjmp(png_jmpbuf(Png))) {
        png_destroy_write_struct(&Png, &Info);
        ADD_FAILURE() << "libpng failed writing a test image";
        return {};
    }
    png_set_write_fn(Png, &Out, AppendBytes, nullptr);
    png_set_IHDR(Png, Info, 5, 3, T.BitDepth, T.ColorType, T.Interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (T.ColorType == PNG_COLOR_TYPE_PALETTE) {
        png_color Pal[16];
        for (int i = 0; i < 16; ++i) Pal[i] = {png_byte(i * 16), png_byte(255 - i * 16), png_byte(i * 8)};
        png_set_PLTE(Png, Info, Pal, 16);
        if (T.WithTRNS) {
            png_byte Alpha[16];
            for (int i = 0; i < 16; ++i) Alpha[i] = png_byte(i * 17);
            png_set_tRNS(Png, Info, Alpha, 16, nullptr);
        }
    }
    png_write_info(Png, Info);
    if (T.BitDepth == 16) png_set_swap(Png); // we fill rows little-endian
    png_set_packing(Png);
    const int Channels = T.ColorType == PNG_COLOR_TYPE_RGB ? 3 : T.ColorType == PNG_COLOR_TYPE_RGB_ALPHA ? 4
                         : T.ColorType == PNG_COLOR_TYPE_GRAY_ALPHA                                     ? 2
                                                                                                        : 1;
    const int Bytes = T.BitDepth == 16 ? 2 : 1;
    std::vector<png_byte> Rows(size_t(5 * 3 * Channels * Bytes));
    std::vector<png_bytep> RowPtrs(3);
    for (int y = 0; y < 3; ++y) {
        RowPtrs[size_t(y)] = Rows.data() + size_t(y) * 5 * Channels * Bytes;
        for (int x = 0; x < 5; ++x)
            for (int c = 0; c < Channels; ++c) {
                const int L = x * 60 + y;
                int V = L;
                if (T.ColorType == PNG_COLOR_TYPE_PALETTE) V = (x * 3 + y) % 16;
                else if (T.BitDepth == 1) V = x & 1;
                else if (T.BitDepth < 8) V = L >> (8 - T.BitDepth);
                const bool Alpha = (Channels == 2 && c == 1) || (Channels == 4 && c == 3);
                if (Alpha) V = 0; // fully transparent: must not matter
                png_bytep P = RowPtrs[size_t(y)] + (x * Channels + c) * Bytes;
                if (Bytes == 2) {
                    const int V16 = V * 257;
                    P[0] = png_byte(V16 & 0xFF);
                    P[1] = png_byte(V16 >> 8);
                } else {
                    P[0] = png_byte(V);
                }
            }
    }
    png_write_image(Png, RowPtrs.data());
    png_write_end(Png, Info);
    png_destroy_write_struct(&Png, &Info);
    return Out;
}

TEST(Png, DecodesEveryColourTypeAndDropsTransparency) {
    const TTestImage Cases[] = {
        {PNG_COLOR_TYPE_GRAY, 8},       {PNG_COLOR_TYPE_GRAY, 1},         {PNG_COLOR_TYPE_GRAY, 4},
        {PNG_COLOR_TYPE_GRAY, 16},      {PNG_COLOR_TYPE_GRAY_ALPHA, 8},   {PNG_COLOR_TYPE_RGB, 8},
        {PNG_COLOR_TYPE_RGB, 16},       {PNG_COLOR_TYPE_RGB_ALPHA, 8},    {PNG_COLOR_TYPE_RGB_ALPHA, 16},
        {PNG_COLOR_TYPE_PALETTE, 4},    {PNG_COLOR_TYPE_PALETTE, 8, false, true},
        {PNG_COLOR_TYPE_RGB, 8, true},  {PNG_COLOR_TYPE_PALETTE, 4, true, true},
    };
    for (const auto& T : Cases) {
        SCOPED_TRACE(testing::Message() << "colour type " << T.ColorType << " depth " << T.BitDepth
                                        << (T.Interlaced ? " interlaced" : "") << (T.WithTRNS ? " tRNS" : ""));
        const auto Bytes = WriteTestPng(T);
        TRaster R;
        ASSERT_NO_THROW(DecodePNG(Bytes.data(), Bytes.size(), R));
        ASSERT_EQ(R.Width(), 5);
        ASSERT_EQ(R.Height(), 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) {
                TColor Expected;
                if (T.ColorType == PNG_COLOR_TYPE_PALETTE) {
                    const int i = (x * 3 + y) % 16;
                    Expected = TColor(i * 16) | TColor(255 - i * 16) << 8 | TColor(i * 8) << 16;
                } else {
                    int L = x * 60 + y;
                    if (T.BitDepth == 1) L = (x & 1) ? 255 : 0;
                    else if (T.BitDepth == 4) L = (L >> 4) * 17;
                    Expected = TColor(L) * 0x010101u;
                }
                EXPECT_EQ(R.Pixel(x, y), Expected) << x << "," << y;
            }
    }
}

uint32_t BigEndian(const uint8_t* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }
void PutBigEndian(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v >> 24); p[1] = uint8_t(v >> 16); p[2] = uint8_t(v >> 8); p[3] = uint8_t(v);
}

TEST(Png, CorruptDataIsRejectedWithAMessageAndLeavesTheTargetAlone) {
    const std::vector<uint8_t> Good = EncodePalettePNG(TwoColourPicture());
    const TRaster Before(3, 2, 0x112233);

    auto ExpectRejected = [&](const std::vector<uint8_t>& Bytes, const std::string& What) {
        TRaster Target = Before;
        try {
            DecodePNG(Bytes.data(), Bytes.size(), Target);
            ADD_FAILURE() << What << ": accepted";
        } catch (const std::runtime_error& E) {
            EXPECT_GT(std::strlen(E.what()), 10u) << What;
        }
        EXPECT_TRUE(SamePixels(Target, Before)) << What;
    };

    // Every truncation.
    for (size_t n = 0; n < Good.size(); ++n)
        ExpectRejected(std::vector<uint8_t>(Good.begin(), Good.begin() + long(n)), "truncated to " + std::to_string(n));
    ExpectRejected({'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}, "not a PNG");

    // A flipped byte anywhere after the signature breaks a CRC or the data.
    for (size_t i = 8; i < Good.size(); i += 3) {
        auto Bad = Good;
        Bad[i] ^= 0x5A;
        TRaster Target = Before;
        try {
            DecodePNG(Bad.data(), Bad.size(), Target);
        } catch (const std::runtime_error&) {
            EXPECT_TRUE(SamePixels(Target, Before)) << "flip at " << i;
        }
    }

    // A header claiming a gigantic image, with a correct CRC.
    auto Huge = Good;
    PutBigEndian(&Huge[16], 100000);
    PutBigEndian(&Huge[20], 100000);
    PutBigEndian(&Huge[29], uint32_t(crc32(crc32(0, nullptr, 0), &Huge[12], 17)));
    ASSERT_EQ(BigEndian(&Huge[8]), 13u);
    ExpectRejected(Huge, "huge dimensions");

    // A small file declaring more rows than its bytes can inflate to is refused before the
    // rows are allocated; one declaring more pixels than any picture has, for its size.
    const std::pair<uint32_t, const char*> Declared[] = {
        {4096, "The PNG image cannot be decoded: the image declares more pixels than its data can hold"},
        {16384, "The PNG image cannot be decoded: the image is too large"},
    };
    for (const auto& [Width, Message] : Declared) {
        auto Big = Good;
        PutBigEndian(&Big[16], Width);
        PutBigEndian(&Big[20], 4096);
        PutBigEndian(&Big[29], uint32_t(crc32(crc32(0, nullptr, 0), &Big[12], 17)));
        TRaster Target = Before;
        try {
            DecodePNG(Big.data(), Big.size(), Target);
            ADD_FAILURE() << Width << ": accepted";
        } catch (const std::runtime_error& E) {
            EXPECT_STREQ(E.what(), Message);
        }
    }

    TRaster Target;
    EXPECT_THROW(DecodePNG(nullptr, 0, Target), std::runtime_error);
}

TEST(Png, FilesAreWrittenCompletelyOrNotAtAll) {
    namespace fs = std::filesystem;
    const fs::path Dir = fs::temp_directory_path() / ("tarvolin_png_" + std::to_string(::getpid()));
    fs::create_directories(Dir);
    const TRaster Picture = TwoColourPicture();
    const std::string Path = (Dir / "out.png").string();
    EncodePalettePNGFile(Picture, Path);
    EncodePNGFile(Picture, (Dir / "rgb.png").string());
    for (const std::string& P : {Path, (Dir / "rgb.png").string()}) {
        std::ifstream F(P, std::ios::binary);
        std::vector<uint8_t> Bytes((std::istreambuf_iterator<char>(F)), std::istreambuf_iterator<char>());
        TRaster Back;
        DecodePNG(Bytes.data(), Bytes.size(), Back);
        EXPECT_TRUE(SamePixels(Back, Picture)) << P;
    }
    EXPECT_FALSE(fs::exists(Path + ".tmp"));
    EXPECT_THROW(EncodePNGFile(Picture, (Dir / "missing" / "x.png").string()), std::runtime_error);
    fs::remove_all(Dir);
}

} // namespace
} // namespace tarvolin
