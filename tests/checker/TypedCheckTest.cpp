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

// The edit area's text (lines joined by CR LF), the boxes shown and the
// selection asked for.
struct TypedCase {
    std::string text;
    std::vector<Box> boxes;
    std::optional<TextSelection> selection = {};
};

const std::string kBracket = "missing close brackets.";
const std::string kLess = "missing less-than sign < for start of parameters in tone command.";
const std::string kGreater = "missing greater-than sign > for end of parameters in tone command.";
const std::string kComma = "missing comma for separation between parameters in tone command.";

// One "Error" box and its selection (a single line: all of it).
TypedCase Err(std::string text, std::string box, std::optional<TextSelection> selection = {}) {
    const TextSelection whole{0, text.size()};
    return {std::move(text), {{"Error", std::move(box)}}, selection.value_or(whole)};
}

const TypedCase kTypedCases[] = {
    // One line: every rule that fires has its box; an error selects the line.
    {"[:np", {{"error", kBracket}}, TextSelection{0, 4}},
    {"[:tone440 500]",
     {{"Error", kLess}, {"Error", kGreater}, {"Error", kComma}},
     TextSelection{0, 14}},
    Err("[:dial 555]", "missing quotes for dial command. entry must have quotes around them."),
    Err("[:dial \"555]", "unbalanced quotes in dial command."),
    Err("[:phone x]", "unexpected statement. Missing on/off parameter."),
    Err("[:dv zz 1]", "unexpected statement. Invalid parameter in [:DV] command."),
    {"[:play Gone.wav]", {{"Warning", "specified wave file to play, Gone.wav does not exist."}}},
    Err("[:NP]", "invalid command."),
    {"[:np]", {}},
    {"[:play PRESENT.WAV]", {}},
    {"[:np][:play present.wav] [:nb]", {}},
    {"[:phone off]", {}},
    {"[:dv hr 10]", {}},
    {"hello [:np", {}},
    {"   ", {}},
    // Several lines: the first finding only, its line selected.
    Err("[:np]\r\n[:tone440 500]", kLess, TextSelection{7, 14}),
    Err("[:np\r\n[:NP]\r\n[:bogus]", kBracket, TextSelection{0, 4}),
    Err("hello\r\n[:dv zz 1]\r\n[:np", "unexpected statement.", TextSelection{7, 10}),
    Err("[:np]\r\n[:phone x]", "unexpected statement.", TextSelection{7, 10}),
    Err("hello\r\n[:phone off]", "[:phone off] statement with no [:phone on] statement .",
        TextSelection{7, 12}),
    {"[:phone on]\r\n[:phone off]", {}},
    Err("say\r\n[:PHONE ON]\r\n[:phone off]", "invalid command.", TextSelection{5, 11}),
    {"[:np]\r\n[:play Gone.wav]",
     {{"Warning", "specified wave file to play , Gone.wav does not exist."}},
     TextSelection{7, 16}},
    {"[:np]\r\n[:play present.wav] [:np]", {}},
    {"[:phone on]\r\n[aa<500,13>]\r\n[:phone off]", {}},
    Err("[:np]\r\n[:np", kBracket, TextSelection{7, 4}),  // the faulty line, not a lookalike
    {"[:np]\r\n", {}},
    Err("Grüße\r\n[:np", kBracket, TextSelection{9, 4}),  // offsets in bytes
    // A UTF-8 mark pasted from a file is skipped.
    {"\xEF\xBB\xBF[:np", {{"error", kBracket}}, TextSelection{3, 4}},
    Err("\xEF\xBB\xBF[:np\r\n[:np]", kBracket, TextSelection{3, 4}),
};

TEST(TypedCheckTest, ShowsBoxesAndSelects) {
    test::TempFolder folder;
    folder.Write("Present.wav", "RIFF");
    for (const TypedCase& c : kTypedCases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        RecordingPrompts prompts;
        const auto selection = CheckTypedText(c.text, folder.paths(), prompts);
        std::vector<Box> boxes;
        for (const auto& box : prompts.boxes) {
            EXPECT_EQ(box.icon, PromptIcon::Exclamation);
            boxes.emplace_back(box.title, box.text);
        }
        EXPECT_EQ(boxes, c.boxes);
        EXPECT_EQ(selection, c.selection);
    }
}

}  // namespace
}  // namespace qvx
