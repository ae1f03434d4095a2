// The MCU's management of its LCD driver with the real driver behind it.
#include <gtest/gtest.h>

#include "core/mcu.h"
#include "test_lcd_driver.h"

namespace tarvolin {
namespace {

using namespace testing_lcd;

std::vector<std::string> LitGenericSquares(const TRaster& R) {
    std::vector<std::string> Result;
    for (TCommonPlane Plane : {COM0, COM1})
        for (int i = 0; i < 9; ++i)
            for (int b = 0; b < 4; ++b) {
                const TPoint P = TLCDDriver::GenericSegmentPosition(Plane, TObit(b), TOIndex(i));
                if (R.Pixel(P.x, P.y) == clBlack)
                    Result.push_back(std::string(Plane == COM0 ? "COM0 O" : "COM1 O") + std::to_string(i) + "." +
                                     std::to_string(b));
            }
    return Result;
}

TEST(MCULCDDriver, ChangingTheImageCarriesTheDrawnAndThePendingState) {
    RegisterTestImage();
    auto MCU = TSHARP_SM5A_MCU::Class.Create(nullptr);
    ASSERT_TRUE(MCU->LCDDriver);
    EXPECT_EQ(&MCU->LCDDriver->GetClass(), &TGenericLCDDriver::Class); // the custom game starts generic

    TRaster Scene;
    MCU->LCDDriver->AssignBitmapContainer(&Scene, clWhite, 4, false);
    MCU->O[1] = 1;
    MCU->O_[0] = 1;
    MCU->LCDDriver->RefreshBitmap(MCU->O, MCU->O_, false);
    EXPECT_EQ(LitGenericSquares(Scene), (std::vector<std::string>{"COM0 O0.0", "COM1 O1.0"}));

    // A write the stable-image filter still holds back.
    int Notified = 0;
    MCU->LCDDriver->OnBitmapRefresh = [&](TLCDDriver&) { ++Notified; };
    MCU->LCDDriver->SetShowStableImageOnly(true);
    MCU->O[0] = 2;
    MCU->LCDDriver->OnInstruction(MCU->O, MCU->O_, true, false);
    for (int i = 0; i < 5; ++i) MCU->LCDDriver->OnInstruction(MCU->O, MCU->O_, false, false);
    EXPECT_EQ(LitGenericSquares(Scene).size(), 2u);
    EXPECT_EQ(Notified, 0);

    MCU->ChangeLCDDriver(TTestLCDDriver::Class);
    EXPECT_EQ(&MCU->LCDDriver->GetClass(), &TTestLCDDriver::Class);
    EXPECT_EQ(MCU->LCDDriver->SceneBitmap(), &Scene);
    EXPECT_EQ(Scene.Width(), ImageWidth);
    EXPECT_EQ(LitShapes(Scene), "A D F G"); // the drawn state plus the held-back write
    EXPECT_TRUE(MCU->LCDDriver->ShowStableImageOnly());
    EXPECT_EQ(MCU->LCDDriver->InstructionCountOfStableORegisters(), 5);
    EXPECT_EQ(MCU->LCDDriver->InactiveSegmentColor(), 0xFBFBFBu);
    EXPECT_EQ(MCU->LCDDriver->ContainerBackgroundColor(), clWhite);
    EXPECT_EQ(Notified, 2); // the callback moved along: attaching and catching up

    // A clone is a fresh driver of the current class without a scene.
    auto Clone = MCU->CloneCurrentLCDDriver();
    EXPECT_EQ(&Clone->GetClass(), &TTestLCDDriver::Class);
    EXPECT_EQ(Clone->SceneBitmap(), nullptr);
    EXPECT_EQ(Clone->PreviousO(), TORegister{});

    // Resetting the MCU darkens the LCD.
    MCU->Reset();
    EXPECT_EQ(LitShapes(Scene), "G");
}

} // namespace
} // namespace tarvolin
