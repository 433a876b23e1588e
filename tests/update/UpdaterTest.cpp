// The update check against a loopback server: the version file, the texts of
// its results, the offer and the download and start of the installer.
#include <gtest/gtest.h>

#include "support/RecordingLauncher.h"
#include "support/RecordingPrompts.h"
#include "update/UpdateFixture.h"
#include "update/UpdateResult.h"

namespace qvx {
namespace {

using enum CheckFailureKind;
using UpdaterTest = test::UpdateTest;

// This release is 5.0.10. The first line holds three parts, each following
// the numeric-text rule, blanks and sign included; the version file never
// stays behind. The offer shows both versions, the parts as they came.
TEST_F(UpdaterTest, ResultFollowsTheVersionFilesFirstLine) {
    const struct {
        const char* versionFile;  // nullptr: the server has none
        int expected;
        CheckFailureKind failure = None;
    } cases[] = {
        {"5.0.10", 0},          {"5.1.0", 1},
        {"4.9.99", 0},          {"5.0.11\r\n4.0.0\r\nanything", 1},
        {"5.0.10\n9.9.9\n", 0}, {"5.0", -4},
        {"\r\n5.0.11", -4},     {"5.x.1", -5, NotANumber},
        {"", -5, EmptyFile},    {"5.0.99999999999", -5, OutOfRange},
        {nullptr, -2},          {"5. 1.+0", 1},
    };
    test::ServeAddressPage(server);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.versionFile));  // NULL: none
        server.Serve(test::kVersionPath, c.versionFile ? c.versionFile : "",
                     c.versionFile ? 200 : 404);
        EXPECT_EQ(Check(), c.expected);
        EXPECT_EQ(updater.LastFailure().kind, c.failure);
        EXPECT_FALSE(folder.Exists("quillvox_vc.tmp"));
    }
    EXPECT_EQ(updater.OfferText(),
              "quillvox currently has a downloadable update! current version: 5.0.10.\r\n"
              "version available: 5. 1.+0.\r\n"
              "would you like to download the update?");
}

// The box text is "the update could not be completed because " + reason +
// advice. A few rows show that the right texts are chosen; a failed check
// names its failure by number.
TEST(UpdateErrorText, AdviceAndBoxTextFollowTheResult) {
    const struct {
        const char* name;
        int result;
        CheckFailureKind failure;
        const char *reason, *advice;
    } cases[] = {
        {"no update", 0, None, "there are currently no updates at this time. ",
         "Please try again later."},
        // A failure left over from an earlier check must not leak into other advice.
        {"invalid data", -4, NotANumber, "the version data is invalid. ",
         "Please contact Velmora."},
        {"failed check", -5, EmptyFile, "an unknown error occurred. ",
         "Please report the following to Velmora. Error number 1, the version file is empty."},
        // No advice for an unknown value.
        {"unknown value", -6, None, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ShowSolution(UpdateResult{c.result}, {c.failure}), c.advice);
        EXPECT_EQ(UpdateErrorText(UpdateResult{c.result}, {c.failure}),
                  std::string("the update could not be completed because ") + c.reason + c.advice);
    }
}

// Only a started installer ends the program; it runs from the download
// folder, runnable by its owner and by nobody else. Every other way keeps
// the program open, a connection lost before the download too.
TEST_F(UpdaterTest, OnlyAStartedInstallerEndsTheProgram) {
    const char* notDownloaded =
        "Couldn't download because the server seems to be currently unavailable or the update "
        "hasn't been uploaded.";
    const struct {
        const char* name;
        bool installerServed;
        std::deque<std::optional<bool>> answers;  // the offer, then running the installer
        bool launcherStarts;
        const char* errorBox;  // nullptr: the last box is the last question
        bool online = true;    // still connected when the download begins
    } cases[] = {{"offer declined", true, {false}, true, nullptr},
                 {"no installer", false, {true}, true, notDownloaded},
                 {"connection lost", true, {true}, true, "No connection to the internet.", false},
                 {"run declined", true, {true, false}, true, nullptr},
                 {"start fails", true, {true, true}, false, "Cannot start the update installer."},
                 {"started", true, {true, true}, true, nullptr}};
    server.Serve(test::kVersionPath, "5.1.0\r\n");
    const std::string installer = folder.File("downloads/qvx.exe");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(installer);
        server.Serve(test::kInstallerPath, "#!/bin/sh\n", c.installerServed ? 200 : 404);
        RecordingPrompts prompts;
        prompts.answers = c.answers;
        test::RecordingLauncher launcher;
        launcher.succeed = c.launcherStarts;
        int programEnded = 0;
        test::ServeAddressPage(server);
        ASSERT_EQ(Check(), 1);
        if (!c.online) server.Serve(test::kAddressPagePath, "", 404);
        updater.OfferUpdate(prompts, launcher, [&] { ++programEnded; });

        std::vector<std::string> texts{updater.OfferText(),
                                       "file downloaded. would you like to run the installation "
                                       "for the update?"};
        texts.resize(c.answers.size());
        if (c.errorBox) texts.push_back(c.errorBox);
        EXPECT_EQ(prompts.Texts(), texts);
        const bool downloaded = c.installerServed && c.online && *c.answers[0];
        EXPECT_EQ(folder.Read("downloads/qvx.exe"), downloaded ? "#!/bin/sh\n" : "<missing>");
        const bool run = c.answers.size() == 2 && *c.answers[1];
        ASSERT_EQ(launcher.started.size(), run ? 1u : 0u);
        EXPECT_EQ(programEnded, run && c.launcherStarts ? 1 : 0);
        if (!run) continue;
        EXPECT_EQ(launcher.started[0].program, installer);
        EXPECT_EQ(launcher.started[0].workingFolder, folder.File("downloads"));
        EXPECT_EQ(test::ModeOf(installer), 0700u);
    }
}

}  // namespace
}  // namespace qvx
