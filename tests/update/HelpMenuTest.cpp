#include <gtest/gtest.h>
#include <stdlib.h>

#include "common/RecordingPrompts.h"
#include "update/HelpMenu.h"
#include "update/TestLaunchers.h"
#include "update/UpdateFixture.h"

namespace qvx {
namespace {

using test::LoopbackServer;
using test::RecordingLauncher;
using test::TempFolder;

TEST(HelpMenuTest, AboutShowsVersionBlankStopAndCompany) {
    RecordingPrompts prompts;
    HelpMenuAbout(prompts);
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].text, "quillvox version 5.0.10 .\r\nVelmora");
    EXPECT_EQ(prompts.boxes[0].title, "quillvox");
    EXPECT_EQ(prompts.boxes[0].icon, PromptIcon::None);
    EXPECT_EQ(prompts.boxes[0].kind, RecordingPrompts::Kind::Message);
}

TEST(HelpMenuTest, ReadmeIsOpenedSilentlyWhenPresent) {
    TempFolder folder;
    folder.Write("readme.txt", "help\r\n");
    RecordingPrompts prompts;
    RecordingLauncher launcher;
    HelpMenuReadme(prompts, launcher, folder.paths());
    ASSERT_EQ(launcher.calls.size(), 1u);
    EXPECT_EQ(launcher.calls[0].what, "file");
    EXPECT_EQ(launcher.calls[0].target, folder.File("readme.txt"));
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST(HelpMenuTest, MissingReadmeIsReportedWithoutTryingToOpenIt) {
    TempFolder folder;
    RecordingPrompts prompts;
    RecordingLauncher launcher;
    HelpMenuReadme(prompts, launcher, folder.paths());
    EXPECT_TRUE(launcher.calls.empty());
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].text,
              "The file " + folder.folder() + "/readme.txt could not be found.");
    EXPECT_EQ(prompts.boxes[0].title, "quillvox");
    EXPECT_EQ(prompts.boxes[0].icon, PromptIcon::None);
}

TEST(HelpMenuTest, ReadmeThatCannotBeOpenedGetsTheSameMessage) {
    TempFolder folder;
    folder.Write("readme.txt", "help\r\n");
    RecordingPrompts prompts;
    RecordingLauncher launcher;
    launcher.result = false;
    HelpMenuReadme(prompts, launcher, folder.paths());
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{"The file " + folder.File("readme.txt") +
                                                        " could not be found."});
}

TEST(HelpMenuTest, WebsiteOpensTheHomePageOrSaysWhyNot) {
    RecordingPrompts prompts;
    RecordingLauncher launcher;
    HelpMenuVisitWebsite(prompts, launcher);
    ASSERT_EQ(launcher.calls.size(), 1u);
    EXPECT_EQ(launcher.calls[0].what, "url");
    EXPECT_EQ(launcher.calls[0].target, kWebsiteAddress);
    EXPECT_TRUE(prompts.boxes.empty());

    launcher.result = false;
    HelpMenuVisitWebsite(prompts, launcher);
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_NE(prompts.boxes[0].text.find(std::string(kWebsiteAddress)), std::string::npos);
    EXPECT_EQ(prompts.boxes[0].icon, PromptIcon::Critical);
}

class CheckForUpdatesMenuTest : public ::testing::Test {
  protected:
    void ExpectOnlyErrorBox(const std::string& text) {
        ASSERT_EQ(prompts.boxes.size(), 1u);
        EXPECT_EQ(prompts.boxes[0].text, text);
        EXPECT_EQ(prompts.boxes[0].title, "Error");
        EXPECT_EQ(prompts.boxes[0].icon, PromptIcon::Critical);
    }

    TempFolder folder;
    LoopbackServer server;
    RecordingPrompts prompts;
    RecordingLauncher launcher;
    int programEnded = 0;
    std::function<void()> endProgram = [this] { ++programEnded; };
};

TEST_F(CheckForUpdatesMenuTest, NoNewerVersionIsReportedInTheErrorBox) {
    test::ServeAddressPage(server);
    server.Serve(test::kVersionPath, "5.0.10");
    RunUpdateCheck(prompts, launcher, test::LoopbackConfig(server.Url(), folder), folder.paths(),
                   endProgram);
    ExpectOnlyErrorBox(
        "the update could not be completed because there are currently no updates at this time. "
        "Please try again later.");
}

TEST_F(CheckForUpdatesMenuTest, NoConnectionIsReportedInTheErrorBox) {
    NetworkConfig config = test::LoopbackConfig(server.Url(), folder);
    config.updateServer = config.addressServer = test::DeadLoopbackUrl();
    RunUpdateCheck(prompts, launcher, config, folder.paths(), endProgram);
    ExpectOnlyErrorBox(
        "the update could not be completed because you are not connected to the internet. Please "
        "connect to the internet and try again.");
}

TEST_F(CheckForUpdatesMenuTest, HostsComeFromTheSettingsFile) {
    test::ServeAddressPage(server);
    server.Serve(test::kVersionPath, "5.0.11");
    folder.Write("settings.ini", "[QVOptions]\r\nLogErrors=1\r\n[QVNetwork]\r\nUpdateServer=" +
                                     server.Url() + "/\r\nAddressServer=" + server.Url() + "\r\n");
    // Keep the address page's copy inside the test folder.
    const char* oldCache = std::getenv("XDG_CACHE_HOME");
    const std::string savedCache = oldCache ? oldCache : "";
    setenv("XDG_CACHE_HOME", folder.File("cache").c_str(), 1);
    HelpMenuCheckForUpdates(prompts, launcher, folder.paths(), endProgram);
    if (oldCache) {
        setenv("XDG_CACHE_HOME", savedCache.c_str(), 1);
    } else {
        unsetenv("XDG_CACHE_HOME");
    }
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].title, "alert!");
    EXPECT_NE(prompts.boxes[0].text.find("version available: 5.0.11."), std::string::npos);
    EXPECT_EQ(programEnded, 0);
}

TEST(NetworkConfigTest, DefaultsAreSecureWithoutSettings) {
    TempFolder folder;
    const NetworkConfig config = LoadNetworkConfig(folder.paths().settings);
    EXPECT_EQ(config.updateServer, kDefaultUpdateServer);
    EXPECT_EQ(config.addressServer, kDefaultAddressServer);
    EXPECT_TRUE(config.updateServer.starts_with("https://"));
    EXPECT_TRUE(config.addressServer.starts_with("https://"));
    EXPECT_TRUE(std::string(kWebsiteAddress).starts_with("https://"));
}

}  // namespace
}  // namespace qvx
