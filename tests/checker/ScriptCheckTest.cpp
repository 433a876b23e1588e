#include "checker/ScriptCheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "CheckerFixture.h"
#include "support/LineEnds.h"

namespace qvx {
namespace {

using test::LogOf;

// One script line, checked as line 2 below a clean "[:np]", in a folder that
// holds Present.wav and a folder "sub". "@" in a text stands for the line.
struct RuleCase {
    const char* name;
    std::string line;
    std::vector<std::string> boxes;  // the findings' boxes, without the summary
    std::vector<std::string> log;
};

std::vector<std::string> Quoting(std::vector<std::string> texts, const std::string& line) {
    for (auto& text : texts) {
        if (const auto at = text.find('@'); at != std::string::npos) text.replace(at, 1, line);
    }
    return texts;
}

class CheckRuleTest : public test::CheckerFixture,
                      public ::testing::WithParamInterface<RuleCase> {};

TEST_P(CheckRuleTest, ReportsTheFinding) {
    folder.Write("Present.wav", "RIFF");
    std::filesystem::create_directory(folder.File("sub"));
    folder.Write("errors.log", "old findings\r\n");  // replaced, never appended to
    WriteScript("[:np]\r\n" + GetParam().line + "\r\n");
    ASSERT_EQ(CheckScript(state, prompts), Refresh::Needed);

    for (const auto& box : prompts.boxes) {
        EXPECT_EQ(box.title, "quillvox");
        EXPECT_EQ(box.icon, PromptIcon::None);
    }
    auto boxes = Boxes();
    ASSERT_FALSE(boxes.empty());
    boxes.pop_back();  // the summary
    EXPECT_EQ(boxes, Quoting(GetParam().boxes, GetParam().line));
    EXPECT_EQ(Log(), GetParam().log.empty() ? "<missing>"
                                            : LogOf(Quoting(GetParam().log, GetParam().line)));
    EXPECT_EQ(state.ScriptCheckPassed, GetParam().boxes.empty());
}

RuleCase Same(const char* name, std::string line, const std::string& text) {
    return {name, std::move(line), {text}, {text}};
}
RuleCase Clean(const char* name, std::string line) {
    return {name, std::move(line), {}, {}};
}

const std::string kBracketBox = "error! missing close brackets on line 2: @";
const std::string kBracketLog = "error: missing close bracket ] on line 2: @";
const std::string kLess =
    "error! missing less-than sign < for start of parameters in tone command on line 2: @";
const std::string kGreater =
    "error! missing greater-than sign > for end of parameters in tone command on line 2: @";
const std::string kCommaBox =
    "error! missing comma for separation between parameters in tone command on line 2: @";
const std::string kCommaLog =
    "error! missing comma sign , for separation between parameters in tone command on line 2: @";
const std::string kNoQuotes =
    "error! missing quotes for dial command. entry must have quotes around them. line 2: @";
const std::string kUnbalanced = "error! unbalanced quotes in dial command on line 2: @";
const std::string kVoice = "error! unexpected statement on line 2: @";
const std::string kInvalid = "error! invalid command: @ on line 2";

INSTANTIATE_TEST_SUITE_P(
    Rules, CheckRuleTest,
    ::testing::Values(
        RuleCase{"MissingBracket", "[:np", {kBracketBox}, {kBracketLog}},
        Same("ToneWithoutLessThan", "[:tone440,500>]", kLess),
        Same("ToneWithoutGreaterThan", "[:tone<440,500]", kGreater),
        RuleCase{"ToneWithoutComma", "[:tone<440 500>]", {kCommaBox}, {kCommaLog}},
        Same("DialWithoutQuotes", "[:dial 5551234]", kNoQuotes),
        Same("DialWithOneQuote", "[:dial \"5551234]", kUnbalanced),
        Same("DialWithThreeQuotes", "[:dial \"555\"1234\"]", kUnbalanced),
        Same("PhoneWithoutOnOff", "[:phone maybe]", "error! unexpected statement: line 2: @"),
        Same("UnknownVoiceParameter", "[:dv zz 5]", kVoice),
        Same("PhoneOffWithoutOn", "[:phone off] \xe9",
             "warning! [:phone off] statement with no [:phone on] statement on line 2."),
        Same("MissingWaveFile", "[:play absent.wav]",
             "warning! specified wave file to play on line 2, absent.wav does not exist."),
        Same("PlayNamingNothing", "[:play ]",
             "warning! specified wave file to play on line 2,  does not exist."),
        Same("InvalidCommand", "[:hello]", kInvalid),
        Same("UpperCaseQuotedInLowerCase", "[:HELLO World]",
             "error! invalid command: [:hello world] on line 2"),
        Same("NonAsciiKeptByteForByte", "[:Wörter \xC9]",
             "error! invalid command: [:wörter \xC9] on line 2"),
        Same("NoKnownCommandOfTwo", "[:x][:y]", kInvalid),
        RuleCase{"MarkAtTheEnd", "[:", {kBracketBox, kInvalid}, {kBracketLog, kInvalid}},
        RuleCase{"ToneAsSecondOfThree", "[:np][:tone<1 2>][:nb]", {kCommaBox}, {kCommaLog}},
        Same("VoiceNameWithoutSpace", "[:dv ap5]", kVoice),
        Same("PlayNamingAFolder", "[:play sub]",
             "warning! specified wave file to play on line 2, sub does not exist."),
        Same("PlayNamingTheParent", "[:play ..]",
             "warning! specified wave file to play on line 2, .. does not exist."),
        Same("PlayNameWithANulByte", std::string("[:play present.wav\0.wav]", 24),
             "warning! specified wave file to play on line 2, " +
                 std::string("present.wav\0.wav", 16) + " does not exist."),
        Clean("PlayAnyCase", "[:PLAY Present.WAV]"),
        Clean("PlayAfterACommand", "[:np][:play present.wav]"),
        Clean("PlayBeforeACommand", "[:play present.wav] [:np]"),
        Clean("PlayNameInBlanks", "[:play  present.wav ]"),
        Clean("BalancedDial", "[:dial \"5551234\"]"), Clean("CompleteTone", "[:tone<440,500>]"),
        Clean("UpperCaseCommand", "[:NP]"), Clean("RateAsWritten", "[:ra 200]"),
        Clean("HatRiseAsWritten", "[:dv hr 20]"), Clean("VoiceNameLater", "[:dv xx yy ri 3]"),
        Clean("KnownCommandThird", "[:x] [:y] [:nb]"),
        Clean("CommandLaterInStringLine", "hello [:bogus")),
    [](const auto& info) { return std::string(info.param.name); });

class CheckScriptTest : public test::CheckerFixture {};

// Lines 3 and 7 hold errors; a warning on line 2 comes before the first.
constexpr const char* kTwoErrors =
    "[:np]\r\n[:phone off]\r\n[:np\r\n[:np]\r\nhello\r\n[:np]\r\n[:bogus]\r\n";
const std::string kWarning2 =
    "warning! [:phone off] statement with no [:phone on] statement on line 2.";

TEST_F(CheckScriptTest, StopAfterFirstErrorEndsAtLineThree) {
    WriteScript(kTwoErrors);
    ASSERT_EQ(CheckScript(state, prompts), Refresh::Needed);
    const std::string bracket3 = "error! missing close brackets on line 3: [:np";
    EXPECT_EQ(Boxes(), (std::vector<std::string>{
                           kWarning2, bracket3, "error! invalid command: [:bogus] on line 7",
                           "script was checked with 2 errors and 1 warnings."}));

    prompts.boxes.clear();
    state.options.StopAfterFirstError = true;
    ASSERT_EQ(CheckScript(state, prompts), Refresh::Needed);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{kWarning2, bracket3}));
    EXPECT_EQ(Log(), LogOf({kWarning2, "error: missing close bracket ] on line 3: [:np"}));
    EXPECT_FALSE(state.ScriptCheckPassed);

    // Nothing to stop at: no summary either.
    prompts.boxes.clear();
    WriteScript("[:np]\r\n");
    ASSERT_EQ(CheckScript(state, prompts), Refresh::Needed);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(state.ScriptCheckPassed);
}

TEST_F(CheckScriptTest, LogErrorsOffRemovesTheLog) {
    state.options.LogErrors = false;
    folder.Write("errors.log", "old findings\r\n");
    WriteScript("[:np\r\n");
    ASSERT_EQ(CheckScript(state, prompts), Refresh::Needed);
    EXPECT_FALSE(folder.Exists("errors.log"));
    EXPECT_FALSE(state.ScriptCheckPassed);
    EXPECT_EQ(Boxes().size(), 2u);
}

TEST_F(CheckScriptTest, EmptyScriptPassesAndMissingScriptTouchesNothing) {
    folder.Write("errors.log", "old findings\r\n");
    state.ScriptCheckPassed = true;
    EXPECT_EQ(CheckScript(state, prompts), Refresh::NotNeeded);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"error! no script to check."});
    EXPECT_EQ(Log(), "old findings\r\n");
    EXPECT_FALSE(state.ScriptCheckPassed);

    prompts.boxes.clear();
    WriteScript("");
    ASSERT_EQ(CheckScript(state, prompts), Refresh::Needed);
    EXPECT_EQ(Boxes(),
              std::vector<std::string>{"script was checked with 0 errors and 0 warnings."});
    EXPECT_FALSE(folder.Exists("errors.log"));
    EXPECT_TRUE(state.ScriptCheckPassed);
}

// The same script from any editor: the same findings on the same lines.
TEST_F(CheckScriptTest, EveryLineEndGivesTheSameFindings) {
    const std::string script = "hello\r\n[:np]\r\n[:tone 440,500]\r\n[:dial \"123]\r\n\r\n[:np";
    std::vector<std::string> expected;
    for (const std::string_view end : test::kLineEnds) {
        WriteScript(test::WithLineEnd(script, end));
        prompts.boxes.clear();
        ASSERT_EQ(CheckScript(state, prompts), Refresh::Needed);
        if (expected.empty()) expected = Boxes();
        EXPECT_EQ(Boxes(), expected);
    }
    EXPECT_EQ(expected.back(), "script was checked with 4 errors and 0 warnings.");
    EXPECT_EQ(expected[3], "error! missing close brackets on line 6: [:np");
}

// A FIFO in the script's place is refused at once, never waited on.
TEST_F(CheckScriptTest, AScriptThatIsNoPlainFileIsReported) {
    ASSERT_EQ(mkfifo(folder.File("demo.txt").c_str(), 0600), 0);
    alarm(10);
    ASSERT_EQ(CheckScript(state, prompts), Refresh::Needed);
    alarm(0);
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].icon, PromptIcon::Critical);
    EXPECT_EQ(prompts.boxes[0].text,
              "could not read the script " + folder.File("demo.txt") + ": is not a plain file.");
    EXPECT_FALSE(folder.Exists("errors.log"));
    EXPECT_FALSE(state.ScriptCheckPassed);
}

// errors.log is made anew: a link or a FIFO put in its place is replaced,
// never written through or waited on.
TEST_F(CheckScriptTest, TheLogIsAlwaysAFileOfItsOwn) {
    folder.Write("victim", "mine");
    std::filesystem::create_symlink(folder.File("victim"), folder.File("errors.log"));
    WriteScript("[:np\r\n");
    ASSERT_EQ(CheckScript(state, prompts), Refresh::Needed);
    EXPECT_EQ(folder.Read("victim"), "mine");
    EXPECT_EQ(Log(), "error: missing close bracket ] on line 1: [:np\r\n");

    std::filesystem::remove(folder.File("errors.log"));
    ASSERT_EQ(mkfifo(folder.File("errors.log").c_str(), 0600), 0);
    alarm(10);
    ASSERT_EQ(CheckScript(state, prompts), Refresh::Needed);
    alarm(0);
    EXPECT_EQ(Log(), "error: missing close bracket ] on line 1: [:np\r\n");
}

TEST_F(CheckScriptTest, UnwritableLogIsReportedAndTheCheckGoesOn) {
    std::filesystem::create_directory(folder.File("errors.log"));
    WriteScript("[:np\r\n");
    ASSERT_EQ(CheckScript(state, prompts), Refresh::Needed);
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_NE(boxes[0].find("errors.log"), std::string::npos);
    EXPECT_EQ(prompts.boxes[0].icon, PromptIcon::Critical);
    EXPECT_EQ(boxes[2], "script was checked with 1 errors and 0 warnings.");
}

TEST_F(CheckScriptTest, PhoneOffNeedsAnEarlierExactPhoneOn) {
    struct Case {
        const char* script;
        bool warned;
    };
    for (const Case& c :
         {Case{"[:phone on]\r\n[:np]\r\n[:phone off]\r\n", false},
          Case{"[:PHONE ON]\r\n[:phone off]\r\n", false}, Case{"[:np]\r\n[:phone off]\r\n", true},
          Case{"[:phone off]\r\n[:phone on]\r\n", true},
          Case{"[:phone on] \r\n[:phone off]\r\n", true},
          Case{"[:np][:phone on]\r\n[:phone off]\r\n", true}}) {
        WriteScript(c.script);
        ASSERT_EQ(CheckScript(state, prompts), Refresh::Needed);
        EXPECT_EQ(!state.ScriptCheckPassed, c.warned) << c.script;
    }
}

}  // namespace
}  // namespace qvx
