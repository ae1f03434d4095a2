// Texts in the interface language: what the window shows is translated, every file keeps its
// English texts, and translated formats still receive their values in order.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "base/shell_errors.h"
#include "base/translate.h"
#include "disasm/disasm.h"
#include "disasm/listing.h"
#include "disasm/text_util.h"
#include "disasm_fixture.h"
#include "persist/zip_archive.h"

namespace tarvolin::test {
namespace {

// A few Russian texts, as the desktop program's translator would give them.
std::string RussianTexts(const char* Context, const char* SourceText) {
    static const std::map<std::pair<std::string, std::string>, std::string> Texts = {
        {{"Listing", "; --- BANK %d  PAGE #%X ---"}, "; --- БАНК %d  СТРАНИЦА #%X ---"},
        {{"Listing", "WAKE FROM HALT"}, "ПРОБУЖДЕНИЕ ИЗ HALT"},
        {{"Listing", "read input"}, "чтение входа"},
        {{"Listing", "clear mem bit %d"}, "сбросить бит %d mem"},
        {{"Listing", "skip next if DPL was 7"}, "пропустить следующую, если DPL был 7"},
        {{"Hint", "sum=%s"}, "сумма=%s"},
        {{"Hint", "skipping"}, "пропуск"},
        {{"Hint", "bit %d: %u"}, "бит %d: %u"},
        {{"Legend", "Jump far to %s (if MSB=0) or %s (if MSB=1)."}, "Дальний переход на %s (если MSB=0) или на %s (если MSB=1)."},
        {{"Legend", "Clear bit %s of RAM field denoted by DP."}, "Сбросить бит %s ячейки ОЗУ, адресуемой DP."},
        {{"SevenSegmentTable", " | Acc |Digit|    TD=0    |    TD=1    |"}, " | Acc |Цифра|    TD=0    |    TD=1    |"},
        {{"Shell", "%s failed.\n%s"}, "Не удалось выполнить %s.\n%s"},
        {{"Shell", "The specified file was not found."}, "Указанный файл не найден."},
        {{"Zip", "The zip archive holds no file."}, "В zip-архиве нет ни одного файла."},
    };
    const auto It = Texts.find({Context, SourceText});
    return It == Texts.end() ? std::string(SourceText) : It->second;
}

class InterfaceLanguageTest : public DisasmTest {
protected:
    void SetUp() override {
        DisasmTest::SetUp();
        SetTranslator(&RussianTexts);
    }
    void TearDown() override {
        SetTranslator(nullptr);
        DisasmTest::TearDown();
    }
};

TEST_F(InterfaceLanguageTest, TheListShowsTranslatedCommentsWhileTheExportStaysEnglish) {
    UseMnemonics(1);
    Put(0x000, {0x6A, 0x05, 0x14, 0x67});
    MCU->SetAddressLabel(0x001, "метка");
    MCU->SetAddressComment(0x003, "свой комментарий");
    TListing Listing;
    Listing.BuildDisAsmStrings(MCU.get());

    // The view: words translated, formulas and user comments as they are, and the comment
    // column counted in characters, not bytes.
    struct TCase {
        int Index;
        const char* Comment;
    };
    const TCase Cases[] = {
        {0, "; чтение входа"},
        {1, "; сбросить бит 1 mem"},
        {2, "; Acc<->mem; DPL++; пропустить следующую, если DPL был 7"},
        {3, ";; свой комментарий"},
        {4, ""}, // SKIP has no default comment
    };
    for (const TCase& c : Cases) {
        const std::string& Line = Listing.Entries()[size_t(c.Index)].Text;
        const size_t At = Line.find(';');
        if (!*c.Comment) {
            EXPECT_EQ(At, std::string::npos) << Line;
            continue;
        }
        ASSERT_NE(At, std::string::npos) << Line;
        EXPECT_EQ(Line.substr(At), c.Comment);
        EXPECT_EQ(Utf8Length(Line.substr(0, At)), 32u) << Line;
    }
    EXPECT_EQ(MCU->ShownROMAddressComment(0x000), "\n; --- БАНК 0  СТРАНИЦА #0 --- ПРОБУЖДЕНИЕ ИЗ HALT");
    EXPECT_EQ(MCU->ShownROMAddressComment(0x440), "\n; --- БАНК 1  СТРАНИЦА #1 ---");

    // The file: byte for byte what the program writes without any translation.
    const std::vector<std::string> Lines = Listing.ExportLines(*MCU);
    ASSERT_GE(Lines.size(), 4u);
    EXPECT_EQ(Lines[0], "\n; --- BANK 0  PAGE #0 --- WAKE FROM HALT");
    EXPECT_EQ(Lines[1].substr(Lines[1].find(';')), "; read input");
    EXPECT_EQ(Lines[2], "; метка");
    const std::string Translated = Listing.ExportText(*MCU);
    SetTranslator(nullptr);
    TListing English;
    English.BuildDisAsmStrings(MCU.get());
    EXPECT_EQ(Translated, English.ExportText(*MCU));
}

TEST_F(InterfaceLanguageTest, AHeaderAGameReplacedIsShownAsStored) {
    MCU->DefaultROMAddressComments[0x040] = "\n; --- a game's own header";
    EXPECT_EQ(MCU->ShownROMAddressComment(0x040), "\n; --- a game's own header");
    EXPECT_EQ(MCU->ShownROMAddressComment(0x041), "");
    EXPECT_EQ(MCU->ShownROMAddressComment(ROMSize), "");
}

TEST_F(InterfaceLanguageTest, TranslatedFormatsReceiveTheirValuesInOrder) {
    UseMnemonics(1);
    MCU->PC = 0x010;
    MCU->Acc = 9;
    Put(0x010, {0x38});
    EXPECT_EQ(GetCurrentOpcodeHint(*MCU), "сумма=1; 1 -> Acc; пропуск");
    MCU->DP = 0x1C;
    MCU->RAM[0x1C] = 0xA;
    Put(0x010, {0x55});
    EXPECT_EQ(GetCurrentOpcodeHint(*MCU), "(1C): 1010; бит 1: 1; пропуск");
    EXPECT_EQ(GetOpcodeDescription(MCU.get(), 0x74, 0x81), "Дальний переход на 13E (если MSB=0) или на 53E (если MSB=1).");
    EXPECT_EQ(GetOpcodeDescription(MCU.get(), 0x04, 0), "Сбросить бит #0 (xxx0) ячейки ОЗУ, адресуемой DP.");
    EXPECT_EQ(ShellOpenFailure("x", 2), "Не удалось выполнить ShellExecute('open', 'x').\n2: 'Указанный файл не найден.'");
    try {
        ReadZipEntry(std::string("PK\x05\x06", 4) + std::string(18, '\0'), "");
        ADD_FAILURE() << "an empty archive was read";
    } catch (const EZipError& e) {
        EXPECT_STREQ(e.what(), "В zip-архиве нет ни одного файла.");
    }
}

TEST_F(InterfaceLanguageTest, TheTranslatedTableHeaderKeepsTheRowSelection) {
    int Start = 0, Length = 0;
    ASSERT_TRUE(SevenSegmentTableSelection(0x2, 0xD, true, Start, Length));
    const auto Lines = SevenSegmentTableLines();
    EXPECT_EQ(Lines[1], " | Acc |Цифра|    TD=0    |    TD=1    |");
    SetTranslator(nullptr);
    int EnglishStart = 0, EnglishLength = 0;
    ASSERT_TRUE(SevenSegmentTableSelection(0x2, 0xD, true, EnglishStart, EnglishLength));
    EXPECT_EQ(Start, EnglishStart);
    EXPECT_EQ(Length, EnglishLength);
}

} // namespace
} // namespace tarvolin::test
