#include "games/game_lcd_drivers.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "games/game_catalogue.h"
#include "games/game_classes.h"
#include "games/lcd_wirings.h"

namespace tarvolin {

// Defined by the generated source that embeds the game LCD images. Referring to it here
// makes every program that uses the game drivers link the images, whose registration then
// runs at start-up.
extern const bool GameLCDImagesLinked;
bool GameLCDImagesEmbedded() { return GameLCDImagesLinked; }

// ------------------------------------------------------------------ class descriptors

#define TARVOLIN_DRIVER_DESCRIPTOR(NAME, PARENT) \
    const TLCDDriverClass NAME::Class = {#NAME, PARENT, &NAME::Make};

TARVOLIN_DRIVER_DESCRIPTOR(TAC01LCDDriver, nullptr)
TARVOLIN_DRIVER_DESCRIPTOR(TFL02LCDDriver, nullptr)
TARVOLIN_DRIVER_DESCRIPTOR(TMT03LCDDriver, nullptr)
TARVOLIN_DRIVER_DESCRIPTOR(TRC04LCDDriver, nullptr)
TARVOLIN_DRIVER_DESCRIPTOR(TIP05LCDDriver, nullptr)
TARVOLIN_DRIVER_DESCRIPTOR(TMH06LCDDriver, nullptr)
TARVOLIN_DRIVER_DESCRIPTOR(TCN07LCDDriver, nullptr)
TARVOLIN_DRIVER_DESCRIPTOR(TLN08LCDDriver, nullptr)
TARVOLIN_DRIVER_DESCRIPTOR(TPR21LCDDriver, nullptr)
TARVOLIN_DRIVER_DESCRIPTOR(TOC22LCDDriver, nullptr)
TARVOLIN_DRIVER_DESCRIPTOR(TPP23LCDDriver, nullptr)
TARVOLIN_DRIVER_DESCRIPTOR(TFP24LCDDriver, nullptr)
TARVOLIN_DRIVER_DESCRIPTOR(TMC25LCDDriver, nullptr)
TARVOLIN_DRIVER_DESCRIPTOR(TEG26LCDDriver, &TMC25LCDDriver::Class)
TARVOLIN_DRIVER_DESCRIPTOR(TFR27LCDDriver, nullptr)
TARVOLIN_DRIVER_DESCRIPTOR(TIM02LCDDriver, nullptr)
TARVOLIN_DRIVER_DESCRIPTOR(TIM10LCDDriver, &TIM02LCDDriver::Class)
TARVOLIN_DRIVER_DESCRIPTOR(TIM16LCDDriver, &TIM02LCDDriver::Class)
TARVOLIN_DRIVER_DESCRIPTOR(TIM19LCDDriver, &TIM02LCDDriver::Class)
TARVOLIN_DRIVER_DESCRIPTOR(TIM22LCDDriver, &TIM02LCDDriver::Class)
TARVOLIN_DRIVER_DESCRIPTOR(TIM22CirkLCDDriver, &TIM02LCDDriver::Class)
TARVOLIN_DRIVER_DESCRIPTOR(TIM32LCDDriver, &TIM02LCDDriver::Class)
TARVOLIN_DRIVER_DESCRIPTOR(TIM33LCDDriver, &TIM02LCDDriver::Class)
TARVOLIN_DRIVER_DESCRIPTOR(TIM49LCDDriver, &TIM02LCDDriver::Class)
TARVOLIN_DRIVER_DESCRIPTOR(TIM50LCDDriver, &TIM02LCDDriver::Class)
TARVOLIN_DRIVER_DESCRIPTOR(TIM51LCDDriver, &TIM02LCDDriver::Class)
TARVOLIN_DRIVER_DESCRIPTOR(TIM53LCDDriver, &TIM02LCDDriver::Class)
TARVOLIN_DRIVER_DESCRIPTOR(TIM03LCDDriver, nullptr)
TARVOLIN_DRIVER_DESCRIPTOR(TIM04LCDDriver, nullptr)
TARVOLIN_DRIVER_DESCRIPTOR(TIM09LCDDriver, nullptr)
TARVOLIN_DRIVER_DESCRIPTOR(TIM13LCDDriver, nullptr)
TARVOLIN_DRIVER_DESCRIPTOR(TIM23LCDDriver, nullptr)
TARVOLIN_DRIVER_DESCRIPTOR(TGK10LCDDriver, nullptr)
TARVOLIN_DRIVER_DESCRIPTOR(TSK10LCDDriver, nullptr)
TARVOLIN_DRIVER_DESCRIPTOR(TSM11LCDDriver, nullptr)
TARVOLIN_DRIVER_DESCRIPTOR(TSG21LCDDriver, &TSM11LCDDriver::Class)
#undef TARVOLIN_DRIVER_DESCRIPTOR

// ------------------------------------------------------------------ the driver table

namespace {

constexpr TLCDpad None = NoLCDpad;

// Common pads of the usual two-edge glass: COM0 pads a (-1) and b (+27), COM1 pads c (-27)
// and d (+1).
std::vector<TCOMpadRow> Glass(TLCDpad a, TLCDpad b, TLCDpad c, TLCDpad d, bool TwinCOM0 = false) {
    return {{a, -1, COM0, TwinCOM0 ? b : None},
            {b, 27, COM0, TwinCOM0 ? a : None},
            {c, -27, COM1, None},
            {d, 1, COM1, None}};
}
// The same glass where the COM0 pads sit at -27 and +1 and the COM1 pads at -1 and +27.
std::vector<TCOMpadRow> SwappedGlass(TLCDpad Com0Lower, TLCDpad Com0Upper, TLCDpad Com1Lower,
                                      TLCDpad Com1Upper, bool TwinCOM0 = false) {
    return {{Com0Lower, -27, COM0, TwinCOM0 ? Com0Upper : None},
            {Com0Upper, 1, COM0, TwinCOM0 ? Com0Lower : None},
            {Com1Lower, -1, COM1, None},
            {Com1Upper, 27, COM1, None}};
}

const char* const Nintendo = "Nintendo G&W ";
const char* const Elektronika = "Электроника ";
const char* const Tronica = "Tronica ";

std::vector<std::pair<TLCDpad, TLCDpadPosition>> AC01Positions() {
    std::vector<std::pair<TLCDpad, TLCDpadPosition>> P;
    for (int Pad = 2; Pad <= 10; ++Pad) P.emplace_back(Pad, -Pad);
    for (int Pad = 11; Pad <= 17; ++Pad) P.emplace_back(Pad, -(Pad + 9));
    for (int Pad = 20; Pad <= 35; ++Pad) P.emplace_back(Pad, 46 - Pad);
    for (int Pad = 36; Pad <= 41; ++Pad) P.emplace_back(Pad, 43 - Pad);
    return P;
}

// The inner points given for the AC-01 glass. The other segments of its picture are ours; its
// four digits stand small in the upper right corner, where pads 20 and 21 put them.
std::vector<TGivenSegment> AC01Given() {
    return {
        {2, COM0, {{400, 300}}},
        {2, COM1, {{480, 220}}},
        {7, COM0, {{380, 580}}},
        {7, COM1, {{300, 580}}},
        {8, COM1, {{25, 680}, {60, 670}, {100, 650}, {150, 620}, {170, 600}, {200, 560}, {215, 595}, {220, 700},
                   {310, 775}, {450, 780}}, "HEARTBEATS"},
        {9, COM0, {{450, 580}, {480, 730}}},
        {11, COM0, {{510, 660}, {640, 660}, {770, 660}}},
        {11, COM1, {{730, 820}}},
        {13, COM0, {{990, 580}}},
        {13, COM1, {{830, 780}, {900, 785}, {1060, 710}, {1060, 790}, {1100, 770}, {1150, 760}, {1170, 720},
                    {1200, 700}, {1230, 650}, {1250, 700}}, "INTERSTATE"},
        {20, COM0, {{1300, 110}}},
        {20, COM1, {{1320, 90}}},
        {21, COM1, {{1320, 40}}},
        {36, COM0, {{800, 220}}},
        {36, COM1, {{880, 300}}},
        {41, COM0, {{500, 330}}},
        {41, COM1, {{580, 270}}},
    };
}

// Wiring bit indexes of the bits a glass leaves out.
constexpr int Bit(int OIndex, int Obit) { return WiringBitIndex(static_cast<TOIndex>(OIndex), static_cast<TObit>(Obit)); }

std::vector<TGameLCDDriverRow> BuildRows() {
    const auto A = Glass(1, 17, 16, 40);
    std::vector<TGameLCDDriverRow> S;
    auto Add = [&](TGameLCDDriverRow Row) { S.push_back(std::move(Row)); };
    Add({&TAC01LCDDriver::Class, "AC01_LCD", Nintendo, &TAC01::Class, "", "AC01", {}, Glass(1, 19, 18, 42), false,
         false, AC01Positions(), {8, 21, 25, 29, 33}, {9, 10}, AC01Given(), {1100, 15, 40, 100, 60}});
    Add({&TFL02LCDDriver::Class, "FL02_LCD", Nintendo, &TFL02::Class, "", "FL02", {},
         {{1, 26, COM0, None}, {25, 1, COM1, None}}, false});
    Add({&TMT03LCDDriver::Class, "MT03_LCD", Nintendo, &TMT03::Class, "", "MT03", {}, Glass(1, 22, 21, 40), false});
    Add({&TRC04LCDDriver::Class, "RC04_LCD", Nintendo, &TRC04::Class, "", "RC04", {}, Glass(1, 12, 11, 34), false});
    Add({&TIP05LCDDriver::Class, "IP05_LCD", Nintendo, &TIP05::Class, "", "IP05", {}, SwappedGlass(12, 39, 1, 13),
         false});
    Add({&TMH06LCDDriver::Class, "MH06_LCD", Nintendo, &TMH06::Class, "", "MH06", {}, Glass(1, 14, 13, 36), false});
    Add({&TCN07LCDDriver::Class, "CN07_LCD", Nintendo, &TCN07::Class, "", "B", {}, Glass(1, 16, 15, 40), false});
    Add({&TLN08LCDDriver::Class, "LN08_LCD", Nintendo, &TLN08::Class, "", "LN08", {}, Glass(1, 15, 14, 36), false});
    Add({&TPR21LCDDriver::Class, "PR21_LCD", Nintendo, &TPR21::Class, "", "B", {}, Glass(1, 16, 15, 40, true), true});
    Add({&TOC22LCDDriver::Class, "OC22_LCD", Nintendo, &TOC22::Class, "", "C", {}, Glass(1, 23, 22, 42, true), true});
    Add({&TPP23LCDDriver::Class, "PP23_LCD", Nintendo, &TPP23::Class, "", "PP23", {},
         SwappedGlass(14, 40, 1, 15, true), true});
    Add({&TFP24LCDDriver::Class, "FP24_LCD", Nintendo, &TFP24::Class, "", "B", {}, Glass(1, 16, 15, 40), false});
    Add({&TMC25LCDDriver::Class, "MC25_LCD", Nintendo, &TMC25::Class, "", "A", {}, Glass(1, 17, 16, 40, true), true});
    Add({&TEG26LCDDriver::Class, "EG26_LCD", nullptr, nullptr, R"(Nintendo G&W EG-26 "Egg")", "A", {},
         Glass(1, 17, 16, 40, true), false});
    Add({&TFR27LCDDriver::Class, "FR27_LCD", Nintendo, &TFR27::Class, "", "D", {}, SwappedGlass(13, 39, 1, 14, true),
         true});
    Add({&TIM02LCDDriver::Class, "IM02_LCD", Elektronika, &TIM02::Class, "", "A", {}, A, true});
    Add({&TIM10LCDDriver::Class, "IM10_LCD", nullptr, nullptr, R"(Электроника ИМ-10 "Хоккей")", "A",
         {Bit(0, 2), Bit(0, 0), Bit(2, 3), Bit(2, 1)}, A, true});
    Add({&TIM16LCDDriver::Class, "IM16_LCD", nullptr, nullptr, R"(Электроника ИМ-16 "Охота")", "A", {}, A, true});
    Add({&TIM19LCDDriver::Class, "IM19_LCD", nullptr, nullptr, R"(Электроника ИМ-19 "Биатлон")", "A", {}, A, false});
    // IM-22's common electrodes are cut into a left and a right half instead of IM-02's upper and
    // lower ones.
    Add({&TIM22LCDDriver::Class, "IM22_LCD", nullptr, nullptr, R"(Электроника ИМ-22 "Весёлые футболисты")", "A", {},
         A, true, false, {}, {}, {}, {}, {}, TSegmentGroups::ByHalf});
    Add({&TIM22CirkLCDDriver::Class, "IM22Cirk_LCD", nullptr, nullptr, R"(Электроника ИМ-22 "Цирк")", "A", {}, A,
         false});
    Add({&TIM32LCDDriver::Class, "IM32_LCD", nullptr, nullptr, R"(Электроника ИМ-32 "Кот-рыболов")", "A", {}, A,
         false});
    Add({&TIM33LCDDriver::Class, "IM33_LCD", nullptr, nullptr, R"(Электроника ИМ-33 "Квака-задавака")", "A", {}, A,
         true});
    Add({&TIM49LCDDriver::Class, "IM49_LCD", nullptr, nullptr, R"(Электроника ИМ-49 "Ночные воришки")", "A", {}, A,
         false});
    Add({&TIM50LCDDriver::Class, "IM50_LCD", nullptr, nullptr, R"(Электроника ИМ-50 "Космический полёт")", "A", {},
         A, false});
    Add({&TIM51LCDDriver::Class, "IM51_LCD", nullptr, nullptr, R"(Электроника ИМ-51 "Морская атака")", "A", {}, A,
         false});
    Add({&TIM53LCDDriver::Class, "IM53_LCD", nullptr, nullptr, R"(Электроника ИМ-53 "Атака астероидов")", "A", {}, A,
         false});
    Add({&TIM03LCDDriver::Class, "IM03_LCD", Elektronika, &TIM03::Class, "", "C", {}, Glass(1, 23, 22, 42), true});
    Add({&TIM04LCDDriver::Class, "IM04_LCD", Elektronika, &TIM04::Class, "", "B", {}, Glass(1, 16, 15, 40), true});
    Add({&TIM09LCDDriver::Class, "IM09_LCD", Elektronika, &TIM09::Class, "", "D", {}, SwappedGlass(13, 39, 1, 14, true),
         true});
    Add({&TIM13LCDDriver::Class, "IM13_LCD", Elektronika, &TIM13::Class, "", "A", {}, A, true});
    Add({&TIM23LCDDriver::Class, "IM23_LCD", Elektronika, &TIM23::Class, "", "A", {Bit(2, 0)}, A, true});
    Add({&TGK10LCDDriver::Class, "GK10_LCD", Tronica, &TGK10::Class, "", "GK10", {}, Glass(1, 16, 15, 39), false,
         true});
    Add({&TSK10LCDDriver::Class, "SK10_LCD", Tronica, &TSK10::Class, "", "SK10", {}, Glass(1, 14, 13, 37), false});
    Add({&TSM11LCDDriver::Class, "SM11_LCD", Tronica, &TSM11::Class, "", "A", {}, A, false});
    Add({&TSG21LCDDriver::Class, "SG21_LCD", nullptr, nullptr, R"(Tronica SG-21 "Spider")", "A", {}, A, false});
    return S;
}

bool Contains(const std::vector<TLCDpad>& List, TLCDpad Pad) {
    return std::find(List.begin(), List.end(), Pad) != List.end();
}

} // namespace

std::string TGameLCDDriverRow::ThemeName() const {
    if (ThemeGame == nullptr) return FixedTheme;
    return std::string(ThemePrefix) + ThemeGame->GameName();
}

const std::vector<TGameLCDDriverRow>& GameLCDDriverRows() {
    static const std::vector<TGameLCDDriverRow> Rows = BuildRows();
    return Rows;
}

const std::vector<const TLCDDriverClass*>& GameLCDDriverClasses() {
    static const std::vector<const TLCDDriverClass*> Classes = [] {
        std::vector<const TLCDDriverClass*> List;
        for (const TGameLCDDriverRow& S : GameLCDDriverRows()) List.push_back(S.Class);
        return List;
    }();
    return Classes;
}

// The game drivers join the program-wide driver list (the custom game may use every one).
[[maybe_unused]] const bool GameLCDDriversRegistered = RegisterLCDDriverClasses(&GameLCDDriverClasses);

const TGameLCDDriverRow* FindGameLCDDriverRow(const TLCDDriverClass& Class) {
    for (const TGameLCDDriverRow& S : GameLCDDriverRows())
        if (S.Class == &Class) return &S;
    return nullptr;
}

std::vector<TLayoutSegmentPad> PlannedSegmentPads(const TGameLCDDriverRow& S) {
    const TPinWiring& W = PinWiring(S.Wiring);
    std::vector<TLCDpad> Pads;
    for (int k = 0; k < 36; ++k) {
        if (std::find(S.UnwiredBits.begin(), S.UnwiredBits.end(), k) != S.UnwiredBits.end()) continue;
        for (TLCDpad Pad : W.BitPads[k]) Pads.push_back(Pad);
    }
    std::sort(Pads.begin(), Pads.end());

    std::vector<TLayoutSegmentPad> Result;
    for (TLCDpad Pad : Pads) {
        TLayoutSegmentPad P;
        P.Pad = Pad;
        P.HasPlane = {!Contains(S.NoCOM0Segment, Pad), !Contains(S.NoCOM1Segment, Pad)};
        Result.push_back(P);
    }

    if (!S.GivenPositions.empty()) {
        for (TLayoutSegmentPad& P : Result) {
            for (const auto& [Pad, Position] : S.GivenPositions)
                if (Pad == P.Pad) P.Position = Position;
        }
    } else {
        // Each edge's segment pads lie between its two common pads in pad order; walk them
        // from the slot next to the lower-numbered common pad towards the other one.
        for (bool Upper : {false, true}) {
            std::vector<TCOMpadRow> Ends;
            for (const TCOMpadRow& C : S.COMpads)
                if ((C.Position > 0) == Upper) Ends.push_back(C);
            if (Ends.size() != 2) continue;
            if (Ends[0].Pad > Ends[1].Pad) std::swap(Ends[0], Ends[1]);
            const int Step = std::abs(Ends[1].Position) > std::abs(Ends[0].Position) ? 1 : -1;
            int Slot = std::abs(Ends[0].Position) + Step;
            for (TLayoutSegmentPad& P : Result) {
                if (P.Pad <= Ends[0].Pad || P.Pad >= Ends[1].Pad) continue;
                P.Position = static_cast<TLCDpadPosition>(Upper ? Slot : -Slot);
                Slot += Step;
            }
        }
    }
    for (const TLayoutSegmentPad& P : Result)
        if (P.Position == 0)
            throw std::logic_error(std::string(S.Class->ClassName) + ": segment pad " + std::to_string(P.Pad) +
                                   " lies on no edge");
    return Result;
}

namespace {

// Completes a layout input from a driver's pin mapping: the O bit of every pad, shared
// shapes, and the digits of the first game that lists the driver.
TLayoutInput CompleteLayoutInput(const TLCDDriver& D, const TGameLCDDriverRow& S, std::vector<TLayoutSegmentPad> Pads) {
    TLayoutInput In;
    for (TLayoutSegmentPad& P : Pads) {
        TOIndex i = 0;
        TObit b = 0;
        if (D.LCDpadToOIndexAndObit(P.Pad, i, b)) {
            P.OIndex = i;
            P.Obit = b;
        }
        if (S.PadsOfOnePinShareShapes) {
            std::vector<TLCDpad> Same = D.MCUpinToLCDpads(D.LCDpadToMCUpin(P.Pad));
            if (!Same.empty() && Same.front() != P.Pad) P.ShapesOf = Same.front();
        }
    }
    In.Pads = std::move(Pads);
    In.Style = LayoutStyleOf(D.LCDResourceName());
    In.Given = S.Given;
    In.DigitFrame = S.DigitFrame;
    if (const TGameHardware* Game = FirstGameListingLCDDriver(*S.Class)) {
        In.DigitORegisters = Game->DigitORegisters;
        In.TD0IsCOM1 = Game->TD0IsCOM1;
    }
    return In;
}

} // namespace

TLayoutInput LayoutInputOfDriver(const TLCDDriver& Driver) {
    const TGameLCDDriverRow* S = FindGameLCDDriverRow(Driver.GetClass());
    if (S == nullptr) throw std::invalid_argument("not a game LCD driver");
    std::vector<TLayoutSegmentPad> Pads;
    for (const TLCDpadToSegmentInnerPoints& R : Driver.LCDpadToSegmentMappings().LCDpadToSegmentInnerPoints) {
        if (R.TwinPad != 0) continue; // a common pad
        TLayoutSegmentPad P;
        P.Pad = R.LCDpad;
        P.Position = R.PadPosition;
        P.HasPlane = {!R.AssociatedSegmentInnerPoints[COM0].empty(), !R.AssociatedSegmentInnerPoints[COM1].empty()};
        Pads.push_back(P);
    }
    return CompleteLayoutInput(Driver, *S, std::move(Pads));
}

TLCDLayout GameLCDLayout(const TLCDDriver& Driver) { return ComputeLCDLayout(LayoutInputOfDriver(Driver)); }

// ------------------------------------------------------------------ shared driver steps

const TGameLCDDriverRow& TGameLCDDriver::Row() const {
    const TGameLCDDriverRow* S = FindGameLCDDriverRow(GetClass());
    if (S == nullptr) throw std::logic_error("game LCD driver without a table row");
    return *S;
}

void TGameLCDDriver::SetupNames(const TGameLCDDriverRow& S) {
    FLCDResourceName = S.ResourceName;
    FLCDThemeName = S.ThemeName();
}

void TGameLCDDriver::SetupPinMappingFrom(const TGameLCDDriverRow& S) {
    const TPinWiring& W = PinWiring(S.Wiring);
    FMCUtoLCDmappings.Clear();
    FMCUtoLCDmappings.AddCOMpads(FCOMtoMCUpin[COM0], W.COM0Pads, true, false);
    FMCUtoLCDmappings.AddCOMpads(FCOMtoMCUpin[COM1], W.COM1Pads, false, true);
    for (int k = 0; k < 36; ++k) {
        if (std::find(S.UnwiredBits.begin(), S.UnwiredBits.end(), k) != S.UnwiredBits.end()) continue;
        FMCUtoLCDmappings.AddSegmentPads(FObitToMCUpin[WiringBitOIndex(k)][WiringBitObit(k)], W.BitPads[k]);
    }
}

void TGameLCDDriver::FillMappings(const std::function<void()>& SetupPins, const std::function<void()>& AddCOMpads) {
    const TGameLCDDriverRow& S = Row();
    SetupNames(S);
    SetupPins();
    FLCDpadToSegmentMappings.Clear();
    AddSegmentPadsFrom(S);
    AddCOMpads();
    FCOMMappingsConfirmed = S.Confirmed;
}

void TGameLCDDriver::AddSegmentPadsFrom(const TGameLCDDriverRow& S) {
    const std::vector<TLayoutSegmentPad> Pads = PlannedSegmentPads(S);
    const TLCDLayout Layout = ComputeLCDLayout(CompleteLayoutInput(*this, S, Pads));
    for (const TLayoutSegmentPad& P : Pads)
        FLCDpadToSegmentMappings.AddSegmentPad(P.Pad, P.Position,
                                               P.HasPlane[COM0] ? Layout.InnerPoints(P.Pad, COM0) : TPointList{},
                                               P.HasPlane[COM1] ? Layout.InnerPoints(P.Pad, COM1) : TPointList{});
}

void TGameLCDDriver::AddCOMpadsFrom(const TGameLCDDriverRow& S) {
    std::vector<TCOMpadRow> COMpads = S.COMpads;
    std::sort(COMpads.begin(), COMpads.end(), [](const TCOMpadRow& a, const TCOMpadRow& b) { return a.Pad < b.Pad; });
    for (const TCOMpadRow& C : COMpads) {
        std::vector<TLCDpad> Driven;
        for (const TLCDpadToSegmentInnerPoints& R : FLCDpadToSegmentMappings.LCDpadToSegmentInnerPoints) {
            if (R.TwinPad != 0) continue; // common pads drive no common pads
            const bool Drives = S.Groups == TSegmentGroups::ByHalf
                                    ? (std::abs(R.PadPosition) <= 13) == (std::abs(C.Position) <= 13)
                                    : C.Twin != NoLCDpad || (R.PadPosition > 0) == (C.Position > 0);
            if (Drives) Driven.push_back(R.LCDpad);
        }
        FLCDpadToSegmentMappings.AddCOMpad(C.Pad, C.Position, Driven, C.Twin);
    }
}

// ------------------------------------------------------------------ the drivers

#define TARVOLIN_OWN_WIRING_DRIVER(NAME)                                                          \
    void NAME::SetupPinMapping() { SetupPinMappingFrom(Row()); }                                 \
    void NAME::SetupMappings() {                                                                  \
        FillMappings([this] { SetupPinMapping(); }, [this] { AddCOMpadsFrom(Row()); });          \
    }

TARVOLIN_OWN_WIRING_DRIVER(TAC01LCDDriver)
TARVOLIN_OWN_WIRING_DRIVER(TFL02LCDDriver)
TARVOLIN_OWN_WIRING_DRIVER(TMT03LCDDriver)
TARVOLIN_OWN_WIRING_DRIVER(TRC04LCDDriver)
TARVOLIN_OWN_WIRING_DRIVER(TIP05LCDDriver)
TARVOLIN_OWN_WIRING_DRIVER(TMH06LCDDriver)
TARVOLIN_OWN_WIRING_DRIVER(TCN07LCDDriver)
TARVOLIN_OWN_WIRING_DRIVER(TLN08LCDDriver)
TARVOLIN_OWN_WIRING_DRIVER(TPR21LCDDriver)
TARVOLIN_OWN_WIRING_DRIVER(TOC22LCDDriver)
TARVOLIN_OWN_WIRING_DRIVER(TPP23LCDDriver)
TARVOLIN_OWN_WIRING_DRIVER(TFP24LCDDriver)
TARVOLIN_OWN_WIRING_DRIVER(TMC25LCDDriver)
TARVOLIN_OWN_WIRING_DRIVER(TFR27LCDDriver)
TARVOLIN_OWN_WIRING_DRIVER(TIM03LCDDriver)
TARVOLIN_OWN_WIRING_DRIVER(TIM04LCDDriver)
TARVOLIN_OWN_WIRING_DRIVER(TIM09LCDDriver)
TARVOLIN_OWN_WIRING_DRIVER(TIM13LCDDriver)
TARVOLIN_OWN_WIRING_DRIVER(TIM23LCDDriver)
TARVOLIN_OWN_WIRING_DRIVER(TGK10LCDDriver)
TARVOLIN_OWN_WIRING_DRIVER(TSK10LCDDriver)
#undef TARVOLIN_OWN_WIRING_DRIVER

// EG-26 shares MC-25's pin wiring.
void TEG26LCDDriver::SetupMappings() {
    FillMappings([this] { SetupPinMapping(); }, [this] { AddCOMpadsFrom(Row()); });
}

void TIM02LCDDriver::SetupPinMapping() { SetupPinMappingFrom(*FindGameLCDDriverRow(TIM02LCDDriver::Class)); }
void TIM02LCDDriver::SetupPinMappingIM10() { SetupPinMappingFrom(*FindGameLCDDriverRow(TIM10LCDDriver::Class)); }
void TIM02LCDDriver::SetupCOMpads() { AddCOMpadsFrom(*FindGameLCDDriverRow(TIM02LCDDriver::Class)); }

void TIM02LCDDriver::SetupMappings() {
    FillMappings([this] { SetupPinMapping(); }, [this] { SetupCOMpads(); });
}

// Members of the IM-02 family with IM-02's wiring and common pads.
#define TARVOLIN_IM02_FAMILY_DRIVER(NAME)                                                         \
    void NAME::SetupMappings() {                                                                  \
        FillMappings([this] { SetupPinMapping(); }, [this] { SetupCOMpads(); });                 \
    }
TARVOLIN_IM02_FAMILY_DRIVER(TIM16LCDDriver)
TARVOLIN_IM02_FAMILY_DRIVER(TIM19LCDDriver)
TARVOLIN_IM02_FAMILY_DRIVER(TIM22CirkLCDDriver)
TARVOLIN_IM02_FAMILY_DRIVER(TIM32LCDDriver)
TARVOLIN_IM02_FAMILY_DRIVER(TIM33LCDDriver)
TARVOLIN_IM02_FAMILY_DRIVER(TIM49LCDDriver)
TARVOLIN_IM02_FAMILY_DRIVER(TIM50LCDDriver)
TARVOLIN_IM02_FAMILY_DRIVER(TIM51LCDDriver)
TARVOLIN_IM02_FAMILY_DRIVER(TIM53LCDDriver)
#undef TARVOLIN_IM02_FAMILY_DRIVER

// IM-10 leaves four bits out and groups its common pads over its own segment pads.
void TIM10LCDDriver::SetupMappings() {
    FillMappings([this] { SetupPinMappingIM10(); }, [this] { AddCOMpadsFrom(Row()); });
}

// IM-22 adds its common pads itself.
void TIM22LCDDriver::SetupMappings() {
    FillMappings([this] { SetupPinMapping(); }, [this] { AddCOMpadsFrom(Row()); });
}

void TSM11LCDDriver::SetupPinMapping() { SetupPinMappingFrom(*FindGameLCDDriverRow(TSM11LCDDriver::Class)); }
void TSM11LCDDriver::SetupCOMpads() { AddCOMpadsFrom(*FindGameLCDDriverRow(TSM11LCDDriver::Class)); }

void TSM11LCDDriver::SetupMappings() {
    FillMappings([this] { SetupPinMapping(); }, [this] { SetupCOMpads(); });
}

void TSG21LCDDriver::SetupMappings() {
    FillMappings([this] { SetupPinMapping(); }, [this] { SetupCOMpads(); });
}

} // namespace tarvolin
