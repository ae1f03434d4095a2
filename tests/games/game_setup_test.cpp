// Configuration of the game objects and their clocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

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

// The hardware of every game as the game catalogue documents it: LCD drivers (default first),
// pin 1, grounds (D = direct, 4/3/2 = R4/R3/R2), Alpha and Beta wired, control table (0 = own),
// digit registers, TD0IsCOM1.
TEST(GameSetup, EveryGameHasTheDocumentedHardware) {
    struct TRow {
        const TMCUClass* Class;
        const char* Drivers;
        TMCUpin1Position Pin1;
        const char* Grounds;
        bool Alpha, Beta;
        int Controls;
        std::vector<uint8_t> Digits;
        bool TD0IsCOM1;
    };
    const std::string IM02Drivers = "TIM02LCDDriver TIM10LCDDriver TIM16LCDDriver TIM19LCDDriver TIM22LCDDriver "
                                    "TIM22CirkLCDDriver TIM32LCDDriver TIM33LCDDriver TIM49LCDDriver TIM50LCDDriver "
                                    "TIM51LCDDriver TIM53LCDDriver ";
    const TRow Rows[] = {
        {&TAC01::Class, "TAC01LCDDriver ", p1pBottomRight, "D", true, true, 1, {0, 1, 2, 3}, false},
        {&TFL02::Class, "TFL02LCDDriver ", p1pRightTop, "43", false, true, 0, {4, 5, 6}, false},
        {&TMT03::Class, "TMT03LCDDriver ", p1pTopLeft, "D", true, true, 1, {2, 1, 0}, true},
        {&TRC04::Class, "TRC04LCDDriver ", p1pTopLeft, "D", true, true, 1, {6, 7, 8}, true},
        {&TIP05::Class, "TIP05LCDDriver ", p1pRightTop, "43", false, true, 0, {0, 1, 4, 5, 2, 3}, true},
        {&TIP15::Class, "TIP05LCDDriver ", p1pRightTop, "43", false, true, 0, {0, 1, 4, 5, 2, 3}, true},
        {&TMH06::Class, "TMH06LCDDriver ", p1pTopLeft, "432", true, true, 4, {5, 6, 7}, true},
        {&TCN07::Class, "TCN07LCDDriver ", p1pTopLeft, "43", true, true, 2, {4, 5, 6}, false},
        {&TCN17::Class, "TCN07LCDDriver ", p1pTopLeft, "43", true, true, 2, {4, 5, 6}, false},
        {&TLN08::Class, "TLN08LCDDriver ", p1pTopLeft, "432", true, true, 0, {6, 7, 8}, true},
        {&TPR21::Class, "TPR21LCDDriver ", p1pTopLeft, "43", true, true, 3, {4, 5, 6}, false},
        {&TOC22::Class, "TOC22LCDDriver ", p1pTopLeft, "432", true, true, 3, {6, 7, 8}, false},
        {&TPP23::Class, "TPP23LCDDriver ", p1pTopLeft, "42", true, true, 3, {6, 7, 8}, false},
        {&TFP24::Class, "TFP24LCDDriver ", p1pTopLeft, "43", true, true, 0, {4, 5, 6}, true},
        {&TMC25::Class, "TMC25LCDDriver TEG26LCDDriver ", p1pTopLeft, "43", true, true, 5, {5, 6, 7}, true},
        {&TFR27::Class, "TFR27LCDDriver ", p1pTopLeft, "432", true, true, 3, {5, 6, 7}, false},
        {&TIM02::Class, IM02Drivers.c_str(), p1pRightTop, "43", true, true, 7, {5, 6, 7}, true},
        {&TIM03::Class, "TIM03LCDDriver ", p1pRightTop, "432", true, true, 6, {6, 7, 8}, false},
        {&TIM04::Class, "TIM04LCDDriver ", p1pRightTop, "43", true, true, 0, {4, 5, 6}, true},
        {&TIM09::Class, "TIM09LCDDriver ", p1pRightTop, "432", true, true, 6, {5, 6, 7}, false},
        {&TIM13::Class, "TIM13LCDDriver ", p1pRightTop, "43", false, false, 7, {5, 6, 7}, true},
        {&TIM23::Class, "TIM23LCDDriver ", p1pRightTop, "43", true, true, 0, {3, 4, 5}, false},
        {&TAltair::Class, "TIM22LCDDriver TIM51LCDDriver ", p1pRightTop, "432", true, false, 7, {5, 6, 7}, true},
        {&TGK10::Class, "TGK10LCDDriver ", p1pRightTop, "D", true, true, 1, {2, 1, 0}, true},
        {&TSK10::Class, "TSK10LCDDriver ", p1pTopLeft, "43", true, true, 4, {4, 5, 6}, false},
        {&TSM11::Class, "TSM11LCDDriver TSG21LCDDriver ", p1pTopLeft, "432", true, true, 2, {6, 7, 8}, true},
    };
    size_t Games = 0;
    for (const TMCUClass* C : GameClasses()) Games += C->IsCustomGame() ? 0 : 1;
    EXPECT_EQ(Games, std::size(Rows));
    for (const TRow& R : Rows) {
        SCOPED_TRACE(R.Class->ClassName);
        auto M = Make(*R.Class);
        TInputGNDs Grounds = 0;
        for (const char* g = R.Grounds; *g; ++g)
            Grounds |= GNDSet(*g == 'D' ? gndDirect : *g == '4' ? gndR4 : *g == '3' ? gndR3 : gndR2);
        EXPECT_EQ(DriverNames(M->SupportedLCDDrivers), R.Drivers);
        ASSERT_NE(M->LCDDriver, nullptr);
        EXPECT_EQ(&M->LCDDriver->GetClass(), M->SupportedLCDDrivers.front());
        EXPECT_EQ(M->LCDDriver->COMtoMCUpin(), R.Class->GetCOMtoMCUpin()); // built for the game's own chip
        EXPECT_EQ(M->Pin1Position(), R.Pin1);
        EXPECT_EQ(M->IO.SupportedGNDs, Grounds);
        EXPECT_EQ(M->IO.AlphaBeingQueried, R.Alpha);
        EXPECT_EQ(M->IO.BetaBeingQueried, R.Beta);
        EXPECT_EQ(M->DigitEncodingORegisters(), R.Digits);
        EXPECT_EQ(M->TD0IsCOM1, R.TD0IsCOM1);
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(M->IsOIndexEncodingADigit(i), std::count(R.Digits.begin(), R.Digits.end(), i) == 1) << i;
        if (R.Controls == 0) continue; // the own tables: below
        const auto& Standard = StandardGameControls(R.Controls);
        ASSERT_EQ(M->GameControlDefs.size(), Standard.size());
        for (size_t i = 0; i < Standard.size(); ++i) {
            EXPECT_EQ(M->GameControlDefs[i].FOrigin, Standard[i].FOrigin) << i;
            EXPECT_EQ(M->GameControlDefs[i].FCaption, Standard[i].FCaption) << i;
        }
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

// The own control tables in order: the new 25 x 25 controls field by field, the reused
// standard controls by their table and position there.
TEST(GameSetup, OwnControlTables) {
    struct TOwn {
        int X, Y;
        const char* Caption;
        const char* Font;
        int Size;
        TInputGND Gnd;
        TGameControlAssociatedInputPin Pin;
        uint16_t Key;
    };
    using TRef = std::pair<int, size_t>; // standard table, position
    const TRef GA2{2, 2}, GB2{2, 3}, TM2{2, 4}, AC1{2, 5}, AL2{2, 6}, GA3{3, 2}, GB3{3, 3}, TM3{3, 4}, AL3{3, 5},
        AC3{3, 6}, LD5{5, 1}, RD5{5, 3}, GA6{6, 2}, GB6{6, 3}, TM6{6, 4}, AL6{6, 5};
    const char* W3 = "Wingdings 3";
    const std::vector<TOwn> FL02 = {{24, 39, "1", "", 0, gndR3, aipK1, 'W'}, {24, 64, "3", "", 0, gndR3, aipK3, 'S'},
                                    {96, 39, "2", "", 0, gndR3, aipK2, 'O'}, {96, 64, "4", "", 0, gndR3, aipK4, 'K'}};
    const std::vector<TOwn> IP05 = {{24, 39, "H", "", 0, gndR3, aipK4, 'W'}, {24, 64, "D", "", 0, gndR3, aipK3, 'S'},
                                    {96, 39, "H", "", 0, gndR3, aipK2, 'O'}, {96, 64, "D", "", 0, gndR3, aipK1, 'K'}};
    const std::vector<TOwn> LN08 = {{24, 39, "h", W3, 13, gndR3, aipK4, 'W'}, {24, 64, "i", W3, 13, gndR3, aipK3, 'S'},
                                    {96, 39, "h", W3, 13, gndR3, aipK2, 'O'}, {96, 64, "i", W3, 13, gndR3, aipK1, 'K'}};
    const std::vector<TOwn> Arrows = {{24, 96, "f", W3, 13, gndR3, aipK4, VK_LEFT}, {64, 96, "g", W3, 13, gndR3, aipK3, VK_RIGHT}};
    const std::vector<TOwn> IM23 = {{24, 72, "СК", "Tahoma", 0, gndR3, aipK4, 'W'}, {64, 72, "ЗА", "Tahoma", 0, gndR3, aipK2, 'O'}};
    const std::tuple<const TMCUClass*, std::vector<TOwn>, std::vector<TRef>> Games[] = {
        {&TFL02::Class, FL02, {GA2, GB2, TM2, AC1}},           {&TIP05::Class, IP05, {GA2, GB2, TM2, AC1}},
        {&TIP15::Class, IP05, {GA2, GB2, TM2, AC1}},           {&TLN08::Class, LN08, {GA2, GB2, TM2, AC1, AL2}},
        {&TFP24::Class, Arrows, {GA3, GB3, TM3, AL3, AC3}},    {&TIM04::Class, Arrows, {GA6, GB6, TM6, AL6, AC3}},
        {&TIM23::Class, IM23, {LD5, RD5, GA6, GB6, TM6, AL3, AC3}},
    };
    for (const auto& [Class, Own, Refs] : Games) {
        SCOPED_TRACE(Class->ClassName);
        const auto Defs = Make(*Class)->GameControlDefs;
        ASSERT_EQ(Defs.size(), Own.size() + Refs.size());
        for (size_t i = 0; i < Own.size(); ++i) {
            const TGameControlDef& D = Defs[i];
            EXPECT_EQ(D.FOrigin, (TPoint{Own[i].X, Own[i].Y})) << i;
            EXPECT_EQ(D.FSize, (TSize{25, 25})) << i;
            EXPECT_EQ(D.FCaption, Own[i].Caption) << i;
            EXPECT_EQ(D.FFontName, Own[i].Font) << i;
            EXPECT_EQ(D.FFontSize, Own[i].Size) << i;
            EXPECT_EQ(D.FGnd, Own[i].Gnd) << i;
            EXPECT_EQ(D.FAssociatedInputPin, Own[i].Pin) << i;
            EXPECT_EQ(D.FVirtualKeyCodes, std::vector<uint16_t>{Own[i].Key}) << i;
        }
        for (size_t i = 0; i < Refs.size(); ++i) {
            const TGameControlDef& D = Defs[Own.size() + i];
            const TGameControlDef& S = StandardGameControls(Refs[i].first)[Refs[i].second];
            EXPECT_EQ(D.FOrigin, S.FOrigin) << i;
            EXPECT_EQ(D.FCaption, S.FCaption) << i;
            EXPECT_EQ(D.FAssociatedInputPin, S.FAssociatedInputPin) << i;
            EXPECT_EQ(D.FVirtualKeyCodes, S.FVirtualKeyCodes) << i;
        }
    }
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
