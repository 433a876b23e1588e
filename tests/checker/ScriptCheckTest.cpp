#include "checker/ScriptCheck.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CheckerFixture.h"

namespace qvx {
namespace {

using test::LogOf;

// One script line, checked as line 2 below a clean "[:np]".
struct RuleCase {
    const char* name;
    std::string line;
    std::vector<std::string> boxes;  // the findings' boxes, without the summary
    std::vector<std::string> log;
};

class CheckRuleTest : public test::CheckerFixture,
                      public ::testing::WithParamInterface<RuleCase> {};

TEST_P(CheckRuleTest, ReportsTheFinding) {
    folder.Write("present.wav", "RIFF");
    WriteScript("[:np]\r\n" + GetParam().line + "\r\n");
    ASSERT_TRUE(CheckScript(state, prompts));

    auto boxes = Boxes();
    ASSERT_FALSE(boxes.empty());
    boxes.pop_back();  // the summary, tested on its own
    EXPECT_EQ(boxes, GetParam().boxes);
    EXPECT_EQ(Log(), GetParam().log.empty() ? "<missing>" : LogOf(GetParam().log));
    EXPECT_EQ(state.ScriptCheckPassed, GetParam().boxes.empty());
}

RuleCase Same(const char* name, std::string line, std::string text) {
    return {name, std::move(line), {text}, {text}};
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CheckRuleTest,
    ::testing::Values(
        RuleCase{"MissingBracket",
                 "[:np",
                 {"error! missing close brackets on line 2: [:np"},
                 {"error: missing close bracket ] on line 2: [:np"}},
        Same("ToneWithoutLessThan", "[:tone440,500>]",
             "error! missing less-than sign < for start of parameters in tone command on line 2: "
             "[:tone440,500>]"),
        Same("ToneWithoutGreaterThan", "[:tone<440,500]",
             "error! missing greater-than sign > for end of parameters in tone command on line 2: "
             "[:tone<440,500]"),
        RuleCase{"ToneWithoutComma",
                 "[:tone<440 500>]",
                 {"error! missing comma for separation between parameters in tone command on line "
                  "2: [:tone<440 500>]"},
                 {"error! missing comma sign , for separation between parameters in tone command "
                  "on line 2: [:tone<440 500>]"}},
        Same("DialWithoutQuotes", "[:dial 5551234]",
             "error! missing quotes for dial command. entry must have quotes around them. line 2: "
             "[:dial 5551234]"),
        Same("DialWithOneQuote", "[:dial \"5551234]",
             "error! unbalanced quotes in dial command on line 2: [:dial \"5551234]"),
        Same("DialWithThreeQuotes", "[:dial \"555\"1234\"]",
             "error! unbalanced quotes in dial command on line 2: [:dial \"555\"1234\"]"),
        Same("PhoneWithoutOnOff", "[:phone maybe]",
             "error! unexpected statement: line 2: [:phone maybe]"),
        Same("UnknownVoiceParameter", "[:dv zz 5]",
             "error! unexpected statement on line 2: [:dv zz 5]"),
        Same("PhoneOffWithoutOn", "[:phone off]",
             "warning! [:phone off] statement with no [:phone on] statement on line 2."),
        Same("MissingWaveFile", "[:play absent.wav]",
             "warning! specified wave file to play on line 2, absent.wav does not exist."),
        Same("PlayNamingNothing", "[:play ]",
             "warning! specified wave file to play on line 2,  does not exist."),
        Same("InvalidCommand", "[:hello]", "error! invalid command: [:hello] on line 2"),
        Same("UpperCaseQuotedInLowerCase", "[:HELLO World]",
             "error! invalid command: [:hello world] on line 2"),
        Same("NonAsciiKeptByteForByte", "[:Wörter \xC9]",
             "error! invalid command: [:wörter \xC9] on line 2"),
        RuleCase{"PresentWaveFile", "[:play present.wav]", {}, {}},
        RuleCase{"PresentWaveFileInCapitals", "[:PLAY Present.WAV]", {}, {}},
        RuleCase{"BalancedDial", "[:dial \"5551234\"]", {}, {}},
        RuleCase{"CompleteTone", "[:tone<440,500>]", {}, {}},
        RuleCase{"VoiceParameter", "[:dv ap 120]", {}, {}},
        RuleCase{"UpperCaseCommand", "[:NP]", {}, {}},
        RuleCase{"RateAsWritten", "[:ra 200]", {}, {}},
        RuleCase{"HatRiseAsWritten", "[:dv hr 20]", {}, {}},
        RuleCase{"CommandLaterInStringLine", "hello [:bogus", {}, {}},
        RuleCase{"IndentedCommandIsText", "  [:bogus", {}, {}},
        RuleCase{"SungPhonemeIsText", "[aa<500,13>]", {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

class CheckScriptTest : public test::CheckerFixture {};

TEST_F(CheckScriptTest, SeveralFindingsOnOneLineInRuleOrder) {
    WriteScript("[:tone440 500\r\n");
    ASSERT_TRUE(CheckScript(state, prompts));
    const std::string line = ": [:tone440 500";
    const std::vector<std::string> expected{
        "error! missing close brackets on line 1" + line,
        "error! missing less-than sign < for start of parameters in tone command on line 1" + line,
        "error! missing greater-than sign > for end of parameters in tone command on line 1" + line,
        "error! missing comma for separation between parameters in tone command on line 1" + line,
        "script was checked with 4 errors and 0 warnings."};
    EXPECT_EQ(Boxes(), expected);
    EXPECT_EQ(Log(),
              LogOf({"error: missing close bracket ] on line 1" + line, expected[1], expected[2],
                     "error! missing comma sign , for separation between parameters in tone "
                     "command on line 1" +
                         line}));
}

TEST_F(CheckScriptTest, EveryBoxIsPlainWithTheApplicationTitle) {
    WriteScript("[:np\r\n");
    ASSERT_TRUE(CheckScript(state, prompts));
    ASSERT_EQ(prompts.boxes.size(), 2u);
    for (const auto& box : prompts.boxes) {
        EXPECT_EQ(box.title, "quillvox");
        EXPECT_EQ(box.icon, PromptIcon::None);
    }
}

// Lines 3 and 7 hold errors; a warning on line 2 comes before the first.
constexpr const char* kTwoErrors =
    "[:np]\r\n[:phone off]\r\n[:np\r\n[:np]\r\nhello\r\n[:np]\r\n[:bogus]\r\n";

TEST_F(CheckScriptTest, StopAfterFirstErrorEndsAtLineThree) {
    state.options.StopAfterFirstError = true;
    WriteScript(kTwoErrors);
    ASSERT_TRUE(CheckScript(state, prompts));
    const std::vector<std::string> expected{
        "warning! [:phone off] statement with no [:phone on] statement on line 2.",
        "error! missing close brackets on line 3: [:np"};
    EXPECT_EQ(Boxes(), expected);
    EXPECT_EQ(Log(), LogOf({expected[0], "error: missing close bracket ] on line 3: [:np"}));
    EXPECT_FALSE(state.ScriptCheckPassed);
}

TEST_F(CheckScriptTest, WithoutStopBothErrorsAndTheSummary) {
    WriteScript(kTwoErrors);
    ASSERT_TRUE(CheckScript(state, prompts));
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[2], "error! invalid command: [:bogus] on line 7");
    EXPECT_EQ(boxes[3], "script was checked with 2 errors and 1 warnings.");
}

TEST_F(CheckScriptTest, StopAfterFirstErrorShowsNoSummaryForACleanScript) {
    state.options.StopAfterFirstError = true;
    WriteScript("[:np]\r\n");
    ASSERT_TRUE(CheckScript(state, prompts));
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(state.ScriptCheckPassed);
    EXPECT_FALSE(folder.Exists("errors.log"));
}

TEST_F(CheckScriptTest, LogErrorsOffRemovesTheLog) {
    state.options.LogErrors = false;
    WriteScript("[:np\r\n");
    ASSERT_TRUE(CheckScript(state, prompts));
    EXPECT_FALSE(folder.Exists("errors.log"));
    EXPECT_FALSE(state.ScriptCheckPassed);
    EXPECT_EQ(Boxes().size(), 2u);
}

TEST_F(CheckScriptTest, LogIsWrittenAfterEachBoxCloses) {
    WriteScript("[:np\r\n[:bogus]\r\n");
    std::vector<std::string> logWhileOpen;
    prompts.onBox = [&](const RecordingPrompts::Box&) { logWhileOpen.push_back(Log()); };
    ASSERT_TRUE(CheckScript(state, prompts));
    ASSERT_EQ(logWhileOpen.size(), 3u);
    EXPECT_EQ(logWhileOpen[0], "");
    EXPECT_EQ(logWhileOpen[1], LogOf({"error: missing close bracket ] on line 1: [:np"}));
}

TEST_F(CheckScriptTest, EmptyScriptPasses) {
    folder.Write("errors.log", "old findings\r\n");
    WriteScript("");
    ASSERT_TRUE(CheckScript(state, prompts));
    EXPECT_EQ(Boxes(),
              std::vector<std::string>{"script was checked with 0 errors and 0 warnings."});
    EXPECT_FALSE(folder.Exists("errors.log"));
    EXPECT_TRUE(state.ScriptCheckPassed);
}

TEST_F(CheckScriptTest, MissingScriptTouchesNothing) {
    folder.Write("errors.log", "old findings\r\n");
    state.ScriptCheckPassed = true;
    EXPECT_FALSE(CheckScript(state, prompts));
    EXPECT_EQ(Boxes(), std::vector<std::string>{"error! no script to check."});
    EXPECT_EQ(Log(), "old findings\r\n");
    EXPECT_FALSE(state.ScriptCheckPassed);
}

TEST_F(CheckScriptTest, ALaterRunReplacesTheLog) {
    WriteScript("[:bogus]\r\n");
    ASSERT_TRUE(CheckScript(state, prompts));
    WriteScript("[:np\r\n");
    ASSERT_TRUE(CheckScript(state, prompts));
    EXPECT_EQ(Log(), LogOf({"error: missing close bracket ] on line 1: [:np"}));
}

TEST_F(CheckScriptTest, UnwritableLogIsReportedAndTheCheckGoesOn) {
    std::filesystem::create_directory(folder.File("errors.log"));
    WriteScript("[:np\r\n");
    ASSERT_TRUE(CheckScript(state, prompts));
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_NE(boxes[0].find("errors.log"), std::string::npos);
    EXPECT_EQ(prompts.boxes[0].icon, PromptIcon::Critical);
    EXPECT_EQ(boxes[2], "script was checked with 1 errors and 0 warnings.");
}

struct PhoneOnCase {
    const char* name;
    std::string script;
    bool warned;
};

class PhoneOffTest : public test::CheckerFixture,
                     public ::testing::WithParamInterface<PhoneOnCase> {};

TEST_P(PhoneOffTest, NeedsAnEarlierExactPhoneOn) {
    WriteScript(GetParam().script);
    ASSERT_TRUE(CheckScript(state, prompts));
    EXPECT_EQ(!state.ScriptCheckPassed, GetParam().warned) << ::testing::PrintToString(Boxes());
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, PhoneOffTest,
    ::testing::Values(PhoneOnCase{"FirstLineOn", "[:phone on]\r\n[:np]\r\n[:phone off]\r\n", false},
                      PhoneOnCase{"OnInCapitals", "[:PHONE ON]\r\n[:phone off]\r\n", false},
                      PhoneOnCase{"NoOn", "[:np]\r\n[:phone off]\r\n", true},
                      PhoneOnCase{"OnOnlyLater", "[:phone off]\r\n[:phone on]\r\n", true},
                      PhoneOnCase{"OnWithTrailingSpace", "[:phone on] \r\n[:phone off]\r\n", true},
                      PhoneOnCase{"OnWithOtherText", "[:np][:phone on]\r\n[:phone off]\r\n", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FindScriptFindingsTest, GivesLineKindAndBothTexts) {
    const ScriptLines lines("[:np]\r\n[:phone off]\r\n[:tone<1 2>]\r\n[:bogus]\r\n");
    const auto findings = FindScriptFindings(lines, "/nowhere", false);
    ASSERT_EQ(findings.size(), 3u);
    EXPECT_EQ(findings[0].line, 2);
    EXPECT_EQ(findings[0].kind, FindingKind::Warning);
    EXPECT_EQ(findings[1].line, 3);
    EXPECT_EQ(findings[1].kind, FindingKind::Error);
    EXPECT_NE(findings[1].boxText, findings[1].logText);
    EXPECT_EQ(findings[1].logText,
              "error! missing comma sign , for separation between parameters in tone command on "
              "line 3: [:tone<1 2>]");
    EXPECT_EQ(findings[2].line, 4);

    const auto stopped = FindScriptFindings(lines, "/nowhere", true);
    ASSERT_EQ(stopped.size(), 2u);
    EXPECT_EQ(stopped[1].line, 3);
}

}  // namespace
}  // namespace qvx
