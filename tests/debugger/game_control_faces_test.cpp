// The faces of the game controls: symbol-font letters become signs, every control names its
// game function and keys, and no two controls of a game read alike.
#include <gtest/gtest.h>

#include <set>

#include "debugger/game_control_faces.h"
#include "games/game_catalogue.h"

namespace tarvolin::test {
namespace {

TEST(GameControlFacesTest, NoGameShowsASymbolFontLetterAndEveryControlIsNamedOnce) {
    int Games = 0;
    for (const TMCUClass* Class : GameClasses()) {
        const TGameHardware* Hardware = FindGameHardware(*Class);
        if (!Hardware) continue;
        const std::vector<TGameControlDef> Defs = GameControls(*Hardware);
        const std::vector<TGameControlFace> Faces = GameControlFaces(Defs);
        ASSERT_EQ(Faces.size(), Defs.size());
        std::set<std::string> Functions;
        for (size_t i = 0; i < Faces.size(); ++i) {
            SCOPED_TRACE(Class->ShortGameName() + " control " + std::to_string(i));
            if (Defs[i].FFontName.rfind("Wingdings", 0) == 0) {
                EXPECT_NE(Faces[i].Sign, TControlSign::Text);
            }
            if (Faces[i].Sign == TControlSign::Text) {
                EXPECT_EQ(Faces[i].Text, Defs[i].FCaption);
            }
            EXPECT_FALSE(Faces[i].Function.empty());
            EXPECT_TRUE(Functions.insert(Faces[i].Function).second) << Faces[i].Function;
            EXPECT_EQ(Faces[i].Keys.size(), Defs[i].FVirtualKeyCodes.size());
        }
        if (!Defs.empty()) ++Games;
    }
    EXPECT_GT(Games, 20);
}

TEST(GameControlFacesTest, SignsFunctionsAndKeysOfTheStandardTables) {
    struct Case {
        int Table;
        size_t Index;
        TControlSign Sign;
        const char* Function;
        const char* Hint;
    } Cases[] = {
        {1, 0, TControlSign::ArrowLeft, "Left", "Left - key Left arrow"},
        {1, 1, TControlSign::ArrowRight, "Right", "Right - key Right arrow"},
        {1, 2, TControlSign::Text, "Game A", "Game A - keys 1, A"},
        {1, 4, TControlSign::Text, "Time", "Time - keys 5, T"},
        {1, 5, TControlSign::Reset, "Reset", "Reset - key 9"},
        {2, 6, TControlSign::Bell, "Alarm", "Alarm - keys 0, L"},
        {4, 0, TControlSign::ArrowUpLeft, "Upper left", "Upper left - key W"},
        {4, 1, TControlSign::ArrowDownLeft, "Lower left", "Lower left - key S"},
        {4, 2, TControlSign::ArrowUpRight, "Upper right", "Upper right - key O"},
        {4, 3, TControlSign::ArrowDownRight, "Lower right", "Lower right - key K"},
        {6, 2, TControlSign::Text, "Game A", "Game A - keys 1, A"}, // Cyrillic A
        {6, 4, TControlSign::Text, "Time", "Time - keys 5, T"},     // Cyrillic ve
        {6, 5, TControlSign::Text, "Alarm", "Alarm - keys 0, L"},   // the notes sign
    };
    for (const Case& c : Cases) {
        SCOPED_TRACE(std::to_string(c.Table) + "/" + std::to_string(c.Index));
        const TGameControlFace F = GameControlFaces(StandardGameControls(c.Table)).at(c.Index);
        EXPECT_EQ(F.Sign, c.Sign);
        EXPECT_EQ(F.Function, c.Function);
        EXPECT_EQ(GameControlHint(F), c.Hint);
    }
}

TEST(GameControlFacesTest, APairOfControlsWithOneFunctionIsToldApartBySideInTheKeyList) {
    const TMCUClass* Lion = FindGameClass("LN08");
    ASSERT_TRUE(Lion);
    const std::vector<TGameControlFace> Faces = GameControlFaces(GameControls(*FindGameHardware(*Lion)));
    const std::vector<std::string> Keys = GameKeyList(Faces);
    ASSERT_GE(Keys.size(), 4u);
    EXPECT_EQ(Keys[0], "Up (left side): W");
    EXPECT_EQ(Keys[1], "Down (left side): S");
    EXPECT_EQ(Keys[2], "Up (right side): O");
    EXPECT_EQ(Keys[3], "Down (right side): K");
    EXPECT_EQ(ControlKeyName(0x7B), "Key 0x7B");
}

} // namespace
} // namespace tarvolin::test
