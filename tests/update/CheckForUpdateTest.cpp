#include <gtest/gtest.h>

#include "support/RecordingLauncher.h"
#include "support/RecordingPrompts.h"
#include "update/UpdateFixture.h"

namespace qvx {
namespace {

using enum CheckFailureKind;

using CheckForUpdateTest = test::UpdateTest;

// This release is 5.0.10. The first line holds three parts, each following
// the numeric-text rule, blanks and sign included; the version file never
// stays behind.
TEST_F(CheckForUpdateTest, ResultFollowsTheVersionFilesFirstLine) {
    const struct {
        const char* versionFile;  // nullptr: the server has none
        int expected;
        CheckFailureKind failure = None;
    } cases[] = {
        {"5.0.10", 0},
        {"5.1.0", 1},
        {"4.9.99", 0},
        {"5.0.9", 0},
        {"5.0.11\r\n4.0.0\r\nanything", 1},
        {"5.0.10\n9.9.9\n", 0},
        {"5. 0.+11", 1},
        {"5.0", -4},
        {"5.0.10.1", -4},
        {"\r\n5.0.11", -4},
        {"5.x.1", -5, NotANumber},
        {"", -5, EmptyFile},
        {"5.0.99999999999", -5, OutOfRange},
        {nullptr, -2},
    };
    test::ServeAddressPage(server);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.versionFile ? c.versionFile : "(no version file)");
        server.Serve(test::kVersionPath, c.versionFile ? c.versionFile : "",
                     c.versionFile ? 200 : 404);
        EXPECT_EQ(Check(), c.expected);
        EXPECT_EQ(updater.LastFailure().kind, c.failure);
        EXPECT_FALSE(folder.Exists("quillvox_vc.tmp"));
    }
}

// With no server at all the check says so, and so does a download.
TEST(UpdateCheck, NoServerAtAllMeansNotConnected) {
    test::TempFolder folder;
    const NetworkConfig config = test::LoopbackConfig(test::DeadLoopbackUrl(), folder);
    RecordingPrompts prompts;
    test::RecordingLauncher launcher;
    const auto stay = [] { FAIL() << "the program must stay open"; };
    RunUpdateCheck(prompts, launcher, config, folder.folder(), stay);
    QVXUpdater(config, VersionTempPath(folder.folder())).DownloadUpdate(prompts, launcher, stay);
    EXPECT_EQ(prompts.Texts(),
              (std::vector<std::string>{"the update could not be completed because you are not "
                                        "connected to the internet. Please connect to the internet "
                                        "and try again.",
                                        "No connection to the internet."}));
    EXPECT_EQ(prompts.boxes[1].title, "Error");
    EXPECT_EQ(prompts.boxes[1].icon, PromptIcon::Critical);
}

}  // namespace
}  // namespace qvx
