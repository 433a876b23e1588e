#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "common/RecordingPrompts.h"
#include "update/QVXUpdater.h"
#include "update/TestLaunchers.h"
#include "update/UpdateFixture.h"

namespace qvx {
namespace {

using test::LoopbackServer;
using test::TempFolder;
using Box = RecordingPrompts::Box;

class DownloadUpdateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::ServeAddressPage(server);
        server.Serve(test::kVersionPath, "5.1.0\r\n");
    }
    // Runs the check, which must find the newer version, then the offer.
    void CheckAndOffer(Launcher& launcher) {
        ASSERT_EQ(updater.CheckForUpdate(updater.VersionFileUrl()), 1);
        updater.OfferUpdate(prompts, launcher, [this] { ++programEnded; });
    }
    std::string Installer() const { return folder.File("downloads/qvx.exe"); }

    TempFolder folder;
    LoopbackServer server;
    NetworkConfig config = test::LoopbackConfig(server.Url(), folder);
    QVXUpdater updater{config, VersionTempPath(folder.folder())};
    RecordingPrompts prompts;
    int programEnded = 0;
};

void ExpectErrorBox(const RecordingPrompts& prompts, const std::string& text) {
    ASSERT_FALSE(prompts.boxes.empty());
    const Box& box = prompts.boxes.back();
    EXPECT_EQ(box.kind, RecordingPrompts::Kind::Message);
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.title, "Error");
    EXPECT_EQ(box.icon, PromptIcon::Critical);
}

TEST_F(DownloadUpdateTest, OfferShowsBothVersionsOnThreeLines) {
    server.Serve(test::kVersionPath, "5. 1.0");
    ASSERT_EQ(updater.CheckForUpdate(updater.VersionFileUrl()), 1);
    EXPECT_EQ(updater.OfferText(),
              "quillvox currently has a downloadable update! current version: 5.0.10.\r\n"
              "version available: 5. 1.0.\r\n"
              "would you like to download the update?");
}

TEST_F(DownloadUpdateTest, NoToTheOfferDownloadsNothing) {
    test::RecordingLauncher launcher;
    CheckAndOffer(launcher);
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].kind, RecordingPrompts::Kind::Question);
    EXPECT_EQ(prompts.boxes[0].title, "alert!");
    EXPECT_EQ(prompts.boxes[0].text, updater.OfferText());
    EXPECT_FALSE(folder.Exists("downloads/qvx.exe"));
    EXPECT_TRUE(launcher.calls.empty());
}

TEST_F(DownloadUpdateTest, InstallerRunsDetachedFromTheDownloadFolderAndTheProgramEnds) {
    const std::string marker = folder.File("marker.txt");
    server.Serve(test::kInstallerPath,
                 "#!/bin/sh\nprintf '%s\\n%s\\n' \"$0\" \"$(pwd)\" > '" + marker + "'\n");
    prompts.answers = {true, true};
    test::SpawningLauncher launcher;
    CheckAndOffer(launcher);

    ASSERT_EQ(prompts.boxes.size(), 2u);
    EXPECT_EQ(prompts.boxes[1].kind, RecordingPrompts::Kind::Question);
    EXPECT_EQ(prompts.boxes[1].title, "update");
    EXPECT_EQ(prompts.boxes[1].text,
              "file downloaded. would you like to run the installation for the update?");
    EXPECT_EQ(programEnded, 1);
    ASSERT_EQ(launcher.started.size(), 1u);

    struct stat info {};
    ASSERT_EQ(stat(Installer().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u) << "executable for its owner only";

    for (int i = 0; i < 200 && !folder.Exists("marker.txt"); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(folder.Read("marker.txt"), Installer() + "\n" + folder.File("downloads") + "\n");
}

TEST_F(DownloadUpdateTest, NoToRunningKeepsTheInstallerAndTheProgram) {
    server.Serve(test::kInstallerPath, "#!/bin/sh\n");
    prompts.answers = {true, false};
    test::RecordingLauncher launcher;
    CheckAndOffer(launcher);
    EXPECT_EQ(folder.Read("downloads/qvx.exe"), "#!/bin/sh\n");
    EXPECT_TRUE(launcher.calls.empty());
    EXPECT_EQ(programEnded, 0);
}

TEST_F(DownloadUpdateTest, MissingInstallerOnTheServerIsReported) {
    prompts.answers = {true};
    test::RecordingLauncher launcher;
    CheckAndOffer(launcher);
    ExpectErrorBox(prompts,
                   "Couldn't download because the server seems to be currently unavailable or the "
                   "update hasn't been uploaded.");
    EXPECT_FALSE(folder.Exists("downloads/qvx.exe"));
    EXPECT_TRUE(launcher.calls.empty());
}

TEST_F(DownloadUpdateTest, AnInstallerThatCannotStartKeepsTheProgramOpen) {
    server.Serve(test::kInstallerPath, "#!/bin/sh\n");
    prompts.answers = {true, true};
    test::RecordingLauncher launcher;
    launcher.result = false;
    CheckAndOffer(launcher);
    ASSERT_EQ(launcher.calls.size(), 1u);
    EXPECT_EQ(launcher.calls[0].target, Installer());
    EXPECT_EQ(launcher.calls[0].folder, folder.File("downloads"));
    ExpectErrorBox(prompts, "Cannot start the update installer.");
    EXPECT_EQ(programEnded, 0);
}

TEST_F(DownloadUpdateTest, LostConnectionBeforeTheDownloadIsReported) {
    config.updateServer = config.addressServer = test::DeadLoopbackUrl();
    QVXUpdater offline(config, VersionTempPath(folder.folder()));
    test::RecordingLauncher launcher;
    offline.DownloadUpdate(prompts, launcher, [this] { ++programEnded; });
    ASSERT_EQ(prompts.boxes.size(), 1u);
    ExpectErrorBox(prompts, "No connection to the internet.");
    EXPECT_EQ(programEnded, 0);
}

}  // namespace
}  // namespace qvx
