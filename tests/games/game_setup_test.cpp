// Configuration of the game objects and their clocks.
#include <gtest/gtest.h>

#include "games/game_catalogue.h"
#include "games/game_classes.h"
#include "games/game_lcd_drivers.h"
#include "lcd/lcd_driver.h"

using namespace tarvolin;

namespace {
std::unique_ptr<TSHARP_SM5A_MCU> Make(const TMCUClass& Class) { return Class.Create(nullptr); }

std::string DriverNames(const std::vector<const TLCDDriverClass*>& Drivers) {
    std::string S;
    for (const TLCDDriverClass* D : Drivers) S += std::string(D->ClassName) + " ";
    return S;
}
} // namespace

TEST(GameSetup, EveryGameIsConfiguredFromItsHardwareRow) {
    for (const TMCUClass* C : GameClasses()) {
        if (C->IsCustomGame()) continue;
        SCOPED_TRACE(C->ClassName);
        const TGameHardware* H = FindGameHardware(*C);
        ASSERT_NE(H, nullptr);
        auto M = Make(*C);
        EXPECT_EQ(&M->GetClass(), C);
        EXPECT_EQ(DriverNames(M->SupportedLCDDrivers), DriverNames(H->LCDDrivers));
        ASSERT_NE(M->LCDDriver, nullptr);
        EXPECT_EQ(&M->LCDDriver->GetClass(), H->LCDDrivers.front());
        EXPECT_EQ(M->Pin1Position(), H->Pin1Position);
        EXPECT_EQ(M->IO.SupportedGNDs, H->Grounds);
        EXPECT_EQ(M->IO.AlphaBeingQueried, H->AlphaWired);
        EXPECT_EQ(M->IO.BetaBeingQueried, H->BetaWired);
        EXPECT_EQ(M->DigitEncodingORegisters(), H->DigitORegisters);
        EXPECT_EQ(M->TD0IsCOM1, H->TD0IsCOM1);
        EXPECT_EQ(M->GameControlDefs.size(), GameControls(*H).size());
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(M->IsOIndexEncodingADigit(i),
                      std::find(H->DigitORegisters.begin(), H->DigitORegisters.end(), i) != H->DigitORegisters.end());
        // The LCD driver is built for the game's own chip.
        EXPECT_EQ(M->LCDDriver->COMtoMCUpin(), C->GetCOMtoMCUpin());
    }
}

TEST(GameSetup, FactsOfSingleGames) {
    auto MH06 = Make(TMH06::Class);
    EXPECT_EQ(MH06->Pin1Position(), p1pTopLeft);
    EXPECT_EQ(MH06->IO.SupportedGNDs, GNDSet(gndR4) | GNDSet(gndR3) | GNDSet(gndR2));
    EXPECT_EQ(MH06->DigitEncodingORegisters(), (std::vector<uint8_t>{5, 6, 7}));
    EXPECT_TRUE(MH06->TD0IsCOM1);
    EXPECT_EQ(MH06->GameControlDefs.size(), StandardGameControls(4).size());

    auto AC01 = Make(TAC01::Class);
    EXPECT_EQ(AC01->Pin1Position(), p1pBottomRight);
    EXPECT_EQ(AC01->IO.SupportedGNDs, GNDSet(gndDirect));

    // GK-10 configures itself: its own driver and pin 1, not MT-03's.
    auto GK10 = Make(TGK10::Class);
    EXPECT_EQ(&GK10->LCDDriver->GetClass(), &TGK10LCDDriver::Class);
    EXPECT_EQ(GK10->Pin1Position(), p1pRightTop);
    EXPECT_EQ(Make(TMT03::Class)->Pin1Position(), p1pTopLeft);

    // The dosimeter: IM-02's board with its own drivers, grounds, Beta unwired, table 7.
    auto Altair = Make(TAltair::Class);
    EXPECT_EQ(&Altair->LCDDriver->GetClass(), &TIM22LCDDriver::Class);
    EXPECT_EQ(DriverNames(Altair->SupportedLCDDrivers), "TIM22LCDDriver TIM51LCDDriver ");
    EXPECT_EQ(Altair->IO.SupportedGNDs, GNDSet(gndR4) | GNDSet(gndR3) | GNDSet(gndR2));
    EXPECT_TRUE(Altair->IO.AlphaBeingQueried);
    EXPECT_FALSE(Altair->IO.BetaBeingQueried);
    EXPECT_EQ(Altair->Pin1Position(), p1pRightTop);
    EXPECT_EQ(Altair->DigitEncodingORegisters(), (std::vector<uint8_t>{5, 6, 7}));
    EXPECT_TRUE(Altair->TD0IsCOM1);

    auto IM02 = Make(TIM02::Class);
    EXPECT_EQ(IM02->SupportedLCDDrivers.size(), 12u);
    EXPECT_EQ(IM02->SupportedLCDDrivers[4], &TIM22LCDDriver::Class);

    auto FL02 = Make(TFL02::Class);
    EXPECT_FALSE(FL02->IO.AlphaBeingQueried);
    EXPECT_TRUE(FL02->IO.BetaBeingQueried);
    auto IM13 = Make(TIM13::Class);
    EXPECT_FALSE(IM13->IO.AlphaBeingQueried);
    EXPECT_FALSE(IM13->IO.BetaBeingQueried);
}

TEST(GameSetup, OwnControlTables) {
    auto FL02 = Make(TFL02::Class);
    ASSERT_EQ(FL02->GameControlDefs.size(), 8u);
    const TGameControlDef& First = FL02->GameControlDefs[0];
    EXPECT_EQ(First.FOrigin, (TPoint{24, 39}));
    EXPECT_EQ(First.FSize, (TSize{25, 25}));
    EXPECT_EQ(First.FCaption, "1");
    EXPECT_EQ(First.FGnd, gndR3);
    EXPECT_EQ(First.FAssociatedInputPin, aipK1);
    EXPECT_EQ(First.FVirtualKeyCodes, (std::vector<uint16_t>{'W'}));
    // GA2 (R4, K3, keys "1" and "A") follows the four own controls; AC1 resets.
    EXPECT_EQ(FL02->GameControlDefs[4].FGnd, gndR4);
    EXPECT_EQ(FL02->GameControlDefs[4].FAssociatedInputPin, aipK3);
    EXPECT_EQ(FL02->GameControlDefs[4].FVirtualKeyCodes, (std::vector<uint16_t>{'1', 'A'}));
    EXPECT_EQ(FL02->GameControlDefs[7].FAssociatedInputPin, aipACL);

    auto LN08 = Make(TLN08::Class);
    ASSERT_EQ(LN08->GameControlDefs.size(), 9u);
    EXPECT_EQ(LN08->GameControlDefs[1].FFontName, "Wingdings 3");
    EXPECT_EQ(LN08->GameControlDefs[1].FFontSize, 13);
    EXPECT_EQ(LN08->GameControlDefs[8].FAssociatedInputPin, aipK4); // AL2
    EXPECT_EQ(LN08->GameControlDefs[8].FGnd, gndR4);

    auto IM04 = Make(TIM04::Class);
    ASSERT_EQ(IM04->GameControlDefs.size(), 7u);
    EXPECT_EQ(IM04->GameControlDefs[0].FVirtualKeyCodes, (std::vector<uint16_t>{VK_LEFT}));
    EXPECT_EQ(IM04->GameControlDefs[2].FCaption, "А"); // GA6, Cyrillic
    EXPECT_EQ(IM04->GameControlDefs[5].FCaption, "♫"); // AL6

    auto IM23 = Make(TIM23::Class);
    ASSERT_EQ(IM23->GameControlDefs.size(), 9u);
    EXPECT_EQ(IM23->GameControlDefs[0].FCaption, "СК");
    EXPECT_EQ(IM23->GameControlDefs[0].FFontName, "Tahoma");
    EXPECT_EQ(IM23->GameControlDefs[1].FCaption, "ЗА");
    EXPECT_EQ(IM23->GameControlDefs[1].FAssociatedInputPin, aipK2);
    EXPECT_EQ(IM23->GameControlDefs[2].FOrigin, (TPoint{24, 96})); // LD5
    EXPECT_EQ(IM23->GameControlDefs[3].FOrigin, (TPoint{64, 96})); // RD5

    // Every control of every game is a valid ground/pin pair.
    for (const TGameHardware& H : AllGameHardware())
        for (const TGameControlDef& D : GameControls(H))
            EXPECT_TRUE(IsValidGndPinCombination(D.FGnd, D.FAssociatedInputPin)) << H.Class->ClassName;
}

// ------------------------------------------------------------------ clock

TEST(GameClock, TwelveHourForm) {
    struct Row {
        unsigned Hour;
        int Tens, Units;
    };
    for (Row R : {Row{0, 1, 2}, Row{1, 0, 1}, Row{9, 0, 9}, Row{10, 1, 0}, Row{11, 1, 1}, Row{12, 1, 2},
                  Row{13, 0, 1}, Row{22, 1, 0}, Row{23, 1, 1}}) {
        T4bits Tens = 99, Units = 99;
        TwelveHourDigits(R.Hour, Tens, Units);
        EXPECT_EQ(Tens, R.Tens) << R.Hour;
        EXPECT_EQ(Units, R.Units) << R.Hour;
    }
}

TEST(GameClock, LayoutsOfTheGames) {
    struct Row {
        const TMCUClass* Class;
        uint16_t H, M, S;
        T4bits Before;            // the hour-tens cell before the call
        std::array<T7bits, 6> Cells;
        std::array<T4bits, 6> Values;
    };
    const Row Rows[] = {
        // twelve midnight: tens 1, units 2, PM bit 3 cleared, bits 1 and 2 kept
        {&TMH06::Class, 0, 5, 9, 0xF, {0x36, 0x37, 0x38, 0x39, 0x3A, 0x3B}, {0x7, 2, 0, 5, 0, 9}},
        {&TMH06::Class, 15, 42, 7, 0x0, {0x36, 0x37, 0x38, 0x39, 0x3A, 0x3B}, {0x8, 3, 4, 2, 0, 7}},
        // 1 p.m.: bit 0 = 0, PM bit 1 set, bits 2..3 kept
        {&TFP24::Class, 13, 0, 0, 0x0, {0x24, 0x25, 0x26, 0x27, 0x28, 0x29}, {0x2, 1, 0, 0, 0, 0}},
        {&TIM02::Class, 11, 59, 30, 0xF, {0x24, 0x25, 0x26, 0x27, 0x28, 0x29}, {0xD, 1, 5, 9, 3, 0}},
        // 24-hour form in whole cells
        {&TIM23::Class, 23, 59, 59, 0xF, {0x24, 0x25, 0x26, 0x27, 0x28, 0x29}, {2, 3, 5, 9, 5, 9}},
        // no PM information; bits 1..3 of the hour-tens cell kept
        {&TAC01::Class, 12, 0, 0, 0x0, {0x48, 0x49, 0x4A, 0x4B, 0x4C, 0x3C}, {1, 2, 0, 0, 0, 0}},
        {&TAC01::Class, 21, 7, 3, 0xE, {0x48, 0x49, 0x4A, 0x4B, 0x4C, 0x3C}, {0xE, 9, 0, 7, 0, 3}},
        {&TIP15::Class, 10, 20, 30, 0x0, {0x12, 0x13, 0x16, 0x17, 0x14, 0x15}, {1, 0, 2, 0, 3, 0}},
        {&TGK10::Class, 9, 8, 7, 0x0, {0x40, 0x41, 0x42, 0x43, 0x44, 0x45}, {0, 9, 0, 8, 0, 7}},
        {&TFL02::Class, 9, 8, 7, 0x0, {0x44, 0x45, 0x46, 0x47, 0x48, 0x49}, {0, 9, 0, 8, 0, 7}},
        {&TRC04::Class, 12, 34, 56, 0x0, {0x36, 0x37, 0x38, 0x39, 0x3A, 0x3B}, {1, 2, 3, 4, 5, 6}},
        {&TSK10::Class, 12, 34, 56, 0x0, {0x03, 0x02, 0x01, 0x00, 0x19, 0x18}, {0x9, 2, 3, 4, 5, 6}},
        {&TAltair::Class, 0, 0, 0, 0x2, {0x24, 0x25, 0x26, 0x27, 0x28, 0x29}, {1, 2, 0, 0, 0, 0}},
    };
    for (const Row& R : Rows) {
        SCOPED_TRACE(std::string(R.Class->ClassName) + " " + std::to_string(R.H));
        auto M = Make(*R.Class);
        M->RAM.fill(0xA);
        M->RAM[R.Cells[0]] = R.Before;
        int Writes = 0;
        M->OnWriteMemory.Handler = [](void* Obj, T7bits, T4bits, T4bits) { ++*static_cast<int*>(Obj); };
        M->OnWriteMemory.Obj = &Writes;
        M->SetClock(R.H, R.M, R.S);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(M->RAM[R.Cells[i]], R.Values[i]) << "cell " << i;
        EXPECT_EQ(Writes, 0); // written directly, without RAM callbacks
        // Nothing else changes (SK-10's second copy aside).
        if (R.Class == &TSK10::Class) continue;
        for (int a = 0; a < 128; ++a) {
            if (std::find(R.Cells.begin(), R.Cells.end(), a) != R.Cells.end()) continue;
            EXPECT_EQ(M->RAM[a], 0xA) << a;
        }
    }
}

TEST(GameClock, SK10KeepsItsSecondCopyInStep) {
    auto M = Make(TSK10::Class);
    // The copy agrees and is not marked: it follows, and the AM/PM flags are set.
    M->RAM.fill(0);
    M->RAM[0x25] = 0x2;
    M->RAM[0x35] = 0x0;
    M->SetClock(13, 45, 10);
    EXPECT_EQ(M->RAM[0x03], 0x8); // tens 0, PM
    EXPECT_EQ(M->RAM[0x02], 1);
    EXPECT_EQ(M->RAM[0x01], 4);
    EXPECT_EQ(M->RAM[0x00], 5);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(M->RAM[0x40 + i], M->RAM[0x00 + i]);
    EXPECT_EQ(M->RAM[0x25], 0x0);
    EXPECT_EQ(M->RAM[0x35], 0x4);
    // Still in step: an a.m. time flips the flags back.
    M->SetClock(9, 5, 0);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(M->RAM[0x40 + i], M->RAM[0x00 + i]);
    EXPECT_EQ(M->RAM[0x25], 0x2);
    EXPECT_EQ(M->RAM[0x35], 0x0);

    // Bit 3 of 0x21 set: the copy is left alone.
    M->RAM[0x21] = 0x8;
    M->SetClock(11, 11, 11);
    EXPECT_EQ(M->RAM[0x01], 1);
    EXPECT_EQ(M->RAM[0x41], 0);
    EXPECT_EQ(M->RAM[0x25], 0x2);

    // A copy that differed before the call is left alone as well.
    M->RAM.fill(0);
    M->RAM[0x42] = 7;
    M->SetClock(14, 0, 0);
    EXPECT_EQ(M->RAM[0x42], 7);
    EXPECT_EQ(M->RAM[0x43], 0);
    EXPECT_EQ(M->RAM[0x35], 0);
}

TEST(GameClock, SK10EveryConditionOfTheSecondCopyCounts) {
    // One cell changed before the call; whether the copy and the AM/PM flags follow.
    struct Row {
        T7bits Cell;
        T4bits Value;
        bool Follows;
    };
    for (Row R : {Row{0x43, 1, false}, Row{0x42, 1, false}, Row{0x41, 1, false}, Row{0x40, 1, false},
                  Row{0x21, 0x8, false}, Row{0x21, 0x7, true}, Row{0x44, 0xF, true}, Row{0x20, 0xF, true}}) {
        SCOPED_TRACE("cell " + std::to_string(R.Cell) + " = " + std::to_string(R.Value));
        auto M = Make(TSK10::Class);
        M->RAM.fill(0);
        M->RAM[0x25] = 0xF;
        M->RAM[R.Cell] = R.Value;
        M->SetClock(23, 59, 58);
        EXPECT_EQ(M->RAM[0x03], 0x9); // tens 1, PM
        EXPECT_EQ(M->RAM[0x00], 9);
        if (R.Follows) {
            for (int i = 0; i < 4; ++i) EXPECT_EQ(M->RAM[0x40 + i], M->RAM[0x00 + i]) << i;
            EXPECT_EQ(M->RAM[0x25], 0xD); // bit 1 cleared, the others kept
            EXPECT_EQ(M->RAM[0x35], 0x4);
        } else {
            for (int i = 0; i < 4; ++i) EXPECT_EQ(M->RAM[0x40 + i], 0x40 + i == R.Cell ? R.Value : 0) << i;
            EXPECT_EQ(M->RAM[0x25], 0xF);
            EXPECT_EQ(M->RAM[0x35], 0x0);
        }
    }
}
