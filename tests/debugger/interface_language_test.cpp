// The features speak the interface language: what they hand to the window is translated with
// its values in their places, while a session file stays byte for byte what it is in English.
#include <fstream>
#include <iterator>
#include <map>
#include <utility>

#include "base/translate.h"
#include "debugger/game_control_faces.h"
#include "debugger_fixture.h"
#include "games/game_catalogue.h"

namespace tarvolin::test {
namespace {

// A few Russian texts, as the desktop program's translator would give them.
std::string RussianTexts(const char* Context, const char* SourceText) {
    static const std::map<std::pair<std::string, std::string>, std::string> Texts = {
        {{"Breakpoints", "Paused on change memory breakpoint, RAM[0x%s]=%s, previous value: %s."},
         "Пауза на точке останова по изменению памяти, RAM[0x%s]=%s, прежнее значение: %s."},
        {{"Breakpoints", "Set write memory breakpoint on RAM address 0x%s?"},
         "Установить точку останова по записи в память на адрес ОЗУ 0x%s?"},
        {{"Navigation", "Go to address"}, "Перейти по адресу"},
        {{"InputDialogs", "Enter hexadecimal value (%s-%s)"}, "Введите шестнадцатеричное значение (%s-%s)"},
        {{"InputDialogs", "'%s' is not a valid integer value."}, "'%s' не является допустимым целым числом."},
        {{"GameControls", "Up"}, "Вверх"},
        {{"Listing", "; --- BANK %d  PAGE #%X ---"}, "; --- БАНК %d  СТРАНИЦА #%X ---"},
        {{"Listing", "RESET"}, "СБРОС"},
        {{"GameControls", "%s (right side)"}, "%s (правая сторона)"},
        {{"GameControls", "%s - key %s"}, "%s - клавиша %s"},
        {{"Session", "Error loading debug session - the breakpoint address %d lies outside the RAM."},
         "Ошибка загрузки отладочного сеанса: адрес точки останова %d лежит за пределами ОЗУ."},
    };
    const auto It = Texts.find({Context, SourceText});
    return It == Texts.end() ? std::string(SourceText) : It->second;
}

std::string ReadFile(const std::filesystem::path& Path) {
    std::ifstream f(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

class FeaturesInterfaceLanguageTest : public DebuggerTest {
protected:
    void SetUp() override {
        DebuggerTest::SetUp();
        SetTranslator(&RussianTexts);
    }
    void TearDown() override {
        SetTranslator(nullptr);
        DebuggerTest::TearDown();
    }
    std::string SaveAs(const std::string& Name) {
        const std::string Path = (Dir.Path / Name).string();
        Prompter.Files.push_back(Path);
        EXPECT_TRUE(Debugger.SessionCommands().SaveAsCommand()) << Prompter.LastText();
        return Path;
    }
};

TEST_F(FeaturesInterfaceLanguageTest, TextsReachTheWindowTranslatedWithTheirValuesInOrder) {
    Load();
    // A status with three values: the cell's address, its value and the previous one.
    Debugger.Breakpoints().AddMemoryBreakpoint(TMemoryBreakpointKind::Change, 0x00);
    for (int i = 0; i < 3; ++i) Debugger.Run().TraceInto();
    EXPECT_EQ(View.Status, "Пауза на точке останова по изменению памяти, RAM[0x00]=5, прежнее значение: 0.");

    // The question of the kind asked for, as one sentence.
    Prompter.Answers.push_back(TMessageResult::No);
    Debugger.Breakpoints().SetMemoryBreakpointCommand(TMemoryBreakpointKind::Write, 0x4C);
    EXPECT_EQ(Prompter.LastText(), "Установить точку останова по записи в память на адрес ОЗУ 0x4C?");

    // An input dialog: its title keeps the range's ends in order, the caller's label is
    // translated and the refusal names what was typed.
    Prompter.Type({"zz", "401"});
    Debugger.Navigation().GoToAddress();
    ASSERT_FALSE(Prompter.Dialogs.empty());
    EXPECT_EQ(Prompter.Dialogs.back().Title, "Введите шестнадцатеричное значение (000-73F)");
    EXPECT_EQ(Prompter.Dialogs.back().Fields.at(0).Label, "Перейти по адресу:");
    EXPECT_EQ(Prompter.Texts(TMessageKind::Error),
              std::vector<std::string>{"'zz' не является допустимым целым числом."});
    EXPECT_EQ(Selected(), 0x401);

    // The list shows a page's standard header in the interface language.
    const int ResetPage = Debugger.Navigation().AddrToItemIndex(0x3C0);
    EXPECT_EQ(Debugger.Navigation().RowHeader(ResetPage), "\n; --- БАНК 0  СТРАНИЦА #F --- СБРОС");

    // A control's hint nests two translated templates: the side, then the key.
    const TMCUClass* Lion = FindGameClass("LN08");
    ASSERT_TRUE(Lion);
    const std::vector<TGameControlFace> Faces = GameControlFaces(GameControls(*FindGameHardware(*Lion)));
    ASSERT_GE(Faces.size(), 3u);
    EXPECT_EQ(GameControlHint(Faces[2]), "Вверх (правая сторона) - клавиша O");
}

TEST_F(FeaturesInterfaceLanguageTest, ASessionFileKeepsItsBytesAndItsRefusalIsTranslated) {
    Load();
    Debugger.Breakpoints().ToggleCodeBreakpoint(0x3C3);
    Debugger.Breakpoints().AddMemoryBreakpoint(TMemoryBreakpointKind::Change, 0x00);
    for (int i = 0; i < 3; ++i) Debugger.Run().TraceInto(); // stopped on the breakpoint, status translated
    const std::string Translated = ReadFile(SaveAs("russian.dbgsession"));
    SetTranslator(nullptr);
    EXPECT_EQ(ReadFile(SaveAs("english.dbgsession")), Translated);
    SetTranslator(&RussianTexts);

    // After the code list (one address, 3C3): the empty temporary list, the two field values
    // and the read list's triggered address, then its count. An address past the RAM there is
    // refused in the interface language.
    const size_t CodeList = Translated.find(std::string("\x01\x00\x00\x00\xC3\x03\x00\x00", 8));
    ASSERT_NE(CodeList, std::string::npos);
    const size_t ReadCount = CodeList + 8 + 4 + 3;
    ASSERT_EQ(Translated.substr(ReadCount - 1, 5), std::string("\x7F\x00\x00\x00\x00", 5));
    std::string Bad = Translated;
    Bad.replace(ReadCount, 4, std::string("\x01\x00\x00\x00\x80\x00\x00\x00", 8));
    Prompter.Messages.clear();
    EXPECT_FALSE(Debugger.SessionCommands().OpenDebugSession(Dir.Write("bad.dbgsession", Bad)));
    EXPECT_EQ(Prompter.Texts(TMessageKind::Error),
              std::vector<std::string>{
                  "Ошибка загрузки отладочного сеанса: адрес точки останова 128 лежит за пределами ОЗУ."});
}

} // namespace
} // namespace tarvolin::test
