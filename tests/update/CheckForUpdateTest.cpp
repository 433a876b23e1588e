#include <gtest/gtest.h>

#include "support/RecordingLauncher.h"
#include "support/RecordingPrompts.h"
#include "update/UpdateFixture.h"

namespace qvx {
namespace {

using enum CheckFailureKind;

struct VersionCase {
    const char* versionFile;  // nullptr: the server has none
    int expected;
    CheckFailureKind failure = None;
};

// This release is 5.0.10. Each part follows the numeric-text rule, blanks and
// sign included.
const VersionCase kVersionCases[] = {
    {"5.0.10", 0},
    {"5.1.0", 1},
    {"4.9.99", 0},
    {"5.0.9", 0},
    {"5.0.11\r\n4.0.0\r\nanything", 1},
    {"5.0.10\n9.9.9\n", 0},
    {"5. 0.+11", 1},
    {"5.0", -4},
    {"5.0.10.1", -4},
    {"5,0,11", -4},
    {"\r\n5.0.11", -4},
    {"5.x.1", -5, NotANumber},
    {"", -5, EmptyFile},
    {"5.0.99999999999", -5, OutOfRange},
    {nullptr, -2},
};

class VersionFileTest : public test::UpdateTest,
                        public ::testing::WithParamInterface<VersionCase> {};

TEST_P(VersionFileTest, ResultFollowsTheFirstLine) {
    const VersionCase& row = GetParam();
    SCOPED_TRACE(row.versionFile ? row.versionFile : "(no version file)");
    test::ServeAddressPage(server);
    if (row.versionFile) server.Serve(test::kVersionPath, row.versionFile);
    EXPECT_EQ(Check(), row.expected);
    EXPECT_EQ(updater.LastFailure().kind, row.failure);
    EXPECT_FALSE(folder.Exists("quillvox_vc.tmp")) << "the version file must not stay behind";
}

INSTANTIATE_TEST_SUITE_P(VersionFiles, VersionFileTest, ::testing::ValuesIn(kVersionCases));

using CheckForUpdateTest = test::UpdateTest;

TEST_F(CheckForUpdateTest, NoServerAtAllMeansNotConnected) {
    config.updateServer = config.addressServer = test::DeadLoopbackUrl();
    QVXUpdater offline(config, VersionTempPath(folder.folder()));
    EXPECT_EQ(offline.CheckForUpdate(offline.VersionFileUrl()), -1);

    RecordingPrompts prompts;
    test::RecordingLauncher launcher;
    offline.DownloadUpdate(prompts, launcher, [] { FAIL() << "the program must stay open"; });
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].text, "No connection to the internet.");
    EXPECT_EQ(prompts.boxes[0].title, "Error");
}

}  // namespace
}  // namespace qvx
