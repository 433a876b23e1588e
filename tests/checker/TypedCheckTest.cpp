#include "checker/TypedCheck.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/RecordingPrompts.h"
#include "support/TempFolder.h"

namespace qvx {
namespace {

using Box = std::pair<std::string, std::string>;  // title, text

struct TypedCase {
    const char* name;
    std::string text;
    std::vector<Box> boxes;
    std::optional<TextSelection> selection;
};

class TypedCheckTest : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedCheckTest, ShowsBoxesAndSelects) {
    test::TempFolder folder;
    folder.Write("Present.wav", "RIFF");
    RecordingPrompts prompts;
    const auto selection = CheckTypedText(GetParam().text, folder.paths(), prompts);
    std::vector<Box> boxes;
    for (const auto& box : prompts.boxes) {
        EXPECT_EQ(box.icon, PromptIcon::Exclamation);
        boxes.emplace_back(box.title, box.text);
    }
    EXPECT_EQ(boxes, GetParam().boxes);
    EXPECT_EQ(selection, GetParam().selection);
}

const std::string kBracket = "missing close brackets.";
const std::string kLess = "missing less-than sign < for start of parameters in tone command.";
const std::string kGreater = "missing greater-than sign > for end of parameters in tone command.";
const std::string kComma = "missing comma for separation between parameters in tone command.";

// No box, nothing selected.
TypedCase Ok(const char* name, std::string text) {
    return {name, std::move(text), {}, std::nullopt};
}
// One "Error" box; a single line is selected whole.
TypedCase Err(const char* name, std::string text, std::string box,
              std::optional<TextSelection> selection = std::nullopt) {
    const TextSelection whole{0, text.size()};
    return {name, std::move(text), {{"Error", std::move(box)}}, selection.value_or(whole)};
}

INSTANTIATE_TEST_SUITE_P(
    OneLine, TypedCheckTest,
    ::testing::Values(
        TypedCase{"MissingBracket", "[:np", {{"error", kBracket}}, TextSelection{0, 4}},
        TypedCase{"ToneMissingAllThree",
                  "[:tone440 500]",
                  {{"Error", kLess}, {"Error", kGreater}, {"Error", kComma}},
                  TextSelection{0, 14}},
        Err("DialWithoutQuotes", "[:dial 555]",
            "missing quotes for dial command. entry must have quotes around them."),
        Err("DialUnbalanced", "[:dial \"555]", "unbalanced quotes in dial command."),
        Err("PhoneWithoutOnOff", "[:phone x]", "unexpected statement. Missing on/off parameter."),
        Err("UnknownVoiceParameter", "[:dv zz 1]",
            "unexpected statement. Invalid parameter in [:DV] command."),
        TypedCase{"MissingWaveFileOnlyWarns",
                  "[:play Gone.wav]",
                  {{"Warning", "specified wave file to play, Gone.wav does not exist."}},
                  std::nullopt},
        Err("CapitalsAreInvalid", "[:NP]", "invalid command."), Ok("Clean", "[:np]"),
        Ok("PresentWaveFileKeepsCapitals", "[:play Present.wav]"),
        Ok("WaveFileInAnyCase", "[:play PRESENT.WAV]"),
        Ok("PlayAmongCommands", "[:np][:play present.wav] [:nb]"),
        Ok("PhoneOffAloneIsNotWarned", "[:phone off]"), Ok("Rate", "[:ra 180]"),
        Ok("HatRise", "[:dv hr 10]"), Ok("NotACommand", "hello [:np"), Ok("SpacesOnly", "   "),
        Ok("Empty", "")),
    [](const auto& info) { return std::string(info.param.name); });

// Several lines: the first finding only, its line selected.
INSTANTIATE_TEST_SUITE_P(
    ManyLines, TypedCheckTest,
    ::testing::Values(
        Err("ToneAmongLinesGivesOneBox", "[:np]\r\n[:tone440 500]", kLess, TextSelection{7, 14}),
        Err("FirstFindingOnly", "[:np\r\n[:NP]\r\n[:bogus]", kBracket, TextSelection{0, 4}),
        Err("EarlierLineReportedFirst", "hello\r\n[:dv zz 1]\r\n[:np", "unexpected statement.",
            TextSelection{7, 10}),
        Err("PhoneWithoutOnOff", "[:np]\r\n[:phone x]", "unexpected statement.",
            TextSelection{7, 10}),
        Err("PhoneOffWithoutOn", "hello\r\n[:phone off]",
            "[:phone off] statement with no [:phone on] statement .", TextSelection{7, 12}),
        Ok("PhoneOffAfterOn", "[:phone on]\r\n[:phone off]"),
        Err("PhoneOnInCapitalsDoesNotCount", "say\r\n[:PHONE ON]\r\n[:phone off]",
            "invalid command.", TextSelection{5, 11}),
        TypedCase{"MissingWaveFileSelects",
                  "[:np]\r\n[:play Gone.wav]",
                  {{"Warning", "specified wave file to play , Gone.wav does not exist."}},
                  TextSelection{7, 16}},
        Ok("PlayBeforeACommand", "[:np]\r\n[:play present.wav] [:np]"),
        Ok("SungPhonemeEntryIsNotACommand", "[:phone on]\r\n[aa<500,13>]\r\n[:phone off]"),
        Err("SelectsTheFaultyLineNotAnEarlierLookalike", "[:np]\r\n[:np", kBracket,
            TextSelection{7, 4}),
        Ok("TrailingLineBreak", "[:np]\r\n"),
        Err("NonAsciiOffsetsInBytes", "Grüße\r\n[:np", kBracket, TextSelection{9, 4})),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qvx
