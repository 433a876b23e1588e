#include "checker/TypedCheck.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/RecordingPrompts.h"
#include "support/TempFolder.h"

namespace qvx {
namespace {

struct Box {
    std::string title;
    std::string text;
    bool operator==(const Box&) const = default;
};

void PrintTo(const Box& box, std::ostream* out) {
    *out << box.title << ": " << box.text;
}

struct TypedCase {
    const char* name;
    std::string text;
    std::vector<Box> boxes;
    std::optional<TextSelection> selection;
};

void PrintTo(const TypedCase& c, std::ostream* out) {
    *out << c.name;
}

class TypedCheckTest : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedCheckTest, ShowsBoxesAndSelects) {
    test::TempFolder folder;
    folder.Write("Present.wav", "RIFF");
    RecordingPrompts prompts;
    const auto selection = CheckTypedText(GetParam().text, folder.paths(), prompts);
    std::vector<Box> boxes;
    for (const auto& box : prompts.boxes) {
        EXPECT_EQ(box.icon, PromptIcon::Exclamation);
        boxes.push_back({box.title, box.text});
    }
    EXPECT_EQ(boxes, GetParam().boxes);
    EXPECT_EQ(selection, GetParam().selection);
}

const std::string kLess = "missing less-than sign < for start of parameters in tone command.";
const std::string kGreater = "missing greater-than sign > for end of parameters in tone command.";
const std::string kComma = "missing comma for separation between parameters in tone command.";

TextSelection Whole(const std::string& text) {
    return {0, text.size()};
}

INSTANTIATE_TEST_SUITE_P(
    OneLine, TypedCheckTest,
    ::testing::Values(
        TypedCase{"MissingBracket", "[:np", {{"error", "missing close brackets."}}, Whole("[:np")},
        TypedCase{"Clean", "[:np]", {}, std::nullopt},
        TypedCase{"ToneMissingAllThree",
                  "[:tone440 500]",
                  {{"Error", kLess}, {"Error", kGreater}, {"Error", kComma}},
                  Whole("[:tone440 500]")},
        TypedCase{
            "DialWithoutQuotes",
            "[:dial 555]",
            {{"Error", "missing quotes for dial command. entry must have quotes around them."}},
            Whole("[:dial 555]")},
        TypedCase{"DialUnbalanced",
                  "[:dial \"555]",
                  {{"Error", "unbalanced quotes in dial command."}},
                  Whole("[:dial \"555]")},
        TypedCase{"PhoneWithoutOnOff",
                  "[:phone x]",
                  {{"Error", "unexpected statement. Missing on/off parameter."}},
                  Whole("[:phone x]")},
        TypedCase{"UnknownVoiceParameter",
                  "[:dv zz 1]",
                  {{"Error", "unexpected statement. Invalid parameter in [:DV] command."}},
                  Whole("[:dv zz 1]")},
        TypedCase{"MissingWaveFileOnlyWarns",
                  "[:play Gone.wav]",
                  {{"Warning", "specified wave file to play, Gone.wav does not exist."}},
                  std::nullopt},
        TypedCase{"PresentWaveFileKeepsCapitals", "[:play Present.wav]", {}, std::nullopt},
        TypedCase{"CapitalsAreInvalid", "[:NP]", {{"Error", "invalid command."}}, Whole("[:NP]")},
        TypedCase{"PhoneOffAloneIsNotWarned", "[:phone off]", {}, std::nullopt},
        TypedCase{"Rate", "[:ra 180]", {}, std::nullopt},
        TypedCase{"HatRise", "[:dv hr 10]", {}, std::nullopt},
        TypedCase{"NotACommand", "hello [:np", {}, std::nullopt},
        TypedCase{"SpacesOnly", "   ", {}, std::nullopt}, TypedCase{"Empty", "", {}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    ManyLines, TypedCheckTest,
    ::testing::Values(
        TypedCase{"ToneAmongLinesGivesOneBox",
                  "[:np]\r\n[:tone440 500]",
                  {{"Error", kLess}},
                  TextSelection{7, 14}},
        TypedCase{"FirstFindingOnly",
                  "[:np\r\n[:NP]\r\n[:bogus]",
                  {{"Error", "missing close brackets."}},
                  TextSelection{0, 4}},
        TypedCase{"EarlierLineReportedFirst",
                  "hello\r\n[:dv zz 1]\r\n[:np",
                  {{"Error", "unexpected statement."}},
                  TextSelection{7, 10}},
        TypedCase{"PhoneWithoutOnOff",
                  "[:np]\r\n[:phone x]",
                  {{"Error", "unexpected statement."}},
                  TextSelection{7, 10}},
        TypedCase{"PhoneOffWithoutOn",
                  "hello\r\n[:phone off]",
                  {{"Error", "[:phone off] statement with no [:phone on] statement ."}},
                  TextSelection{7, 12}},
        TypedCase{"PhoneOffAfterOn", "[:phone on]\r\n[:phone off]", {}, std::nullopt},
        TypedCase{"PhoneOnInCapitalsDoesNotCount",
                  "say\r\n[:PHONE ON]\r\n[:phone off]",
                  {{"Error", "invalid command."}},
                  TextSelection{5, 11}},
        TypedCase{"MissingWaveFileSelects",
                  "[:np]\r\n[:play Gone.wav]",
                  {{"Warning", "specified wave file to play , Gone.wav does not exist."}},
                  TextSelection{7, 16}},
        TypedCase{"SungPhonemeEntryIsNotACommand",
                  "[:phone on]\r\n[aa<500,13>]\r\n[:phone off]",
                  {},
                  std::nullopt},
        TypedCase{"SelectsTheFaultyLineNotAnEarlierLookalike",
                  "[:np]\r\n[:np",
                  {{"Error", "missing close brackets."}},
                  TextSelection{7, 4}},
        TypedCase{"TrailingLineBreak", "[:np]\r\n", {}, std::nullopt},
        TypedCase{"NonAsciiOffsetsInBytes",
                  "Grüße\r\n[:np",
                  {{"Error", "missing close brackets."}},
                  TextSelection{9, 4}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CheckTypedLinesTest, SplitsTheTextItself) {
    test::TempFolder folder;
    RecordingPrompts prompts;
    EXPECT_EQ(CheckTypedLines("[:np]\r\nx\r\n[:tone<1,2]", folder.paths(), prompts),
              (TextSelection{10, 11}));
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{kGreater});
}

}  // namespace
}  // namespace qvx
