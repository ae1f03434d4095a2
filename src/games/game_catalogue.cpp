#include "games/game_catalogue.h"

#include <algorithm>

#include "games/game_classes.h"
#include "games/game_lcd_drivers.h"

namespace tarvolin {

const std::vector<TGameMenuEntry>& GameMenuEntries() {
    static const std::vector<TGameMenuEntry> Entries = {
        {&TAC01::Class, R"(Nintendo G&&W AC-0&1 "Ball")", "Ctrl+1"},
        {&TFL02::Class, R"(Nintendo G&&W FL-0&2 "Flagman")", "Ctrl+2"},
        {&TMT03::Class, R"(Nintendo G&&W MT-0&3 "Vermin")", "Ctrl+3"},
        {&TRC04::Class, R"(Nintendo G&&W RC-0&4 "Fire")", "Ctrl+4"},
        {&TIP05::Class, R"(Nintendo G&&W IP-05 "Judge" (g&reen))", ""},
        {&TIP15::Class, R"(Nintendo G&&W IP-0&5 "Judge" (purple, bugfixed, IP-15))", "Ctrl+5"},
        {&TMH06::Class, R"(Nintendo G&&W MH-0&6 "Manhole")", "Ctrl+6"},
        {&TCN07::Class, R"(Nintendo G&&W CN-07 "Helmet")", ""},
        {&TCN17::Class, R"(Nintendo G&&W CN-0&7 "Helmet" (bugfixed, CN-17))", "Ctrl+7"},
        {&TLN08::Class, R"(Nintendo G&&W LN-0&8 "Lion")", "Ctrl+8"},
        {&TPR21::Class, R"(Nintendo G&&W PR-21 "&Parachute")", "Ctrl+Shift+1"},
        {&TOC22::Class, R"(Nintendo G&&W OC-22 "&Octopus")", "Ctrl+Shift+2"},
        {&TPP23::Class, R"(Nintendo G&&W PP-23 "Popey&e")", "Ctrl+Shift+3"},
        {&TFP24::Class, R"(Nintendo G&&W FP-24 "C&hef")", "Ctrl+Shift+4"},
        {&TMC25::Class, R"(Nintendo G&&W MC-25 "&Mickey Mouse")", "Ctrl+Shift+5"},
        {&TFR27::Class, R"(Nintendo G&&W FR-27 "&Fire")", "Ctrl+Shift+7"},
        {nullptr, "", ""},
        {&TIM02::Class, R"(Электроника ИМ-02 "Ну, погоди!")", ""},
        {&TIM03::Class, R"(Электроника ИМ-03 "Тайны океана")", ""},
        {&TIM04::Class, R"(Электроника ИМ-04 "Весёлый повар")", ""},
        {&TIM09::Class, R"(Электроника ИМ-09 "Космический мост")", ""},
        {&TIM13::Class, R"(Электроника ИМ-13 "Разведчики космоса")", ""},
        {&TIM23::Class, R"(Электроника ИМ-23 "Автослалом")", ""},
        {&TAltair::Class, R"(Научприбор "Дозиметр бытовой ДБГБ-06И Альтаир")", ""},
        {nullptr, "", ""},
        {&TGK10::Class, R"(Tronica GK-10 "&Goal Keeper")", ""},
        {&TSK10::Class, R"(Tronica SK-10 "&Super Goal Keeper")", ""},
        {&TSM11::Class, R"(Tronica SM-11 "Sp&ace Mission")", ""},
        {nullptr, "", ""},
        {&TSHARP_SM5A_MCU::Class, TR_NOOP("GameMenu", "Load &custom SM-5A ROM..."), "Ctrl+0"},
    };
    return Entries;
}

std::string TGameMenuEntry::ShownCaption() const { return Tr("GameMenu", MenuCaption); }

const std::vector<const TMCUClass*>& GameClasses() {
    static const std::vector<const TMCUClass*> Classes = [] {
        std::vector<const TMCUClass*> List;
        for (const TGameMenuEntry& E : GameMenuEntries())
            if (!E.IsSeparator()) List.push_back(E.Class);
        return List;
    }();
    return Classes;
}

namespace {
bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}
} // namespace

const TMCUClass* FindGameClass(std::string_view ShortGameName) {
    for (const TMCUClass* C : GameClasses())
        if (EqualsIgnoringCase(C->ShortGameName(), ShortGameName)) return C;
    return nullptr;
}

const TGameMenuEntry* FindGameMenuEntry(const TMCUClass& Class) {
    for (const TGameMenuEntry& E : GameMenuEntries())
        if (E.Class == &Class) return &E;
    return nullptr;
}

const std::vector<TGameHardware>& AllGameHardware() {
    constexpr TInputGNDs Direct = GNDSet(gndDirect);
    constexpr TInputGNDs R43 = GNDSet(gndR4) | GNDSet(gndR3);
    constexpr TInputGNDs R432 = GNDSet(gndR4) | GNDSet(gndR3) | GNDSet(gndR2);
    constexpr TInputGNDs R42 = GNDSet(gndR4) | GNDSet(gndR2);
    static const std::vector<TGameHardware> Rows = {
        {&TAC01::Class, {&TAC01LCDDriver::Class}, p1pBottomRight, Direct, true, true, 1, {0, 1, 2, 3}, false},
        {&TFL02::Class, {&TFL02LCDDriver::Class}, p1pRightTop, R43, false, true, 0, {4, 5, 6}, false},
        {&TMT03::Class, {&TMT03LCDDriver::Class}, p1pTopLeft, Direct, true, true, 1, {2, 1, 0}, true},
        {&TRC04::Class, {&TRC04LCDDriver::Class}, p1pTopLeft, Direct, true, true, 1, {6, 7, 8}, true},
        {&TIP05::Class, {&TIP05LCDDriver::Class}, p1pRightTop, R43, false, true, 0, {0, 1, 4, 5, 2, 3}, true},
        {&TMH06::Class, {&TMH06LCDDriver::Class}, p1pTopLeft, R432, true, true, 4, {5, 6, 7}, true},
        {&TCN07::Class, {&TCN07LCDDriver::Class}, p1pTopLeft, R43, true, true, 2, {4, 5, 6}, false},
        {&TLN08::Class, {&TLN08LCDDriver::Class}, p1pTopLeft, R432, true, true, 0, {6, 7, 8}, true},
        {&TPR21::Class, {&TPR21LCDDriver::Class}, p1pTopLeft, R43, true, true, 3, {4, 5, 6}, false},
        {&TOC22::Class, {&TOC22LCDDriver::Class}, p1pTopLeft, R432, true, true, 3, {6, 7, 8}, false},
        {&TPP23::Class, {&TPP23LCDDriver::Class}, p1pTopLeft, R42, true, true, 3, {6, 7, 8}, false},
        {&TFP24::Class, {&TFP24LCDDriver::Class}, p1pTopLeft, R43, true, true, 0, {4, 5, 6}, true},
        {&TMC25::Class, {&TMC25LCDDriver::Class, &TEG26LCDDriver::Class}, p1pTopLeft, R43, true, true, 5, {5, 6, 7}, true},
        {&TFR27::Class, {&TFR27LCDDriver::Class}, p1pTopLeft, R432, true, true, 3, {5, 6, 7}, false},
        {&TIM02::Class,
         {&TIM02LCDDriver::Class, &TIM10LCDDriver::Class, &TIM16LCDDriver::Class, &TIM19LCDDriver::Class,
          &TIM22LCDDriver::Class, &TIM22CirkLCDDriver::Class, &TIM32LCDDriver::Class, &TIM33LCDDriver::Class,
          &TIM49LCDDriver::Class, &TIM50LCDDriver::Class, &TIM51LCDDriver::Class, &TIM53LCDDriver::Class},
         p1pRightTop, R43, true, true, 7, {5, 6, 7}, true},
        {&TIM03::Class, {&TIM03LCDDriver::Class}, p1pRightTop, R432, true, true, 6, {6, 7, 8}, false},
        {&TIM04::Class, {&TIM04LCDDriver::Class}, p1pRightTop, R43, true, true, 0, {4, 5, 6}, true},
        {&TIM09::Class, {&TIM09LCDDriver::Class}, p1pRightTop, R432, true, true, 6, {5, 6, 7}, false},
        {&TIM13::Class, {&TIM13LCDDriver::Class}, p1pRightTop, R43, false, false, 7, {5, 6, 7}, true},
        {&TIM23::Class, {&TIM23LCDDriver::Class}, p1pRightTop, R43, true, true, 0, {3, 4, 5}, false},
        {&TAltair::Class, {&TIM22LCDDriver::Class, &TIM51LCDDriver::Class}, p1pRightTop, R432, true, false, 7,
         {5, 6, 7}, true},
        {&TGK10::Class, {&TGK10LCDDriver::Class}, p1pRightTop, Direct, true, true, 1, {2, 1, 0}, true},
        {&TSK10::Class, {&TSK10LCDDriver::Class}, p1pTopLeft, R43, true, true, 4, {4, 5, 6}, false},
        {&TSM11::Class, {&TSM11LCDDriver::Class, &TSG21LCDDriver::Class}, p1pTopLeft, R432, true, true, 2,
         {6, 7, 8}, true},
    };
    return Rows;
}

const TGameHardware* FindGameHardware(const TMCUClass& Class) {
    for (const TMCUClass* C = &Class; C != nullptr; C = C->Parent)
        for (const TGameHardware& H : AllGameHardware())
            if (H.Class == C) return &H;
    return nullptr;
}

namespace {

TGameControlDef Control(TPoint Origin, const char* Caption, const char* FontName, int FontSize, TInputGND Gnd,
                        TGameControlAssociatedInputPin Pin, std::vector<uint16_t> Keys) {
    TGameControlDef D;
    D.FOrigin = Origin;
    D.FSize = {25, 25};
    D.FCaption = Caption;
    D.FFontName = FontName;
    D.FFontSize = FontSize;
    D.FGnd = Gnd;
    D.FAssociatedInputPin = Pin;
    D.FVirtualKeyCodes = std::move(Keys);
    return D;
}

// A definition of a standard table by its position in that table.
const TGameControlDef& Standard(int Table, size_t Index) { return StandardGameControls(Table).at(Index); }
// The controls of the standard tables that the own tables reuse.
const TGameControlDef& GA2() { return Standard(2, 2); }
const TGameControlDef& GB2() { return Standard(2, 3); }
const TGameControlDef& TM2() { return Standard(2, 4); }
const TGameControlDef& AC1() { return Standard(2, 5); }
const TGameControlDef& AL2() { return Standard(2, 6); }
const TGameControlDef& GA3() { return Standard(3, 2); }
const TGameControlDef& GB3() { return Standard(3, 3); }
const TGameControlDef& TM3() { return Standard(3, 4); }
const TGameControlDef& AL3() { return Standard(3, 5); }
const TGameControlDef& AC3() { return Standard(3, 6); }
const TGameControlDef& LD5() { return Standard(5, 1); }
const TGameControlDef& RD5() { return Standard(5, 3); }
const TGameControlDef& GA6() { return Standard(6, 2); }
const TGameControlDef& GB6() { return Standard(6, 3); }
const TGameControlDef& TM6() { return Standard(6, 4); }
const TGameControlDef& AL6() { return Standard(6, 5); }

std::vector<TGameControlDef> OwnControls(const TMCUClass& Class) {
    if (&Class == &TFL02::Class)
        return {Control({24, 39}, "1", "", 0, gndR3, aipK1, {'W'}), Control({24, 64}, "3", "", 0, gndR3, aipK3, {'S'}),
                Control({96, 39}, "2", "", 0, gndR3, aipK2, {'O'}), Control({96, 64}, "4", "", 0, gndR3, aipK4, {'K'}),
                GA2(), GB2(), TM2(), AC1()};
    if (&Class == &TIP05::Class)
        return {Control({24, 39}, "H", "", 0, gndR3, aipK4, {'W'}), Control({24, 64}, "D", "", 0, gndR3, aipK3, {'S'}),
                Control({96, 39}, "H", "", 0, gndR3, aipK2, {'O'}), Control({96, 64}, "D", "", 0, gndR3, aipK1, {'K'}),
                GA2(), GB2(), TM2(), AC1()};
    if (&Class == &TLN08::Class)
        return {Control({24, 39}, "h", "Wingdings 3", 13, gndR3, aipK4, {'W'}),
                Control({24, 64}, "i", "Wingdings 3", 13, gndR3, aipK3, {'S'}),
                Control({96, 39}, "h", "Wingdings 3", 13, gndR3, aipK2, {'O'}),
                Control({96, 64}, "i", "Wingdings 3", 13, gndR3, aipK1, {'K'}),
                GA2(), GB2(), TM2(), AC1(), AL2()};
    if (&Class == &TFP24::Class)
        return {Control({24, 96}, "f", "Wingdings 3", 13, gndR3, aipK4, {VK_LEFT}),
                Control({64, 96}, "g", "Wingdings 3", 13, gndR3, aipK3, {VK_RIGHT}),
                GA3(), GB3(), TM3(), AL3(), AC3()};
    if (&Class == &TIM04::Class)
        return {Control({24, 96}, "f", "Wingdings 3", 13, gndR3, aipK4, {VK_LEFT}),
                Control({64, 96}, "g", "Wingdings 3", 13, gndR3, aipK3, {VK_RIGHT}),
                GA6(), GB6(), TM6(), AL6(), AC3()};
    if (&Class == &TIM23::Class)
        return {Control({24, 72}, "СК", "Tahoma", 0, gndR3, aipK4, {'W'}),
                Control({64, 72}, "ЗА", "Tahoma", 0, gndR3, aipK2, {'O'}),
                LD5(), RD5(), GA6(), GB6(), TM6(), AL3(), AC3()};
    return {};
}

} // namespace

std::vector<TGameControlDef> GameControls(const TGameHardware& Hardware) {
    if (Hardware.ControlTable == 0) return OwnControls(*Hardware.Class);
    return StandardGameControls(Hardware.ControlTable);
}

const TGameHardware* FirstGameListingLCDDriver(const TLCDDriverClass& Class) {
    for (const TMCUClass* C : GameClasses()) {
        const TGameHardware* H = FindGameHardware(*C);
        if (H && std::find(H->LCDDrivers.begin(), H->LCDDrivers.end(), &Class) != H->LCDDrivers.end()) return H;
    }
    return nullptr;
}

void ApplyGameHardware(const TGameHardware& Hardware, TSHARP_SM5A_MCU& MCU, TMCUpin1Position& Pin1Position,
                       std::vector<uint8_t>& DigitEncodingORegisters) {
    MCU.SupportedLCDDrivers = Hardware.LCDDrivers;
    Pin1Position = Hardware.Pin1Position;
    MCU.IO.SupportedGNDs = Hardware.Grounds;
    MCU.IO.AlphaBeingQueried = Hardware.AlphaWired;
    MCU.IO.BetaBeingQueried = Hardware.BetaWired;
    MCU.GameControlDefs = GameControls(Hardware);
    DigitEncodingORegisters = Hardware.DigitORegisters;
    MCU.TD0IsCOM1 = Hardware.TD0IsCOM1;
}

} // namespace tarvolin
