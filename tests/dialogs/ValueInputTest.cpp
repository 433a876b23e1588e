#include <gtest/gtest.h>

#include <set>
#include <string>
#include <type_traits>
#include <variant>

#include "dialogs/InputKind.h"
#include "dialogs/ValueInput.h"
#include "support/RecordingPrompts.h"
#include "support/TempFolder.h"

namespace qvx {
namespace {

// What the kind's writer appends for a value, the dialog's checks aside.
std::string WrittenBy(const InputKindInfo& info, std::int32_t value) {
    test::TempFolder folder;
    std::visit(
        [&](auto writer) {
            if constexpr (std::is_same_v<decltype(writer), FormantWriter>) {
                WriteFormantCommand(folder.paths(), *writer.command, writer.formant, value);
            } else if constexpr (std::is_same_v<decltype(writer), const BoundedCommand*>) {
                WriteBoundedCommand(folder.paths(), *writer, value);
            }
        },
        info.writer);
    return folder.Read("demo.txt");
}

// Every numeric kind accepts exactly its range, refuses anything else with
// its own boxes, takes as many characters as its largest value has digits,
// and calls a writer that holds values to the same range.
TEST(ValueInput, EveryNumericKindKeepsToItsRange) {
    std::set<std::string> commands;
    for (const InputKindInfo& info : InputKinds()) {
        if (std::holds_alternative<TextWriter>(info.writer)) continue;
        SCOPED_TRACE(info.caption);
        const auto [min, max] = AcceptedValues(info);
        const auto notNumeric = CheckValueInput(info.kind, "abc");
        const auto outOfRange = CheckValueInput(info.kind, std::to_string(std::int64_t{min} - 1));
        ASSERT_TRUE(notNumeric && outOfRange);
        EXPECT_EQ(notNumeric->title, info.notNumericTitle);
        EXPECT_EQ(outOfRange->title, info.outOfRangeTitle);
        EXPECT_EQ(CheckValueInput(info.kind, ""), notNumeric);
        // Numbers past 32 bits are refused as out of range, never wrapped.
        for (const std::string& text :
             {std::to_string(std::int64_t{max} + 1), std::string("9e9"), std::string("-9e9")}) {
            EXPECT_EQ(CheckValueInput(info.kind, text), outOfRange) << text;
        }
        EXPECT_EQ(CheckValueInput(info.kind, std::to_string(min)), std::nullopt);
        EXPECT_EQ(CheckValueInput(info.kind, std::to_string(max)), std::nullopt);

        // The writer holds a value to exactly the range the dialog accepts.
        EXPECT_EQ(WrittenBy(info, min - 1), WrittenBy(info, min));
        EXPECT_NE(WrittenBy(info, min + 1), WrittenBy(info, min));
        commands.insert(WrittenBy(info, min));
        if (const auto* formant = std::get_if<FormantWriter>(&info.writer)) {
            // The resonator written is the one the caption names.
            EXPECT_NE(info.caption.find(std::to_string(formant->formant)), std::string::npos);
        }
        if (max == kNoUpperBound) continue;  // the rate: its writer stops at 999
        EXPECT_EQ(WrittenBy(info, max + 1), WrittenBy(info, max));
        EXPECT_NE(WrittenBy(info, max - 1), WrittenBy(info, max));
    }
    EXPECT_EQ(commands.size(), 28u) << "two kinds write the same command";
}

// Every text that names a range names the kind's own, but for the rate's (0
// to 999, the writer's) and breathiness's numeric one (1 to 72).
TEST(ValueInput, TheKindsOwnTextsAreShown) {
    EXPECT_EQ(CheckValueInput(1, "x"), (PromptBox{"Please enter a numeric value between 0 and 999.",
                                                  "Input error.", PromptIcon::Critical}));
    EXPECT_EQ(CheckValueInput(1, "-1")->text, "Please enter a value between 0 and 999.");
    EXPECT_EQ(CheckValueInput(2, "x")->text, "Please type in a numeric value between 1 and 72.");
    for (const InputKindInfo& info : InputKinds().subspan(1, 27)) {
        const auto [min, max] = AcceptedValues(info);
        const std::string range = " between " + std::to_string(min) + " and " + std::to_string(max);
        EXPECT_TRUE(CheckValueInput(info.kind, "-1")->text.ends_with(range + ".")) << info.caption;
        EXPECT_TRUE(info.kind == 2 || CheckValueInput(info.kind, "x")->text.ends_with(range + "."))
            << info.caption;
    }
}

TEST(ValueInput, SubmitWritesThroughTheRecordedKindsWriter) {
    test::TempFolder folder;
    ProgramState state;
    state.paths = folder.paths();
    RecordingPrompts prompts;
    SetInputKind(state, 16);
    EXPECT_TRUE(SubmitValueInput(state, " +2", prompts));
    SetInputKind(state, 25);
    EXPECT_TRUE(SubmitValueInput(state, "86", prompts));
    SetInputKind(state, 29);  // any text, never read as a number
    for (const std::int32_t noKind : {30, -1}) SetInputKind(state, noKind);
    EXPECT_TRUE(SubmitValueInput(state, "abc 9e9", prompts));
    EXPECT_TRUE(prompts.boxes.empty());
    EXPECT_EQ(folder.Read("demo.txt"), "[:dv hr 2]\r\n[:dv g2 86]\r\n[:dial \"abc 9e9\"]\r\n");

    state.paths = ProgramPaths::InFolder(folder.File("no such folder"));
    EXPECT_FALSE(SubmitValueInput(state, "555", prompts));  // a failed write keeps the dialog
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].icon, PromptIcon::Critical);
    SetInputKind(state, 0);  // no kind: nothing written (nor tried), nothing said
    EXPECT_TRUE(SubmitValueInput(state, "555", prompts));
    EXPECT_EQ(prompts.boxes.size(), 1u);
}

}  // namespace
}  // namespace qvx
