#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <unistd.h>

#include "persist/settings.h"
#include "base/options.h"

namespace tarvolin {
namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Saved = Options();
        Options() = TOptions{};
        Dir = std::filesystem::temp_directory_path() / ("tarvolin_settings_" + std::to_string(::getpid()));
        std::filesystem::create_directories(Dir);
    }
    void TearDown() override {
        Options() = Saved;
        std::error_code ec;
        std::filesystem::remove_all(Dir, ec);
    }
    std::string MakeFile(const std::string& Name) {
        auto p = Dir / Name;
        std::ofstream(p) << "x";
        return p.string();
    }
    std::optional<std::string> Top(const std::string& Name) const { return Store.Read("", Name); }

    TOptions Saved;
    std::filesystem::path Dir;
    TMemorySettingsStore Store;
};

TEST_F(SettingsTest, LoadReadsStoredOptionsAndKeepsDefaultsForMissingOnes) {
    Store.Write("", "UseBankPageStepAddressNotation", "1");
    Store.Write("", "AppendDisAsmComments", "0");
    Store.Write("", "InstructionMnemonics", "2");
    Store.Write("", "HighContrast", "1");
    Store.Write("", "UseMAMEKeyMapping", "not a number"); // unreadable: default kept
    TSettings s(Store);
    s.LoadSettings();
    EXPECT_TRUE(Options().UseBankPageStepAddressNotation);
    EXPECT_FALSE(Options().UseLFSRAddressing);
    EXPECT_FALSE(Options().AppendDisAsmComments);
    EXPECT_EQ(Options().InstructionMnemonics, 2);
    EXPECT_TRUE(Options().HighContrast);
    EXPECT_FALSE(Options().UseMAMEKeyMapping);
    EXPECT_FALSE(Options().DerivatedSoundWave);
}

TEST_F(SettingsTest, InstructionMnemonicsAboveTwoReadsAsNative) {
    // The low 8 bits count: 258 is 2, 5 and 255 (from -1) fall back to 0.
    const std::pair<const char*, int> Cases[] = {{"5", 0}, {"3", 0}, {"258", 2}, {"-1", 0}, {"1", 1}};
    for (auto [Stored, Expected] : Cases) {
        Options().InstructionMnemonics = 1;
        Store.Write("", "InstructionMnemonics", Stored);
        TSettings s(Store);
        s.LoadSettings();
        EXPECT_EQ(Options().InstructionMnemonics, Expected) << Stored;
    }
}

TEST_F(SettingsTest, ObsoleteValueIsDeletedAndHighContrastNeverWritten) {
    Store.Write("", "UseSM500Mnemonics", "1");
    Store.Write("", "HighContrast", "1");
    TSettings s(Store);
    s.LoadSettings();
    EXPECT_FALSE(Top("UseSM500Mnemonics"));

    Store.Remove("", "HighContrast");
    Options().HighContrast = true;
    Options().UseLFSRAddressing = true;
    Options().InstructionMnemonics = 1;
    ASSERT_TRUE(s.SaveSettings());
    EXPECT_FALSE(Top("HighContrast"));
    EXPECT_EQ(Top("UseLFSRAddressing"), "1");
    EXPECT_EQ(Top("UseBankPageStepAddressNotation"), "0");
    EXPECT_EQ(Top("InstructionMnemonics"), "1");
}

TEST_F(SettingsTest, StaleROMEntriesAreDroppedAndTheStoreRewritten) {
    const std::string Kept = MakeFile("kept.rom");
    Store.Write("ROMs", "AC01", Kept);
    Store.Write("ROMs", "MH06", (Dir / "moved-away.rom").string());
    Store.Write("ROMs", "FL02", "");
    TSettings s(Store);
    s.LoadSettings();
    ASSERT_EQ(s.ROMs().size(), 1u);
    EXPECT_EQ(s.ROMFile("AC01"), Kept);
    EXPECT_EQ(s.ROMFile("MH06"), "");
    // The store no longer holds the dropped entries.
    EXPECT_EQ(Store.Names("ROMs"), std::vector<std::string>{"AC01"});
    // Options were written back with the rewrite.
    EXPECT_TRUE(Top("AppendDisAsmComments"));
}

// The recent list keeps the eight newest entries, newest first, also through a restart; a
// file opened again moves to the front.
TEST_F(SettingsTest, RecentROMsKeepTheEightNewest) {
    TSettings s(Store);
    for (int i = 1; i <= 10; ++i) ASSERT_TRUE(s.AddRecentROM("G" + std::to_string(i), MakeFile(std::to_string(i))));
    ASSERT_TRUE(s.AddRecentROM("G5", MakeFile("5")));
    TSettings again(Store);
    again.LoadSettings();
    std::string Order;
    for (const TRecentROM& r : again.RecentROMs()) Order += r.Game + " ";
    EXPECT_EQ(Order, "G5 G10 G9 G8 G7 G6 G4 G3 ");
}

TEST_F(SettingsTest, EnteringAROMFileReplacesTheGamesEntryAndSaves) {
    TSettings s(Store);
    s.LoadSettings();
    const std::string First = MakeFile("a.rom");
    const std::string Second = MakeFile("b.rom");
    s.SetROMFile("MH06", First);
    s.SetROMFile("AC01", First);
    s.SetROMFile("MH06", Second);
    EXPECT_EQ(s.ROMs().size(), 2u);
    EXPECT_EQ(Store.Read("ROMs", "MH06"), Second);
    EXPECT_EQ(Store.Read("ROMs", "AC01"), First);

    TSettings Reloaded(Store);
    Reloaded.LoadSettings();
    EXPECT_EQ(Reloaded.ROMFile("MH06"), Second);
}

} // namespace
} // namespace tarvolin

namespace tarvolin {
namespace {

TEST(NetworkSettings, ServersAndCertificateChoiceSurviveASaveAndLoad) {
    const TOptions Saved = Options();
    TMemorySettingsStore Store;
    TSettings Settings(Store);
    Options() = TOptions{};
    Options().ROMArchiveServer = "https://roms.example/";
    Options().UpdateServer = "https://updates.example/";
    Options().ContactAddress = "authors@example.org";
    Options().IgnoreCertificateErrors = true;
    Options().TestingMode = true; // never stored
    ASSERT_TRUE(Settings.SaveSettings());
    Options() = TOptions{};
    Settings.LoadSettings();
    EXPECT_EQ(Options().ROMArchiveServer, "https://roms.example/");
    EXPECT_EQ(Options().UpdateServer, "https://updates.example/");
    EXPECT_EQ(Options().ContactAddress, "authors@example.org");
    EXPECT_TRUE(Options().IgnoreCertificateErrors);
    EXPECT_FALSE(Options().TestingMode);
    Options() = Saved;
}

} // namespace
} // namespace tarvolin
