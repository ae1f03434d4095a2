// User artwork verbs of tarvolin-cli:
//   artwork export DRIVER DIR [--force]   the built-in picture and its points file, to start from
//   artwork check DIR                     whether the pictures in DIR work with their drivers
#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "base/resources.h"
#include "base/safe_file.h"
#include "cli.h"
#include "core/mcu.h"
#include "games/game_catalogue.h"
#include "lcd/lcd_artwork.h"
#include "lcd/lcd_driver.h"

namespace tarvolin::cli {

namespace {

// A driver for its pictures: pads and points do not depend on the chip; the pins of the
// first game that lists it are taken.
std::unique_ptr<TLCDDriver> CreateDriver(const TLCDDriverClass& Class) {
    const TChipVariant* Chip = &SHARP_SM5A_Chip;
    if (const TGameHardware* Game = FirstGameListingLCDDriver(Class)) Chip = Game->Class->Chip;
    return Class.Create(Chip->COMtoMCUpin, Chip->ObitToMCUpin);
}

// Every driver with a built-in picture, by picture name.
std::map<std::string, std::unique_ptr<TLCDDriver>> DriversByImage() {
    std::map<std::string, std::unique_ptr<TLCDDriver>> Drivers;
    for (const TLCDDriverClass* C : AllLCDDriverClasses()) {
        auto D = CreateDriver(*C);
        if (!D->LCDResourceName().empty()) Drivers.emplace(D->LCDResourceName(), std::move(D));
    }
    return Drivers;
}

struct {
    std::string Driver, Dir;
    bool Force = false;
    CLI::App *Export = nullptr, *Check = nullptr;
} ArtworkArgs;

int Export() {
    const std::string Plain[2] = {ArtworkArgs.Driver, ArtworkArgs.Dir};
    const bool Force = ArtworkArgs.Force;
    auto Drivers = DriversByImage();
    const TLCDDriver* Driver = nullptr;
    for (const auto& [Image, D] : Drivers)
        if (SameIgnoringCase(Plain[0], Image) || SameIgnoringCase(Plain[0], D->GetClass().ClassName)) Driver = D.get();
    if (!Driver) throw EUsageError("no LCD driver with a built-in picture is called \"" + Plain[0] + "\"");
    const std::string& Image = Driver->LCDResourceName();
    const auto Resource = FindResource(Image);
    if (!Resource) throw EFailure("the built-in picture " + Image + " is missing from this program");
    const std::filesystem::path Dir = Plain[1];
    std::error_code Ec;
    if (!std::filesystem::is_directory(Dir, Ec)) throw EFailure("\"" + Dir.string() + "\" is not a folder");
    const std::filesystem::path PNG = ArtworkPNGPath(Dir, Image), Points = ArtworkPointsPath(Dir, Image);
    if (!Force)
        for (const auto& File : {PNG, Points})
            if (std::filesystem::exists(File, Ec))
                throw EFailure("\"" + File.string() + "\" exists; --force replaces it");
    try {
        WriteFileReplacing(PNG, std::string_view(reinterpret_cast<const char*>(Resource->Data), Resource->Size));
        WriteFileReplacing(Points, FormatArtworkPoints(*Driver));
    } catch (const std::exception& e) {
        throw EFailure(e.what());
    }
    std::cout << "wrote " << PNG.string() << "\nwrote " << Points.string() << "\n";
    return 0;
}

int Check() {
    const std::filesystem::path Dir = ArtworkArgs.Dir;
    std::error_code Ec;
    if (!std::filesystem::is_directory(Dir, Ec)) throw EFailure("\"" + Dir.string() + "\" is not a folder");
    auto Drivers = DriversByImage();
    std::map<std::string, bool> Images; // picture name -> has a driver
    std::vector<std::string> Strays;
    for (const auto& Entry : std::filesystem::directory_iterator(Dir, Ec)) {
        const std::filesystem::path& P = Entry.path();
        if (P.extension() != ".png" && P.extension() != ".points") continue;
        const std::string Stem = P.stem().string();
        if (Drivers.count(Stem)) Images[Stem] = true;
        else Strays.push_back(P.filename().string());
    }
    if (Ec) throw EFailure("cannot list \"" + Dir.string() + "\": " + Ec.message());
    if (Images.empty() && Strays.empty()) throw EFailure("no artwork (*.png, *.points) in \"" + Dir.string() + "\"");
    int Refused = 0;
    for (const std::string& Stray : Strays) {
        std::cout << Stray << ": error: no LCD driver has a picture of this name\n";
        ++Refused;
    }
    for (const auto& [Image, Unused] : Images) {
        const TLCDDriver& Driver = *Drivers.at(Image);
        const TArtworkLoad Load = LoadArtwork(Dir, Driver);
        std::cout << Image << " (" << Driver.GetClass().ClassName << ")\n";
        for (const std::string& Line : Load.Report.GoodSegments) std::cout << "  " << Line << "\n";
        int Errors = 0;
        for (const TArtworkFinding& F : Load.Report.Findings) {
            std::cout << "  " << (F.Error ? "error: " : "note: ") << F.Text << "\n";
            Errors += F.Error ? 1 : 0;
        }
        if (Errors > 0) {
            std::cout << Image << ": refused, " << Errors << " problem(s)"
                      << (Load.File.empty() ? "" : " in " + Load.File.filename().string()) << "\n";
            ++Refused;
        } else {
            std::cout << Image << ": usable\n";
        }
    }
    return Refused > 0 ? 1 : 0;
}

void DefineArtwork(CLI::App& C) {
    auto& A = ArtworkArgs;
    A.Export = C.add_subcommand("export",
                                "writes the built-in picture of DRIVER and its points file into DIR as a\n"
                                "starting point. DRIVER is a driver class (TMH06LCDDriver) or its picture's\n"
                                "name (MH06_LCD), in any letter case. Existing files are kept unless --force.");
    A.Export->add_option("DRIVER", A.Driver, "the LCD driver or its picture's name")->required();
    A.Export->add_option("DIR", A.Dir, "the folder to write into")->required();
    A.Export->add_flag("--force", A.Force, "replace files of the same names");
    A.Check = C.add_subcommand("check",
                               "checks every picture and points file in DIR against its driver and prints a\n"
                               "line per segment and per problem. Exit status 1 when any picture would be\n"
                               "refused (a segment without a point on a black shape, segments that would\n"
                               "flood into each other, other colours than black and white, a wrong size).");
    A.Check->add_option("DIR", A.Dir, "the folder of the artwork")->required();
}

int ArtworkMain() {
    if (ArtworkArgs.Export->parsed()) return Export();
    if (ArtworkArgs.Check->parsed()) return Check();
    throw EUsageError("give export or check");
}

const TVerbRegistration Registration(
    {"artwork", "export a built-in LCD picture for an artist, check user artwork",
     "A picture IMAGE.png with a points file IMAGE.points beside it, in the artwork folder of\n"
     "the program's data folder, replaces the built-in LCD picture named IMAGE (see\n"
     "docs/artwork.md).",
     DefineArtwork, ArtworkMain});

} // namespace

} // namespace tarvolin::cli
