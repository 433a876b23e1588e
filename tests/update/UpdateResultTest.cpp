#include <gtest/gtest.h>

#include "update/UpdateResult.h"

namespace qvx {
namespace {

using enum CheckFailureKind;

// The box text is "the update could not be completed because " + reason + advice.
struct ErrorBoxCase {
    int result;
    CheckFailureKind failure;
    const char* reason;
    const char* advice;
};

const ErrorBoxCase kErrorBoxCases[] = {
    {0, None, "there are currently no updates at this time. ", "Please try again later."},
    {-1, None, "you are not connected to the internet. ",
     "Please connect to the internet and try again."},
    {-2, None, "version information could not be downloaded. ",
     "The server could be unavailable. Please try again later. If the problem persists, please "
     "contact Velmora."},
    {-3, None, "the version information file is empty. ",
     "Please contact Velmora so the situation can be assessed."},
    // A failure left over from an earlier check must not leak into other advice.
    {-4, NotANumber, "the version data is invalid. ", "Please contact Velmora."},
    {-5, EmptyFile, "an unknown error occurred. ",
     "Please report the following to Velmora. Error number 1, the version file is empty."},
    {-5, NotANumber, "an unknown error occurred. ",
     "Please report the following to Velmora. Error number 2, a version part is not a number."},
    {-5, OutOfRange, "an unknown error occurred. ",
     "Please report the following to Velmora. Error number 3, a version number is out of range."},
    {-5, Unreadable, "an unknown error occurred. ",
     "Please report the following to Velmora. Error number 4, the version file cannot be read."},
    // No advice for a newer version or an unknown value.
    {1, None, "", ""},
    {-6, None, "", ""},
};

class ErrorBoxTest : public ::testing::TestWithParam<ErrorBoxCase> {};

TEST_P(ErrorBoxTest, AdviceAndBoxTextFollowTheResult) {
    const ErrorBoxCase& row = GetParam();
    const CheckFailure failure{row.failure};
    EXPECT_EQ(ShowSolution(row.result, failure), row.advice);
    EXPECT_EQ(UpdateErrorText(row.result, failure),
              std::string("the update could not be completed because ") + row.reason + row.advice);
}

INSTANTIATE_TEST_SUITE_P(EveryResult, ErrorBoxTest, ::testing::ValuesIn(kErrorBoxCases));

}  // namespace
}  // namespace qvx
