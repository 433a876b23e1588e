#include <gtest/gtest.h>

#include "update/UpdateResult.h"

namespace qvx {
namespace {

struct ErrorBoxCase {
    const char* name;
    int result;
    CheckFailureKind failure;
    const char* advice;
    const char* boxText;
};

const ErrorBoxCase kErrorBoxCases[] = {
    {"NoUpdate", 0, CheckFailureKind::None, "Please try again later.",
     "the update could not be completed because there are currently no updates at this time. "
     "Please try again later."},
    {"NotConnected", -1, CheckFailureKind::None, "Please connect to the internet and try again.",
     "the update could not be completed because you are not connected to the internet. Please "
     "connect to the internet and try again."},
    {"VersionDownloadFailed", -2, CheckFailureKind::None,
     "The server could be unavailable. Please try again later. If the problem persists, please "
     "contact Velmora.",
     "the update could not be completed because version information could not be downloaded. The "
     "server could be unavailable. Please try again later. If the problem persists, please contact "
     "Velmora."},
    {"VersionFileMissing", -3, CheckFailureKind::None,
     "Please contact Velmora so the situation can be assessed.",
     "the update could not be completed because the version information file is empty. Please "
     "contact Velmora so the situation can be assessed."},
    {"VersionDataInvalid", -4, CheckFailureKind::None, "Please contact Velmora.",
     "the update could not be completed because the version data is invalid. Please contact "
     "Velmora."},
    {"FailedEmptyFile", -5, CheckFailureKind::EmptyFile,
     "Please report the following to Velmora. Error number 1, the version file is empty.",
     "the update could not be completed because an unknown error occurred. Please report the "
     "following to Velmora. Error number 1, the version file is empty."},
    {"FailedNotANumber", -5, CheckFailureKind::NotANumber,
     "Please report the following to Velmora. Error number 2, a version part is not a number.",
     "the update could not be completed because an unknown error occurred. Please report the "
     "following to Velmora. Error number 2, a version part is not a number."},
    {"FailedOutOfRange", -5, CheckFailureKind::OutOfRange,
     "Please report the following to Velmora. Error number 3, a version number is out of range.",
     "the update could not be completed because an unknown error occurred. Please report the "
     "following to Velmora. Error number 3, a version number is out of range."},
    {"FailedUnreadable", -5, CheckFailureKind::Unreadable,
     "Please report the following to Velmora. Error number 4, the version file cannot be read.",
     "the update could not be completed because an unknown error occurred. Please report the "
     "following to Velmora. Error number 4, the version file cannot be read."},
};

class ErrorBoxTest : public ::testing::TestWithParam<ErrorBoxCase> {};

TEST_P(ErrorBoxTest, AdviceAndBoxTextFollowTheResult) {
    const ErrorBoxCase& row = GetParam();
    const CheckFailure failure{row.failure};
    EXPECT_EQ(ShowSolution(row.result, failure), row.advice);
    EXPECT_EQ(UpdateErrorText(row.result, failure), row.boxText);
}

INSTANTIATE_TEST_SUITE_P(EveryResult, ErrorBoxTest, ::testing::ValuesIn(kErrorBoxCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ShowSolutionTest, NewerVersionAndUnknownValuesHaveNoAdvice) {
    for (int result : {1, 2, -6, 100}) {
        EXPECT_EQ(ShowSolution(result, {}), "") << result;
    }
}

TEST(ShowSolutionTest, OnlyAFailedCheckMentionsTheFailure) {
    // A stale failure from an earlier check must not leak into other advice.
    const CheckFailure stale{CheckFailureKind::NotANumber};
    EXPECT_EQ(ShowSolution(-4, stale), "Please contact Velmora.");
}

}  // namespace
}  // namespace qvx
