#include "checker/ScriptLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TempFolder.h"

namespace qvx {
namespace {

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
    std::vector<std::string> all;
    for (std::size_t i = 0; i < lines->size(); ++i) all.emplace_back((*lines)[i]);
    EXPECT_EQ(all, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadScriptLinesTest,
    ::testing::Values(
        LoadCase{"CheckerGainsEmptyLast",
                 "[:np]\r\nhi\r\n\r\n   \r\n",
                 false,
                 {"[:np]", "hi", "", "   ", ""}},
        LoadCase{"CorrectorKeepsLineCount",
                 "[:np]\r\nhi\r\n\r\n   \r\n",
                 true,
                 {"[:np]", "hi", "", "   "}},
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
        "[:np]\r\nhello\r\n\r\n   \r\n\n\r\n \n\r\n  [:np]\r\n[ :np]\r\n[aa<500,13>]\r\n\t\r\n[:");
    using enum LineKind;
    EXPECT_EQ(ClassifyScriptLines(lines),
              (std::vector<LineKind>{Command, String, Blank, Blank, Blank, String, String, String,
                                     String, String, Command}));
    EXPECT_EQ(ClassifyLine("\r"), Blank);
}

TEST(ScriptTextTest, RemoveRightIsAllSpacesCountOccurrences) {
    EXPECT_EQ(RemoveRight("abc", 1), "ab");
    EXPECT_EQ(RemoveRight("abc", 3), "");
    EXPECT_EQ(RemoveRight("abc", 5), "");
    EXPECT_EQ(RemoveRight("abc", 0), "abc");
    EXPECT_EQ(RemoveRight("abc", -2), "abc");
    EXPECT_TRUE(IsAllSpaces(""));
    EXPECT_TRUE(IsAllSpaces("  "));
    EXPECT_FALSE(IsAllSpaces(" a "));
    EXPECT_FALSE(IsAllSpaces(" \t"));
    EXPECT_EQ(CountOccurrences("[:dial \"5551234\"]", "\""), 2);
    EXPECT_EQ(CountOccurrences("aaaa", "aa"), 2);
    EXPECT_EQ(CountOccurrences("aaa", "aa"), 1);
    EXPECT_EQ(CountOccurrences("abc", ""), 0);
}

}  // namespace
}  // namespace qvx
