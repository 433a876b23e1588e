#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/RecordingPrompts.h"
#include "support/RecordingLauncher.h"
#include "update/UpdateFixture.h"

namespace qvx {
namespace {

constexpr const char* kRunQuestion =
    "file downloaded. would you like to run the installation for the update?";

// Records the start and really starts the program, in its own session and
// working folder, without waiting for it.
struct SpawningLauncher : test::RecordingLauncher {
    pid_t pid = -1;
    bool StartDetached(const std::string& program, const std::string& folder) override {
        RecordingLauncher::StartDetached(program, folder);
        pid = fork();
        if (pid == 0) {
            setsid();
            if (chdir(folder.c_str()) == 0) execl(program.c_str(), program.c_str(), nullptr);
            _exit(127);
        }
        return pid > 0;
    }
};

class DownloadUpdateTest : public test::UpdateTest {
  protected:
    void SetUp() override {
        test::ServeAddressPage(server);
        server.Serve(test::kVersionPath, "5.1.0\r\n");
    }
    // The check must find the newer version; then the offer.
    void CheckAndOffer(Launcher& launcher) {
        ASSERT_EQ(Check(), 1);
        updater.OfferUpdate(prompts, launcher, [this] { ++programEnded; });
    }

    RecordingPrompts prompts;
    int programEnded = 0;
};

TEST_F(DownloadUpdateTest, OfferShowsBothVersionsOnThreeLines) {
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
    {"InstallerCannotStart", true, {true, true}, false, kCannotStart, "Error"}};

class DownloadCaseTest : public DownloadUpdateTest,
                         public ::testing::WithParamInterface<DownloadCase> {};

TEST_P(DownloadCaseTest, FailuresAndNoKeepTheProgramOpen) {
    const DownloadCase& row = GetParam();
    if (row.installerServed) server.Serve(test::kInstallerPath, "#!/bin/sh\n");
    prompts.answers.assign(row.answers.begin(), row.answers.end());
    test::RecordingLauncher launcher;
    launcher.succeed = row.launcherStarts;
    CheckAndOffer(launcher);

    const std::vector<std::string> questions{updater.OfferText(), kRunQuestion};
    std::vector<std::string> texts(questions.begin(), questions.begin() + row.answers.size());
    if (row.errorBox) texts.push_back(row.errorBox);
    EXPECT_EQ(prompts.Texts(), texts);
    EXPECT_EQ(prompts.boxes.back().title, row.lastTitle);
    EXPECT_EQ(prompts.boxes.back().icon,
              row.errorBox ? PromptIcon::Critical : PromptIcon::Question);
    const bool downloaded = row.installerServed && row.answers[0];
    EXPECT_EQ(folder.Read("downloads/qvx.exe"), downloaded ? "#!/bin/sh\n" : "<missing>");
    EXPECT_EQ(launcher.started.size(), row.answers.size() == 2 && row.answers[1] ? 1u : 0u);
    EXPECT_EQ(programEnded, 0);
}

INSTANTIATE_TEST_SUITE_P(Downloads, DownloadCaseTest, ::testing::ValuesIn(kDownloadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DownloadUpdateTest, InstallerRunsDetachedFromTheDownloadFolderAndTheProgramEnds) {
    const std::string marker = folder.File("marker.txt");
    server.Serve(test::kInstallerPath,
                 "#!/bin/sh\nprintf '%s\\n%s\\n' \"$0\" \"$(pwd)\" > '" + marker + "'\n");
    prompts.answers = {true, true};
    SpawningLauncher launcher;
    CheckAndOffer(launcher);
    ASSERT_GT(launcher.pid, 0);
    waitpid(launcher.pid, nullptr, 0);
    ASSERT_EQ(prompts.boxes.size(), 2u);
    EXPECT_EQ(prompts.boxes[1].title, "update");
    EXPECT_EQ(prompts.boxes[1].text, kRunQuestion);
    EXPECT_EQ(programEnded, 1);
    struct stat info {};
    const std::string installer = folder.File("downloads/qvx.exe");
    ASSERT_EQ(stat(installer.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u) << "executable for its owner only";
    EXPECT_EQ(folder.Read("marker.txt"), installer + "\n" + folder.File("downloads") + "\n");
}

}  // namespace
}  // namespace qvx
