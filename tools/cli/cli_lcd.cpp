// LCD verbs and options of tarvolin-cli:
//   wiring DRIVER            a driver's pin-to-pad table and its pad records
//   run ... --driver CLASS   run with another LCD driver than the game's first one
//   run ... --lcd FILE.png   write the LCD picture as the driver has drawn it
#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli.h"
#include "core/mcu.h"
#include "games/game_catalogue.h"
#include "lcd/lcd_driver.h"
#include "lcd/raster.h"

namespace tarvolin::cli {

namespace {

const TLCDDriverClass& FindDriverClass(const std::string& Name) {
    for (const TLCDDriverClass* C : AllLCDDriverClasses())
        if (SameIgnoringCase(Name, C->ClassName)) return *C;
    std::string Known;
    for (const TLCDDriverClass* C : AllLCDDriverClasses()) Known += std::string(Known.empty() ? "" : ", ") + C->ClassName;
    throw EUsageError("unknown LCD driver \"" + Name + "\" (known drivers: " + Known + ")");
}

std::string PadList(const std::vector<TLCDpad>& Pads) {
    if (Pads.empty()) return "-";
    std::string s;
    for (TLCDpad p : Pads) s += (s.empty() ? "" : " ") + std::to_string(p);
    return s;
}

// ------------------------------------------------------------------ wiring

struct {
    std::string Driver, Chip;
} Wiring;

const char* const WiringDescription =
    "Prints an LCD driver's wiring: every MCU pin of its mapping with the LCD pads it drives\n"
    "(common pins marked COM0 or COM1, segment pins with their O index and bit), then one line\n"
    "per pad record with the pad's position on the glass, its number of COM0 and COM1 inner\n"
    "points, and for a common pad the segment pads under its electrode and its twin.";

void DefineWiring(CLI::App& C) {
    C.add_option("DRIVER", Wiring.Driver, "an LCD driver class name, e.g. TMH06LCDDriver (case does not matter)")
        ->type_name("DRIVER");
    AddChoice(C, "--chip", Wiring.Chip, {"sharp", "kb"},
              "the chip whose pins apply: sharp (SM-5A) or kb (KB1013VK1-2); default:\n"
              "the chip of the first game that lists the driver, else sharp");
}

int WiringMain() {
    const std::string& Name = Wiring.Driver;
    const std::string& Chip = Wiring.Chip;
    if (Name.empty()) throw EUsageError("no LCD driver given");
    const TLCDDriverClass& Class = FindDriverClass(Name);
    const TChipVariant* Variant = &SHARP_SM5A_Chip;
    if (Chip == "kb") Variant = &KB1013VK1_2_Chip;
    else if (Chip.empty())
        if (const TGameHardware* Game = FirstGameListingLCDDriver(Class)) Variant = Game->Class->Chip;
    auto Driver = Class.Create(Variant->COMtoMCUpin, Variant->ObitToMCUpin);

    std::ostringstream Out;
    Out << Class.ClassName << ": " << Driver->LCDThemeName() << "\n";
    Out << "image: " << (Driver->LCDResourceName().empty() ? "(generic technical image)" : Driver->LCDResourceName())
        << "\n";
    Out << "chip: " << Variant->MCUname << "\n";
    Out << "common-pad groups: " << (Driver->COMMappingsConfirmed() ? "confirmed" : "approximate") << "\n\n";

    Out << "MCU pin -> LCD pads\n";
    Out << "  pin  signal    pads\n";
    char Line[160];
    for (const TMCUpinToLCDpads& P : Driver->MCUtoLCDmappings().MCUpinToLCDpadsDefs) {
        std::string Signal;
        TOIndex i = 0;
        TObit b = 0;
        if (P.IsCOM0) Signal = "COM0";
        else if (P.IsCOM1) Signal = "COM1";
        else if (Driver->MCUpinToOIndexAndObit(P.MCUpin, i, b))
            Signal = "O" + std::to_string(i) + " bit " + std::to_string(b);
        else Signal = "?";
        std::snprintf(Line, sizeof Line, "  %3d  %-8s  %s\n", P.MCUpin, Signal.c_str(), PadList(P.DrivenLCDpads).c_str());
        Out << Line;
    }
    Out << "\nLCD pad records\n";
    Out << "  pad  position  COM0  COM1  driven pads / twin\n";
    for (const TLCDpadToSegmentInnerPoints& R : Driver->LCDpadToSegmentMappings().LCDpadToSegmentInnerPoints) {
        if (R.TwinPad == 0) {
            std::snprintf(Line, sizeof Line, "  %3d  %+8d  %4zu  %4zu\n", R.LCDpad, R.PadPosition,
                          R.AssociatedSegmentInnerPoints[COM0].size(), R.AssociatedSegmentInnerPoints[COM1].size());
            Out << Line;
        } else {
            std::snprintf(Line, sizeof Line, "  %3d  %+8d  %4s  %4s  ", R.LCDpad, R.PadPosition,
                          Driver->IsLCDpadCOM0(R.LCDpad) ? "COM" : "-", Driver->IsLCDpadCOM1(R.LCDpad) ? "COM" : "-");
            Out << Line << "drives " << PadList(R.DrivenSegmentPadsIfCOM) << "; twin "
                << (R.TwinPad == NoLCDpad ? std::string("none") : std::to_string(R.TwinPad)) << "\n";
        }
    }
    std::cout << Out.str();
    return 0;
}

const TVerbRegistration WiringVerb({"wiring", "print an LCD driver's pin and pad tables", WiringDescription,
                                    DefineWiring, WiringMain});

// ------------------------------------------------------------------ run --driver / --lcd

struct TRunLCDOptions {
    std::string DriverClass;
    std::string PictureFile;
    TRaster Scene;
};
TRunLCDOptions& RunLCD() {
    static TRunLCDOptions Options;
    return Options;
}

void DefineRunLCD(CLI::App& Run) {
    Run.add_option("--driver", RunLCD().DriverClass,
                   "run with this LCD driver (e.g. TIM51LCDDriver) instead of the game's first")
        ->type_name("CLASS")
        ->check(CLI::Validator(
            [](std::string& Name) {
                FindDriverClass(Name); // an unknown name is a usage error
                return std::string();
            },
            ""));
    AddOutputFile(Run, "--lcd", "FILE.png", RunLCD().PictureFile,
                  "write the LCD picture as the driver has drawn it after the last step");
}

void RunLCDAfterCreate(TSHARP_SM5A_MCU& MCU) {
    TRunLCDOptions& O = RunLCD();
    if (!O.DriverClass.empty()) MCU.ChangeLCDDriver(FindDriverClass(O.DriverClass));
    if (O.PictureFile.empty()) return;
    // The scene the main window would show, with every LCD write drawn at once.
    MCU.LCDDriver->AssignBitmapContainer(&O.Scene, clBtnFace, 4, false);
    MCU.LCDDriver->SetShowStableImageOnly(false);
}

void RunLCDAfterRun(TSHARP_SM5A_MCU& MCU, std::ostream&) {
    TRunLCDOptions& O = RunLCD();
    if (O.PictureFile.empty()) return;
    try {
        EncodePNGFile(O.Scene, O.PictureFile);
    } catch (const std::exception& e) {
        throw EFailure("cannot write the LCD picture " + O.PictureFile + ": " + e.what());
    }
}

const TRunExtensionRegistration RunLCDExtension({&DefineRunLCD, &RunLCDAfterCreate, &RunLCDAfterRun});

} // namespace

} // namespace tarvolin::cli
