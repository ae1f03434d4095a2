#include "debugger_fixture.h"
#include "games/game_catalogue.h"
#include "lcd/lcd_driver.h"

namespace tarvolin::test {
namespace {

TEST_F(DebuggerTest, ACustomROMOffersEveryLCDImage) {
    Load();
    const TLCDImageMenu& Menu = Debugger.LCD().LCDImageMenu();
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
    ASSERT_TRUE(Debugger.Loading().LoadGameFromMenu(Game));
    const auto& Drivers = MCU().SupportedLCDDrivers;
    ASSERT_GT(Drivers.size(), 1u);
    const TLCDImageMenu& Menu = Debugger.LCD().LCDImageMenu();
    EXPECT_TRUE(Menu.Visible);
    EXPECT_EQ(Menu.Header, "---  COMPATIBLE LCD IMAGES  ---");
    ASSERT_EQ(Menu.Captions.size(), Drivers.size());
    EXPECT_EQ(Menu.Checked, 0);
    EXPECT_FALSE(View.States.LCDImageHint.empty());
    EXPECT_FALSE(Debugger.LCD().LCDBitmap().Empty());

    // Double click: the next image; Shift: the previous one, wrapping at both ends.
    Debugger.LCD().SwitchLCDImage(false);
    EXPECT_EQ(&MCU().LCDDriver->GetClass(), Drivers[1]);
    EXPECT_EQ(Debugger.LCD().LCDImageMenu().Checked, 1);
    ASSERT_FALSE(View.ThemeNames.empty());
    EXPECT_EQ(View.ThemeNames.back(), MCU().LCDDriver->LCDThemeName());
    // The interconnection window is closed before the driver changes.
    EXPECT_EQ(View.Windows.back(), "close interconnection");
    Debugger.LCD().SwitchLCDImage(true);
    Debugger.LCD().SwitchLCDImage(true);
    EXPECT_EQ(&MCU().LCDDriver->GetClass(), Drivers.back());
    Debugger.LCD().SwitchLCDImage(false);
    EXPECT_EQ(&MCU().LCDDriver->GetClass(), Drivers[0]);

    // The pop-up menu picks one directly; its caption is the theme name with "&" doubled.
    const int Last = static_cast<int>(Drivers.size()) - 1;
    Debugger.LCD().SelectLCDImage(Last);
    EXPECT_EQ(Debugger.LCD().LCDImageMenu().Checked, Last);
    std::string Expected;
    for (char c : MCU().LCDDriver->LCDThemeName()) {
        Expected += c;
        if (c == '&') Expected += '&';
    }
    EXPECT_EQ(Debugger.LCD().LCDImageMenu().Captions[size_t(Last)], Expected);

    // A new scene keeps following the registers: the driver redraws through the same bitmap.
    const int Changes = View.LCDChanges;
    Prompter.Type({"F"});
    ASSERT_TRUE(Debugger.Panes().EditValue({TValueKind::O, 0}));
    EXPECT_GT(View.LCDChanges, Changes);

    // Closing the game removes the image items.
    ASSERT_TRUE(Debugger.Loading().CanCloseGame());
    EXPECT_FALSE(Debugger.LCD().LCDImageMenu().Visible);
    EXPECT_TRUE(Debugger.LCD().LCDImageMenu().Captions.empty());
}

TEST_F(DebuggerTest, FullRunsShowOnlyTheStableLCDImage) {
    Load();
    EXPECT_FALSE(MCU().LCDDriver->ShowStableImageOnly());
    Debugger.Run().UnattendedRun();
    EXPECT_TRUE(MCU().LCDDriver->ShowStableImageOnly());
    EXPECT_TRUE(MCU().LCDDriver->DefersStableImages());
    Debugger.Run().Pause();
    EXPECT_FALSE(MCU().LCDDriver->ShowStableImageOnly());
    EXPECT_FALSE(MCU().LCDDriver->DefersStableImages());
    Debugger.Run().AnimatedRun();
    EXPECT_FALSE(MCU().LCDDriver->ShowStableImageOnly());
}

} // namespace
} // namespace tarvolin::test
