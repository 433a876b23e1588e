#include "cli/CheckArguments.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace qvx {
namespace {

struct ArgumentsCase {
    const char* name;
    std::vector<std::string_view> arguments;
    bool help;
    bool fix;
    std::vector<std::string> files;
    std::string error;
};

class ParseCheckArgumentsTest : public ::testing::TestWithParam<ArgumentsCase> {};

TEST_P(ParseCheckArgumentsTest, Parses) {
    const ArgumentsCase& c = GetParam();
    const CheckArguments parsed = ParseCheckArguments(c.arguments);
    EXPECT_EQ(parsed.help, c.help);
    EXPECT_EQ(parsed.fix, c.fix);
    EXPECT_EQ(parsed.files, c.files);
    EXPECT_EQ(parsed.error, c.error);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseCheckArgumentsTest,
    ::testing::Values(
        ArgumentsCase{"OneFile", {"a.txt"}, false, false, {"a.txt"}, ""},
        ArgumentsCase{
            "FixAnywhere", {"a.txt", "--fix", "b.txt"}, false, true, {"a.txt", "b.txt"}, ""},
        ArgumentsCase{"Help", {"--help"}, true, false, {}, "no file to check"},
        ArgumentsCase{"ShortHelp", {"-h", "a.txt"}, true, false, {"a.txt"}, ""},
        ArgumentsCase{"NoFiles", {"--fix"}, false, true, {}, "no file to check"},
        ArgumentsCase{"Nothing", {}, false, false, {}, "no file to check"},
        ArgumentsCase{"UnknownOption",
                      {"--fx", "a.txt", "-q"},
                      false,
                      false,
                      {"a.txt"},
                      "unknown option --fx"},
        ArgumentsCase{"DashesEndOptions", {"--", "--fix", "-h"}, false, false, {"--fix", "-h"}, ""},
        ArgumentsCase{"LoneDashIsAFile", {"-"}, false, false, {"-"}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qvx
