// Writes the seed corpora of the fuzz targets from data this program makes itself:
//   tarvolin-fuzz-seeds OUTPUT_FOLDER EXAMPLES_FOLDER
// creates OUTPUT_FOLDER/<target>/<name> for fuzz_png, fuzz_user_data, fuzz_mcu,
// fuzz_assembler, fuzz_converters and fuzz_network_input. The committed fuzz/corpus/ was made by it.
#include <png.h>
#include <zip.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "base/program_folder.h"
#include "core/mcu.h"
#include "core/mcu_session.h"
#include "debugger/session_format.h"
#include "base/options.h"
#include "core/step_tables.h"
#include "disasm/assembler.h"
#include "disasm/listing.h"
#include "disasm/disasm.h"
#include "lcd/raster.h"
#include "persist/stream.h"
#include "persist/user_data.h"

using namespace tarvolin;
namespace fs = std::filesystem;

namespace {

fs::path Out;

void Write(const std::string& Target, const std::string& Name, const std::string& Bytes) {
    const fs::path folder = Out / Target;
    fs::create_directories(folder);
    std::ofstream f(folder / Name, std::ios::binary | std::ios::trunc);
    f.write(Bytes.data(), std::streamsize(Bytes.size()));
    if (!f) throw std::runtime_error("cannot write " + (folder / Name).string());
}

std::string Str(const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); }

// A PNG of any colour type, bit depth and interlacing, rows given as raw samples.
std::string RawPng(int Width, int Height, int ColorType, int BitDepth, bool Interlaced) {
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) throw std::runtime_error("libpng failed");
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep d, size_t n) {
            static_cast<std::string*>(png_get_io_ptr(p))->append(reinterpret_cast<char*>(d), n);
        },
        [](png_structp) {});
    png_set_IHDR(png, info, png_uint_32(Width), png_uint_32(Height), BitDepth, ColorType,
                 Interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (ColorType == PNG_COLOR_TYPE_PALETTE) {
        png_color palette[16];
        for (int i = 0; i < 16; ++i) palette[i] = {png_byte(i * 16), png_byte(255 - i * 16), png_byte(i * 5)};
        png_set_PLTE(png, info, palette, 1 << std::min(BitDepth, 4));
        png_byte alpha[2] = {0, 128};
        png_set_tRNS(png, info, alpha, 2, nullptr);
    }
    png_write_info(png, info);
    const int channels = ColorType == PNG_COLOR_TYPE_RGB ? 3 : ColorType == PNG_COLOR_TYPE_RGB_ALPHA ? 4
                         : ColorType == PNG_COLOR_TYPE_GRAY_ALPHA ? 2 : 1;
    const size_t rowBytes = (size_t(Width) * channels * BitDepth + 7) / 8;
    std::vector<png_byte> image(rowBytes * Height);
    const int maxIndex = ColorType == PNG_COLOR_TYPE_PALETTE ? (1 << std::min(BitDepth, 4)) : 256;
    for (size_t i = 0; i < image.size(); ++i) image[i] = png_byte((i * 37 + i / rowBytes) % 256);
    if (ColorType == PNG_COLOR_TYPE_PALETTE && BitDepth == 8)
        for (auto& b : image) b = png_byte(b % maxIndex);
    std::vector<png_bytep> rows(Height);
    for (int y = 0; y < Height; ++y) rows[y] = image.data() + y * rowBytes;
    png_write_image(png, rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

void PngSeeds() {
    TRaster bw(17, 5, clWhite);
    bw.FillRect(2, 1, 9, 4, clBlack);
    Write("fuzz_png", "black_white_1bit", Str(EncodePalettePNG(bw)));
    TRaster colours(12, 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 12; ++x) colours.SetPixel(x, y, TColor((x * 20) | (y * 30) << 8 | ((x + y) * 9) << 16));
    Write("fuzz_png", "palette_8bit", Str(EncodePNG(colours)));
    TRaster many(20, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) many.SetPixel(x, y, TColor(x * 13 + y * 7 + (x * y << 10)));
    Write("fuzz_png", "rgb_8bit", Str(EncodePNG(many)));
    struct {
        const char* Name;
        int Type, Depth;
        bool Interlaced;
    } raw[] = {
        {"gray_1bit_interlaced", PNG_COLOR_TYPE_GRAY, 1, true},
        {"gray_4bit", PNG_COLOR_TYPE_GRAY, 4, false},
        {"gray_16bit", PNG_COLOR_TYPE_GRAY, 16, false},
        {"gray_alpha_8bit_interlaced", PNG_COLOR_TYPE_GRAY_ALPHA, 8, true},
        {"rgb_16bit_interlaced", PNG_COLOR_TYPE_RGB, 16, true},
        {"rgba_8bit", PNG_COLOR_TYPE_RGB_ALPHA, 8, false},
        {"palette_2bit_trns", PNG_COLOR_TYPE_PALETTE, 2, false},
        {"palette_8bit_trns_interlaced", PNG_COLOR_TYPE_PALETTE, 8, true},
    };
    for (const auto& r : raw) Write("fuzz_png", r.Name, RawPng(9, 6, r.Type, r.Depth, r.Interlaced));
}

void UserDataSeeds() {
    TROM original{};
    for (size_t i = 0; i < original.size(); ++i) original[i] = uint8_t(i * 7 + 3); // as the target's image
    TROM live = original;
    live[0] ^= 0xFF;
    for (int i = 0x3C0; i < 0x3D0; ++i) live[i] = uint8_t(i);
    live[ROMSize - 1] ^= 1;
    TUserData data("seed", original);
    data.AddAddressCustomData(0x000, "wake", "wakes from halt");
    data.AddAddressCustomData(0x3C0, "reset", "");
    data.AddAddressCustomData(0x400, "\xD0\xBF\xD0\xBE\xD0\xB4\xD0\xBF\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD0\xB0",
                              "\xF0\x9F\x8E\xAE subroutines");
    std::ostringstream block;
    data.SaveToStream(block, live);
    // Mode byte: bit 0 = a stream that cannot tell its size, bits 1..2 = what is read.
    Write("fuzz_user_data", "block_seekable", std::string(1, '\x00') + block.str());
    Write("fuzz_user_data", "block_unseekable", std::string(1, '\x01') + block.str());
    std::ostringstream empty;
    TUserData(std::string("seed"), original).SaveToStream(empty, original);
    Write("fuzz_user_data", "block_empty", std::string(1, '\x00') + empty.str());

    std::ostringstream prims;
    WriteByte(prims, 0); WriteInt32(prims, -5);
    WriteByte(prims, 4); WriteString(prims, "label \xE2\x86\x92 text");
    WriteByte(prims, 5); WriteUTF16String(prims, std::u16string{u'a', char16_t(0xD800), u'b'});
    WriteByte(prims, 6); WriteIntegerList(prims, {1, -2, 300000});
    WriteByte(prims, 7); WriteByte(prims, 44);
    const uint8_t placement[44] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    WriteSizedBlock(prims, placement, 44);
    WriteByte(prims, 8); WriteByte(prims, 3); WriteBytes(prims, "xyz", 3);
    WriteByte(prims, 3); WriteBool(prims, true);
    Write("fuzz_user_data", "primitives_seekable", std::string(1, '\x04') + prims.str());
    Write("fuzz_user_data", "primitives_unseekable", std::string(1, '\x05') + prims.str());

    std::ostringstream utf16;
    for (char16_t c : std::u16string{u'A', char16_t(0x0416), char16_t(0xD83C), char16_t(0xDFAE), char16_t(0xDC00)})
        WriteWord(utf16, c);
    Write("fuzz_user_data", "conversions", std::string(1, '\x06') + utf16.str());
}

std::string ReadFile(const fs::path& Path) {
    std::ifstream f(Path, std::ios::binary);
    if (!f) throw std::runtime_error("cannot read " + Path.string());
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

void McuAndConverterSeeds(const std::string& DemoSource) {
    const TAssemblyResult demo = Assemble(DemoSource, "demo.asm");
    const std::string chip(demo.ChipOrder.begin(), demo.ChipOrder.end());
    // Byte 0: game class (the custom game is last, 255 wraps to one of the games);
    // byte 1: input pins.
    Write("fuzz_mcu", "demo_custom", std::string("\x00\x41", 2) + chip);
    Write("fuzz_mcu", "demo_game", std::string("\x01\x0F", 2) + chip);
    Write("fuzz_mcu", "demo_short", std::string("\x07\x00", 2) + chip.substr(0, 1000));
    Write("fuzz_mcu", "demo_long", std::string("\x03\xC3", 2) + chip + std::string(100, '\x55'));
    Write("fuzz_mcu", "empty_rom", std::string("\x02\x00", 2));

    std::string text;
    for (size_t i = 0; i < 300; ++i) {
        const uint8_t inverted = uint8_t(~demo.ChipOrder[i]);
        char buf[16];
        std::snprintf(buf, sizeof buf, i % 3 == 0 ? "%u" : i % 3 == 1 ? "$%02X" : "0x%x", unsigned(inverted));
        if (i) text += ", ";
        text += buf;
    }
    Write("fuzz_converters", "dejava_demo_start", text);
    Write("fuzz_converters", "dejava_signed", "-1, +255, $00, 0xFF, , 17");
}

// Session seeds: the demo after some steps, saved whole, as its MCU block and as its
// input/output sub-block, with labels, a patch, breakpoints and (small) odd values.
void SessionSeeds(const std::string& DemoSource) {
    const TAssemblyResult demo = Assemble(DemoSource, "demo.asm");
    std::istringstream rom(std::string(demo.ChipOrder.begin(), demo.ChipOrder.end()));
    auto mcu = TSHARP_SM5A_MCU::Class.Create(&rom);
    uint8_t op, operand;
    for (int i = 0; i < 40; ++i) mcu->PerformOneCycle(op, operand);
    mcu->IO.FInputMatrix = {1, 2, 4, 8};
    mcu->SetAddressLabel(0x3C0, "reset");
    mcu->SetAddressComment(0x011, "after wake-up");
    mcu->ROM[0x3C5] ^= 0xFF;
    TMainBlock main;
    main.Game = "custom_game";
    const TWindowPlacement placement{44, 0, 1, -1, -1, -1, -1, 10, 20, 800, 600};
    const auto bytes = placement.Encode();
    main.Placement.assign(bytes.begin(), bytes.end());
    main.CodeBreakpoints = {0x3C3, 0x010};
    main.WriteBreakpoints = {0x21};
    std::ostringstream file;
    WriteBytes(file, "Vornmix", 7);
    WriteInt32(file, 1);
    WriteMainBlock(file, main, *mcu);
    Write("fuzz_session", "file_seekable", std::string(1, '\x00') + file.str());
    Write("fuzz_session", "file_unseekable", std::string(1, '\x01') + file.str());
    std::ostringstream block;
    mcu->SaveSessionToStream(block);
    Write("fuzz_session", "mcu_block", std::string(1, '\x02') + block.str());
    std::ostringstream io;
    WriteIOSessionBlock(io, mcu->IO);
    Write("fuzz_session", "io_block", std::string(1, '\x04') + io.str());
}

void AssemblerSeeds(const std::string& DemoSource) {
    Write("fuzz_assembler", "demo", DemoSource);
    Write("fuzz_assembler", "directives", "x: .org 0:F:00\n .byte 0x5E, $33, 7\n TR x @ 3C0\n TR 0C0 / 4C0 ; far\n");
    // Every opcode as the disassembler writes it, a quarter of them per seed, in both
    // mnemonic sets and both address notations.
    auto mcu = TSHARP_SM5A_MCU::Class.Create(nullptr);
    for (int quarter = 0; quarter < 4; ++quarter) {
        const T11bits base = T11bits(quarter % 2 ? 0x400 : 0x0C0);
        for (int s = 0; s < 64; ++s) mcu->ROM[base + s] = uint8_t(quarter * 64 + s);
        mcu->ROM[base + 63] = 0x80;
        Options().InstructionMnemonics = 1 + quarter % 2;
        Options().UseBankPageStepAddressNotation = quarter >= 2;
        mcu->SetupInstructionMnemonics();
        std::string source = ".org " + AddrToStr(base) + "\n";
        for (T11bits addr = base; (addr & 0x3F) < 63;) {
            const uint8_t op = mcu->ROM[addr], next = mcu->ROM[addr + 1];
            const int size = TSHARP_SM5A_MCU::GetOpcodeSize(op, next);
            if ((addr & 0x3F) == 62 && size == 2) break;
            std::string comment;
            const std::string text = DisAsm(*mcu, addr, comment);
            char raw[32];
            std::snprintf(raw, sizeof raw, size == 2 ? ".byte 0x%02X, 0x%02X" : ".byte 0x%02X", op, next);
            source += "        " + (text.empty() ? std::string(raw) : text) + (comment.empty() ? "" : " ; " + comment) + "\n";
            addr = T11bits(addr + size);
        }
        Write("fuzz_assembler", "opcodes_" + std::to_string(quarter), source);
    }
    // The demo exported as the debugger writes a listing (address and byte columns, label
    // and header lines, CR LF), in both address notations.
    const TAssemblyResult demo = Assemble(DemoSource, "demo.asm");
    std::istringstream rom(std::string(demo.ChipOrder.begin(), demo.ChipOrder.end()));
    auto listed = TSHARP_SM5A_MCU::Class.Create(&rom);
    listed->SetAddressLabel(0x005, "старт");
    listed->SetAddressComment(0x006, "two\nlines");
    for (int bps = 0; bps < 2; ++bps) {
        Options().UseBankPageStepAddressNotation = bps == 1;
        TListing listing;
        listing.BuildDisAsmStrings(listed.get());
        // The first two pages: enough of every kind of line, small enough to keep the
        // target fast (a whole listing takes milliseconds to assemble).
        std::string text = listing.ExportText(*listed);
        size_t cut = 0;
        for (int lines = 0; lines < 140 && cut != std::string::npos; ++lines) cut = text.find('\n', cut + 1);
        if (cut != std::string::npos) text.resize(cut + 1);
        Write("fuzz_assembler", bps ? "listing_bps" : "listing", text);
    }
    Options().InstructionMnemonics = 0;
    Options().UseBankPageStepAddressNotation = false;
}

// A zip archive of the given files, made with libzip in a file of the output folder.
std::string ZipOf(const std::vector<std::pair<std::string, std::string>>& Files) {
    const fs::path Temp = Out / "seed.zip";
    int Error = 0;
    zip_t* Z = zip_open(Temp.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &Error);
    if (!Z) throw std::runtime_error("cannot create " + Temp.string());
    for (const auto& [Name, Data] : Files)
        zip_file_add(Z, Name.c_str(), zip_source_buffer(Z, Data.data(), Data.size(), 0), ZIP_FL_OVERWRITE);
    if (zip_close(Z) != 0) throw std::runtime_error("cannot write " + Temp.string());
    const std::string Bytes = ReadFile(Temp);
    fs::remove(Temp);
    return Bytes;
}

void NetworkSeeds() {
    const std::string rom(1856, '\x5A');
    const std::string zip = ZipOf({{"readme/", ""}, {"mh-06", rom}, {"other", "xyz"}});
    Write("fuzz_network_input", "zip_named", "\x00" + zip);
    Write("fuzz_network_input", "zip_first", "\x01" + zip);
    Write("fuzz_network_input", "headers",
          "\x02HTTP/1.1 200 OK\r\nContent-Type: application/zip\r\n"
          "Content-Disposition: attachment; filename=\"../gnw_manholeg.zip\"\r\n");
    Write("fuzz_network_input", "version_file", "\x03" "1.5.3.0\r\nhttps://h/dl\r\nnotes\r\nCHANGELOG\r\n- fixes\r\n");
    Write("fuzz_network_input", "version_utf16", std::string("\x03\xFF\xFE" "1\0.\0" "5\0\n\0", 11));
}

// Stored settings as fuzz_settings reads them: group, name and value separated by tabs,
// one value a line.
void SettingsSeeds() {
    Write("fuzz_settings", "options",
          "\tUseBankPageStepAddressNotation\t1\n\tInstructionMnemonics\t0x102\n\tAppendDisAsmComments\t 0 \n"
          "\tUpdateServer\thttps://h/\n\tUseSM500Mnemonics\t1\n");
    Write("fuzz_settings", "roms",
          "ROMs\tMH06\t/etc/passwd\nROMs\tFR27\t/nonexistent\nRecentROMs\tGame1\tMH06\nRecentROMs\tFile1\t/etc/passwd\n"
          "RecentROMs\tGame2\t\nRecentROMs\tFile2\t/\n");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: tarvolin-fuzz-seeds OUTPUT_FOLDER EXAMPLES_FOLDER\n";
        return 2;
    }
    try {
        Out = argv[1];
        fs::create_directories(Out);
        SetProgramFolder(Out); // no ".dat" file is there: the MCU built here reads none
        const std::string demo = ReadFile(fs::path(argv[2]) / "demo.asm");
        PngSeeds();
        UserDataSeeds();
        McuAndConverterSeeds(demo);
        AssemblerSeeds(demo);
        NetworkSeeds();
        SettingsSeeds();
        SessionSeeds(demo);
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
