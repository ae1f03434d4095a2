// User data: entries, changed ranges, the user-data block and the ".dat" file.
#include <fstream>
#include <functional>
#include <sstream>

#include "core/mcu_test_support.h"
#include "persist/stream.h"
#include "persist/user_data.h"

namespace tarvolin::test {
namespace {

class UserDataTest : public ::testing::Test {
protected:
    TCoreEnvironment Env;
    TROM Original = [] {
        TROM r{};
        for (int i = 0; i < ROMSize; ++i)
            r[i] = uint8_t(i * 7);
        return r;
    }();

    std::string Message(const std::function<void()>& f) {
        try {
            f();
        } catch (const std::exception& e) {
            return e.what();
        }
        return "";
    }
    void WriteDat(const std::string& name, const std::string& bytes) {
        std::ofstream(Env.Folder / name, std::ios::binary) << bytes;
    }
};

TEST_F(UserDataTest, EntriesAreKeptInAddressOrderWithoutEmptyOnes) {
    TUserData data("AC01", Original);
    data.SetAddressLabelAndComment(0x3A, "three-a", "");
    data.SetAddressLabelAndComment(0x100, "", "a comment");
    data.SetAddressLabelAndComment(0x9, "nine", "c");
    std::vector<std::string> keys;
    for (const auto& [addr, entry] : data.AddressesCustomData())
        keys.push_back(entry.Key());
    EXPECT_EQ(keys, (std::vector<std::string>{"009", "03A", "100"}));

    data.SetAddressLabelAndComment(0x9, "", "");
    EXPECT_EQ(data.FindAddressCustomData(0x9), nullptr);
    data.SetAddressLabelAndComment(0x55, "", "");
    EXPECT_EQ(data.AddressesCustomData().size(), 2u) << "no entry made for empty texts";
    data.SetAddressLabelAndComment(0x3A, "new", "text");
    EXPECT_EQ(data.GetAddressLabel(0x3A), "new");
    EXPECT_EQ(data.GetAddressComment(0x3A), "text");
    EXPECT_EQ(data.GetAddressLabel(0x3B), "");

    EXPECT_EQ(Message([&] { data.AddAddressCustomData(0x100, "dup", ""); }), DuplicateEntryErrorText);
    EXPECT_EQ(data.GetAddressComment(0x100), "a comment");
}

TEST_F(UserDataTest, ChangedRangesAreMaximalRuns) {
    TUserData data("AC01", Original);
    TROM live = Original;
    EXPECT_TRUE(data.GetChangedRanges(live).empty());
    EXPECT_FALSE(data.IsAnythingToSave(live));
    live[0] ^= 1;
    live[5] ^= 1;
    live[6] ^= 1;
    live[7] ^= 1;
    live[9] ^= 1;
    live[1855] ^= 1;
    EXPECT_EQ(data.GetChangedRanges(live), (std::vector<TROMRange>{{0, 1}, {5, 3}, {9, 1}, {1855, 1}}));
    EXPECT_TRUE(data.IsAnythingToSave(live));
    live = Original;
    data.SetAddressLabelAndComment(5, "x", "");
    EXPECT_TRUE(data.IsAnythingToSave(live));
}

TEST_F(UserDataTest, BlockRoundTripsPatchesAndEntries) {
    TUserData data("AC01", Original);
    TROM live = Original;
    live[10] = 0x5E;
    live[11] = 0x00;
    live[1855] = 0x6E;
    data.SetAddressLabelAndComment(0x3C0, "reset", "\xD0\xA1\xD1\x82\xD0\xB0\xD1\x80\xD1\x82");
    data.SetAddressLabelAndComment(0x73F, "", "end");
    std::ostringstream out;
    data.SaveToStream(out, live);

    // Exact layout of the start of the block: version, two ranges.
    const std::string b = out.str();
    std::istringstream in(b);
    EXPECT_EQ(ReadInt32(in), 1);
    EXPECT_EQ(ReadInt32(in), 2);
    EXPECT_EQ(ReadWord(in), 10);
    EXPECT_EQ(ReadWord(in), 2);

    TUserData loaded("AC01", Original);
    TROM target = Original;
    std::istringstream in2(b);
    loaded.LoadFromStream(in2, target);
    EXPECT_EQ(target, live);
    EXPECT_EQ(loaded.GetAddressComment(0x3C0), data.GetAddressComment(0x3C0));
    EXPECT_EQ(loaded.GetAddressComment(0x73F), "end");
    EXPECT_EQ(in2.peek(), EOF) << "the whole block was read";
}

TEST_F(UserDataTest, OldOrNegativeVersionsAreSkipped) {
    for (int32_t version : {0, -5}) {
        std::ostringstream out;
        WriteInt32(out, version);
        WriteInt32(out, 1); // would be a range count
        TUserData data("AC01", Original);
        TROM live = Original;
        std::istringstream in(out.str());
        data.LoadFromStream(in, live);
        EXPECT_EQ(live, Original);
        EXPECT_EQ(ReadInt32(in), 1) << "only the version was read";
    }
}

TEST_F(UserDataTest, RangesPastTheImageAreRefusedWithoutWriting) {
    for (auto [start, length] : {std::pair<int, int>{1850, 7}, {0xFFFF, 1}, {0, 0xFFFF}}) {
        std::ostringstream out;
        WriteInt32(out, 1);
        WriteInt32(out, 1);
        WriteWord(out, uint16_t(start));
        WriteWord(out, uint16_t(length));
        out << std::string(std::min(length, 2000), '\x33');
        WriteInt32(out, 0);
        TUserData data("AC01", Original);
        TROM live = Original;
        std::istringstream in(out.str());
        EXPECT_EQ(Message([&] { data.LoadFromStream(in, live); }),
                  "Stream error! Contains more data than expected.");
        EXPECT_EQ(live, Original) << start << "+" << length;
    }
    // A range that ends exactly at the end of the image is fine.
    std::ostringstream ok;
    WriteInt32(ok, 1);
    WriteInt32(ok, 1);
    WriteWord(ok, 1850);
    WriteWord(ok, 6);
    ok << std::string(6, '\x44');
    WriteInt32(ok, 0);
    TUserData data("AC01", Original);
    TROM live = Original;
    std::istringstream in(ok.str());
    data.LoadFromStream(in, live);
    EXPECT_EQ(live[1855], 0x44);
}

TEST_F(UserDataTest, ShortBlocksApplyNothing) {
    std::ostringstream out;
    WriteInt32(out, 1);
    WriteInt32(out, 2);
    WriteWord(out, 4);
    WriteWord(out, 1);
    WriteByte(out, 0xAB);
    WriteWord(out, 20);
    WriteWord(out, 4);
    WriteByte(out, 0xCD); // three bytes missing
    TUserData data("AC01", Original);
    TROM live = Original;
    std::istringstream in(out.str());
    EXPECT_EQ(Message([&] { data.LoadFromStream(in, live); }), "Stream read error");
    EXPECT_EQ(live, Original) << "the whole range before the damaged one stays unapplied too";
}

TEST_F(UserDataTest, EntryAddressesAreMaskedToElevenBits) {
    std::ostringstream out;
    WriteWord(out, 0xF8A3);
    WriteString(out, "l");
    WriteString(out, "c");
    std::istringstream in(out.str());
    EXPECT_EQ(TAddressCustomData::CreateFromStream(in).FAddr, 0x0A3);
}

TEST_F(UserDataTest, DatFileIsReadRetiredAndDeleted) {
    TUserData writer("AC01", Original);
    TROM patched = Original;
    patched[3] = 0xEE;
    writer.SetAddressLabelAndComment(3, "patched", "");
    std::ostringstream block;
    writer.SaveToStream(block, patched);
    WriteDat("AC01.dat", block.str());

    TUserData data("AC01", Original);
    EXPECT_EQ(data.GetFileName(), Env.Folder / "AC01.dat");
    TROM live = Original;
    EXPECT_TRUE(data.LoadFromFile(live));
    EXPECT_TRUE(data.RenameDatFileOnSave());
    EXPECT_EQ(live[3], 0xEE);
    EXPECT_EQ(data.GetAddressLabel(3), "patched");

    // Writing the block retires nothing; the session file written completely retires the file.
    std::ostringstream session;
    data.SaveToStream(session, live);
    EXPECT_TRUE(std::filesystem::exists(Env.Folder / "AC01.dat")) << "the session file is not written yet";
    data.SavedToSession();
    EXPECT_FALSE(std::filesystem::exists(Env.Folder / "AC01.dat"));
    EXPECT_TRUE(std::filesystem::exists(Env.Folder / "AC01.dat.inactive"));
    EXPECT_FALSE(data.LoadFromFile(live)) << "nothing left to read";

    // An existing retired file is not replaced by a later rename.
    WriteDat("AC01.dat", "x");
    data.RenameDatFile();
    EXPECT_TRUE(std::filesystem::exists(Env.Folder / "AC01.dat"));

    // With nothing to save the retired file goes.
    data.DeleteDatFile();
    EXPECT_FALSE(std::filesystem::exists(Env.Folder / "AC01.dat.inactive"));
    EXPECT_TRUE(std::filesystem::exists(Env.Folder / "AC01.dat"));

    // A game that read no ".dat" file never deletes one: a file that turns up while the game
    // is open (copied in by the user, or read by another game object) is the user's data.
    TUserData fresh("AC01", Original);
    fresh.DeleteDatFile();
    EXPECT_TRUE(std::filesystem::exists(Env.Folder / "AC01.dat"));
    std::filesystem::remove(Env.Folder / "AC01.dat");
    EXPECT_NO_THROW(fresh.DeleteDatFile()) << "no file: silently nothing";
    EXPECT_NO_THROW(data.DeleteDatFile()) << "the retired file is already gone";
}

TEST_F(UserDataTest, ClosingAGameKeepsADatFileThatAppearedWhileItWasOpen) {
    {
        auto mcu = NewMCU();
        WriteDat("custom_game.dat", "a file the user just copied in");
    }
    EXPECT_TRUE(std::filesystem::exists(Env.Folder / "custom_game.dat"));
}

TEST_F(UserDataTest, MCULoadsTheDatFileOfItsGame) {
    // The custom game's file patches step 0 of the reset page and labels it; its ranges are
    // relative to the image as loaded (here: no ROM stream, so zeros and the page-end jumps).
    TROM asLoaded{};
    for (int p = 0; p < 29; ++p)
        asLoaded[p * 64 + 63] = 0x80;
    TROM patched = asLoaded;
    patched[0x3C0] = 0x25;
    TUserData writer("custom_game", asLoaded);
    writer.SetAddressLabelAndComment(0x3C0, "entry", "");
    std::ostringstream block;
    writer.SaveToStream(block, patched);
    WriteDat("custom_game.dat", block.str());

    {
        auto mcu = NewMCU();
        EXPECT_TRUE(Env.Reporter.Errors.empty());
        EXPECT_EQ(mcu->ROM[0x3C0], 0x25);
        EXPECT_NE(mcu->UserData->OriginalROMImage()[0x3C0], 0x25) << "the original is the image as read";
        EXPECT_TRUE(mcu->IsOpcodeChanged(0x3C0));
        EXPECT_EQ(mcu->GetAddressLabel(0x3C0), "entry");
        uint8_t op, operand;
        mcu->PerformOneCycle(op, operand);
        EXPECT_EQ(mcu->Acc, 5);
    }
    EXPECT_TRUE(std::filesystem::exists(Env.Folder / "custom_game.dat")) << "kept while it holds data";

    // Reverting everything lets the game's close delete the (retired) file.
    {
        auto mcu = NewMCU();
        mcu->ROM[0x3C0] = mcu->UserData->OriginalROMImage()[0x3C0];
        mcu->SetAddressLabel(0x3C0, "");
        std::ostringstream session;
        mcu->UserData->SaveToStream(session, mcu->ROM);
        mcu->UserData->SavedToSession();
        EXPECT_TRUE(std::filesystem::exists(Env.Folder / "custom_game.dat.inactive"));
    }
    EXPECT_FALSE(std::filesystem::exists(Env.Folder / "custom_game.dat.inactive"));
}

TEST_F(UserDataTest, NamedFilesThatAreNoDataAreRefusedByName) {
    std::filesystem::create_directory(Env.Folder / "folder.dat");
    WriteDat("short.dat", std::string("\x01\x00\x00\x00\x05", 5));
    const struct {
        std::string Name, Reason;
    } cases[] = {{"missing.dat", "no such file or directory"},
                 {"folder.dat", "it is a folder"},
                 {"short.dat", "Stream read error"}};
    for (const auto& c : cases) {
        const std::string path = (Env.Folder / c.Name).string();
        EXPECT_EQ(Message([&] { ReadUserDataFile(path); }),
                  "The user data file \"" + path + "\" was not loaded: " + c.Reason);
    }
}

TEST_F(UserDataTest, GamesReadNoDatFileWhileSwitchedOff) {
    WriteDat("custom_game.dat", "not even a block");
    TUserData::SetReadGameDatFiles(false);
    auto mcu = NewMCU();
    TUserData::SetReadGameDatFiles(true);
    EXPECT_TRUE(Env.Reporter.Errors.empty());
}

TEST_F(UserDataTest, ABrokenDatFileIsReportedAndKept) {
    std::ostringstream out;
    WriteInt32(out, 1);
    WriteInt32(out, 1);
    WriteWord(out, 0x3C0);
    WriteWord(out, 1);
    WriteByte(out, 0x27);
    WriteInt32(out, 3); // three entries promised, one present
    TAddressCustomData(0x10, "x", "").SaveToStream(out);
    WriteDat("test_game.dat", out.str());
    {
        auto game = NewMCU<TTestGame>();
        const std::string name = (Env.Folder / "test_game.dat").string();
        EXPECT_EQ(Env.Reporter.Errors,
                  (std::vector<std::string>{"The user data file \"" + name + "\" was not loaded: Stream read error"}));
        EXPECT_NE(game->ROM[0x3C0], 0x27) << "nothing of a damaged file is applied";
        EXPECT_EQ(game->GetAddressLabel(0x10), "");
        EXPECT_EQ(game->PC, 0x3C0);
    }
    EXPECT_TRUE(std::filesystem::exists(Env.Folder / "test_game.dat"))
        << "a file that failed to load is not deleted";
}

} // namespace
} // namespace tarvolin::test

namespace tarvolin::test {
namespace {

// Arbitrary bytes either load or end in a stream error; nothing outside the image changes
// and no other failure escapes.
TEST(UserDataRobustnessTest, ArbitraryBlocksNeverEscapeTheImage) {
    TCoreEnvironment env;
    uint32_t seed = 12345;
    auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
    for (int round = 0; round < 3000; ++round) {
        std::ostringstream out;
        // A plausible header most of the time, so the reader gets past the version and counts.
        WriteInt32(out, next() % 4 == 0 ? int32_t(next()) : 1);
        WriteInt32(out, int32_t(next() % 5));
        const int extra = int(next() % 64);
        for (int i = 0; i < extra; ++i) out.put(char(next() >> 24));
        struct {
            uint8_t Before[16];
            TROM Image;
            uint8_t After[16];
        } guarded{};
        std::fill(std::begin(guarded.Before), std::end(guarded.Before), 0xA5);
        std::fill(std::begin(guarded.After), std::end(guarded.After), 0x5A);
        TUserData data("custom_game", guarded.Image);
        std::istringstream in(out.str());
        const TROM before = guarded.Image;
        try {
            data.LoadFromStream(in, guarded.Image);
        } catch (const EStreamError&) {
            ASSERT_EQ(guarded.Image, before) << "a damaged block applies nothing";
            ASSERT_TRUE(data.AddressesCustomData().empty());
        }
        for (uint8_t b : guarded.Before) ASSERT_EQ(b, 0xA5);
        for (uint8_t b : guarded.After) ASSERT_EQ(b, 0x5A);
        for (const auto& [addr, entry] : data.AddressesCustomData()) ASSERT_LE(addr, 0x7FF);
    }
}

} // namespace
} // namespace tarvolin::test
