#include <gtest/gtest.h>

#include "update/UpdateResult.h"

namespace qvx {
namespace {

using enum CheckFailureKind;

// The box text is "the update could not be completed because " + reason +
// advice. A few rows show that the right texts are chosen; a failed check
// names its failure by number.
struct ErrorBoxCase {
    int result;
    CheckFailureKind failure;
    const char* reason;
    const char* advice;
};

const ErrorBoxCase kErrorBoxCases[] = {
    {0, None, "there are currently no updates at this time. ", "Please try again later."},
    // A failure left over from an earlier check must not leak into other advice.
    {-4, NotANumber, "the version data is invalid. ", "Please contact Velmora."},
    {-5, EmptyFile, "an unknown error occurred. ",
     "Please report the following to Velmora. Error number 1, the version file is empty."},
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
