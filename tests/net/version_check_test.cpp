// The version-file rules and the update check against a server on 127.0.0.1.
#include <gtest/gtest.h>

#include "net/local_http_server.h"
#include "net/version_check.h"

namespace tarvolin {
namespace {

using test::HttpAnswer;

TEST(VersionFile, NumbersFollowTheRules) {
    const std::pair<const char*, TProgramVersion> Cases[] = {
        {"1.5", {1, 5, 0, 0}},          {"1.5.3.7", {1, 5, 3, 7}},     {" 2.0.1 ", {2, 0, 1, 0}},
        {"1.2.3.4.5.x", {1, 2, 3, 4}},  {"65535.0", {65535, 0, 0, 0}}, {"65536.1", {}},
        {"1.x", {}},                    {"1..2", {}},                  {"1.5.", {}},
        {"", {}},                       {"-1.2", {}},                  {"0000012.3", {}},
        {"v1.2", {}},
    };
    for (const auto& [Text, Expected] : Cases) EXPECT_EQ(ParseVersionNumber(Text), Expected) << Text;
    EXPECT_GT(ParseVersionNumber("1.5"), (TProgramVersion{1, 4, 65535, 65535}));
    EXPECT_LT(ParseVersionNumber("1.5"), (TProgramVersion{1, 5, 0, 1}));
}

std::string Utf16Bytes(std::u16string_view Text, bool BigEndian) {
    std::string Bytes = BigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t u : Text) {
        const char Hi = static_cast<char>(u >> 8), Lo = static_cast<char>(u & 0xFF);
        Bytes += BigEndian ? Hi : Lo;
        Bytes += BigEndian ? Lo : Hi;
    }
    return Bytes;
}

TEST(VersionFile, LinesAndChangeLog) {
    struct Case {
        const char* Name;
        std::string Body;
        TVersionFile Expected;
    } Cases[] = {
        {"full", "1.6\r\nhttps://h/dl\r\nnotes\r\nchangelog\r\n- one\r\n- two\r\n",
         {"1.6", "https://h/dl", "- one\r\n- two\r\n"}},
        {"no changelog line", "1.6\nhttps://h/dl\n- one\n", {"1.6", "https://h/dl", "(unknown)"}},
        {"changelog line last", "1.6\nhttps://h/dl\nCHANGELOG\n", {"1.6", "https://h/dl", "(unknown)"}},
        {"CR line ends, empty lines kept", "2.0\rurl\rChangeLog\r\ra\r", {"2.0", "url", "\r\na\r\n"}},
        {"one line", "3", {"3", "", "(unknown)"}},
        {"empty", "", {"", "", "(unknown)"}},
        {"UTF-8 mark", "\xEF\xBB\xBF" "1.7\nu\nCHANGELOG\nИсправлено\n", {"1.7", "u", "Исправлено\r\n"}},
        {"UTF-16LE mark", Utf16Bytes(u"1.8\nu\nCHANGELOG\nЖ\n", false), {"1.8", "u", "Ж\r\n"}},
        {"UTF-16BE mark", Utf16Bytes(u"2\r\nu", true), {"2", "u", "(unknown)"}},
    };
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.Name);
        const TVersionFile f = ParseVersionFile(c.Body);
        EXPECT_EQ(f.VersionText, c.Expected.VersionText);
        EXPECT_EQ(f.DownloadURL, c.Expected.DownloadURL);
        EXPECT_EQ(f.ChangeLog, c.Expected.ChangeLog);
    }
    EXPECT_EQ(VersionFileURL("https://h/base", false), "https://h/base/Tarvolin/version.txt");
    EXPECT_EQ(VersionFileURL("https://h/", true), "https://h/Tarvolin/version_RUS.txt");
    EXPECT_EQ(VersionFileURL("", false), "");
    EXPECT_EQ(UpdateCheckUserAgent({1, 5, 3, 0}), "Tarvolin 1.5.3.0");
}

TEST(UpdateCheck, AnnouncesOnlyANewerVersionAndFailsSilently) {
    test::TLocalHttpServer Server;
    TUpdateCheck Check;
    Check.Server = Server.Base();
    Check.Current = {1, 5, 0, 0};
    Check.TimeoutSeconds = 2;

    struct Case {
        const char* Name;
        std::string Answer;
        bool Russian;
        bool Announced;
    } Cases[] = {
        {"newer", HttpAnswer(200, "OK", "1.5.0.1\nhttps://h/dl\nCHANGELOG\nfixes\n"), false, true},
        {"same", HttpAnswer(200, "OK", "1.5\nhttps://h/dl\n"), false, false},
        {"older", HttpAnswer(200, "OK", "1.4.9\n"), false, false},
        {"not a number", HttpAnswer(200, "OK", "1.x\n"), false, false},
        {"empty", HttpAnswer(200, "OK", ""), false, false},
        {"error page with a number", HttpAnswer(500, "Internal Server Error", "9.9\n"), false, false},
        {"Russian file", HttpAnswer(200, "OK", "2.0\nu\n"), true, true},
        {"slow server", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n", false, false},
        // Only the first MiB is read; the version line is in it.
        {"large file", HttpAnswer(200, "OK", "3.0\nu\n" + std::string(2u << 20, 'x')), false, true},
    };
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.Name);
        const std::string Other = c.Russian ? "/Tarvolin/version.txt" : "/Tarvolin/version_RUS.txt";
        Server.Route(c.Russian ? "/Tarvolin/version_RUS.txt" : "/Tarvolin/version.txt",
                     test::TCannedAnswer{c.Answer, std::string(c.Name) == "slow server" ? 6000 : 0});
        Server.Route(Other, HttpAnswer(200, "OK", "99.0\nwrong file\n"));
        Check.Russian = c.Russian;
        const auto Found = CheckForNewVersion(Check);
        EXPECT_EQ(Found.has_value(), c.Announced);
    }
    const auto Found = CheckForNewVersion(Check); // the large file, once more, to look at it
    ASSERT_TRUE(Found.has_value());
    EXPECT_EQ(Found->VersionText, "3.0");
    EXPECT_NE(Server.Requests().back().find("User-Agent: Tarvolin 1.5.0.0\r\n"), std::string::npos);

    // No server: nothing is requested at all.
    const size_t Seen = Server.Requests().size();
    Check.Server = "";
    EXPECT_FALSE(CheckForNewVersion(Check).has_value());
    EXPECT_EQ(Server.Requests().size(), Seen);
}

} // namespace
} // namespace tarvolin
