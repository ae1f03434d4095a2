// The check of the catalogue's ROM download addresses against a server on 127.0.0.1.
#include <gtest/gtest.h>

#include "app/rom_address_check.h"
#include "base/options.h"
#include "net/local_http_server.h"

namespace tarvolin {
namespace {

TEST(ROMAddressCheck, ListsReachableAndFailingAddressesInCatalogueOrder) {
    test::TLocalHttpServer Server;
    const std::string Saved = Options().ROMArchiveServer;
    Options().ROMArchiveServer = Server.Base();
    // Every address of the catalogue fails except the two answered here.
    Server.Route("/download.php?file=gnw_manholeg", test::HttpAnswer(200, "OK", "zip"));
    Server.Route("/download.php?file=gnw_ball", test::HttpAnswer(200, "OK", "zip"));
    TSilentProgress Progress;
    const std::string Text = CheckROMDownloadAddresses(THttpOptions{}, Progress);
    const std::string B = Server.Base();
    const size_t Split = Text.find("\n\n");
    ASSERT_NE(Split, std::string::npos) << Text;
    const std::string Reachable = Text.substr(0, Split + 1), Failing = Text.substr(Split + 2);
    EXPECT_EQ(Reachable, "TAC01 - " + B + "download.php?file=gnw_ball\nTMH06 - " + B +
                             "download.php?file=gnw_manholeg\n");
    EXPECT_EQ(Failing.rfind("TFL02 - " + B + "download.php?file=gnw_flagman\r\n   HTTP status code: 404 ('Not Found')\n", 0),
              0u)
        << Failing;
    EXPECT_EQ(Server.Requests().size(), 21u);

    // Without a server nothing is reachable and nothing is requested.
    Options().ROMArchiveServer = "";
    const std::string None = CheckROMDownloadAddresses(THttpOptions{}, Progress);
    EXPECT_EQ(None.rfind("(none)\nTAC01 - download.php?file=gnw_ball\r\n   The address", 0), 0u) << None;
    EXPECT_EQ(Server.Requests().size(), 21u);
    Options().ROMArchiveServer = Saved;

    std::string Error;
    EXPECT_FALSE(CheckURL("http://127.0.0.1:1/", Error, THttpOptions{}));
    EXPECT_NE(Error, "unknown reason");
}

} // namespace
} // namespace tarvolin
