#include "debugger_fixture.h"
#include "games/game_catalogue.h"
#include "lcd/lcd_driver.h"

namespace tarvolin::test {
namespace {

TEST_F(DebuggerTest, RawButtonsFeedTheInputMatrixWhileStopped) {
    Load();
    // Pressing the mouse on a button while stopped changes the matrix at once.
    Debugger.Input().RawButtonMouseDown(rbDiK1);
    EXPECT_EQ(MCU().IO.FInputMatrix[gndDirect], 0x1);
    Debugger.Input().RawButtonMouseUp(rbDiK1, false, true);
    EXPECT_EQ(MCU().IO.FInputMatrix[gndDirect], 0x0);

    // Ctrl+click latches K2 of the R3 row; a plain click releases it.
    Debugger.Input().RawButtonMouseDown(rbR3K2);
    Debugger.Input().RawButtonMouseUp(rbR3K2, true, true);
    EXPECT_TRUE(Debugger.Input().RawButtons()[rbR3K2].Latched);
    EXPECT_EQ(MCU().IO.FInputMatrix[gndR3], 0x2);
    Debugger.Input().RawButtonMouseDown(rbR3K2);
    Debugger.Input().RawButtonMouseUp(rbR3K2, false, true);
    EXPECT_FALSE(Debugger.Input().RawButtons()[rbR3K2].Latched);
    EXPECT_EQ(MCU().IO.FInputMatrix[gndR3], 0x0);

    // Ctrl released outside the button does not latch.
    Debugger.Input().RawButtonMouseDown(rbAlpha);
    Debugger.Input().RawButtonMouseUp(rbAlpha, true, false);
    EXPECT_FALSE(Debugger.Input().RawButtons()[rbAlpha].Latched);
    EXPECT_FALSE(MCU().IO.FAlpha);
}

TEST_F(DebuggerTest, DuringARunTheButtonsAreSampledOnlyByInputInstructions) {
    // 3C0 SKIP; 3C1 KTA (reads K); 3C2 TR 3C0.
    Load({{0x3C0, {0x00, 0x6A, TR(0)}}});
    Debugger.Run().UnattendedRun(); // executes the SKIP
    Debugger.Input().SetRawButtonPressed(rbDiK3, true);
    EXPECT_EQ(MCU().IO.FInputMatrix[gndDirect], 0); // not sampled yet
    Debugger.Run().RunSlice(1); // KTA: sampled first, then read
    EXPECT_EQ(MCU().IO.FInputMatrix[gndDirect], 0x4);
    EXPECT_EQ(MCU().Acc, 0x4);
    Debugger.Input().SetRawButtonPressed(rbDiK3, false);
    Debugger.Run().RunSlice(1); // TR: the matrix keeps its value
    EXPECT_EQ(MCU().IO.FInputMatrix[gndDirect], 0x4);
    // The released button reaches the next input read, and a value written into the matrix
    // behind the buttons' back gives way to the buttons' state there too.
    MCU().IO.FInputMatrix[gndR4] = 0x9;
    Debugger.Run().RunSlice(2); // SKIP, KTA
    EXPECT_EQ(MCU().IO.FInputMatrix[gndDirect], 0x0);
    EXPECT_EQ(MCU().IO.FInputMatrix[gndR4], 0x0);
    EXPECT_EQ(MCU().Acc, 0x0);
    Debugger.Run().Pause();
}

TEST_F(DebuggerTest, DosimeterModeFeedsTheR2Input) {
    const TMCUClass* Game = FindGameClass("Altair");
    ASSERT_NE(Game, nullptr);
    Settings.SetROMFile(Game->ShortGameName(), Dir.Write("altair.rom", MakeROM(TestProgram())));
    ASSERT_TRUE(Debugger.Loading().LoadGameFromMenu(Game));
    // Intensity 0: the mode starts (R bit 1 is 0 after reset) but no radiation arrives.
    Debugger.Input().SetRadiationIntensity(0);
    Debugger.Run().TraceInto();
    EXPECT_EQ(MCU().IO.FInputMatrix[gndR2], 0);
    // R bit 1 set ends the mode; cleared again it starts with a random count 1..15.
    Prompter.Type({"2"});
    ASSERT_TRUE(Debugger.Panes().EditValue({TValueKind::R, 0}));
    Debugger.Run().TraceInto();
    Debugger.Input().SetRadiationIntensity(2);
    Prompter.Type({"0"});
    ASSERT_TRUE(Debugger.Panes().EditValue({TValueKind::R, 0}));
    Debugger.Run().TraceInto();
    EXPECT_GE(MCU().IO.FInputMatrix[gndR2], 1);
    Prompter.Type({"2"});
    ASSERT_TRUE(Debugger.Panes().EditValue({TValueKind::R, 0}));
    Debugger.Run().TraceInto();
    EXPECT_EQ(MCU().IO.FInputMatrix[gndR2], 0);
}

TEST_F(DebuggerTest, AnUnwiredInputIsReportedInTheHintAndStopsTheStep) {
    // The dosimeter does not wire Beta; its program tests it at once.
    const TMCUClass* Game = FindGameClass("Altair");
    ASSERT_NE(Game, nullptr);
    Settings.SetROMFile(Game->ShortGameName(), Dir.Write("altair.rom", MakeROM({{0x3C0, {0x51, 0x00}}})));
    ASSERT_TRUE(Debugger.Loading().LoadGameFromMenu(Game));
    EXPECT_EQ(View.Hint, "Querying Beta state");
    Debugger.Run().TraceInto();
    EXPECT_EQ(View.Status, "Paused on emulator exception: Querying Beta state");
    EXPECT_EQ(Prompter.Texts(TMessageKind::Error), std::vector<std::string>{"Querying Beta state"});
}

TEST_F(DebuggerTest, ResetButtonAsksFirst) {
    Load();
    Debugger.Run().TraceInto();
    Prompter.Answers.push_back(TMessageResult::No);
    Debugger.Input().ResetButtonClick();
    EXPECT_EQ(Prompter.LastText(), "Are you sure you want to reset the game?");
    EXPECT_EQ(MCU().PC, 0x3C1);
    Debugger.Input().ResetButtonClick();
    EXPECT_EQ(MCU().PC, 0x3C0);
}

TEST_F(DebuggerTest, RawInputRefreshLatchesTheButtonsOfSetBits) {
    Load();
    MCU().IO.FInputMatrix[gndR2] = 0x9;
    MCU().IO.FBeta = true;
    Debugger.Panes().UpdatePanes(pnRawInput, false, false, false);
    EXPECT_TRUE(Debugger.Input().RawButtons()[rbR2K4].Latched);
    EXPECT_TRUE(Debugger.Input().RawButtons()[rbR2K1].Latched);
    EXPECT_FALSE(Debugger.Input().RawButtons()[rbR2K2].Latched);
    EXPECT_TRUE(Debugger.Input().RawButtons()[rbBeta].Latched);
    // A reset keeps the matrix; closing the game releases every button.
    Debugger.Run().MCUReset();
    EXPECT_TRUE(Debugger.Input().RawButtons()[rbR2K4].Latched);
    ASSERT_TRUE(Debugger.Loading().CanCloseGame());
    for (const TRawButtonState& b : Debugger.Input().RawButtons()) EXPECT_FALSE(b.Latched || b.Pressed);
}

// A game whose control table ties a control to Alpha through the R3 scan line, which no raw
// button stands for.
class TBadControlsGame : public TSHARP_SM5A_MCU {
public:
    static const TMCUClass Class;
    const TMCUClass& GetClass() const override { return Class; }

protected:
    void SetupGame() override {
        TSHARP_SM5A_MCU::SetupGame();
        GameControlDefs = {TGameControlDef::Create({8, 8}, {25, 17}, "A", "", 0, gndDirect, aipK3, {'A'}),
                           TGameControlDef::Create({40, 8}, {25, 17}, "X", "", 0, gndR3, aipAlpha, {'X'})};
    }
};
const TMCUClass TBadControlsGame::Class = {
    "TBadControlsGame", &TSHARP_SM5A_MCU::Class, &SHARP_SM5A_Chip, "BC-01", "BC01", "", "", "", nullptr,
    &MakeMCU<TBadControlsGame>,
};

TEST_F(DebuggerTest, AGameWithAnImpossibleControlIsNotLoaded) {
    Load();
    Settings.SetROMFile("BC01", Dir.Write("bc.rom", MakeROM(TestProgram())));
    EXPECT_FALSE(Debugger.Loading().LoadGameFromMenu(&TBadControlsGame::Class));
    EXPECT_EQ(Prompter.Texts(TMessageKind::Error),
              std::vector<std::string>{"Invalid combination of Gnd (2) and AssociatedInputPin (4)."});
    EXPECT_FALSE(Debugger.IsGameLoaded());
    EXPECT_EQ(View.Caption, "Tarvolin");
}

TEST_F(DebuggerTest, TheRawButtonsOfferTheMCUPinsWindowWithAGame) {
    struct Case {
        bool Game;
        TRawButton Button;
        bool Visible;
    };
    const Case Cases[] = {{false, rbDiK4, false}, {true, rbR2K1, true}, {true, rbBeta, true}, {true, rbACL, false}};
    for (const Case& c : Cases) {
        if (c.Game && !Debugger.IsGameLoaded()) Load();
        const TValuePopupStates s = Debugger.Panes().ValuePopupStates({TValueKind::RawInput, c.Button});
        EXPECT_EQ(s.ShowMCUPinsVisible, c.Visible) << int(c.Button);
        EXPECT_FALSE(s.ChangeValueVisible || s.FollowVisible || s.Show7SegmentVisible || s.SetVisible[0]);
    }
    Debugger.Panes().ShowMCUPins();
    EXPECT_EQ(View.Windows.back(), "MCU pins");
}

} // namespace
} // namespace tarvolin::test
