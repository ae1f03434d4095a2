#include "debugger_fixture.h"
#include "games/game_catalogue.h"
#include "lcd/lcd_driver.h"

namespace tarvolin::test {
namespace {

TEST_F(DebuggerTest, ACustomROMOffersEveryLCDImage) {
    Load();
    const TLCDImageMenu& Menu = Debugger.LCDImageMenu();
    EXPECT_EQ(MCU().SupportedLCDDrivers, AllLCDDriverClasses());
    if (AllLCDDriverClasses().size() > 1) {
        EXPECT_TRUE(Menu.Visible);
        EXPECT_EQ(Menu.Header, "---  ALL AVAILABLE LCD IMAGES  ---");
        EXPECT_EQ(Menu.Captions.size(), AllLCDDriverClasses().size());
    } else {
        EXPECT_FALSE(Menu.Visible);
        EXPECT_TRUE(View.States.LCDImageHint.empty());
    }
}

// The dosimeter supports two LCD images.
TEST_F(DebuggerTest, SwitchingBetweenCompatibleLCDImagesWrapsAround) {
    const TMCUClass* Game = FindGameClass("Altair");
    ASSERT_NE(Game, nullptr);
    Settings.SetROMFile(Game->ShortGameName(), Dir.Write("altair.rom", MakeROM(TestProgram())));
    ASSERT_TRUE(Debugger.LoadGameFromMenu(Game));
    const auto& Drivers = MCU().SupportedLCDDrivers;
    ASSERT_GT(Drivers.size(), 1u);
    const TLCDImageMenu& Menu = Debugger.LCDImageMenu();
    EXPECT_TRUE(Menu.Visible);
    EXPECT_EQ(Menu.Header, "---  COMPATIBLE LCD IMAGES  ---");
    ASSERT_EQ(Menu.Captions.size(), Drivers.size());
    EXPECT_EQ(Menu.Checked, 0);
    EXPECT_FALSE(View.States.LCDImageHint.empty());
    EXPECT_FALSE(Debugger.LCDBitmap().Empty());

    // Double click: the next image; Shift: the previous one, wrapping at both ends.
    Debugger.SwitchLCDImage(false);
    EXPECT_EQ(&MCU().LCDDriver->GetClass(), Drivers[1]);
    EXPECT_EQ(Debugger.LCDImageMenu().Checked, 1);
    ASSERT_FALSE(View.ThemeNames.empty());
    EXPECT_EQ(View.ThemeNames.back(), MCU().LCDDriver->LCDThemeName());
    // The interconnection window is closed before the driver changes.
    EXPECT_EQ(View.Windows.back(), "close interconnection");
    Debugger.SwitchLCDImage(true);
    Debugger.SwitchLCDImage(true);
    EXPECT_EQ(&MCU().LCDDriver->GetClass(), Drivers.back());
    Debugger.SwitchLCDImage(false);
    EXPECT_EQ(&MCU().LCDDriver->GetClass(), Drivers[0]);

    // The pop-up menu picks one directly; its caption is the theme name with "&" doubled.
    const int Last = static_cast<int>(Drivers.size()) - 1;
    Debugger.SelectLCDImage(Last);
    EXPECT_EQ(Debugger.LCDImageMenu().Checked, Last);
    std::string Expected;
    for (char c : MCU().LCDDriver->LCDThemeName()) {
        Expected += c;
        if (c == '&') Expected += '&';
    }
    EXPECT_EQ(Debugger.LCDImageMenu().Captions[size_t(Last)], Expected);

    // A new scene keeps following the registers: the driver redraws through the same bitmap.
    const int Changes = View.LCDChanges;
    Prompter.Type({"F"});
    ASSERT_TRUE(Debugger.EditValue({TValueKind::O, 0}));
    EXPECT_GT(View.LCDChanges, Changes);

    // Closing the game removes the image items.
    ASSERT_TRUE(Debugger.CanCloseGame());
    EXPECT_FALSE(Debugger.LCDImageMenu().Visible);
    EXPECT_TRUE(Debugger.LCDImageMenu().Captions.empty());
}

TEST_F(DebuggerTest, FullRunsShowOnlyTheStableLCDImage) {
    Load();
    EXPECT_FALSE(MCU().LCDDriver->ShowStableImageOnly());
    Debugger.UnattendedRun();
    EXPECT_TRUE(MCU().LCDDriver->ShowStableImageOnly());
    Debugger.Pause();
    EXPECT_FALSE(MCU().LCDDriver->ShowStableImageOnly());
    Debugger.AnimatedRun();
    EXPECT_FALSE(MCU().LCDDriver->ShowStableImageOnly());
}

TEST_F(DebuggerTest, RawButtonsFeedTheInputMatrixWhileStopped) {
    Load();
    // Pressing the mouse on a button while stopped changes the matrix at once.
    Debugger.RawButtonMouseDown(rbDiK1);
    EXPECT_EQ(MCU().IO.FInputMatrix[gndDirect], 0x1);
    Debugger.RawButtonMouseUp(rbDiK1, false, true);
    EXPECT_EQ(MCU().IO.FInputMatrix[gndDirect], 0x0);

    // Ctrl+click latches K2 of the R3 row; a plain click releases it.
    Debugger.RawButtonMouseDown(rbR3K2);
    Debugger.RawButtonMouseUp(rbR3K2, true, true);
    EXPECT_TRUE(Debugger.RawButtons()[rbR3K2].Latched);
    EXPECT_EQ(MCU().IO.FInputMatrix[gndR3], 0x2);
    Debugger.RawButtonMouseDown(rbR3K2);
    Debugger.RawButtonMouseUp(rbR3K2, false, true);
    EXPECT_FALSE(Debugger.RawButtons()[rbR3K2].Latched);
    EXPECT_EQ(MCU().IO.FInputMatrix[gndR3], 0x0);

    // Ctrl released outside the button does not latch.
    Debugger.RawButtonMouseDown(rbAlpha);
    Debugger.RawButtonMouseUp(rbAlpha, true, false);
    EXPECT_FALSE(Debugger.RawButtons()[rbAlpha].Latched);
    EXPECT_FALSE(MCU().IO.FAlpha);
}

TEST_F(DebuggerTest, DuringARunTheButtonsAreSampledOnlyByInputInstructions) {
    // 3C0 SKIP; 3C1 KTA (reads K); 3C2 TR 3C0.
    Load({{0x3C0, {0x00, 0x6A, TR(0)}}});
    Debugger.UnattendedRun(); // executes the SKIP
    Debugger.SetRawButtonPressed(rbDiK3, true);
    EXPECT_EQ(MCU().IO.FInputMatrix[gndDirect], 0); // not sampled yet
    int n = 0;
    Debugger.RunSlice([&] { return ++n >= 1; }); // KTA: sampled first, then read
    EXPECT_EQ(MCU().IO.FInputMatrix[gndDirect], 0x4);
    EXPECT_EQ(MCU().Acc, 0x4);
    Debugger.SetRawButtonPressed(rbDiK3, false);
    n = 0;
    Debugger.RunSlice([&] { return ++n >= 1; }); // TR: the matrix keeps its value
    EXPECT_EQ(MCU().IO.FInputMatrix[gndDirect], 0x4);
    // The released button reaches the next input read, and a value written into the matrix
    // behind the buttons' back gives way to the buttons' state there too.
    MCU().IO.FInputMatrix[gndR4] = 0x9;
    n = 0;
    Debugger.RunSlice([&] { return ++n >= 2; }); // SKIP, KTA
    EXPECT_EQ(MCU().IO.FInputMatrix[gndDirect], 0x0);
    EXPECT_EQ(MCU().IO.FInputMatrix[gndR4], 0x0);
    EXPECT_EQ(MCU().Acc, 0x0);
    Debugger.Pause();
}

TEST_F(DebuggerTest, DosimeterModeFeedsTheR2Input) {
    const TMCUClass* Game = FindGameClass("Altair");
    ASSERT_NE(Game, nullptr);
    Settings.SetROMFile(Game->ShortGameName(), Dir.Write("altair.rom", MakeROM(TestProgram())));
    ASSERT_TRUE(Debugger.LoadGameFromMenu(Game));
    // Intensity 0: the mode starts (R bit 1 is 0 after reset) but no radiation arrives.
    Debugger.SetRadiationIntensity(0);
    Debugger.TraceInto();
    EXPECT_EQ(MCU().IO.FInputMatrix[gndR2], 0);
    // R bit 1 set ends the mode; cleared again it starts with a random count 1..15.
    Prompter.Type({"2"});
    ASSERT_TRUE(Debugger.EditValue({TValueKind::R, 0}));
    Debugger.TraceInto();
    Debugger.SetRadiationIntensity(2);
    Prompter.Type({"0"});
    ASSERT_TRUE(Debugger.EditValue({TValueKind::R, 0}));
    Debugger.TraceInto();
    EXPECT_GE(MCU().IO.FInputMatrix[gndR2], 1);
    Prompter.Type({"2"});
    ASSERT_TRUE(Debugger.EditValue({TValueKind::R, 0}));
    Debugger.TraceInto();
    EXPECT_EQ(MCU().IO.FInputMatrix[gndR2], 0);
}

TEST_F(DebuggerTest, AnUnwiredInputIsReportedInTheHintAndStopsTheStep) {
    // The dosimeter does not wire Beta; its program tests it at once.
    const TMCUClass* Game = FindGameClass("Altair");
    ASSERT_NE(Game, nullptr);
    Settings.SetROMFile(Game->ShortGameName(), Dir.Write("altair.rom", MakeROM({{0x3C0, {0x51, 0x00}}})));
    ASSERT_TRUE(Debugger.LoadGameFromMenu(Game));
    EXPECT_EQ(View.Hint, "Querying Beta state");
    Debugger.TraceInto();
    EXPECT_EQ(View.Status, "Paused on emulator exception: Querying Beta state");
    EXPECT_EQ(Prompter.Texts(TMessageKind::Error), std::vector<std::string>{"Querying Beta state"});
}

TEST_F(DebuggerTest, ResetButtonAsksFirst) {
    Load();
    Debugger.TraceInto();
    Prompter.Answers.push_back(TMessageResult::No);
    Debugger.ResetButtonClick();
    EXPECT_EQ(Prompter.LastText(), "Are you sure you want to reset the game?");
    EXPECT_EQ(MCU().PC, 0x3C1);
    Debugger.ResetButtonClick();
    EXPECT_EQ(MCU().PC, 0x3C0);
}

TEST_F(DebuggerTest, RawInputRefreshLatchesTheButtonsOfSetBits) {
    Load();
    MCU().IO.FInputMatrix[gndR2] = 0x9;
    MCU().IO.FBeta = true;
    Debugger.UpdatePanes(pnRawInput, false, false, false);
    EXPECT_TRUE(Debugger.RawButtons()[rbR2K4].Latched);
    EXPECT_TRUE(Debugger.RawButtons()[rbR2K1].Latched);
    EXPECT_FALSE(Debugger.RawButtons()[rbR2K2].Latched);
    EXPECT_TRUE(Debugger.RawButtons()[rbBeta].Latched);
    // A reset keeps the matrix; closing the game releases every button.
    Debugger.MCUReset();
    EXPECT_TRUE(Debugger.RawButtons()[rbR2K4].Latched);
    ASSERT_TRUE(Debugger.CanCloseGame());
    for (const TRawButtonState& b : Debugger.RawButtons()) EXPECT_FALSE(b.Latched || b.Pressed);
}

} // namespace
} // namespace tarvolin::test
