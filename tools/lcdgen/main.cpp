// tarvolin-lcdgen: draws our own picture of every game LCD from the game drivers' own
// layouts and writes them as two-colour PNG files plus a C++ source that embeds them.
//
//   tarvolin-lcdgen OUTPUT_DIR GENERATED_CPP
//       writes OUTPUT_DIR/<resource>.png for every game driver and the embedding source.
//   tarvolin-lcdgen --preview DRIVER_CLASS IMAGE.png OUT.png [DIGITS | all]
//       lights the given digits (or every segment) on a generated image through the
//       driver itself and writes the result, for checking the pictures by eye; "points"
//       lights every segment and marks every inner point with a red cross.
#include <png.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/safe_file.h"
#include "core/mcu.h"
#include "base/resources.h"
#include "games/game_catalogue.h"
#include "games/game_lcd_drivers.h"
#include "games/lcd_layout.h"
#include "lcd/lcd_driver.h"
#include "lcd/raster.h"

namespace tarvolin {
// The generator itself is linked without the embedded images.
extern const bool GameLCDImagesLinked;
const bool GameLCDImagesLinked = false;
} // namespace tarvolin

using namespace tarvolin;

namespace {

void WritePNGCallback(png_structp Png, png_bytep Data, png_size_t Length) {
    auto* Out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(Png));
    Out->insert(Out->end(), Data, Data + Length);
}

// Encodes a black-and-white raster as a 1-bit PNG with the palette black (0), white (1).
std::vector<uint8_t> EncodeTwoColourPNG(const TRaster& Image) {
    std::vector<uint8_t> Out;
    png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop Info = png_create_info_struct(Png);
    if (setjmp(png_jmpbuf(Png))) {
        png_destroy_write_struct(&Png, &Info);
        throw std::runtime_error("PNG encoding failed");
    }
    png_set_write_fn(Png, &Out, WritePNGCallback, nullptr);
    png_set_IHDR(Png, Info, Image.Width(), Image.Height(), 1, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color Palette[2] = {{0, 0, 0}, {255, 255, 255}};
    png_set_PLTE(Png, Info, Palette, 2);
    png_set_compression_level(Png, 9);
    png_write_info(Png, Info);
    std::vector<uint8_t> Row((Image.Width() + 7) / 8);
    for (int y = 0; y < Image.Height(); ++y) {
        std::fill(Row.begin(), Row.end(), 0);
        for (int x = 0; x < Image.Width(); ++x)
            if (Image.Pixel(x, y) != clBlack) Row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        png_write_row(Png, Row.data());
    }
    png_write_end(Png, Info);
    png_destroy_write_struct(&Png, &Info);
    return Out;
}

std::vector<uint8_t> ReadFile(const std::filesystem::path& Path) {
    std::ifstream In(Path, std::ios::binary);
    if (!In) throw std::runtime_error("cannot read " + Path.string());
    return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

void WriteIfChanged(const std::filesystem::path& Path, const std::string& Text) {
    if (std::filesystem::exists(Path)) {
        std::vector<uint8_t> Old = ReadFile(Path);
        if (std::string(Old.begin(), Old.end()) == Text) return; // keeps the build from recompiling
    }
    WriteFileReplacing(Path, Text);
}

// Checks the drawn picture against the driver: every inner point black, each shape
// reached from exactly the points of one segment (or of pads sharing shapes), and at
// least two white pixels between different shapes.
void CheckPicture(const TLCDDriver& Driver, const TLCDLayout& Layout, const TRaster& Image) {
    const std::string Name = Driver.GetClass().ClassName;
    // Label the four-connected black regions.
    std::vector<int> Label(size_t(Image.Width()) * Image.Height(), -1);
    int Regions = 0;
    std::vector<std::pair<int, int>> Stack;
    for (int y = 0; y < Image.Height(); ++y)
        for (int x = 0; x < Image.Width(); ++x) {
            if (Image.Pixel(x, y) != clBlack || Label[size_t(y) * Image.Width() + x] >= 0) continue;
            Stack.push_back({x, y});
            Label[size_t(y) * Image.Width() + x] = Regions;
            while (!Stack.empty()) {
                auto [px, py] = Stack.back();
                Stack.pop_back();
                const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
                for (int d = 0; d < 4; ++d) {
                    int nx = px + dx[d], ny = py + dy[d];
                    if (!Image.Contains(nx, ny) || Image.Pixel(nx, ny) != clBlack) continue;
                    int& L = Label[size_t(ny) * Image.Width() + nx];
                    if (L < 0) {
                        L = Regions;
                        Stack.push_back({nx, ny});
                    }
                }
            }
            ++Regions;
        }
    if (Regions != static_cast<int>(Layout.Shapes.size()))
        throw std::runtime_error(Name + ": " + std::to_string(Regions) + " black regions for " +
                                 std::to_string(Layout.Shapes.size()) + " shapes");
    for (const TSegmentShape& S : Layout.Shapes) {
        const TPoint p = S.InnerPoint;
        if (!Image.Contains(p.x, p.y) || Image.Pixel(p.x, p.y) != clBlack)
            throw std::runtime_error(Name + ": inner point of pad " + std::to_string(S.Pad) + " is not black");
    }
    // Two white pixels between shapes: no other region within two pixels of a black pixel.
    for (int y = 0; y < Image.Height(); ++y)
        for (int x = 0; x < Image.Width(); ++x) {
            int L = Label[size_t(y) * Image.Width() + x];
            if (L < 0) continue;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx) {
                    if (!Image.Contains(x + dx, y + dy)) continue;
                    int M = Label[size_t(y + dy) * Image.Width() + x + dx];
                    if (M >= 0 && M != L)
                        throw std::runtime_error(Name + ": shapes closer than two pixels near (" +
                                                 std::to_string(x) + ", " + std::to_string(y) + ")");
                }
        }
    // The driver's points are the layout's points.
    for (const TLCDpadToSegmentInnerPoints& R : Driver.LCDpadToSegmentMappings().LCDpadToSegmentInnerPoints) {
        if (R.TwinPad != 0) continue;
        for (TCommonPlane Plane : {COM0, COM1})
            if (R.AssociatedSegmentInnerPoints[Plane] != Layout.InnerPoints(R.LCDpad, Plane))
                throw std::runtime_error(Name + ": driver and picture disagree on pad " + std::to_string(R.LCDpad));
    }
}

int Generate(const std::filesystem::path& OutDir, const std::filesystem::path& CppPath) {
    std::filesystem::create_directories(OutDir);
    std::ostringstream Cpp;
    Cpp << "// Generated by tarvolin-lcdgen from the game LCD drivers' layouts. Do not edit.\n"
           "#include \"base/resources.h\"\n\nnamespace tarvolin {\n"
           "// Referenced by the game LCD drivers, so that every program using them links the images.\n"
           "extern const bool GameLCDImagesLinked;\nconst bool GameLCDImagesLinked = true;\n}\n\nnamespace {\n";
    std::vector<std::string> Names;
    int Index = 0;
    for (const TLCDDriverClass* Class : GameLCDDriverClasses()) {
        std::unique_ptr<TLCDDriver> Driver = Class->Create(SHARP_SM5A_Chip.COMtoMCUpin, SHARP_SM5A_Chip.ObitToMCUpin);
        const TLCDLayout Layout = GameLCDLayout(*Driver);
        TRaster Image;
        RasterizeLayout(Layout, Image);
        CheckPicture(*Driver, Layout, Image);
        const std::vector<uint8_t> Png = EncodeTwoColourPNG(Image);
        const std::string Resource = Driver->LCDResourceName();
        {
            std::ostringstream Bytes;
            Bytes.write(reinterpret_cast<const char*>(Png.data()), static_cast<std::streamsize>(Png.size()));
            WriteIfChanged(OutDir / (Resource + ".png"), Bytes.str());
        }
        Cpp << "const unsigned char Image" << Index << "[" << Png.size() << "] = {";
        for (size_t i = 0; i < Png.size(); ++i) {
            if (i % 24 == 0) Cpp << "\n";
            Cpp << static_cast<int>(Png[i]) << ",";
        }
        Cpp << "\n};\n";
        Names.push_back(Resource);
        ++Index;
    }
    Cpp << "\nstruct TRegistration {\n    TRegistration() {\n";
    for (size_t i = 0; i < Names.size(); ++i)
        Cpp << "        tarvolin::RegisterResource(\"" << Names[i] << "\", {Image" << i << ", sizeof Image" << i
            << "});\n";
    Cpp << "    }\n};\nconst TRegistration Registration;\n} // namespace\n";
    WriteIfChanged(CppPath, Cpp.str());
    return 0;
}

// Lights digits (or everything) on a picture through the driver, as a running game would.
int Preview(const std::string& ClassName, const std::filesystem::path& ImagePath, const std::filesystem::path& OutPath,
            const std::string& What) {
    const TLCDDriverClass* Class = nullptr;
    for (const TLCDDriverClass* C : GameLCDDriverClasses())
        if (ClassName == C->ClassName) Class = C;
    if (Class == nullptr) throw std::runtime_error("unknown game LCD driver " + ClassName);
    const TGameHardware* Game = FirstGameListingLCDDriver(*Class);
    const TChipVariant& Chip = *Game->Class->Chip;
    std::unique_ptr<TLCDDriver> Driver = Class->Create(Chip.COMtoMCUpin, Chip.ObitToMCUpin);
    static std::vector<uint8_t> Png;
    Png = ReadFile(ImagePath);
    RegisterResource(Driver->LCDResourceName(), {Png.data(), Png.size()});
    TRaster Scene;
    Driver->AssignBitmapContainer(&Scene, clWhite, 40, false);
    TORegister O{}, O_{};
    if (What == "all" || What == "points") {
        O.fill(0xF);
        O_.fill(0xF);
    } else {
        // Digits right-aligned on the game's digit registers, through the coding table.
        const std::vector<uint8_t>& Regs = Game->DigitORegisters;
        size_t n = std::min(What.size(), Regs.size());
        for (size_t i = 0; i < n; ++i) {
            int Digit = What[What.size() - n + i] - '0';
            if (Digit < 0 || Digit > 9) continue;
            uint8_t Reg = Regs[Regs.size() - n + i];
            T4bits TD0 = SevenSegmentCodingTable[0][Digit], TD1 = SevenSegmentCodingTable[1][Digit];
            (Game->TD0IsCOM1 ? O : O_)[Reg] = TD0;
            (Game->TD0IsCOM1 ? O_ : O)[Reg] = TD1;
        }
    }
    Driver->RefreshBitmap(O, O_, false);
    if (What == "points") {
        // Every inner point as a red cross.
        for (const TLCDpadToSegmentInnerPoints& R : Driver->LCDpadToSegmentMappings().LCDpadToSegmentInnerPoints)
            for (const TPointList& Points : R.AssociatedSegmentInnerPoints)
                for (const TPoint& P : Points)
                    for (int d = -6; d <= 6; ++d)
                        for (int w = -1; w <= 1; ++w)
                            for (auto [x, y] : {std::pair{P.x + d, P.y + w}, {P.x + w, P.y + d}})
                                if (Scene.Contains(x, y)) Scene.SetPixel(x, y, 0x0000FF);
    }
    // Off segments are drawn light grey so the glass stays visible.
    EncodePNGFile(Scene, OutPath.string());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        if (argc >= 5 && std::strcmp(argv[1], "--preview") == 0)
            return Preview(argv[2], argv[3], argv[4], argc >= 6 ? argv[5] : "all");
        if (argc == 3) return Generate(argv[1], argv[2]);
        std::cerr << "usage: tarvolin-lcdgen OUTPUT_DIR GENERATED_CPP\n"
                     "       tarvolin-lcdgen --preview DRIVER_CLASS IMAGE.png OUT.png [DIGITS|all|points]\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "tarvolin-lcdgen: " << e.what() << "\n";
        return 1;
    }
}
