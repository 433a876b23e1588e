#include "cli/CheckArguments.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace qvx {
namespace {

TEST(ParseCheckArgumentsTest, Parses) {
    struct Case {
        std::vector<std::string_view> arguments;
        bool help;
        bool fix;
        std::vector<std::string> files;
        std::string error;
    };
    const std::vector<Case> cases{
        {{"a.txt", "--fix", "b.txt"}, false, true, {"a.txt", "b.txt"}, ""},
        {{"-h", "a.txt"}, true, false, {"a.txt"}, ""},
        {{"--fix"}, false, true, {}, "no file to check"},
        {{"--fx", "a.txt", "-q"}, false, false, {"a.txt"}, "unknown option --fx"},
        {{"--", "--fix", "-h"}, false, false, {"--fix", "-h"}, ""},
        {{"-"}, false, false, {"-"}, ""}};
    for (const Case& c : cases) {
        const CheckArguments parsed = ParseCheckArguments(c.arguments);
        SCOPED_TRACE(c.arguments.front());
        EXPECT_EQ(parsed.help, c.help);
        EXPECT_EQ(parsed.fix, c.fix);
        EXPECT_EQ(parsed.files, c.files);
        EXPECT_EQ(parsed.error, c.error);
    }
}

}  // namespace
}  // namespace qvx
