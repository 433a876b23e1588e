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

std::vector<std::string> Quoting(std::vector<std::string> texts, const std::string& line) {
    for (auto& text : texts) {
        if (const auto at = text.find('@'); at != std::string::npos) text.replace(at, 1, line);
    }
    return texts;
}

const std::string kPositions = "error! unbalanced quotes in dial command or quotes ";
const std::string kComma = " for separation between parameters in tone command on line 1: @";
const std::string kPhoneOff =
    "warning! [:phone off] statement with no [:phone on] statement on line 1.";
const std::string kGone =
    "warning! specified wave file to play on line 2, gone.wav does not exist.";

// A script (without its last line break) and what the corrector makes of it
// ("" when it stays as it is): its repairs, its failures' and warnings'
// boxes and log lines ("@" stands for the corrected script), and how many of
// them are warnings.
struct CorrectCase {
    std::string script;
    std::string corrected;
    int repaired;
    std::vector<std::string> boxes = {};
    std::vector<std::string> log = boxes;
    int warnings = 0;
};

const CorrectCase kCorrectCases[] = {
    {"[:np", "[:np]", 1},
    {"[:tone440,500", "[:tone<440,500>]", 3},
    {"[:tone440 500",
     "[:tone<440 500>]",
     3,
     {"error! missing comma" + kComma + ". Cannot determine where to separate."},
     {"error! missing comma sign ," + kComma}},
    {"[:dial 5551234]", "[:dial \"5551234\"]", 1},
    {"[:DIAL 5551234", "[:dial \"5551234\"]", 2},
    {"[:dial \"5551234]", "[:dial \"5551234\"]", 1},
    {"[:dial]", "[:dial\"\"]", 1},
    {"[:dial555]", "[:dial\"555\"]", 1},
    {"[:dial555\"]", "[:dial\"555\"]", 1},
    {"[:dial 555\"1234]",
     "",
     0,
     {kPositions + "at wrong positions on line 1: @"},
     {kPositions + "in wrong positions on line 1: @"}},
    {"[:dial \"555\"12\"34]",
     "",
     0,
     {kPositions + "at wrong positions on line 1: @"},
     {kPositions + "in wrong positions on line 1: @"}},
    {"[:bogus \xC9]", "", 0, {"error! invalid command: @ on line 1"}},
    // Repairs keep to the command's own span, up to its "]".
    {"[:np][:dial 555]", "[:np][:dial \"555\"]", 1},
    {"[:dial 555] [:np]", "[:dial \"555\"] [:np]", 1},
    {"[:dial \"555] hello [:np]", "[:dial \"555\"] hello [:np]", 1},
    {"[:np][:tone440,500]", "[:np][:tone<440,500>]", 2},
    {"[:tone<440,500] [:np]", "[:tone<440,500>] [:np]", 1},
    {"[:np] [:tone440,500",
     "",
     0,
     {"error! missing less-than sign < for start of parameters in tone command on line 1: @",
      "error! missing greater-than sign > for end of parameters in tone command on line 1: @"}},
    {"[:np] [:dial 555",
     "",
     0,
     {"error! missing quotes for dial command. entry must have quotes around them. line 1: @"}},
    {"[:phone off]\r\n[:play gone.wav]", "", 0, {kPhoneOff, kGone}, {kPhoneOff, kGone}, 2},
    {"[:phone on\r\n[:phone off]", "[:phone on]\r\n[:phone off]", 1},
    {"[:bogus]\r\n[:np", "[:bogus]\r\n[:np]", 1, {"error! invalid command: [:bogus] on line 1"}},
    {"Grüße AN ALLE \xC4\r\n[:NP]\r\n\r\n   ", "grüße an alle \xC4\r\n[:np]\r\n\r\n   ", 0},
};

TEST(CorrectLineTest, RepairsOrReports) {
    for (const CorrectCase& c : kCorrectCases) {
        SCOPED_TRACE(testing::PrintToString(c.script));
        test::CheckerFolder f;
        const std::string corrected = c.corrected.empty() ? c.script : c.corrected;
        f.WriteScript(c.script + "\r\n");
        ASSERT_EQ(CorrectScript(f.state, f.prompts), Refresh::Needed);
        auto boxes = f.Boxes();
        EXPECT_EQ(boxes.back(),
                  Summary(c.repaired, static_cast<int>(c.log.size()) - c.warnings, c.warnings));
        boxes.pop_back();
        EXPECT_EQ(boxes, Quoting(c.boxes, corrected));
        EXPECT_EQ(f.Script(), corrected + "\r\n");
        // The log stays, empty even, unless nothing at all was found.
        const bool nothing = c.repaired == 0 && c.log.empty();
        EXPECT_EQ(f.Log(), nothing ? "<missing>" : LogOf(Quoting(c.log, corrected)));
        EXPECT_EQ(f.state.ScriptCheckPassed, nothing);
    }
}

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
    const std::string cases[][3] = {{"LF", "[:NP\nhello\n", "[:np]\nhello\n"},
                                    {"CR", "a\rb", "a\rb\r"},
                                    {"first end wins", "a\nb\r\nc", "a\nb\nc\n"},
                                    {"no end: CR LF", "[:np", "[:np]\r\n"}};
    for (const auto& [name, script, corrected] : cases) {
        SCOPED_TRACE(name);
        WriteScript(script);
        ASSERT_EQ(CorrectScript(state, prompts), Refresh::Needed);
        EXPECT_EQ(Script(), corrected);
    }
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
