// Where a game's ROM comes from besides a plain file: a zip archive chosen in the open dialog,
// and in testing mode a download from the configured ROM archive server on 127.0.0.1.
#include "base/program_folder.h"
#include "debugger_fixture.h"
#include "net/local_http_server.h"

namespace tarvolin::test {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& Path) {
    std::ifstream f(Path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

TEST_F(GameLoadingTest, AZipArchiveGivesTheGamesFileElseItsFirst) {
    const std::string Zip = Dir.Write("set.ZIP", MakeZip({{"readme.txt", "hello"}, {"TG-01", ROM}}));
    Prompter.Files.push_back(Zip);
    ASSERT_TRUE(Debugger.Loading().LoadGameFromMenu(&TestGameClass));
    EXPECT_EQ(Prompter.Messages.size(), 1u); // only the supply warning: the size is right
    EXPECT_EQ(MCU().ROM[0x3C0], 0x25);
    EXPECT_EQ(Settings.ROMFile("TG01"), Zip);

    // The remembered archive is read again without a dialog; without the game's file in it,
    // its first file is taken, and an odd size is questioned as for a plain file.
    Dir.Write("set.ZIP", MakeZip({{"other.bin", MakeROM(TestProgram(), 2048)}}));
    ASSERT_TRUE(Debugger.Loading().CanCloseGame());
    Prompter.Messages.clear();
    ASSERT_TRUE(Debugger.Loading().LoadGameFromMenu(&TestGameClass));
    EXPECT_EQ(Prompter.FileDialogs.size(), 1u);
    ASSERT_EQ(Prompter.Messages.size(), 1u);
    EXPECT_EQ(Prompter.Messages[0].Text.rfind("Unexpected data size: 2048 bytes", 0), 0u);
    EXPECT_EQ(MCU().ROM[0x3C0], 0x25);

    // A broken archive is an error box, and nothing is loaded.
    ASSERT_TRUE(Debugger.Loading().CanCloseGame());
    const std::string Broken = Dir.Write("broken.zip", "PK\x03\x04 not really");
    Prompter.Messages.clear();
    EXPECT_FALSE(Debugger.Loading().LoadGame(&TSHARP_SM5A_MCU::Class, Broken));
    ASSERT_EQ(Prompter.Messages.size(), 1u);
    EXPECT_EQ(Prompter.Messages[0].Kind, TMessageKind::Error);
    EXPECT_EQ(Prompter.Messages[0].Text.rfind("Cannot read \"" + Broken + "\": The data is not a readable zip archive", 0),
              0u)
        << Prompter.Messages[0].Text;
    EXPECT_EQ(Debugger.MCU(), nullptr);
}

class ROMDownloadTest : public GameLoadingTest {
protected:
    void SetUp() override {
        GameLoadingTest::SetUp();
        fs::create_directories(Dir.Path / "program");
        SetProgramFolder(Dir.Path / "program");
        Debugger.Loading().SetTaskRunner(&Runner);
        Options().TestingMode = true;
        Options().ROMArchiveServer = Server.Base();
    }
    void TearDown() override {
        SetProgramFolder({});
        GameLoadingTest::TearDown();
    }
    const std::string Route = "/download.php?file=gnw_testg";
    const std::string Hint = "\n\nHint:\nSearch Google for \"gnw_testg\" and unpack \"tg-01\" from the archive.";
    TLocalHttpServer Server;
    TDirectTaskRunner Runner;
};

TEST_F(ROMDownloadTest, ADownloadedROMIsKeptAndRemembered) {
    Server.Route(Route, HttpAnswer(200, "OK", MakeZip({{"tg-01", ROM}}),
                                   "Content-Disposition: attachment; filename=\"gnw_testg.zip\"\r\n"));
    ASSERT_TRUE(Debugger.Loading().LoadGameFromMenu(&TestGameClass));
    EXPECT_TRUE(Prompter.Messages.empty());
    EXPECT_TRUE(Prompter.FileDialogs.empty());
    EXPECT_EQ(Runner.StatusLog, std::vector<std::string>{"Downloading ROM..."});
    const fs::path Kept = Dir.Path / "program" / "TG01.rom";
    EXPECT_EQ(ReadAll(Kept), ROM);
    EXPECT_EQ(Settings.ROMFile("TG01"), Kept.string());
    EXPECT_EQ(Store.Read("ROMs", "TG01"), Kept.string());
    EXPECT_EQ(MCU().ROM[0x3C0], 0x25);
    EXPECT_NE(Server.Requests().at(0).find("GET " + Route + " HTTP/1.1"), std::string::npos);
}

TEST_F(ROMDownloadTest, AFailedDownloadIsReportedAndTheOpenDialogFollows) {
    Server.Route("/download.php?file=gnw_testg",
                 HttpAnswer(200, "OK", ROM, "Content-Disposition: attachment; filename=\"tg.rom\"\r\n"));
    const std::string Saved = (Dir.Path / "program" / "tg.rom").string();
    struct Case {
        const char* Name;
        std::function<void()> Arrange;
        std::string Error; // "" = no error box
    } Cases[] = {
        {"not a zip archive", [] {},
         "Error downloading ROM from the internet:\nUnsupported archive type.\n\nUnpack 'tg-01' from '" + Saved +
             "' manually." + Hint},
        {"missing on the server", [&] { Options().ROMArchiveServer = Server.Base() + "elsewhere/"; },
         "Error downloading ROM from the internet:\nHTTP status code: 404 ('Not Found')" + Hint},
        {"no server configured", [] { Options().ROMArchiveServer = ""; },
         "Error downloading ROM from the internet:\nNo ROM archive server is configured (the setting "
         "ROMArchiveServer is empty)." + Hint},
        {"cancelled", [&] {
             Options().ROMArchiveServer = Server.Base();
             Runner.CancelAfterStatus = "Downloading ROM...";
         }, ""},
    };
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.Name);
        c.Arrange();
        Prompter.Messages.clear();
        Prompter.FileDialogs.clear();
        Prompter.Files.push_back(std::nullopt);
        const size_t Requests = Server.Requests().size();
        EXPECT_FALSE(Debugger.Loading().LoadGameFromMenu(&TestGameClass));
        if (c.Error.empty()) {
            EXPECT_TRUE(Prompter.Messages.empty());
        } else {
            ASSERT_EQ(Prompter.Messages.size(), 1u);
            EXPECT_EQ(Prompter.Messages[0].Kind, TMessageKind::Error);
            EXPECT_EQ(Prompter.Messages[0].Text, c.Error);
        }
        EXPECT_EQ(Prompter.FileDialogs.size(), 1u);
        // Nothing is requested without a server; a cancel may come before the request.
        if (!c.Error.empty()) {
            EXPECT_EQ(Server.Requests().size(), Requests + (Options().ROMArchiveServer.empty() ? 0 : 1));
        }
        EXPECT_TRUE(Settings.ROMs().empty());
    }
    EXPECT_EQ(ReadAll(Saved), ROM);
}

TEST_F(ROMDownloadTest, OutsideTestingModeNothingIsRequested) {
    Options().TestingMode = false;
    Prompter.Answers.push_back(TMessageResult::Cancel);
    EXPECT_FALSE(Debugger.Loading().LoadGameFromMenu(&TestGameClass));
    EXPECT_EQ(Prompter.Messages.at(0).Text, SupplyText);
    EXPECT_TRUE(Server.Requests().empty());
    EXPECT_TRUE(Runner.Titles.empty());
}

} // namespace
} // namespace tarvolin::test
