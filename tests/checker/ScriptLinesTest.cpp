#include "checker/ScriptLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TempFolder.h"

namespace qvx {
namespace {

std::vector<std::string> AllLines(const ScriptLines& lines) {
    std::vector<std::string> all;
    for (std::size_t i = 0; i < lines.size(); ++i) all.emplace_back(lines[i]);
    return all;
}

struct LoadCase {
    const char* name;
    std::string bytes;
    bool dropFinalBreak;
    std::vector<std::string> lines;
};

class LoadScriptLinesTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadScriptLinesTest, GivesTheLines) {
    test::TempFolder folder;
    folder.Write("demo.txt", GetParam().bytes);
    const auto lines = LoadScriptLines(folder.File("demo.txt"), GetParam().dropFinalBreak);
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(AllLines(*lines), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadScriptLinesTest,
    ::testing::Values(
        LoadCase{"CheckerGainsEmptyLast",
                 "[:np]\r\nhello there\r\n\r\n   \r\n",
                 false,
                 {"[:np]", "hello there", "", "   ", ""}},
        LoadCase{"CorrectorKeepsLineCount",
                 "[:np]\r\nhello there\r\n\r\n   \r\n",
                 true,
                 {"[:np]", "hello there", "", "   "}},
        LoadCase{"UnterminatedLastLine", "[:np]\r\nhello", false, {"[:np]", "hello", ""}},
        LoadCase{"UnterminatedLastLineCorrector", "[:np]\r\nhello", true, {"[:np]", "hello"}},
        LoadCase{"LoneCrEndsLine", "[:np]\rhello\r", false, {"[:np]", "hello", ""}},
        LoadCase{"LoneCrAmongPairs", "a\r\nb\rc\r\n", false, {"a", "b", "c", ""}},
        LoadCase{"CrBeforePair", "a\r\r\nb", true, {"a", "", "b"}},
        LoadCase{"LoneLfStaysInLine", "a\nb\r\n\n\r\n", true, {"a\nb", "\n"}},
        LoadCase{"TrailingLoneLf", "a\n", true, {"a\n"}},
        LoadCase{"EmptyFileChecker", "", false, {}}, LoadCase{"EmptyFileCorrector", "", true, {}},
        LoadCase{"OneEmptyLineCorrector", "\r\n", true, {}},
        LoadCase{
            "LowerCasesAsciiOnly", "[:NP]\r\nÄpfel É\xC9\r\n", true, {"[:np]", "Äpfel É\xC9"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LoadScriptLinesTest, UnreadableFileGivesNothing) {
    test::TempFolder folder;
    EXPECT_FALSE(LoadScriptLines(folder.File("absent.txt"), false).has_value());
}

TEST(ClassifyScriptLinesTest, KindsFollowTheFirstCharacters) {
    const ScriptLines lines(
        "[:np]\r\nhello\r\n\r\n   \r\n\n\r\n  [:np]\r\n[ :np]\r\n[aa<500,13>]\r\n\t\r\n[:");
    const std::vector<LineKind> expected{
        LineKind::Command, LineKind::String, LineKind::Blank,  LineKind::Blank,  LineKind::Blank,
        LineKind::String,  LineKind::String, LineKind::String, LineKind::String, LineKind::Command};
    EXPECT_EQ(ClassifyScriptLines(lines), expected);
}

TEST(ClassifyScriptLinesTest, LoneLineEndsAreBlank) {
    EXPECT_EQ(ClassifyLine("\r"), LineKind::Blank);
    EXPECT_EQ(ClassifyLine("\r\n"), LineKind::Blank);
    EXPECT_EQ(ClassifyLine("\n"), LineKind::Blank);
    EXPECT_EQ(ClassifyLine(" \n"), LineKind::String);
}

TEST(ClassifyScriptLinesTest, NoLinesNoKinds) {
    EXPECT_TRUE(ClassifyScriptLines(ScriptLines("")).empty());
}

TEST(ScriptLinesTest, OffsetsPointIntoTheText) {
    const ScriptLines lines("ab\r\n\r\ncde");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines.Offset(0), 0u);
    EXPECT_EQ(lines.Offset(1), 4u);
    EXPECT_EQ(lines.Offset(2), 6u);
    EXPECT_EQ(lines[2], "cde");
}

TEST(RemoveRightTest, Counts) {
    struct Case {
        std::int32_t count;
        const char* expected;
    };
    for (const Case& c :
         {Case{1, "ab"}, Case{2, "a"}, Case{3, ""}, Case{5, ""}, Case{0, "abc"}, Case{-2, "abc"}}) {
        EXPECT_EQ(RemoveRight("abc", c.count), c.expected) << "count " << c.count;
    }
    EXPECT_EQ(RemoveRight("", 1), "");
}

TEST(IsAllSpacesTest, OnlyU0020Counts) {
    EXPECT_TRUE(IsAllSpaces(""));
    EXPECT_TRUE(IsAllSpaces("  "));
    EXPECT_FALSE(IsAllSpaces(" a "));
    EXPECT_FALSE(IsAllSpaces(" \t"));
    EXPECT_FALSE(IsAllSpaces("\xA0"));
}

TEST(CountOccurrencesTest, CountsWithoutOverlap) {
    EXPECT_EQ(CountOccurrences("[:dial \"5551234\"]", "\""), 2);
    EXPECT_EQ(CountOccurrences("[:dial 5551234]", "\""), 0);
    EXPECT_EQ(CountOccurrences("aaaa", "aa"), 2);
    EXPECT_EQ(CountOccurrences("aaa", "aa"), 1);
    EXPECT_EQ(CountOccurrences("abc", ""), 0);
}

}  // namespace
}  // namespace qvx
