// The rules read what one pass over each line gathered (where commands begin,
// which bytes occur); these cases hold that pass to the plain reading of the
// rules where it could go wrong: several commands on a line, bytes from 128
// on, and names found only at the spaces of a line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checker/ScriptCheck.h"
#include "checker/ScriptCorrector.h"
#include "checker/ScriptLines.h"

namespace qvx {
namespace {

struct ScanCase {
    const char* name;
    std::string line;                // lower case, as loaded
    std::vector<std::string> found;  // the log texts of the full check, line 1
};

class LineScanTest : public ::testing::TestWithParam<ScanCase> {};

TEST_P(LineScanTest, FindsWhatTheRulesSay) {
    const ScanCase& c = GetParam();
    const auto findings = FindScriptFindings(ScriptLines(c.line + "\r\n"), "/nowhere", false);
    std::vector<std::string> found;
    for (const ScriptFinding& finding : findings) found.push_back(finding.logText);
    EXPECT_EQ(found, c.found);
}

const std::string kBracket = "error: missing close bracket ] on line 1: ";
const std::string kInvalid = "error! invalid command: ";
const std::string kUnexpected = "error! unexpected statement on line 1: ";
const std::string kNoQuotes =
    "error! missing quotes for dial command. entry must have quotes around them. line 1: ";

INSTANTIATE_TEST_SUITE_P(
    Lines, LineScanTest,
    ::testing::Values(
        // 0xdd and 0xa2 share their low six bits with "]" and "\"".
        ScanCase{"ByteLikeBracket", "[:np\xdd", {kBracket + "[:np\xdd"}},
        ScanCase{"ByteLikeQuote",
                 "[:dial \xa2"
                 "555\xa2]",
                 {kNoQuotes + "[:dial \xa2"
                              "555\xa2]"}},
        ScanCase{"NonAsciiAndPhoneOff",
                 "[:phone off] \xe9",
                 {"warning! [:phone off] statement with no [:phone on] statement on line 1."}},
        ScanCase{"KnownCommandSecond", "[:bogus][:np]", {}},
        ScanCase{"KnownCommandThird", "[:x] [:y] [:nb]", {}},
        ScanCase{"NoKnownCommandOfTwo", "[:x][:y]", {kInvalid + "[:x][:y] on line 1"}},
        ScanCase{"MarkAtTheEnd", "[:", {kBracket + "[:", kInvalid + "[: on line 1"}},
        ScanCase{"ToneAfterAnotherCommand", "[:np][:tone<1,2>]", {}},
        ScanCase{"ToneAsSecondOfThree",
                 "[:np][:tone<1 2>][:nb]",
                 {"error! missing comma sign , for separation between parameters in tone command "
                  "on line 1: [:np][:tone<1 2>][:nb]"}},
        ScanCase{"VoiceNameLater", "[:dv xx yy ri 3]", {}},
        ScanCase{"VoiceNameLast", "[:dv 3 nf ]", {}},
        ScanCase{"VoiceNameWithoutSpace", "[:dv ap5]", {kUnexpected + "[:dv ap5]"}},
        ScanCase{"VoiceNameSplitBySpace", "[:dv a p 5]", {kUnexpected + "[:dv a p 5]"}},
        ScanCase{"VoiceNameInCapitalsIsNotLoweredHere", "[:dv AP 5]", {kUnexpected + "[:dv AP 5]"}},
        ScanCase{"VoiceNameAfterByteFrom128", "[:dv \xe9g1 5]", {}}),
    [](const auto& info) { return std::string(info.param.name); });

// The corrected text is put together from runs of unchanged lines and the
// repaired ones: every line must come out once, in its place.
TEST(CorrectScriptLinesTest, RepairedLinesStandInTheirPlaces) {
    const std::string loaded =
        "[:np\r\nkept one\r\n\r\n[:dial 5]\r\n[:nb]\r\nkept two\r\n[:tone1,2";
    const ScriptCorrection correction = CorrectScriptLines(ScriptLines(loaded), "/nowhere");
    EXPECT_EQ(correction.text,
              "[:np]\r\nkept one\r\n\r\n[:dial \"5\"]\r\n[:nb]\r\nkept two\r\n[:tone<1,2>]\r\n");
    EXPECT_EQ(correction.repaired, 5);
    EXPECT_TRUE(correction.findings.empty());
    EXPECT_FALSE(correction.FoundNothing());
}

TEST(CorrectScriptLinesTest, UnchangedScriptComesOutWhole) {
    const std::string loaded = "[:np]\r\n\r\nhello \xe9\r\n[:bogus]";
    const ScriptCorrection correction = CorrectScriptLines(ScriptLines(loaded), "/nowhere");
    EXPECT_EQ(correction.text, loaded + "\r\n");
    EXPECT_EQ(correction.repaired, 0);
    ASSERT_EQ(correction.findings.size(), 1u);
    EXPECT_EQ(correction.findings[0].line, 4);
    EXPECT_EQ(correction.Count(FindingKind::Error), 1);
    EXPECT_EQ(correction.Count(FindingKind::Warning), 0);
}

TEST(CorrectScriptLinesTest, FailureAfterRepairQuotesTheRepairedLine) {
    const ScriptCorrection correction =
        CorrectScriptLines(ScriptLines("ok\r\n[:tone1 2\r\n[:phone off]"), "/nowhere");
    EXPECT_EQ(correction.text, "ok\r\n[:tone<1 2>]\r\n[:phone off]\r\n");
    EXPECT_EQ(correction.repaired, 3);
    ASSERT_EQ(correction.findings.size(), 2u);
    EXPECT_EQ(correction.findings[0].line, 2);
    EXPECT_EQ(correction.findings[0].logText,
              "error! missing comma sign , for separation between parameters in tone command on "
              "line 2: [:tone<1 2>]");
    EXPECT_EQ(correction.findings[1].kind, FindingKind::Warning);
    EXPECT_EQ(correction.Count(FindingKind::Warning), 1);
}

TEST(CorrectScriptLinesTest, NoLinesNoText) {
    const ScriptCorrection correction = CorrectScriptLines(ScriptLines(""), "/nowhere");
    EXPECT_EQ(correction.text, "");
    EXPECT_TRUE(correction.FoundNothing());
}

}  // namespace
}  // namespace qvx
