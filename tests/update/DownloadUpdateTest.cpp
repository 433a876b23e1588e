#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/RecordingLauncher.h"
#include "support/RecordingPrompts.h"
#include "update/UpdateFixture.h"

namespace qvx {
namespace {

constexpr const char* kRunQuestion =
    "file downloaded. would you like to run the installation for the update?";

using OfferTest = test::UpdateTest;

TEST_F(OfferTest, ShowsBothVersionsOnThreeLines) {
    test::ServeAddressPage(server);
    server.Serve(test::kVersionPath, "5. 1.0");
    ASSERT_EQ(Check(), 1);
    EXPECT_EQ(updater.OfferText(),
              "quillvox currently has a downloadable update! current version: 5.0.10.\r\n"
              "version available: 5. 1.0.\r\n"
              "would you like to download the update?");
}

constexpr const char* kNotDownloaded =
    "Couldn't download because the server seems to be currently unavailable or the update hasn't "
    "been uploaded.";
constexpr const char* kCannotStart = "Cannot start the update installer.";

struct DownloadCase {
    const char* name;
    bool installerServed;
    std::deque<bool> answers;  // the offer, then running the installer
    bool launcherStarts;
    const char* errorBox;  // nullptr: the last box is the last question
    const char* lastTitle;
};

const DownloadCase kDownloadCases[] = {
    {"NoToTheOffer", true, {false}, true, nullptr, "alert!"},
    {"NoInstallerOnTheServer", false, {true}, true, kNotDownloaded, "Error"},
    {"NoToRunning", true, {true, false}, true, nullptr, "update"},
    {"InstallerCannotStart", true, {true, true}, false, kCannotStart, "Error"},
    {"InstallerRunsAndTheProgramEnds", true, {true, true}, true, nullptr, "update"}};

class DownloadCaseTest : public test::UpdateTest,
                         public ::testing::WithParamInterface<DownloadCase> {};

// Only a started installer ends the program; it runs from the download
// folder, runnable by its owner and by nobody else.
TEST_P(DownloadCaseTest, OnlyAStartedInstallerEndsTheProgram) {
    const DownloadCase& row = GetParam();
    test::ServeAddressPage(server);
    server.Serve(test::kVersionPath, "5.1.0\r\n");
    if (row.installerServed) server.Serve(test::kInstallerPath, "#!/bin/sh\n");
    RecordingPrompts prompts;
    prompts.answers.assign(row.answers.begin(), row.answers.end());
    test::RecordingLauncher launcher;
    launcher.succeed = row.launcherStarts;
    int programEnded = 0;
    ASSERT_EQ(Check(), 1);
    updater.OfferUpdate(prompts, launcher, [&] { ++programEnded; });

    const std::vector<std::string> questions{updater.OfferText(), kRunQuestion};
    std::vector<std::string> texts(questions.begin(), questions.begin() + row.answers.size());
    if (row.errorBox) texts.push_back(row.errorBox);
    EXPECT_EQ(prompts.Texts(), texts);
    EXPECT_EQ(prompts.boxes.back().title, row.lastTitle);
    EXPECT_EQ(prompts.boxes.back().icon,
              row.errorBox ? PromptIcon::Critical : PromptIcon::Question);
    const bool downloaded = row.installerServed && row.answers[0];
    EXPECT_EQ(folder.Read("downloads/qvx.exe"), downloaded ? "#!/bin/sh\n" : "<missing>");
    const bool run = row.answers.size() == 2 && row.answers[1];
    ASSERT_EQ(launcher.started.size(), run ? 1u : 0u);
    EXPECT_EQ(programEnded, run && row.launcherStarts ? 1 : 0);
    if (!run) return;
    const std::string installer = folder.File("downloads/qvx.exe");
    EXPECT_EQ(launcher.started[0].program, installer);
    EXPECT_EQ(launcher.started[0].workingFolder, folder.File("downloads"));
    struct stat info {};
    ASSERT_EQ(stat(installer.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

INSTANTIATE_TEST_SUITE_P(Downloads, DownloadCaseTest, ::testing::ValuesIn(kDownloadCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qvx
