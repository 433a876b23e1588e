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

// A script (without its last line break), corrected. "@" in a text stands
// for the corrected script.
struct CorrectCase {
    const char* name;
    std::string script;
    std::string corrected;
    int repaired;
    std::vector<std::string> boxes;  // failures and warnings, without the summary
    std::vector<std::string> log;
    int warnings = 0;
};

std::vector<std::string> Quoting(std::vector<std::string> texts, const std::string& line) {
    for (auto& text : texts) {
        if (const auto at = text.find('@'); at != std::string::npos) text.replace(at, 1, line);
    }
    return texts;
}

class CorrectLineTest : public test::CheckerFixture,
                        public ::testing::WithParamInterface<CorrectCase> {};

TEST_P(CorrectLineTest, RepairsOrReports) {
    const CorrectCase& c = GetParam();
    WriteScript(c.script + "\r\n");
    ASSERT_EQ(CorrectScript(state, prompts), Refresh::Needed);

    auto boxes = Boxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back(),
              Summary(c.repaired, static_cast<int>(c.log.size()) - c.warnings, c.warnings));
    boxes.pop_back();
    EXPECT_EQ(boxes, Quoting(c.boxes, c.corrected));
    EXPECT_EQ(Script(), c.corrected + "\r\n");
    // The log stays, empty even, unless nothing at all was found.
    const bool nothing = c.repaired == 0 && c.log.empty();
    EXPECT_EQ(Log(), nothing ? "<missing>" : LogOf(Quoting(c.log, c.corrected)));
    EXPECT_EQ(state.ScriptCheckPassed, nothing);
}

CorrectCase Repaired(const char* name, std::string script, std::string corrected, int repaired) {
    return {name, std::move(script), std::move(corrected), repaired, {}, {}};
}
// A line left as it is, with these failures or warnings.
CorrectCase Kept(const char* name, std::string line, std::vector<std::string> boxes,
                 std::vector<std::string> log, int warnings = 0) {
    std::string corrected = line;
    return {name,           std::move(line), std::move(corrected), 0, std::move(boxes),
            std::move(log), warnings};
}
CorrectCase Reported(const char* name, std::string line, std::vector<std::string> texts) {
    return Kept(name, std::move(line), texts, texts);
}

const std::string kPositions = "error! unbalanced quotes in dial command or quotes ";
const std::string kPositionsBox = kPositions + "at wrong positions on line 1: @";
const std::string kPositionsLog = kPositions + "in wrong positions on line 1: @";
const std::string kComma = " for separation between parameters in tone command on line 1: @";
const std::string kNoQuotes =
    "error! missing quotes for dial command. entry must have quotes around them. line 1: @";
const std::string kLess =
    "error! missing less-than sign < for start of parameters in tone command on line 1: @";
const std::string kGreater =
    "error! missing greater-than sign > for end of parameters in tone command on line 1: @";
const std::string kPhoneOff =
    "warning! [:phone off] statement with no [:phone on] statement on line 1.";
const std::string kGone =
    "warning! specified wave file to play on line 2, gone.wav does not exist.";

INSTANTIATE_TEST_SUITE_P(
    Scripts, CorrectLineTest,
    ::testing::Values(
        Repaired("Bracket", "[:np", "[:np]", 1),
        Repaired("ToneThreeRepairs", "[:tone440,500", "[:tone<440,500>]", 3),
        CorrectCase{"ToneWithoutComma",
                    "[:tone440 500",
                    "[:tone<440 500>]",
                    3,
                    {"error! missing comma" + kComma + ". Cannot determine where to separate."},
                    {"error! missing comma sign ," + kComma}},
        Repaired("DialWithoutQuotes", "[:dial 5551234]", "[:dial \"5551234\"]", 1),
        Repaired("DialWithoutQuotesOrBracket", "[:DIAL 5551234", "[:dial \"5551234\"]", 2),
        Repaired("DialOpeningQuoteOnly", "[:dial \"5551234]", "[:dial \"5551234\"]", 1),
        Repaired("DialNothingToDial", "[:dial]", "[:dial\"\"]", 1),
        Repaired("DialWithoutBlank", "[:dial555]", "[:dial\"555\"]", 1),
        Repaired("DialClosingQuoteWithoutBlank", "[:dial555\"]", "[:dial\"555\"]", 1),
        Kept("DialQuoteInTheMiddle", "[:dial 555\"1234]", {kPositionsBox}, {kPositionsLog}),
        Kept("DialThreeQuotes", "[:dial \"555\"12\"34]", {kPositionsBox}, {kPositionsLog}),
        Reported("InvalidCommand", "[:bogus \xC9]", {"error! invalid command: @ on line 1"}),
        // Repairs keep to the command's own span, up to its "]".
        Repaired("DialAfterACommand", "[:np][:dial 555]", "[:np][:dial \"555\"]", 1),
        Repaired("DialBeforeACommand", "[:dial 555] [:np]", "[:dial \"555\"] [:np]", 1),
        Repaired("DialOpenedBeforeText", "[:dial \"555] hello [:np]", "[:dial \"555\"] hello [:np]",
                 1),
        Repaired("ToneAfterACommand", "[:np][:tone440,500]", "[:np][:tone<440,500>]", 2),
        Repaired("ToneBeforeACommand", "[:tone<440,500] [:np]", "[:tone<440,500>] [:np]", 1),
        Reported("ToneWithoutBracketOfItsOwn", "[:np] [:tone440,500", {kLess, kGreater}),
        Reported("DialWithoutBracketOfItsOwn", "[:np] [:dial 555", {kNoQuotes}),
        Kept("Warnings", "[:phone off]\r\n[:play gone.wav]", {kPhoneOff, kGone}, {kPhoneOff, kGone},
             2),
        Repaired("RepairedPhoneOnCountsLater", "[:phone on\r\n[:phone off]",
                 "[:phone on]\r\n[:phone off]", 1),
        CorrectCase{"FailureLeavesLaterLines",
                    "[:bogus]\r\n[:np",
                    "[:bogus]\r\n[:np]",
                    1,
                    {"error! invalid command: [:bogus] on line 1"},
                    {"error! invalid command: [:bogus] on line 1"}},
        Repaired("LowerCaseKeepingOtherBytes", "Grüße AN ALLE \xC4\r\n[:NP]\r\n\r\n   ",
                 "grüße an alle \xC4\r\n[:np]\r\n\r\n   ", 0)),
    [](const auto& info) { return std::string(info.param.name); });

class CorrectScriptTest : public test::CheckerFixture {};

TEST_F(CorrectScriptTest, SecondRunFindsNothing) {
    WriteScript("Hello\r\n[:tone440,500\r\n[:dial 555]\r\n[:dial \"1]\r\n[:np");
    ASSERT_EQ(CorrectScript(state, prompts), Refresh::Needed);
    EXPECT_EQ(Boxes().back(), Summary(6, 0, 0));
    const std::string corrected = Script();
    EXPECT_EQ(corrected,
              "hello\r\n[:tone<440,500>]\r\n[:dial \"555\"]\r\n[:dial \"1\"]\r\n[:np]\r\n");

    prompts.boxes.clear();
    ASSERT_EQ(CorrectScript(state, prompts), Refresh::Needed);
    EXPECT_EQ(Boxes(), std::vector<std::string>{Summary(0, 0, 0)});
    EXPECT_EQ(Script(), corrected);
    EXPECT_FALSE(folder.Exists("errors.log"));
    ASSERT_EQ(CheckScript(state, prompts), Refresh::Needed);
    EXPECT_TRUE(state.ScriptCheckPassed);
}

TEST_F(CorrectScriptTest, EmptyScriptPassesAndMissingScriptWritesNothing) {
    state.ScriptCheckPassed = true;
    EXPECT_EQ(CorrectScript(state, prompts), Refresh::NotNeeded);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"error! no script to correct."});
    EXPECT_FALSE(folder.Exists("demo.txt"));
    EXPECT_FALSE(folder.Exists("errors.log"));
    EXPECT_FALSE(state.ScriptCheckPassed);

    prompts.boxes.clear();
    folder.Write("errors.log", "old\r\n");
    WriteScript("");
    ASSERT_EQ(CorrectScript(state, prompts), Refresh::Needed);
    EXPECT_EQ(Boxes(), std::vector<std::string>{Summary(0, 0, 0)});
    EXPECT_EQ(Script(), "");
    EXPECT_FALSE(folder.Exists("errors.log"));
    EXPECT_TRUE(state.ScriptCheckPassed);
}

// A script from another editor keeps its own line end, byte for byte.
TEST_F(CorrectScriptTest, KeepsTheScriptsLineEnd) {
    const std::pair<std::string, std::string> cases[] = {{"[:NP\nhello\n", "[:np]\nhello\n"},
                                                         {"a\rb", "a\rb\r"},
                                                         {"a\nb\r\nc", "a\nb\nc\n"},
                                                         {"[:np", "[:np]\r\n"}};
    for (const auto& [script, corrected] : cases) {
        WriteScript(script);
        ASSERT_EQ(CorrectScript(state, prompts), Refresh::Needed);
        EXPECT_EQ(Script(), corrected);
    }
}

TEST_F(CorrectScriptTest, FindsSoundFilesWhateverTheirCase) {
    folder.Write("Bell.wav", "RIFF");
    WriteScript("[:play bell.wav]\r\n[:play Bell.wav]\r\n[:PLAY BELL.WAV]\r\n");
    ASSERT_EQ(CorrectScript(state, prompts), Refresh::Needed);
    EXPECT_EQ(Boxes(), std::vector<std::string>{Summary(0, 0, 0)});
    EXPECT_TRUE(state.ScriptCheckPassed);
}

TEST_F(CorrectScriptTest, IgnoresTheCheckOptions) {
    state.options.StopAfterFirstError = true;
    state.options.LogErrors = false;
    WriteScript("[:bogus]\r\n[:other]\r\n");
    ASSERT_EQ(CorrectScript(state, prompts), Refresh::Needed);
    EXPECT_EQ(Boxes().size(), 3u);
    EXPECT_TRUE(folder.Exists("errors.log"));
}

TEST_F(CorrectScriptTest, FailedRewriteIsReportedAndNotCountedAsDone) {
    WriteScript("[:NP\r\n");
    namespace fs = std::filesystem;
    fs::permissions(folder.File("demo.txt"), fs::perms::owner_read | fs::perms::group_read);
    ASSERT_EQ(CorrectScript(state, prompts), Refresh::Needed);
    fs::permissions(folder.File("demo.txt"), fs::perms::owner_write, fs::perm_options::add);

    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].icon, PromptIcon::Critical);
    EXPECT_NE(prompts.boxes[0].text.find("demo.txt"), std::string::npos);
    EXPECT_EQ(Script(), "[:NP\r\n");
    EXPECT_FALSE(state.ScriptCheckPassed);
}

}  // namespace
}  // namespace qvx
