#include <gtest/gtest.h>

#include <vector>

#include "dialogs/SlideForm.h"

namespace qvx {
namespace {

TEST(SlideTick, RefusedOnceTheStartHoldsThirtyEightOrMore) {
    const struct {
        const char* start;
        bool allowed;
    } cases[] = {{"", true},     {"abc", true},   {"37", true},  {"36.5", true},  // rounds to 36
                 {"-9e9", true}, {"37.5", false}, {"38", false}, {"440", false}, {"9e9", false}};
    for (const auto& c : cases) EXPECT_EQ(SlideTickAllowed(c.start), c.allowed) << c.start;
}

// The direction comes from the two numbers, and both ends are held to the
// range so no run is longer than the range, whatever the end box holds.
TEST(SlideRun, StepsByOneFromStartToEndWithinTheRange) {
    using Run = std::vector<std::int32_t>;
    const struct {
        std::int64_t start;
        const char* end;
        std::int32_t min, max;
        Run run;
    } cases[] = {
        {10, "12", 1, 37, {10, 11, 12}},
        {12, "10", 1, 37, {12, 11, 10}},
        {10, "10", 1, 37, {10}},
        {10, "", 1, 37, {10}},
        {10, "junk", 1, 37, {10}},
        {200, "35", 1, 37, {37, 36, 35}},
        {3, "-9e9", 1, 37, {3, 2, 1}},
        {2147483648, "9e9", 1, 37, {37}},
        {440, "438", 20, 20000, {440, 439, 438}},
        {19998, "9e9", 20, 20000, {19998, 19999, 20000}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SlideRun(c.start, c.end, c.min, c.max), c.run)
            << c.start << " to '" << c.end << "'";
    }
    EXPECT_EQ(SlideRun(10, "2147483647", 1, 37).size(), 28u);
}

}  // namespace
}  // namespace qvx
