// The zip reader, the header rules and the ROM download against a server on 127.0.0.1.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

#include "net/local_http_server.h"
#include "net/http_client.h"
#include "net/rom_download.h"
#include "persist/zip_archive.h"

namespace tarvolin {
namespace {

using test::HttpAnswer;
using test::MakeZip;
using test::TestROM;
namespace fs = std::filesystem;

std::string ReadFile(const fs::path& Path) {
    std::ifstream f(Path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

TEST(ZipArchive, TakesTheNamedOrFirstFileAndRefusesWhatIsNoROMSet) {
    const std::string ROM = TestROM();
    const std::string Set = MakeZip({{"readme/", ""}, {"other.bin", "xyz"}, {"sets/MH-06", ROM}});
    const std::string Bomb = MakeZip({{"mh-06", std::string(10u << 20, '\0')}});
    struct Case {
        const char* Name;
        std::string Archive;
        std::string Entry;
        TZipEntryChoice Choice;
        std::string Expected; // the bytes, or the start of the error text when Error
        bool Error;
    } Cases[] = {
        {"named, other case, in a folder", Set, "mh-06", TZipEntryChoice::NamedOnly, ROM, false},
        {"no name: first file, folders skipped", Set, "", TZipEntryChoice::NamedOnly, "xyz", false},
        {"named but missing", Set, "mh-07", TZipEntryChoice::NamedOnly, "The zip archive has no file named \"mh-07\".", true},
        {"named but missing, else first", Set, "mh-07", TZipEntryChoice::NamedElseFirst, "xyz", false},
        {"archive bomb", Bomb, "mh-06", TZipEntryChoice::NamedOnly, "The file \"mh-06\" in the zip archive is larger than 65536 bytes", true},
        {"not an archive", ROM, "", TZipEntryChoice::NamedOnly, "The data is not a readable zip archive", true},
        {"truncated archive", Set.substr(0, Set.size() / 2), "", TZipEntryChoice::NamedOnly, "The data is not a readable zip archive", true},
        {"nothing", "", "", TZipEntryChoice::NamedOnly, "The zip archive holds no file.", true},
    };
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.Name);
        try {
            const std::string Data = ReadZipEntry(c.Archive, c.Entry, c.Choice);
            EXPECT_FALSE(c.Error);
            EXPECT_EQ(Data, c.Expected);
        } catch (const EZipError& e) {
            EXPECT_TRUE(c.Error) << e.what();
            EXPECT_EQ(std::string(e.what()).rfind(c.Expected, 0), 0u) << e.what();
        }
    }
    EXPECT_LT(Bomb.size(), 100000u); // the bomb is small until it is inflated
}

TEST(DownloadHeaders, FileNamesFromServersStayPlainNames) {
    EXPECT_EQ(ContentDispositionFileName("HTTP/1.1 200 OK\r\nContent-Type: x\r\n"
                                         "Content-Disposition: attachment; filename=\"gnw_mh.zip\"\r\n"),
              "gnw_mh.zip");
    EXPECT_EQ(ContentDispositionFileName("content-disposition: attachment; FILENAME=\"a.rom\r\n"), "a.rom");
    EXPECT_EQ(ContentDispositionFileName("X-Content-Disposition: attachment; filename=\"no.zip\"\r\n"), "");
    EXPECT_EQ(ContentDispositionFileName("Content-Disposition: attachment; filename=bare.zip\r\n"), "");

    const std::pair<std::string, std::string> Names[] = {
        {"game.rom", "game.rom"},          {"../../evil.rom", "evil.rom"},   {"/etc/passwd", "passwd"},
        {"C:\\Windows\\x.rom", "x.rom"},  {"C:x.rom", "x.rom"},             {"..", ""},
        {"...hidden.zip", "hidden.zip"},  {"a\x01\x1b[31mb\x7f.rom", "a[31mb.rom"}, {"name. . ", "name"},
        {"dir/", ""},
    };
    for (const auto& [In, Out] : Names) EXPECT_EQ(PlainFileName(In), Out) << In;
    EXPECT_LE(PlainFileName(std::string(300, 'a') + ".zip").size(), 200u);
    EXPECT_EQ(PlainFileName(std::string(300, 'a') + ".zip").substr(196), ".zip");
    // Cutting a long name of broken UTF-8 never leaves a hidden file.
    const std::string Cut = PlainFileName("." + std::string(300, '\xB6') + ".zip");
    EXPECT_EQ(Cut.front(), '\xB6');
    EXPECT_LE(Cut.size(), 200u);

    EXPECT_EQ(LastURLPathSegment("http://h/a/download.php?file=x/y.zip"), "download.php");
    EXPECT_EQ(LastURLPathSegment("https://h/roms/mh.zip#top"), "mh.zip");
    EXPECT_EQ(LastURLPathSegment("https://h/roms/"), "");
    EXPECT_EQ(LastURLPathSegment("https://h"), "");
}

class TRecordingProgress : public TTaskProgress {
public:
    std::vector<std::string> Statuses;
    void Status(const std::string& Text) override { Statuses.push_back(Text); }
    void Progress(uint64_t, uint64_t) override {}
    bool Cancelled() const override { return false; }
};

class DownloadROMTest : public ::testing::Test {
protected:
    void SetUp() override {
        Folder = fs::temp_directory_path() / ("tarvolin_download_" + std::to_string(::getpid()));
        fs::remove_all(Folder);
        fs::create_directories(Folder / "inner");
        Download.SaveFolder = Folder / "inner";
        Download.FileNameInArchive = "mh-06";
        Download.Http.StallTimeoutSeconds = 1;
    }
    void TearDown() override { fs::remove_all(Folder); }
    bool Run(const std::string& Path) {
        Download.URL = Server.Base() + Path;
        return DownloadROM(Download, Progress, ErrorText, ROM);
    }

    test::TLocalHttpServer Server;
    fs::path Folder;
    TROMDownload Download;
    TRecordingProgress Progress;
    std::string ErrorText, ROM;
};

TEST_F(DownloadROMTest, ZipArchivesGiveTheNamedFile) {
    const std::string ROM1856 = TestROM();
    const std::string CD = "Content-Disposition: attachment; filename=\"gnw_manholeg.zip\"\r\n";
    Server.Route("/download.php?file=gnw_manholeg", HttpAnswer(200, "OK", MakeZip({{"mh-06", ROM1856}}), CD));
    Server.Route("/other.zip", HttpAnswer(200, "OK", MakeZip({{"mh-07", ROM1856}})));
    Server.Route("/short.zip", HttpAnswer(200, "OK", MakeZip({{"mh-06", TestROM(100)}})));

    EXPECT_TRUE(Run("download.php?file=gnw_manholeg"));
    EXPECT_EQ(ROM, ROM1856);
    EXPECT_EQ(Progress.Statuses, std::vector<std::string>{"Downloading ROM..."});
    // Without a Content-Disposition name the URL's last segment names the answer.
    EXPECT_FALSE(Run("other.zip"));
    EXPECT_EQ(ErrorText, "The zip archive has no file named \"mh-06\".");
    EXPECT_TRUE(ROM.empty());
    EXPECT_FALSE(Run("short.zip"));
    EXPECT_EQ(ErrorText, "The file in the archive holds 100 bytes; a ROM image has 1856.");
    // An empty file name in the archive means its first file.
    Download.FileNameInArchive = "";
    Server.Route("/", HttpAnswer(200, "OK", MakeZip({{"first", ROM1856}})));
    EXPECT_TRUE(Run(""));
    EXPECT_EQ(ROM, ROM1856);
}

TEST_F(DownloadROMTest, OtherFilesAreKeptInTheSaveFolderAndNeverOverwriteOrEscape) {
    const std::string Body = TestROM();
    Server.Route("/cd", HttpAnswer(200, "OK", Body, "Content-Disposition: attachment; filename=\"gnw_mh.rom\"\r\n"));
    Server.Route("/hostile", HttpAnswer(200, "OK", Body, "Content-Disposition: attachment; filename=\"../../evil.rom\"\r\n"));
    Server.Route("/nameless", HttpAnswer(200, "OK", Body));
    std::ofstream(Download.SaveFolder / "gnw_mh.rom") << "the user's own file";

    EXPECT_FALSE(Run("cd"));
    const fs::path Second = Download.SaveFolder / "gnw_mh (2).rom";
    EXPECT_EQ(ErrorText, "Unsupported archive type.\n\nUnpack 'mh-06' from '" + Second.string() + "' manually.");
    EXPECT_EQ(ReadFile(Second), Body);
    EXPECT_EQ(ReadFile(Download.SaveFolder / "gnw_mh.rom"), "the user's own file");
    EXPECT_EQ(Progress.Statuses, (std::vector<std::string>{"Downloading ROM...", "Saving ROM..."}));
    // The same answer again is found in place instead of being stored a third time.
    EXPECT_FALSE(Run("cd"));
    EXPECT_FALSE(fs::exists(Download.SaveFolder / "gnw_mh (3).rom"));

    EXPECT_FALSE(Run("hostile"));
    EXPECT_EQ(ReadFile(Download.SaveFolder / "evil.rom"), Body);
    EXPECT_FALSE(fs::exists(Folder / "evil.rom"));
    EXPECT_FALSE(fs::exists(Folder.parent_path() / "evil.rom"));

    EXPECT_FALSE(Run("nameless"));
    EXPECT_EQ(ReadFile(Download.SaveFolder / "nameless"), Body);
}

// Only a 200 answer hands its body on: an error page is no content.
TEST_F(DownloadROMTest, OnlyASuccessfulAnswerKeepsItsBody) {
    Server.Route("/page", HttpAnswer(200, "OK", "content"));
    Server.Route("/gone", HttpAnswer(404, "Not Found", "<html>error page</html>"));
    const std::tuple<const char*, int, const char*> Cases[] = {{"/page", 200, "content"}, {"/gone", 404, ""}};
    for (const auto& [Path, Status, Body] : Cases) {
        const THttpResponse R = HttpGet(Server.Base() + (Path + 1), Download.Http);
        EXPECT_EQ(R.StatusCode, Status) << Path;
        EXPECT_EQ(R.Body, Body) << Path;
    }
}

TEST_F(DownloadROMTest, FailuresSayWhatWentWrong) {
    Server.Route("/truncated.zip", HttpAnswer(200, "OK", std::string(100, 'x'), "", 900));
    Server.Route("/big.zip", HttpAnswer(200, "OK", std::string(5000, 'x')));
    Server.Route("/chunked.zip", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n"
                                 "1388\r\n" + std::string(5000, 'x') + "\r\n0\r\n\r\n");
    Server.Route("/slow.zip", test::TCannedAnswer{"HTTP/1.1 200 OK\r\nContent-Length: 900\r\n\r\nabc", 8000});
    Server.Route("/loop", HttpAnswer(302, "Found", "", "Location: /loop\r\n"));
    Server.Route("/tofile", HttpAnswer(302, "Found", "", "Location: file:///etc/passwd\r\n"));
    Server.Route("/teapot", "HTTP/1.1 418 I'm a teapot\r\nContent-Length: 0\r\n\r\n");
    Server.Route("/nostatus", "garbage without a status line\r\n\r\n");
    Download.Http.MaxBodyBytes = 1000;

    struct Case {
        const char* Path;
        std::string Expected; // the error text, or a part of it when Part
        bool Part;
    } Cases[] = {
        {"missing.zip", "HTTP status code: 404 ('Not Found')", false},
        {"teapot", "HTTP status code: 418 ('I'm a teapot')", false},
        {"truncated.zip", "800 bytes remaining", true},
        {"big.zip", "The server sent more than 1000 bytes; the transfer was stopped.", false},
        {"chunked.zip", "The server sent more than 1000 bytes; the transfer was stopped.", false},
        {"slow.zip", "too slow", true},
        {"loop", "redirects", true},
        {"tofile", "file", true},
        {"nostatus", "", true},
    };
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.Path);
        EXPECT_FALSE(Run(c.Path));
        EXPECT_TRUE(ROM.empty());
        EXPECT_NE(ErrorText, "unknown reason");
        if (c.Part) EXPECT_NE(ErrorText.find(c.Expected), std::string::npos) << ErrorText;
        else EXPECT_EQ(ErrorText, c.Expected);
    }
    // No file was kept for any of them, and the redirect to a local file read nothing.
    EXPECT_TRUE(fs::is_empty(Download.SaveFolder));

    // An address that is not http or https is never requested.
    Download.URL = "download.php?file=gnw_manholeg";
    EXPECT_FALSE(DownloadROM(Download, Progress, ErrorText, ROM));
    EXPECT_EQ(ErrorText, "The address \"download.php?file=gnw_manholeg\" is not an http or https address.");
}

} // namespace
} // namespace tarvolin
