#include "common/NumericText.h"

#include <gtest/gtest.h>

#include <cctype>
#include <clocale>
#include <cstdint>
#include <limits>
#include <string>

namespace qvx {
namespace {

struct Case {
    const char* text;
    NumericStatus status;
    std::int32_t value;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

// A test's name spells its text: letters and digits as they are, signs and
// the point as words, anything else "_"; the row's place keeps names apart.
std::string RowName(const ::testing::TestParamInfo<Case>& row) {
    std::string name;
    for (const char ch : std::string_view(row.param.text)) {
        name += std::isalnum(static_cast<unsigned char>(ch)) ? std::string(1, ch)
                : ch == '-'                                  ? "minus"
                : ch == '+'                                  ? "plus"
                : ch == '.'                                  ? "point"
                                                             : "_";
    }
    return name + "_" + std::to_string(row.index);
}

class NumericTextRule : public ::testing::TestWithParam<Case> {};

TEST_P(NumericTextRule, ClassifiesAndConverts) {
    const Case& c = GetParam();
    const NumericValue result = ParseNumericText(c.text);
    EXPECT_EQ(result.status, c.status);
    if (c.status == NumericStatus::Valid) {
        EXPECT_EQ(result.value, c.value);
    }
    // Callers pass parts of lines: nothing after the given text is read.
    for (const std::string after : {"0", "+0"}) {
        const std::string longer = c.text + after;
        const NumericValue part =
            ParseNumericText(std::string_view(longer).substr(0, longer.size() - after.size()));
        EXPECT_EQ(part.status, result.status) << after;
        EXPECT_EQ(part.value, result.value) << after;
    }
}

constexpr auto kValid = NumericStatus::Valid;
constexpr auto kNot = NumericStatus::NotNumeric;
constexpr auto kRange = NumericStatus::OutOfRange;

INSTANTIATE_TEST_SUITE_P(Notations, NumericTextRule,
                         ::testing::Values(Case{"120", kValid, 120}, Case{"-5", kValid, -5},
                                           Case{"+7", kValid, 7}, Case{"  42  ", kValid, 42},
                                           Case{"\t8", kValid, 8}, Case{"2e3", kValid, 2000},
                                           Case{"2E+2", kValid, 200}, Case{"25e-1", kValid, 2},
                                           Case{".5", kValid, 0}, Case{"1.", kValid, 1},
                                           Case{"007", kValid, 7}, Case{"0.0001", kValid, 0},
                                           Case{"1e-400", kValid, 0}, Case{"-0", kValid, 0}),
                         RowName);

INSTANTIATE_TEST_SUITE_P(
    NotNumbers, NumericTextRule,
    ::testing::Values(Case{"", kNot, 0}, Case{"   ", kNot, 0}, Case{"abc", kNot, 0},
                      Case{"12a", kNot, 0}, Case{"0x10", kNot, 0}, Case{"&H10", kNot, 0},
                      Case{"1,000", kNot, 0}, Case{"1 000", kNot, 0}, Case{"inf", kNot, 0},
                      Case{"-infinity", kNot, 0}, Case{"nan", kNot, 0}, Case{".", kNot, 0},
                      Case{"-", kNot, 0}, Case{"1e", kNot, 0}, Case{"e5", kNot, 0},
                      Case{"1e+", kNot, 0}, Case{"++1", kNot, 0}, Case{"$5", kNot, 0},
                      Case{"1.2.3", kNot, 0}),
    RowName);

INSTANTIATE_TEST_SUITE_P(HalvesToEven, NumericTextRule,
                         ::testing::Values(Case{"12.5", kValid, 12}, Case{"13.5", kValid, 14},
                                           Case{"-2.5", kValid, -2}, Case{"-3.5", kValid, -4},
                                           Case{"0.5", kValid, 0}, Case{"1.5", kValid, 2},
                                           Case{"2.5", kValid, 2}, Case{"3.5", kValid, 4},
                                           Case{"12.51", kValid, 13}, Case{"12.49", kValid, 12}),
                         RowName);

INSTANTIATE_TEST_SUITE_P(
    ThirtyTwoBitEdges, NumericTextRule,
    ::testing::Values(Case{"2147483647", kValid, 2147483647},
                      Case{"-2147483648", kValid, std::numeric_limits<std::int32_t>::min()},
                      Case{"2147483648", kRange, 0}, Case{"-2147483649", kRange, 0},
                      Case{"2147483647.4", kValid, 2147483647}, Case{"2147483647.5", kRange, 0},
                      Case{"-2147483648.5", kValid, std::numeric_limits<std::int32_t>::min()},
                      Case{"9e9", kRange, 0}, Case{"1e400", kRange, 0}, Case{"-1e400", kRange, 0},
                      Case{"99999999999999999999", kRange, 0}),
    RowName);

// A long run of zeros can be cancelled by an exponent of more digits than
// any fixed cap allows: the exponent must be read as far as the text needs.
TEST(NumericTextLongTexts, ExponentOutweighsManyZeros) {
    const std::string zeros(999990, '0');
    EXPECT_EQ(ParseNumericText("0." + zeros + "1e1000000").value, 1000000000);
    EXPECT_EQ(ParseNumericText("0." + zeros + "1e1000000").status, kValid);
    EXPECT_EQ(ParseNumericText("0." + zeros + "1e1000002").status, kRange);
    EXPECT_EQ(ParseNumericText("1" + zeros + "e-999990").value, 1);
    EXPECT_EQ(ParseNumericText("1" + zeros + "e-999999999999999999999").value, 0);
    EXPECT_EQ(ParseNumericText("0." + zeros + "1e999999999999999999999").status, kRange);
}

TEST(NumericTextLocale, IgnoresTheUserLocale) {
    // Under a German locale strtod would want "12,5" and stop at "12.5".
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "C.UTF-8")) {
        GTEST_SKIP() << "no other locale available";
    }
    EXPECT_EQ(ParseNumericText("12.5").value, 12);
    EXPECT_EQ(ParseNumericText("13.5").value, 14);
    EXPECT_EQ(ParseNumericText("12,5").status, NumericStatus::NotNumeric);
    std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
}  // namespace qvx
