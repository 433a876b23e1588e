#include <gtest/gtest.h>

#include "update/QVXUpdater.h"
#include "update/UpdateFixture.h"

namespace qvx {
namespace {

using test::LoopbackServer;
using test::TempFolder;

struct VersionCase {
    const char* name;
    const char* versionFile;
    int expected;
    CheckFailureKind failure;
};

const VersionCase kVersionCases[] = {
    {"Same", "5.0.10", 0, CheckFailureKind::None},
    {"NewerMinorOlderRevision", "5.1.0", 1, CheckFailureKind::None},
    {"OlderMajorHigherRest", "4.9.99", 0, CheckFailureKind::None},
    {"NewerRevision", "5.0.11", 1, CheckFailureKind::None},
    {"OlderRevision", "5.0.9", 0, CheckFailureKind::None},
    {"NewerMajor", "6.0.0", 1, CheckFailureKind::None},
    {"OnlyFirstLineCounts", "5.0.11\r\n4.0.0\r\nanything", 1, CheckFailureKind::None},
    {"OnlyFirstLineCountsWithLf", "5.0.10\n9.9.9\n", 0, CheckFailureKind::None},
    {"BlanksAndSignFollowTheNumberRule", "5. 0.+11", 1, CheckFailureKind::None},
    {"ExponentIsANumber", "5.0.1e1", 0, CheckFailureKind::None},
    {"TwoParts", "5.0", -4, CheckFailureKind::None},
    {"FourParts", "5.0.10.1", -4, CheckFailureKind::None},
    {"Commas", "5,0,11", -4, CheckFailureKind::None},
    {"BlankFirstLine", "\r\n5.0.11", -4, CheckFailureKind::None},
    {"LetterPart", "5.x.1", -5, CheckFailureKind::NotANumber},
    {"EmptyPart", "5..1", -5, CheckFailureKind::NotANumber},
    {"Empty", "", -5, CheckFailureKind::EmptyFile},
    {"HugePart", "5.0.99999999999", -5, CheckFailureKind::OutOfRange},
};

class VersionFileTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionFileTest, ResultFollowsTheFirstLine) {
    const VersionCase& row = GetParam();
    TempFolder folder;
    LoopbackServer server;
    test::ServeAddressPage(server);
    server.Serve(test::kVersionPath, row.versionFile);
    const std::string temp = VersionTempPath(folder.folder());
    QVXUpdater updater(test::LoopbackConfig(server.Url(), folder), temp);

    EXPECT_EQ(updater.CheckForUpdate(updater.VersionFileUrl()), row.expected);
    EXPECT_EQ(updater.LastFailure().kind, row.failure);
    EXPECT_FALSE(folder.Exists("quillvox_vc.tmp"))
        << "the version file must be deleted after reading";
}

INSTANTIATE_TEST_SUITE_P(VersionFiles, VersionFileTest, ::testing::ValuesIn(kVersionCases),
                         [](const auto& info) { return std::string(info.param.name); });

class CheckForUpdateTest : public ::testing::Test {
  protected:
    TempFolder folder;
    LoopbackServer server;
    NetworkConfig config = test::LoopbackConfig(server.Url(), folder);
    QVXUpdater updater{config, VersionTempPath(folder.folder())};
};

TEST_F(CheckForUpdateTest, KeepsTheLineAndItsPartsAsWritten) {
    test::ServeAddressPage(server);
    server.Serve(test::kVersionPath, "5. 1.0\r\nmore");
    EXPECT_EQ(updater.CheckForUpdate(updater.VersionFileUrl()), 1);
    EXPECT_EQ(updater.VersionLine(), "5. 1.0");
    EXPECT_EQ(updater.VersionParts(), (std::vector<std::string>{"5", " 1", "0"}));
}

TEST_F(CheckForUpdateTest, NoServerAtAllMeansNotConnected) {
    config.updateServer = config.addressServer = test::DeadLoopbackUrl();
    QVXUpdater offline(config, VersionTempPath(folder.folder()));
    EXPECT_EQ(offline.CheckForUpdate(offline.VersionFileUrl()), -1);
}

TEST_F(CheckForUpdateTest, MissingVersionFileIsADownloadFailure) {
    test::ServeAddressPage(server);
    EXPECT_EQ(updater.CheckForUpdate(updater.VersionFileUrl()), -2);
    EXPECT_FALSE(folder.Exists("quillvox_vc.tmp"));
}

TEST_F(CheckForUpdateTest, AddressPageWithoutMarkerStillCountsAsConnected) {
    server.Serve(test::kAddressPagePath, "198.51.100.7");
    server.Serve(test::kVersionPath, "5.0.10");
    EXPECT_EQ(updater.CheckForUpdate(updater.VersionFileUrl()), 0);
}

TEST_F(CheckForUpdateTest, ServerAddressPageIsAskedWhenTheIndependentOneFails) {
    server.Serve(test::kServerAddressPath, "\r\n  192.0.2.1  \r\n");
    server.Serve(test::kVersionPath, "5.0.11");
    EXPECT_EQ(updater.CheckForUpdate(updater.VersionFileUrl()), 1);
}

TEST_F(CheckForUpdateTest, PagesWithoutAnAddressMeanNotConnected) {
    server.Serve(test::kAddressPagePath, "var ip = unknown;");
    server.Serve(test::kServerAddressPath, " \r\n ");
    server.Serve(test::kVersionPath, "5.0.11");
    EXPECT_EQ(updater.CheckForUpdate(updater.VersionFileUrl()), -1);
}

TEST_F(CheckForUpdateTest, ANewCheckForgetsTheLastVersionAndFailure) {
    test::ServeAddressPage(server);
    server.Serve(test::kVersionPath, "5.x.1");
    ASSERT_EQ(updater.CheckForUpdate(updater.VersionFileUrl()), -5);
    server.Serve(test::kVersionPath, "5.0");
    EXPECT_EQ(updater.CheckForUpdate(updater.VersionFileUrl()), -4);
    EXPECT_EQ(updater.LastFailure().kind, CheckFailureKind::None);
    EXPECT_EQ(updater.VersionLine(), "5.0");
}

}  // namespace
}  // namespace qvx
