#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "update/UpdateFixture.h"

namespace qvx {
namespace {

using test::LoopbackServer;
using test::TempFolder;

// Names of everything in the folder, to spot leftovers of a failed download.
std::vector<std::string> FolderEntries(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

class DownloadTest : public ::testing::Test {
  protected:
    TempFolder folder;
    LoopbackServer server;
    const DownloadLimits fast{2, 100, 1};
};

TEST_F(DownloadTest, SavesTheBodyAndAsksPastEveryCache) {
    server.Serve("/file.bin", std::string("line\r\nbinary\0byte", 17));
    ASSERT_TRUE(DownloadUrlToFile(server.Url() + "/file.bin", folder.File("file.bin"), fast));
    EXPECT_EQ(folder.Read("file.bin"), std::string("line\r\nbinary\0byte", 17));
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].get_header_value("Cache-Control"), "no-cache");
    EXPECT_EQ(requests[0].get_header_value("Pragma"), "no-cache");
    EXPECT_EQ(FolderEntries(folder.folder()), std::vector<std::string>{"file.bin"});
}

TEST_F(DownloadTest, ErrorStatusFailsAndKeepsTheOldFile) {
    folder.Write("file.bin", "old");
    server.Serve("/file.bin", "<html>not here</html>", 404);
    EXPECT_FALSE(DownloadUrlToFile(server.Url() + "/file.bin", folder.File("file.bin"), fast));
    EXPECT_EQ(folder.Read("file.bin"), "old");
    EXPECT_EQ(FolderEntries(folder.folder()), std::vector<std::string>{"file.bin"});

    server.Serve("/file.bin", "broken", 500);
    EXPECT_FALSE(DownloadUrlToFile(server.Url() + "/file.bin", folder.File("file.bin"), fast));
    EXPECT_EQ(folder.Read("file.bin"), "old");
}

TEST_F(DownloadTest, NoServerFails) {
    EXPECT_FALSE(DownloadUrlToFile(test::DeadLoopbackUrl() + "/x", folder.File("x"), fast));
    EXPECT_TRUE(FolderEntries(folder.folder()).empty());
}

TEST_F(DownloadTest, UnwritableTargetFolderFails) {
    server.Serve("/x", "data");
    EXPECT_FALSE(DownloadUrlToFile(server.Url() + "/x", folder.File("missing/x"), fast));
}

TEST_F(DownloadTest, OnlyWebAddressesAreFetched) {
    folder.Write("secret.txt", "private");
    EXPECT_FALSE(
        DownloadUrlToFile("file://" + folder.File("secret.txt"), folder.File("copy.txt"), fast));
    EXPECT_FALSE(folder.Exists("copy.txt"));
}

TEST_F(DownloadTest, StalledTransferIsAbandonedWithoutAPartialFile) {
    // Shared with the server thread, which may outlive this function's frame.
    auto release = std::make_shared<std::atomic<bool>>(false);
    server.Handle("/slow", [release](const httplib::Request&, httplib::Response& response) {
        response.set_chunked_content_provider(
            "application/octet-stream", [release](size_t, httplib::DataSink& sink) {
                sink.write("0123456789", 10);
                for (int i = 0; i < 100 && !*release; ++i) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
                }
                sink.done();
                return true;
            });
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(DownloadUrlToFile(server.Url() + "/slow", folder.File("slow.bin"), fast));
    *release = true;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
    EXPECT_TRUE(FolderEntries(folder.folder()).empty());
}

class AddressTest : public ::testing::Test {
  protected:
    TempFolder folder;
    LoopbackServer server;
    NetworkConfig config = test::LoopbackConfig(server.Url(), folder);
};

TEST_F(AddressTest, IndependentPageGivesTheQuotedAddressAndIsDeleted) {
    server.Serve(test::kAddressPagePath,
                 "<html><script>\r\nvar ip = '203.0.113.9'; var x = 'y';\r\n</script></html>");
    EXPECT_EQ(GetPublicAddress(config), "203.0.113.9");
    EXPECT_FALSE(folder.Exists("temp/~ip.tmp"));
}

TEST_F(AddressTest, IndependentPageWithoutMarkerIsTakenWhole) {
    server.Serve(test::kAddressPagePath, "203.0.113.9\n");
    EXPECT_EQ(GetPublicAddress(config), "203.0.113.9\n");
}

TEST_F(AddressTest, MarkerWithoutQuotesGivesNothing) {
    server.Serve(test::kAddressPagePath, "var ip = '203.0.113.9");
    EXPECT_EQ(GetPublicAddress(config), "");
    server.Serve(test::kAddressPagePath, "var ip = 203.0.113.9;");
    EXPECT_EQ(GetPublicAddress(config), "");
}

TEST_F(AddressTest, ServerPageLosesLineEndsAndBlanksAndStays) {
    server.Serve(test::kServerAddressPath, "  198.51.100.\r\n3 \r\n");
    EXPECT_EQ(GetPublicAddressFromServer(config), "198.51.100.3");
    EXPECT_EQ(folder.Read("temp/~ip.tmp"), "  198.51.100.\r\n3 \r\n");
}

TEST_F(AddressTest, FailedPagesGiveNothing) {
    EXPECT_EQ(GetPublicAddress(config), "");
    EXPECT_EQ(GetPublicAddressFromServer(config), "");
    EXPECT_FALSE(IsConnected(config));
}

TEST_F(AddressTest, ServerPageIsAskedOnlyWhenTheIndependentOneFails) {
    test::ServeAddressPage(server);
    server.Serve(test::kServerAddressPath, "198.51.100.3");
    EXPECT_TRUE(IsConnected(config));
    for (const auto& request : server.Requests()) EXPECT_NE(request.path, test::kServerAddressPath);

    server.Serve(test::kAddressPagePath, "", 503);
    EXPECT_TRUE(IsConnected(config));
    EXPECT_EQ(server.Requests().back().path, test::kServerAddressPath);
}

}  // namespace
}  // namespace qvx
