#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "update/UpdateFixture.h"

namespace qvx {
namespace {

using DownloadTest = test::UpdateTest;

// A failed download keeps the old file and leaves nothing beside it; a good one
// asks past every cache and saves the body byte for byte.
TEST_F(DownloadTest, FailuresKeepTheOldFileAndABodyIsSavedAsSent) {
    server.Serve("/404", "<html>not here</html>", 404);
    server.Serve("/500", "broken", 500);
    folder.Write("secret.txt", "private");
    folder.Write("downloads/x", "old");
    for (const std::string& url :
         {server.Url() + "/404", server.Url() + "/500",
          test::LoopbackServer().Url() + "/x",  // nothing listens there any more
          "file://" + folder.File("secret.txt")}) {
        SCOPED_TRACE(url);
        EXPECT_FALSE(DownloadUrlToFile(url, folder.File("downloads/x"), config.limits));
        EXPECT_EQ(folder.Read("downloads/x"), "old");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(config.downloadFolder), {}), 1);
    }
    const std::string body("line\r\nbinary\0byte", 17);
    server.Serve("/x", body);
    ASSERT_TRUE(DownloadUrlToFile(server.Url() + "/x", folder.File("downloads/x"), config.limits));
    EXPECT_EQ(folder.Read("downloads/x"), body);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(config.downloadFolder), {}), 1);
    EXPECT_EQ(server.Requests().back().get_header_value("Cache-Control"), "no-cache");
    EXPECT_FALSE(DownloadUrlToFile(server.Url() + "/x", folder.File("missing/x"), config.limits));
}

// The independent page gives the address between the quotes after "var ip
// =", or its whole text when it has no such marker; the update server's own
// page gives its text without line ends and blanks. Either address means a
// connection.
TEST_F(DownloadTest, AddressPagesGiveTheAddressAndTheConnection) {
    const struct {
        const char* page;        // the independent address page; nullptr: none
        const char* serverPage;  // the update server's own; nullptr: none
        const char* address;     // GetPublicAddress
        const char* serverAddress;
        bool connected;
    } cases[] = {
        {"<html><script>\r\nvar ip = '203.0.113.9'; var x = 'y';\r\n</script></html>", nullptr,
         "203.0.113.9", "", true},
        {"203.0.113.9\n", nullptr, "203.0.113.9\n", "", true},
        {"var ip = '203.0.113.9", nullptr, "", "", false},
        {"var ip = 203.0.113.9;", nullptr, "", "", false},
        {nullptr, "  198.51.100.\r\n3 \r\n", "", "198.51.100.3", true},
        {"var ip = unknown;", " \r\n ", "", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.page));
        std::filesystem::remove(folder.File("temp/~ip.tmp"));  // the server's page leaves a copy
        server.Serve(test::kAddressPagePath, c.page ? c.page : "", c.page ? 200 : 404);
        server.Serve(test::kServerAddressPath, c.serverPage ? c.serverPage : "",
                     c.serverPage ? 200 : 404);
        EXPECT_EQ(GetPublicAddress(config), c.address);
        EXPECT_FALSE(folder.Exists("temp/~ip.tmp"));
        EXPECT_EQ(GetPublicAddressFromServer(config), c.serverAddress);
        EXPECT_EQ(IsConnected(config), c.connected);
    }
}

}  // namespace
}  // namespace qvx
