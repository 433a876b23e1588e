#include "checker/ScriptCorrector.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CheckerFixture.h"
#include "checker/ScriptCheck.h"

namespace qvx {
namespace {

using test::LogOf;

std::string Summary(int repaired, int failed, int warnings) {
    return "script was checked.\r\nNumber of successful corrections: " + std::to_string(repaired) +
           "\r\nNumber of failed corrections: " + std::to_string(failed) +
           "\r\nNumber of warnings: " + std::to_string(warnings);
}

// One script line, corrected as line 1.
struct CorrectCase {
    const char* name;
    std::string line;
    std::string corrected;
    int repaired;
    std::vector<std::string> boxes;  // failures and warnings, without the summary
    std::vector<std::string> log;
};

class CorrectLineTest : public test::CheckerFixture,
                        public ::testing::WithParamInterface<CorrectCase> {};

TEST_P(CorrectLineTest, RepairsOrReports) {
    const CorrectCase& c = GetParam();
    WriteScript(c.line + "\r\n");
    ASSERT_TRUE(CorrectScript(state, prompts));

    auto boxes = Boxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back(), Summary(c.repaired, static_cast<int>(c.log.size()), 0));
    boxes.pop_back();
    EXPECT_EQ(boxes, c.boxes);
    EXPECT_EQ(Script(), c.corrected + "\r\n");
    EXPECT_EQ(Log(), LogOf(c.log));  // kept, even when every finding was repaired
    EXPECT_FALSE(state.ScriptCheckPassed);
}

CorrectCase Repaired(const char* name, std::string line, std::string corrected, int repaired) {
    return {name, std::move(line), std::move(corrected), repaired, {}, {}};
}

CorrectCase Failed(const char* name, std::string line, std::string box, std::string log) {
    std::string corrected = line;
    return {name, std::move(line), std::move(corrected), 0, {std::move(box)}, {std::move(log)}};
}

CorrectCase Reported(const char* name, std::string line, std::string text) {
    return Failed(name, std::move(line), text, text);
}

const std::string kWrongPositionsBox =
    "error! unbalanced quotes in dial command or quotes at wrong positions on line 1: ";
const std::string kWrongPositionsLog =
    "error! unbalanced quotes in dial command or quotes in wrong positions on line 1: ";

INSTANTIATE_TEST_SUITE_P(
    Lines, CorrectLineTest,
    ::testing::Values(
        Repaired("Bracket", "[:np", "[:np]", 1),
        Repaired("ToneThreeRepairs", "[:tone440,500", "[:tone<440,500>]", 3),
        Repaired("ToneGreaterThanOnly", "[:tone<440,500]", "[:tone<440,500>]", 1),
        CorrectCase{"ToneWithoutComma",
                    "[:tone440 500",
                    "[:tone<440 500>]",
                    3,
                    {"error! missing comma for separation between parameters in tone command on "
                     "line 1: [:tone<440 500>]. Cannot determine where to separate."},
                    {"error! missing comma sign , for separation between parameters in tone "
                     "command on line 1: [:tone<440 500>]"}},
        Repaired("DialWithoutQuotes", "[:dial 5551234]", "[:dial \"5551234\"]", 1),
        Repaired("DialWithoutQuotesOrBracket", "[:DIAL 5551234", "[:dial \"5551234\"]", 2),
        Repaired("DialOpeningQuoteOnly", "[:dial \"5551234]", "[:dial \"5551234\"]", 1),
        Repaired("DialClosingQuoteOnly", "[:dial 5551234\"]", "[:dial \"5551234\"]", 1),
        Repaired("DialEmpty", "[:dial ]", "[:dial \"\"]", 1),
        Failed("DialQuoteInTheMiddle", "[:dial 555\"1234]",
               kWrongPositionsBox + "[:dial 555\"1234]", kWrongPositionsLog + "[:dial 555\"1234]"),
        Failed("DialThreeQuotes", "[:dial \"555\"12\"34]",
               kWrongPositionsBox + "[:dial \"555\"12\"34]",
               kWrongPositionsLog + "[:dial \"555\"12\"34]"),
        Failed("DialTooShort", "[:dial]", kWrongPositionsBox + "[:dial]",
               kWrongPositionsLog + "[:dial]"),
        Reported("PhoneWithoutOnOff", "[:phone x]",
                 "error! unexpected statement: line 1: [:phone x]"),
        Reported("UnknownVoiceParameter", "[:dv zz 5]",
                 "error! unexpected statement on line 1: [:dv zz 5]"),
        Reported("InvalidCommand", "[:bogus \xC9]",
                 "error! invalid command: [:bogus \xC9] on line 1"),
        Reported("ToneNotAtStartLessThan", "[:np][:tone440,500>]",
                 "error! missing less-than sign < for start of parameters in tone command on line "
                 "1: [:np][:tone440,500>]"),
        Reported("DialNotAtStart", "[:np][:dial 555]",
                 "error! missing quotes for dial command. entry must have quotes around them. line "
                 "1: [:np][:dial 555]"),
        Reported("DialNotAtStartUnbalanced", "[:np][:dial \"555]",
                 "error! unbalanced quotes in dial command on line 1: [:np][:dial \"555]"),
        Reported("DialNotEndingTheLine", "[:dial 555] now",
                 "error! missing quotes for dial command. entry must have quotes around them. line "
                 "1: [:dial 555] now")),
    [](const auto& info) { return std::string(info.param.name); });

class CorrectScriptTest : public test::CheckerFixture {};

TEST_F(CorrectScriptTest, ToneNotBeginningTheLineIsNotMangled) {
    WriteScript("[:np][:tone440,500]\r\n");
    ASSERT_TRUE(CorrectScript(state, prompts));
    const std::string tail = " on line 1: [:np][:tone440,500]";
    const std::vector<std::string> expected{
        "error! missing less-than sign < for start of parameters in tone command" + tail,
        "error! missing greater-than sign > for end of parameters in tone command" + tail,
        Summary(0, 2, 0)};
    EXPECT_EQ(Boxes(), expected);
    EXPECT_EQ(Script(), "[:np][:tone440,500]\r\n");
}

TEST_F(CorrectScriptTest, WarningsAreCounted) {
    WriteScript("[:phone off]\r\n[:play gone.wav]\r\n");
    ASSERT_TRUE(CorrectScript(state, prompts));
    const std::vector<std::string> expected{
        "warning! [:phone off] statement with no [:phone on] statement on line 1.",
        "warning! specified wave file to play on line 2, gone.wav does not exist.",
        Summary(0, 0, 2)};
    EXPECT_EQ(Boxes(), expected);
    EXPECT_EQ(Log(), LogOf({expected[0], expected[1]}));
}

TEST_F(CorrectScriptTest, RepairedPhoneOnCountsForLaterLines) {
    WriteScript("[:phone on\r\n[:phone off]\r\n");
    ASSERT_TRUE(CorrectScript(state, prompts));
    EXPECT_EQ(Boxes(), std::vector<std::string>{Summary(1, 0, 0)});
}

TEST_F(CorrectScriptTest, SecondRunFindsNothing) {
    WriteScript("Hello\r\n[:tone440,500\r\n[:dial 555]\r\n[:dial \"1]\r\n[:np\r\n");
    ASSERT_TRUE(CorrectScript(state, prompts));
    EXPECT_EQ(Boxes().back(), Summary(6, 0, 0));
    const std::string corrected = Script();
    EXPECT_EQ(corrected,
              "hello\r\n[:tone<440,500>]\r\n[:dial \"555\"]\r\n[:dial \"1\"]\r\n[:np]\r\n");

    prompts.boxes.clear();
    ASSERT_TRUE(CorrectScript(state, prompts));
    EXPECT_EQ(Boxes(), std::vector<std::string>{Summary(0, 0, 0)});
    EXPECT_EQ(Script(), corrected);
    EXPECT_FALSE(folder.Exists("errors.log"));
    EXPECT_TRUE(state.ScriptCheckPassed);

    prompts.boxes.clear();
    ASSERT_TRUE(CheckScript(state, prompts));
    EXPECT_TRUE(state.ScriptCheckPassed);
}

TEST_F(CorrectScriptTest, FailureLeavesLaterLinesToBeCorrected) {
    WriteScript("[:bogus]\r\n[:np\r\n");
    ASSERT_TRUE(CorrectScript(state, prompts));
    EXPECT_EQ(Boxes().back(), Summary(1, 1, 0));
    EXPECT_EQ(Script(), "[:bogus]\r\n[:np]\r\n");
}

TEST_F(CorrectScriptTest, RewritesInLowerCaseKeepingOtherBytes) {
    WriteScript("Grüße AN ALLE \xC4\r\n[:NP]\r\n\r\n   ");
    ASSERT_TRUE(CorrectScript(state, prompts));
    EXPECT_EQ(Script(), "grüße an alle \xC4\r\n[:np]\r\n\r\n   \r\n");
    EXPECT_TRUE(state.ScriptCheckPassed);
    EXPECT_FALSE(folder.Exists("errors.log"));
}

TEST_F(CorrectScriptTest, EmptyScriptPasses) {
    folder.Write("errors.log", "old\r\n");
    WriteScript("");
    ASSERT_TRUE(CorrectScript(state, prompts));
    EXPECT_EQ(Boxes(), std::vector<std::string>{Summary(0, 0, 0)});
    EXPECT_EQ(Script(), "");
    EXPECT_FALSE(folder.Exists("errors.log"));
    EXPECT_TRUE(state.ScriptCheckPassed);
}

TEST_F(CorrectScriptTest, MissingScriptWritesNothing) {
    state.ScriptCheckPassed = true;
    EXPECT_FALSE(CorrectScript(state, prompts));
    EXPECT_EQ(Boxes(), std::vector<std::string>{"error! no script to correct."});
    EXPECT_FALSE(folder.Exists("demo.txt"));
    EXPECT_FALSE(folder.Exists("errors.log"));
    EXPECT_FALSE(state.ScriptCheckPassed);
}

TEST_F(CorrectScriptTest, IgnoresTheCheckOptions) {
    state.options.StopAfterFirstError = true;
    state.options.LogErrors = false;
    WriteScript("[:bogus]\r\n[:other]\r\n");
    ASSERT_TRUE(CorrectScript(state, prompts));
    EXPECT_EQ(Boxes().size(), 3u);
    EXPECT_TRUE(folder.Exists("errors.log"));
}

TEST_F(CorrectScriptTest, FailedRewriteIsReportedAndNotCountedAsDone) {
    WriteScript("[:NP\r\n");
    namespace fs = std::filesystem;
    fs::permissions(folder.File("demo.txt"), fs::perms::owner_read | fs::perms::group_read);
    ASSERT_TRUE(CorrectScript(state, prompts));
    fs::permissions(folder.File("demo.txt"), fs::perms::owner_write, fs::perm_options::add);

    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].icon, PromptIcon::Critical);
    EXPECT_NE(prompts.boxes[0].text.find("demo.txt"), std::string::npos);
    EXPECT_EQ(Script(), "[:NP\r\n");
    EXPECT_FALSE(state.ScriptCheckPassed);
}

}  // namespace
}  // namespace qvx
