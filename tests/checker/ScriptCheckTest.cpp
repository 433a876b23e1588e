#include "checker/ScriptCheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "CheckerFixture.h"

namespace qvx {
namespace {

using test::LogOf;

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
const std::string kInvalid = "error! invalid command: @ on line 2";
const std::string kNoWave = "warning! specified wave file to play on line 2, ";

std::vector<std::string> Quoting(std::vector<std::string> texts, const std::string& line) {
    for (auto& text : texts) {
        if (const auto at = text.find('@'); at != std::string::npos) text.replace(at, 1, line);
    }
    return texts;
}

// One script line, checked as line 2 below a clean "[:np]", in a folder that
// holds Present.wav and a folder "sub"; its findings' boxes and log lines
// (the same texts when no log is given). "@" in a text stands for the line.
struct RuleCase {
    std::string line;
    std::vector<std::string> boxes;
    std::vector<std::string> log = boxes;
    const char* name = nullptr;  // for a line that does not name itself
};

const RuleCase kRuleCases[] = {
    {"[:np", {kBracketBox}, {kBracketLog}},
    {"[:tone440,500>]", {kLess}},
    {"[:tone<440,500]", {kGreater}},
    {"[:tone<440 500>]", {kCommaBox}, {kCommaLog}},
    {"[:dial 5551234]", {kNoQuotes}},
    {"[:dial \"5551234]", {kUnbalanced}},
    {"[:dial \"555\"1234\"]", {kUnbalanced}},
    {"[:phone maybe]", {"error! unexpected statement: line 2: @"}},
    {"[:dv zz 5]", {"error! unexpected statement on line 2: @"}},
    {"[:dv ap5]", {"error! unexpected statement on line 2: @"}},
    {"[:phone off] \xe9",
     {"warning! [:phone off] statement with no [:phone on] statement on line 2."}},
    {"[:play absent.wav]", {kNoWave + "absent.wav does not exist."}},
    {"[:play ]", {kNoWave + " does not exist."}},
    {"[:play sub]", {kNoWave + "sub does not exist."}},
    {std::string("[:play present.wav\0.wav]", 24),
     {kNoWave + std::string("present.wav\0.wav", 16) + " does not exist."}},
    {"[:hello]", {kInvalid}},
    {"[:Wörter \xC9]", {"error! invalid command: [:wörter \xC9] on line 2"}},
    {"[:", {kBracketBox, kInvalid}, {kBracketLog, kInvalid}},
    // Clean: sound files in any case, beside other commands; the rate and hat
    // rise the writers produce; a command later in a line of text.
    {"[:PLAY Present.WAV]", {}},
    {"[:np][:play present.wav]", {}},
    {"[:play  present.wav ] [:np]", {}},
    {"[:dial \"5551234\"]", {}},
    {"[:tone<440,500>]", {}},
    {"[:NP]", {}},
    {"[:ra 200]", {}},
    {"[:dv hr 20]", {}},
    {"[:x] [:y] [:nb]", {}},
    {"hello [:bogus", {}},
    {.line = "U.S.A.U.S.A.U.S.A.U.S.A.U.S.A.U.S.A.U.S.A.U.S.A.U.S.A.U.S.A.U.S.A.U.S.A.U.S.A.U.S.A."
             "U.S.A.U.S.A.U.S.A.U.S.A.U.S.A.U.S.A.U.S.A.U.S.A.U.S.A.U.S.A.U.S.A.U.S.A.U.S.A.U.S.A.",
     .boxes = {},
     .name = "a long run of dotted letters"},
};

TEST(CheckRuleTest, ReportsEachFindingInABoxAndTheLog) {
    for (const RuleCase& c : kRuleCases) {
        SCOPED_TRACE(c.name ? c.name : testing::PrintToString(c.line));
        test::CheckerFolder f;
        f.folder.Write("Present.wav", "RIFF");
        std::filesystem::create_directory(f.folder.File("sub"));
        f.folder.Write("errors.log", "old findings\r\n");  // replaced, never appended to
        f.WriteScript("[:np]\r\n" + c.line + "\r\n");
        ASSERT_EQ(CheckScript(f.state, f.prompts), Refresh::Needed);
        for (const auto& box : f.prompts.boxes) {
            EXPECT_EQ(box.title, "quillvox");
            EXPECT_EQ(box.icon, PromptIcon::None);
        }
        auto boxes = f.Boxes();
        boxes.pop_back();  // the summary
        EXPECT_EQ(boxes, Quoting(c.boxes, c.line));
        EXPECT_EQ(f.Log(), c.log.empty() ? "<missing>" : LogOf(Quoting(c.log, c.line)));
        EXPECT_EQ(f.state.ScriptCheckPassed, c.boxes.empty());
    }
}

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

// A FIFO in the script's place is refused at once, never waited on; the
// log is made anew: a link or a FIFO put in its place is replaced, never
// written through or waited on, and one that cannot be made is reported
// while the check goes on.
TEST_F(CheckScriptTest, FilesThatAreNoPlainFiles) {
    ASSERT_EQ(mkfifo(folder.File("demo.txt").c_str(), 0600), 0);
    alarm(10);
    ASSERT_EQ(CheckScript(state, prompts), Refresh::Needed);
    EXPECT_EQ(Boxes(),
              std::vector<std::string>{"could not read the script " + folder.File("demo.txt") +
                                       ": is not a plain file."});
    EXPECT_EQ(prompts.boxes[0].icon, PromptIcon::Critical);
    EXPECT_FALSE(folder.Exists("errors.log"));

    std::filesystem::remove(folder.File("demo.txt"));
    WriteScript("[:np\r\n");
    folder.Write("victim", "mine");
    std::filesystem::create_symlink(folder.File("victim"), folder.File("errors.log"));
    ASSERT_EQ(CheckScript(state, prompts), Refresh::Needed);
    EXPECT_EQ(folder.Read("victim"), "mine");
    EXPECT_EQ(Log(), "error: missing close bracket ] on line 1: [:np\r\n");
    std::filesystem::remove(folder.File("errors.log"));
    ASSERT_EQ(mkfifo(folder.File("errors.log").c_str(), 0600), 0);
    ASSERT_EQ(CheckScript(state, prompts), Refresh::Needed);
    alarm(0);
    EXPECT_EQ(Log(), "error: missing close bracket ] on line 1: [:np\r\n");

    std::filesystem::remove(folder.File("errors.log"));
    std::filesystem::create_directory(folder.File("errors.log"));
    prompts.boxes.clear();
    ASSERT_EQ(CheckScript(state, prompts), Refresh::Needed);
    ASSERT_EQ(Boxes().size(), 3u);
    EXPECT_NE(Boxes()[0].find("errors.log"), std::string::npos);
    EXPECT_EQ(Boxes()[2], "script was checked with 1 errors and 0 warnings.");
}

TEST_F(CheckScriptTest, PhoneOffNeedsAnEarlierExactPhoneOn) {
    struct Case {
        const char* script;
        bool warned;
    };
    for (const Case& c : {Case{"[:PHONE ON]\r\n[:np]\r\n[:phone off]\r\n", false},
                          Case{"[:phone off]\r\n[:phone on]\r\n", true},
                          Case{"[:phone on] \r\n[:phone off]\r\n", true}}) {
        SCOPED_TRACE(testing::PrintToString(c.script));
        WriteScript(c.script);
        ASSERT_EQ(CheckScript(state, prompts), Refresh::Needed);
        EXPECT_EQ(!state.ScriptCheckPassed, c.warned);
    }
}

}  // namespace
}  // namespace qvx
