// How the games' wiring shows when their programs run: unwired inputs stop the emulation,
// and a game whose picture is missing falls back to the generic squares of its own segments.
#include <gtest/gtest.h>

#include <sstream>

#include "base/errors.h"
#include "base/reporter.h"
#include "base/resources.h"
#include "games/game_catalogue.h"
#include "games/game_classes.h"
#include "games/game_lcd_drivers.h"
#include "lcd/lcd_driver.h"

using namespace tarvolin;

namespace {

// A chip-order ROM whose first instruction after reset (bank 0, page 15, step 0) is Opcode.
std::unique_ptr<TSHARP_SM5A_MCU> WithFirstInstruction(const TMCUClass& Class, uint8_t Opcode) {
    std::string Image(ROMSize, '\0');
    Image[15 * 64] = static_cast<char>(Opcode);
    std::istringstream Stream(Image);
    return Class.Create(&Stream);
}

// The message of the emulator error the first instruction raises, "" if none.
std::string FirstStepError(TSHARP_SM5A_MCU& MCU) {
    uint8_t Op = 0, Operand = 0;
    try {
        MCU.PerformOneCycle(Op, Operand);
    } catch (const EEmulatorError& E) {
        return E.what();
    }
    return "";
}

class TRecordingReporter : public TMessageReporter {
public:
    std::vector<std::string> Errors;
    void ShowError(const std::string& Text) override { Errors.push_back(Text); }
};

} // namespace

TEST(GameInputs, ReadingKUnderTheGamesGrounds) {
    constexpr uint8_t KTA = 0x6A;
    struct Row {
        const TMCUClass* Class;
        std::string Error; // "" = the read succeeds
        T4bits Acc;
    };
    // Matrix: direct 1, R4 2, R3 4, R2 8; after reset every scan line of R is low.
    const Row Rows[] = {
        {&TAC01::Class, "", 0x1},                           // direct only: R is not looked at
        {&TGK10::Class, "", 0x1},
        {&TMH06::Class, "", 0xE},                           // R4, R3 and R2 wired
        {&TPP23::Class, "Querying input for R3=0", 0},      // R4 and R2 wired, R3 not
        {&TFL02::Class, "Querying input for R2=0", 0},      // R4 and R3 wired
        {&TIM13::Class, "Querying input for R1=0", 0},      // the Elektronika's numbering
        {&TAltair::Class, "", 0xE},
        {&TSHARP_SM5A_MCU::Class, "", 0xF},                 // the custom game reads everything
    };
    for (const Row& R : Rows) {
        SCOPED_TRACE(R.Class->ClassName);
        auto M = WithFirstInstruction(*R.Class, KTA);
        M->IO.FInputMatrix = {0x1, 0x2, 0x4, 0x8};
        EXPECT_EQ(FirstStepError(*M), R.Error);
        if (R.Error.empty()) {
            EXPECT_EQ(M->Acc, R.Acc);
        }
    }
}

TEST(GameInputs, UnwiredAlphaAndBetaStopTheProgram) {
    constexpr uint8_t TA = 0x50, TB = 0x51;
    EXPECT_EQ(FirstStepError(*WithFirstInstruction(TFL02::Class, TA)), "Querying Alpha state");
    EXPECT_EQ(FirstStepError(*WithFirstInstruction(TFL02::Class, TB)), "");
    EXPECT_EQ(FirstStepError(*WithFirstInstruction(TIM13::Class, TB)), "Querying Beta state");
    EXPECT_EQ(FirstStepError(*WithFirstInstruction(TAltair::Class, TB)), "Querying Beta state");
    EXPECT_EQ(FirstStepError(*WithFirstInstruction(TAltair::Class, TA)), "");
    EXPECT_EQ(FirstStepError(*WithFirstInstruction(TIM02::Class, TB)), "");
}

TEST(GameInputs, CustomGameOffersEveryImageGenericFirst) {
    auto Custom = TSHARP_SM5A_MCU::Class.Create(nullptr);
    ASSERT_EQ(Custom->SupportedLCDDrivers.size(), 37u);
    EXPECT_EQ(Custom->SupportedLCDDrivers.front(), &TGenericLCDDriver::Class);
    EXPECT_EQ(Custom->SupportedLCDDrivers.back(), &TSG21LCDDriver::Class);
    EXPECT_THROW(Custom->SetClock(1, 2, 3), EAbstractError);
}

TEST(GameLCDFallback, MissingPictureShowsTheGenericSquaresOfTheGamesSegments) {
    const std::string Name = "MH06_LCD";
    const TResourceData Saved = *FindResource(Name);
    UnregisterResource(Name);
    TRecordingReporter Reporter;
    TMessageReporter* Previous = SetMessageReporter(&Reporter);

    auto MH06 = TMH06::Class.Create(nullptr);
    TRaster Scene, Lit;
    MH06->LCDDriver->AssignBitmapContainer(&Scene, clWhite, 4, true);
    // The driver's points move onto the squares, so a refresh lights them there.
    TORegister O{}, O_{};
    O[5] = 0x8;
    MH06->LCDDriver->AssignBitmapContainer(&Lit, clWhite, 4, false);
    MH06->LCDDriver->RefreshBitmap(O, O_, false);

    SetMessageReporter(Previous);
    RegisterResource(Name, Saved);

    ASSERT_EQ(Reporter.Errors.size(), 2u);
    EXPECT_NE(Reporter.Errors[0].find(" (MH06_LCD)"), std::string::npos);
    ASSERT_EQ(Scene.Width(), 1355);
    // O0 bits 3..1 and O8 bit 0 reach no pad: no squares. Every other bit has both planes.
    for (TOIndex i = 0; i < 9; ++i)
        for (TObit b = 0; b < 4; ++b) {
            const bool Wired = !((i == 0 && b >= 1) || (i == 8 && b == 0));
            for (TCommonPlane Plane : {COM0, COM1}) {
                const TPoint P = TLCDDriver::GenericSegmentPosition(Plane, b, i);
                EXPECT_EQ(Scene.Pixel(P.x + 32, P.y + 32) == clBlack, Wired) << int(i) << " " << int(b);
            }
        }
    const TPoint On = TLCDDriver::GenericSegmentPosition(COM1, 3, 5);
    const TPoint Off = TLCDDriver::GenericSegmentPosition(COM0, 3, 5);
    EXPECT_EQ(Lit.Pixel(On.x + 10, On.y + 10), clBlack);
    EXPECT_EQ(Lit.Pixel(Off.x + 10, Off.y + 10), 0xFBFBFBu);
}

// AC-01 without its picture: a square stays where at least one pad of the bit's pin has a
// segment on that plane, since every such segment is moved onto that one square.
TEST(GameLCDFallback, AC01SquaresFollowThePadsOfEachPin) {
    const std::string Name = "AC01_LCD";
    const TResourceData Saved = *FindResource(Name);
    UnregisterResource(Name);
    TRecordingReporter Reporter;
    TMessageReporter* Previous = SetMessageReporter(&Reporter);
    auto AC01 = TAC01::Class.Create(nullptr);
    TRaster Scene, Lit;
    AC01->LCDDriver->AssignBitmapContainer(&Scene, clWhite, 4, true);
    // Pad 13's segment on plane COM1 lights its kept square.
    TORegister O{}, O_{};
    O[5] = 0x4;
    AC01->LCDDriver->AssignBitmapContainer(&Lit, clWhite, 4, false);
    AC01->LCDDriver->RefreshBitmap(O, O_, false);
    SetMessageReporter(Previous);
    RegisterResource(Name, Saved);
    ASSERT_EQ(Reporter.Errors.size(), 2u);

    struct Row {
        int OIndex, Obit;
        bool COM0, COM1;
        const char* Why;
    };
    const Row Rows[] = {
        {5, 2, true, true, "pads 9 (COM0 only) and 13 (both planes)"},
        {5, 1, true, true, "pads 8 (COM1 only) and 10 (COM0 only)"},
        {5, 0, true, true, "pads 7 and 12"},
        {6, 3, false, false, "a pin without pads"},
        {0, 0, false, true, "pad 33 has no COM0 segment"},
        {3, 0, false, true, "pad 21 has no COM0 segment"},
        {0, 3, true, true, "pad 32"},
        {8, 0, true, true, "pad 36"},
    };
    for (const Row& R : Rows) {
        for (TCommonPlane Plane : {COM0, COM1}) {
            const TPoint P = TLCDDriver::GenericSegmentPosition(Plane, TObit(R.Obit), TOIndex(R.OIndex));
            EXPECT_EQ(Scene.Pixel(P.x + 32, P.y + 32) == clBlack, Plane == COM0 ? R.COM0 : R.COM1)
                << "O" << R.OIndex << " bit " << R.Obit << " plane " << int(Plane) << ": " << R.Why;
        }
    }
    const TPoint On = TLCDDriver::GenericSegmentPosition(COM1, 2, 5);
    const TPoint Off = TLCDDriver::GenericSegmentPosition(COM0, 2, 5);
    EXPECT_EQ(Lit.Pixel(On.x + 32, On.y + 32), clBlack);
    EXPECT_EQ(Lit.Pixel(Off.x + 32, Off.y + 32), 0xFBFBFBu);
}
