#include <gtest/gtest.h>

#include "debugger/input_dialogs.h"
#include "disasm/disasm.h"
#include "debugger_test_support.h"

namespace tarvolin {
namespace {

using test::TScriptedPrompter;

class InputDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Saved = Options();
        Options() = TOptions{};
    }
    void TearDown() override { Options() = Saved; }
    TOptions Saved;
    TScriptedPrompter Prompter;
};

TEST_F(InputDialogsTest, ParseBankPageStepAcceptsTheSixForms) {
    const std::pair<const char*, T11bits> Accepted[] = {
        {"5", 0x005}, {"2A", 0x02A}, {"3f", 0x03F}, {"F:3", 0x3C3}, {"1:2", 0x042},
        {"a:15", 0x295}, {"0:F:0", 0x3C0}, {"1:C:3F", 0x73F}, {"1:0:00", 0x400},
    };
    for (auto [Text, Expected] : Accepted) {
        T11bits a = 0;
        EXPECT_TRUE(ParseBankPageStepAddr(Text, a)) << Text;
        EXPECT_EQ(a, Expected) << Text;
    }
}

TEST_F(InputDialogsTest, ParseBankPageStepRefusesOtherShapes) {
    for (const char* Text : {"", "4A", "2:0:00", ":5", "1:2:", "G", "1::2", "11:5", "1:2:3:4", "x1:2", "0x12", "100"}) {
        T11bits a = 0;
        EXPECT_FALSE(ParseBankPageStepAddr(Text, a)) << Text;
        EXPECT_EQ(a, NoAddress) << Text;
    }
}

TEST_F(InputDialogsTest, IntegerTitlesFollowTheMaximum) {
    EXPECT_EQ(GetIntegerTitle(1, 0), "Enter 0 or 1");
    EXPECT_EQ(GetIntegerTitle(0xF, 0), "Enter hexadecimal value (0-F)");
    EXPECT_EQ(GetIntegerTitle(0x10, 0), "Enter hexadecimal value (00-10)");
    EXPECT_EQ(GetIntegerTitle(0x100, 0), "Enter hexadecimal value (000-100)");
    EXPECT_EQ(GetIntegerTitle(0x1000, 0), "Enter hexadecimal value (0000-1000)");
    EXPECT_EQ(GetIntegerTitle(0x7F, 0), "Enter hexadecimal value (00-7F)");
    EXPECT_EQ(GetIntegerTitle(0xFF, 0), "Enter hexadecimal value (00-FF)");
    EXPECT_EQ(GetIntegerTitle(0x73F, 0), "Enter hexadecimal value (000-73F)");
    EXPECT_EQ(GetIntegerTitle(0x3FFF, 0), "Enter hexadecimal value (0000-3FFF)");
}

TEST_F(InputDialogsTest, HexInputIsTrimmedAndPrefixTolerant) {
    const std::pair<const char*, uint32_t> Cases[] = {{" A ", 10}, {"0xa", 10}, {"0XFF", 255}, {"007", 7}};
    for (auto [Text, Expected] : Cases) {
        uint32_t v = 0;
        EXPECT_TRUE(HexToInt(Text, v)) << Text;
        EXPECT_EQ(v, Expected) << Text;
    }
    uint32_t v = 0;
    for (const char* Bad : {"", "0x", "G", "1 2", "-1", "123456789"}) EXPECT_FALSE(HexToInt(Bad, v)) << Bad;
}

TEST_F(InputDialogsTest, GetIntegerStaysOpenUntilTheEntryIsValid) {
    // Empty (silent), not a number, above the maximum, then a valid entry.
    Prompter.Type({"  ", "zz", "3F", "0xA"});
    uint32_t Value = 5;
    ASSERT_TRUE(GetInteger(Prompter, "Page", Value, 0xF, 0));
    EXPECT_EQ(Value, 10u);
    ASSERT_EQ(Prompter.Dialogs.size(), 1u);
    EXPECT_EQ(Prompter.Dialogs[0].Title, "Enter hexadecimal value (0-F)");
    EXPECT_EQ(Prompter.Dialogs[0].Fields[0].Label, "Page:");
    EXPECT_EQ(Prompter.Dialogs[0].Fields[0].Text, "5");
    auto Errors = Prompter.Texts(TMessageKind::Error);
    ASSERT_EQ(Errors.size(), 2u);
    EXPECT_EQ(Errors[0], NumberConversionError("zz"));
    EXPECT_EQ(Errors[1], "Out of range.");
}

TEST_F(InputDialogsTest, CancelLeavesTheValueUnchanged) {
    Prompter.Inputs.push_back({std::vector<std::string>{"FF"}, std::nullopt}); // refused, then Cancel
    uint32_t Value = 3;
    EXPECT_FALSE(GetInteger(Prompter, "Acc", Value, 0xF, 0));
    EXPECT_EQ(Value, 3u);
}

TEST_F(InputDialogsTest, BankPageStepDialogMessages) {
    Options().UseBankPageStepAddressNotation = true;
    Prompter.Type({"4A", "2:0:00", ":5", "1:2:", "1:D:00", "1:C:3F"});
    T11bits Addr = 0x3C0;
    ASSERT_TRUE(GetBankPageStepAddr(Prompter, "Go to address", Addr, LastROMAddress));
    EXPECT_EQ(Addr, 0x73F);
    EXPECT_EQ(Prompter.Dialogs[0].Title, "Enter address in Bank:Page:Step notation");
    EXPECT_EQ(Prompter.Dialogs[0].Fields[0].Text, AddrToStr(0x3C0));
    const std::vector<std::string> Expected = {
        "Value not in Bank:Page:Step address notation.", "Value not in Bank:Page:Step address notation.",
        "Value not in Bank:Page:Step address notation.", "Value not in Bank:Page:Step address notation.",
        "Out of range."};
    EXPECT_EQ(Prompter.Texts(TMessageKind::Error), Expected);
}

TEST_F(InputDialogsTest, GetAddressWithLFSRAddressingTalksInStepCodes) {
    Options().UseLFSRAddressing = true;
    // Step index 1 is step code 0x20: the dialog proposes 3E0 for 3C1.
    Prompter.Type({"3E0"});
    T11bits Addr = 0x3C1;
    ASSERT_TRUE(GetAddress(Prompter, "Go to address", Addr, LastROMAddress));
    EXPECT_EQ(Prompter.Dialogs[0].Fields[0].Text, "3E0");
    EXPECT_EQ(Addr, 0x3C1);
    // Typing step code 01 means step index 62.
    Prompter.Type({"401"});
    ASSERT_TRUE(GetAddress(Prompter, "Go to address", Addr, LastROMAddress));
    EXPECT_EQ(Addr, 0x400 + 62);

    // Bank:Page:Step notation shows step codes too, and reads them back the same way.
    Options().UseBankPageStepAddressNotation = true;
    Addr = 0x3C1;
    Prompter.Type({"0:F:20"});
    ASSERT_TRUE(GetAddress(Prompter, "Go to address", Addr, LastROMAddress));
    EXPECT_EQ(Prompter.Dialogs.back().Fields[0].Text, "0:F:20");
    EXPECT_EQ(Addr, 0x3C1);
    Prompter.Type({"1:0:01"});
    ASSERT_TRUE(GetAddress(Prompter, "Go to address", Addr, LastROMAddress));
    EXPECT_EQ(Addr, 0x400 + 62);
}

TEST_F(InputDialogsTest, AddressDescriptionDialog) {
    Prompter.Inputs.push_back({std::vector<std::string>{"main", "starts here"}});
    std::string Label = "old", Comment;
    ASSERT_TRUE(GetAddressDescription(Prompter, 0x3C0, Label, Comment));
    EXPECT_EQ(Prompter.Dialogs[0].Title, "Enter your description of address " + AddrToStr(0x3C0));
    EXPECT_EQ(Prompter.Dialogs[0].Fields[0].Label, "Label:");
    EXPECT_EQ(Prompter.Dialogs[0].Fields[0].Text, "old");
    EXPECT_EQ(Prompter.Dialogs[0].Fields[1].Label, "Comment:");
    EXPECT_EQ(Label, "main");
    EXPECT_EQ(Comment, "starts here");
}

} // namespace
} // namespace tarvolin
