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

std::vector<std::int32_t> Steps(std::int32_t first, std::int32_t last) {
    std::vector<std::int32_t> run{first};
    while (run.back() != last) run.push_back(run.back() + (last < first ? -1 : 1));
    return run;
}

// The direction comes from the two numbers, and both ends are held to the
// range so no run is longer than the range, whatever the end box holds.
TEST(SlideRun, StepsByOneFromStartToEndWithinTheRange) {
    const struct {
        std::int64_t start;
        const char* end;
        std::int32_t min, max, first, last;
    } cases[] = {
        {10, "14", 1, 37, 10, 14},
        {14, "10", 1, 37, 14, 10},
        {10, "10", 1, 37, 10, 10},
        {10, "", 1, 37, 10, 10},
        {10, "junk", 1, 37, 10, 10},
        {200, "35", 1, 37, 37, 35},
        {10, "2147483647", 1, 37, 10, 37},
        {10, "-9e9", 1, 37, 10, 1},
        {2147483648, "9e9", 1, 37, 37, 37},
        {440, "438", 20, 20000, 440, 438},
        {19990, "9e9", 20, 20000, 19990, 20000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SlideRun(c.start, c.end, c.min, c.max), Steps(c.first, c.last))
            << c.start << " to '" << c.end << "'";
    }
}

}  // namespace
}  // namespace qvx
