// The game catalogue: names, menu, ROM operations and cheats texts.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/options.h"
#include "games/game_catalogue.h"
#include "games/game_classes.h"

using namespace tarvolin;

namespace {

struct TNames {
    const TMCUClass* Class;
    const char* Parent;
    const char* GameName;
    const char* ShortName;
    const char* Caption;
    const char* Shortcut;
};

const TNames Names[] = {
    {&TAC01::Class, "TSHARP_SM5A_MCU", R"(AC-01 "Ball")", "AC01", R"(Nintendo G&&W AC-0&1 "Ball")", "Ctrl+1"},
    {&TIP05::Class, "TSHARP_SM5A_MCU", R"(IP-05 "Judge" (green))", "IP05", R"(Nintendo G&&W IP-05 "Judge" (g&reen))", ""},
    {&TIP15::Class, "TIP05", R"(IP-05 "Judge" (purple, bugfixed, IP-15))", "IP15",
     R"(Nintendo G&&W IP-0&5 "Judge" (purple, bugfixed, IP-15))", "Ctrl+5"},
    {&TCN17::Class, "TCN07", R"(CN-07 "Helmet" (bugfixed, CN-17))", "CN17",
     R"(Nintendo G&&W CN-0&7 "Helmet" (bugfixed, CN-17))", "Ctrl+7"},
    {&TPP23::Class, "TSHARP_SM5A_MCU", R"(PP-23 "Popeye")", "PP23", R"(Nintendo G&&W PP-23 "Popey&e")", "Ctrl+Shift+3"},
    {&TFR27::Class, "TSHARP_SM5A_MCU", R"(FR-27 "Fire")", "FR27", R"(Nintendo G&&W FR-27 "&Fire")", "Ctrl+Shift+7"},
    {&TIM02::Class, "TKB1013VK1_2MCU", R"(ИМ-02 "Ну, погоди!")", "IM02", R"(Электроника ИМ-02 "Ну, погоди!")", ""},
    {&TIM04::Class, "TKB1013VK1_2MCU", R"(ИМ-04 "Весёлый повар")", "IM04", R"(Электроника ИМ-04 "Весёлый повар")", ""},
    {&TAltair::Class, "TIM02", R"("Альтаир")", "Altair", R"(Научприбор "Дозиметр бытовой ДБГБ-06И Альтаир")", ""},
    {&TGK10::Class, "TMT03", R"(GK-10 "Goal Keeper")", "GK10", R"(Tronica GK-10 "&Goal Keeper")", ""},
    {&TSM11::Class, "TSHARP_SM5A_MCU", R"(SM-11 "Space Mission")", "SM11", R"(Tronica SM-11 "Sp&ace Mission")", ""},
};

} // namespace

TEST(GameCatalogue, NamesParentsAndMenuCaptions) {
    for (const TNames& N : Names) {
        SCOPED_TRACE(N.ShortName);
        EXPECT_EQ(N.Class->GameName(), N.GameName);
        EXPECT_EQ(N.Class->ShortGameName(), N.ShortName);
        ASSERT_NE(N.Class->Parent, nullptr);
        EXPECT_STREQ(N.Class->Parent->ClassName, N.Parent);
        const TGameMenuEntry* E = FindGameMenuEntry(*N.Class);
        ASSERT_NE(E, nullptr);
        EXPECT_STREQ(E->MenuCaption, N.Caption);
        EXPECT_STREQ(E->MenuShortcut, N.Shortcut);
    }
}

TEST(GameCatalogue, MenuOrderSeparatorsAndCustomGameLast) {
    const auto& Entries = GameMenuEntries();
    ASSERT_EQ(Entries.size(), 30u); // 26 games, three separators, the custom game
    std::string Order;
    for (const TGameMenuEntry& E : Entries) Order += E.IsSeparator() ? std::string("|") : E.Class->ShortGameName() + " ";
    EXPECT_EQ(Order,
              "AC01 FL02 MT03 RC04 IP05 IP15 MH06 CN07 CN17 LN08 PR21 OC22 PP23 FP24 MC25 FR27 |IM02 IM03 IM04 IM09 "
              "IM13 IM23 Altair |GK10 SK10 SM11 |custom_game ");
    EXPECT_STREQ(Entries.back().MenuCaption, "Load &custom SM-5A ROM...");
    EXPECT_STREQ(Entries.back().MenuShortcut, "Ctrl+0");
    EXPECT_TRUE(Entries.back().Class->IsCustomGame());
    EXPECT_EQ(Entries.back().Class->GameName(), "A custom game");

    // Every menu item's shortcut is unique, and so is every short name and class name.
    std::set<std::string> Shortcuts, ShortNames, ClassNames;
    for (const TGameMenuEntry& E : Entries) {
        if (E.IsSeparator()) continue;
        if (*E.MenuShortcut) {
            EXPECT_TRUE(Shortcuts.insert(E.MenuShortcut).second) << E.MenuShortcut;
        }
        EXPECT_TRUE(ShortNames.insert(E.Class->ShortGameName()).second);
        EXPECT_TRUE(ClassNames.insert(E.Class->ClassName).second);
    }
}

TEST(GameCatalogue, LookupByShortNameIgnoresCase) {
    EXPECT_EQ(FindGameClass("MH06"), &TMH06::Class);
    EXPECT_EQ(FindGameClass("mh06"), &TMH06::Class);
    EXPECT_EQ(FindGameClass("aLtAiR"), &TAltair::Class);
    EXPECT_EQ(FindGameClass("custom_game"), &TSHARP_SM5A_MCU::Class);
    EXPECT_EQ(FindGameClass("IM2"), nullptr);
    EXPECT_EQ(FindGameClass(""), nullptr);
    EXPECT_EQ(FindGameClass("MH06 "), nullptr);
    EXPECT_EQ(FindGameClass("ИМ02"), nullptr);
}

TEST(GameCatalogue, ChipOfEveryGame) {
    for (const TMCUClass* C : GameClasses()) {
        SCOPED_TRACE(C->ClassName);
        const bool Elektronika = C->ShortGameName().rfind("IM", 0) == 0 || C->ShortGameName() == "Altair";
        EXPECT_EQ(C->IsSHARP_SM5A_MCU(), !Elektronika);
        EXPECT_EQ(C->GetMCUname(), Elektronika ? "КБ1013ВК1-2" : "SHARP SM-5A");
    }
}

TEST(GameCatalogue, ROMFilesAndTakenOverROMs) {
    struct Row {
        const TMCUClass* Class;
        const char* File;
        const char* Entry;
    };
    const Row Rows[] = {
        {&TAC01::Class, "gnw_ball.zip", "ac-01"},       {&TMT03::Class, "gnw_vermin.zip", "mt-03"},
        {&TGK10::Class, "gnw_vermin.zip", "mt-03"},     {&TIP15::Class, "gnw_judge.zip", "ip-15"},
        {&TCN17::Class, "gnw_helmet.zip", "cn-17"},     {&TIM02::Class, "gnw_mmouse.zip", "mc-25"},
        {&TIM03::Class, "gnw_octopus.zip", "oc-22"},    {&TIM04::Class, "gnw_chef.zip", "fp-24"},
        {&TIM09::Class, "gnw_fire.zip", "fr-27"},       {&TIM13::Class, "rkosmosa.zip", "im-13.bin"},
        {&TAltair::Class, "naltair.zip", "dbgb-06i.bin"}, {&TSK10::Class, "trsgkeep.zip", "0132_238a"},
        {&TSM11::Class, "trspacmis.zip", "0126_228b"},  {&TSHARP_SM5A_MCU::Class, "", ""},
    };
    for (const Row& R : Rows) {
        SCOPED_TRACE(R.Class->ClassName);
        EXPECT_EQ(R.Class->ROMFileName(), R.File);
        EXPECT_EQ(R.Class->ROMFileNameInArchive(), R.Entry);
    }
}

TEST(GameCatalogue, ROMURLFollowsTheServerSetting) {
    const std::string Saved = Options().ROMArchiveServer;
    Options().ROMArchiveServer = "";
    EXPECT_EQ(TMH06::Class.ROM_URL(), "download.php?file=gnw_manholeg");
    EXPECT_EQ(TIM02::Class.ROM_URL(), "download.php?file=gnw_mmouse");
    EXPECT_EQ(TGK10::Class.ROM_URL(), TMT03::Class.ROM_URL());
    EXPECT_EQ(TSHARP_SM5A_MCU::Class.ROM_URL(), "");
    Options().ROMArchiveServer = "https://roms.example.org/archive/";
    EXPECT_EQ(TAltair::Class.ROM_URL(), "https://roms.example.org/archive/download.php?file=naltair");
    EXPECT_EQ(TIM09::Class.ROM_URL(), "https://roms.example.org/archive/download.php?file=gnw_fire");
    EXPECT_EQ(TSHARP_SM5A_MCU::Class.ROM_URL(), "");
    Options().ROMArchiveServer = Saved;
}

TEST(GameCatalogue, CheatsTexts) {
    EXPECT_EQ(TAC01::Class.GetCheatsText(), "INVINCIBILITY\nK4 signaled upon reset (sets RAM[0x35] bit #0)");
    EXPECT_EQ(TFL02::Class.GetCheatsText(),
              "FULL LCD TEST (all segments lit up)\nBeta signaled upon reset\n\nINVINCIBILITY\nBeta signaled during play");
    EXPECT_EQ(TIM23::Class.GetCheatsText(),
              "FULL LCD TEST (all segments lit up)\nINT1 signaled upon reset\n\nPARTIAL LCD TEST (COM0 segments lit "
              "up)\nINT0 signaled upon reset");
    // Inherited texts.
    EXPECT_EQ(TGK10::Class.GetCheatsText(), TMT03::Class.GetCheatsText());
    EXPECT_EQ(TRC04::Class.GetCheatsText(), TMT03::Class.GetCheatsText());
    EXPECT_EQ(TIP15::Class.GetCheatsText(), TIP05::Class.GetCheatsText());
    EXPECT_EQ(TCN17::Class.GetCheatsText(), TCN07::Class.GetCheatsText());
    EXPECT_EQ(TMC25::Class.GetCheatsText(), TFP24::Class.GetCheatsText());
    EXPECT_EQ(TIM04::Class.GetCheatsText(), TIM02::Class.GetCheatsText());
    EXPECT_EQ(TIM13::Class.GetCheatsText(), "");
    EXPECT_EQ(TSHARP_SM5A_MCU::Class.GetCheatsText(), "");
    // Texts are lines joined by single line feeds, blank lines between sections, no
    // trailing or doubled blank lines, and no carriage returns.
    for (const TMCUClass* C : GameClasses()) {
        const std::string T = C->GetCheatsText();
        if (T.empty()) continue;
        SCOPED_TRACE(C->ClassName);
        EXPECT_NE(T.back(), '\n');
        EXPECT_EQ(T.find("\n\n\n"), std::string::npos);
        EXPECT_EQ(T.find('\r'), std::string::npos);
    }
    const std::string MH06 = TMH06::Class.GetCheatsText();
    EXPECT_EQ(MH06.substr(MH06.rfind('\n') + 1),
              "  - approx. 150% faster than normal: both [R2=0]K4+K3 signaled upon reset (sets RAM[0x4B]=0x0)");
    EXPECT_NE(TSK10::Class.GetCheatsText().find("increases the score by 50 points, instead of default 5 points)"),
              std::string::npos);
}
