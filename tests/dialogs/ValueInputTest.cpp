#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <type_traits>
#include <variant>

#include "support/RecordingPrompts.h"
#include "dialogs/InputKind.h"
#include "dialogs/ValueInput.h"
#include "support/TempFolder.h"

namespace qvx {
namespace {

constexpr const char* kE = "Input Error";

// One row per kind. Most kinds give one text under "Input Error" for both
// faults; the first three spell theirs out.
struct KindRow {
    std::int32_t kind;
    const char* caption;
    int limit;
    std::int64_t min;
    std::int64_t max;
    const char* lineForMin;
    const char* notNumeric;
    const char* notNumericTitle = kE;
    const char* outOfRange = nullptr;  // nullptr: the same text as notNumeric
    const char* outOfRangeTitle = kE;
    const char* prompt = "Value:";
};

constexpr std::int64_t kTop = std::numeric_limits<std::int32_t>::max();
constexpr const char* k0To100 = "Please type a value between 0 and 100.";
constexpr const char* k0To86 = "Please type a value between 0 and 86.";
constexpr const char* k100To2048 = "Please type in a value between 100 and 2048.";

const KindRow kRows[] = {
    {1, "Voice rate", 3, 0, kTop, "[:ra 0]", "Please enter a numeric value between 0 and 999.",
     "Input error.", "Please enter a value between 0 and 999.", "Input error.", "Rate:"},
    {2, "breathiness", 2, 0, 72, "[:dv br 0]", "Please type in a numeric value between 1 and 72.",
     "Input error.", "Please type in a value between 0 and 72.", "input error."},
    {3, "Head size", 3, 65, 145, "[:dv hs 65]", "Please type a numeric value between 65 and 145.",
     "Input error.", "Please enter a value between 65 and 145.", "Input error."},
    {4, "F4 Frequency", 4, 2000, 4650, "[:dv f4 2000]",
     "Please type in a value between 2000 and 4650."},
    {5, "F5 Frequency", 4, 2500, 4950, "[:dv f5 2500]",
     "Please type in a value between 2500 and 4950."},
    {6, "F4 Bandwidth", 4, 100, 2048, "[:dv b4 100]", k100To2048},
    {7, "F5 Bandwidth", 4, 100, 2048, "[:dv b5 100]", k100To2048},
    {8, "Lax breathiness", 3, 0, 100, "[:dv lx 0]", k0To100},
    {9, "Smoothness", 3, 0, 100, "[:dv sm 0]", k0To100},
    {10, "Richness", 3, 0, 100, "[:dv ri 0]", k0To100},
    {11, "Laryngealisation", 3, 0, 100, "[:dv la 0]", k0To100},
    {12, "Sampling", 3, 0, 100, "[:dv nf 0]", k0To100},
    {13, "Average Pitch", 3, 100, 300, "[:dv ap 100]", "Please type a value between 100 and 300."},
    {14, "Expression (Pitch Range)", 3, 1, 250, "[:dv pr 1]",
     "Please type a value between 1 and 250."},
    {15, "Assertiveness", 3, 0, 100, "[:dv as 0]", k0To100},
    {16, "Hat rise", 3, 2, 100, "[:dv hr 2]", "Please type a value between 2 and 100."},
    {17, "Bass fall", 2, 0, 40, "[:dv bf 0]", "Please type a value between 0 and 40."},
    {18, "Quickness", 3, 0, 100, "[:dv qu 0]", k0To100},
    {19, "Stress level", 3, 1, 100, "[:dv sr 1]", "Please type a value between 1 and 100."},
    {20, "Voice gain level", 2, 0, 86, "[:dv gv 0]", k0To86},
    {21, "Aspiration gain level", 2, 0, 86, "[:dv gh 0]", k0To86},
    {22, "Frication gain level", 2, 0, 86, "[:dv gf 0]", k0To86},
    {23, "Nasalisation gain level", 2, 0, 86, "[:dv gn 0]", k0To86},
    {24, "Formant resonator1 gain level", 2, 0, 86, "[:dv g1 0]", k0To86},
    {25, "Formant resonator2 gain level", 2, 0, 86, "[:dv g2 0]", k0To86},
    {26, "Formant resonator3 gain level", 2, 0, 86, "[:dv g3 0]", k0To86},
    {27, "Formant resonator4 gain level", 2, 0, 86, "[:dv g4 0]", k0To86},
    {28, "Formant resonator5 gain level", 2, 0, 86, "[:dv g5 0]", k0To86},
};

PromptBox Shown(const RecordingPrompts::Box& box) {
    return {box.text, box.title, box.icon};
}

class ValueInputKinds : public ::testing::TestWithParam<KindRow> {};

TEST_P(ValueInputKinds, FollowTheirRow) {
    const KindRow& row = GetParam();
    const InputKindInfo* info = FindInputKind(row.kind);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->caption, row.caption);
    EXPECT_EQ(info->prompt, row.prompt);
    EXPECT_EQ(info->limit, row.limit);

    const PromptBox notNumeric{row.notNumeric, row.notNumericTitle, PromptIcon::Critical};
    const PromptBox outOfRange{row.outOfRange ? row.outOfRange : row.notNumeric,
                               row.outOfRangeTitle, PromptIcon::Critical};
    const std::string below = std::to_string(row.min - 1);
    for (const char* text : {"abc", ""}) EXPECT_EQ(CheckValueInput(row.kind, text), notNumeric);
    // Numbers past 32 bits are refused as out of range, never wrapped.
    for (const std::string& text :
         {below, std::to_string(row.max + 1), std::string("9e9"), std::string("-9e9")}) {
        EXPECT_EQ(CheckValueInput(row.kind, text), outOfRange) << text;
    }
    for (std::int64_t edge : {row.min, row.max}) {
        EXPECT_EQ(CheckValueInput(row.kind, std::to_string(edge)), std::nullopt) << edge;
    }

    test::TempFolder folder;
    ProgramState state;
    state.paths = folder.paths();
    SetInputKind(state, row.kind);
    RecordingPrompts prompts;
    EXPECT_FALSE(SubmitValueInput(state, below, prompts));
    EXPECT_FALSE(folder.Exists("demo.txt"));
    EXPECT_TRUE(SubmitValueInput(state, std::to_string(row.min), prompts));
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(Shown(prompts.boxes[0]), outOfRange);
    EXPECT_EQ(folder.Read("demo.txt"), std::string(row.lineForMin) + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(AllKinds, ValueInputKinds, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return "Kind" + std::to_string(info.param.kind); });

// What the kind's writer appends for a value, the dialog's checks aside.
std::string WrittenBy(const InputKindInfo& info, std::int32_t value) {
    test::TempFolder folder;
    std::visit(
        [&](auto writer) {
            if constexpr (std::is_same_v<decltype(writer), FormantWriter>) {
                writer.write(folder.paths(), writer.formant, value);
            } else if constexpr (std::is_same_v<decltype(writer), ValueWriter>) {
                writer(folder.paths(), value);
            }
        },
        info.writer);
    return folder.Read("demo.txt");
}

// The writer holds a value to exactly the range its kind accepts, so the
// dialog never lets through a value the writer would change.
TEST(ValueInput, EveryWriterBoundsToItsKindsRange) {
    for (const InputKindInfo& info : InputKinds()) {
        if (std::holds_alternative<TextWriter>(info.writer)) continue;
        SCOPED_TRACE(info.caption);
        EXPECT_EQ(WrittenBy(info, info.min - 1), WrittenBy(info, info.min));
        EXPECT_NE(WrittenBy(info, info.min + 1), WrittenBy(info, info.min));
        if (info.max == kNoUpperBound) continue;  // the rate: its writer stops at 999
        EXPECT_EQ(WrittenBy(info, info.max + 1), WrittenBy(info, info.max));
        EXPECT_NE(WrittenBy(info, info.max - 1), WrittenBy(info, info.max));
    }
}

TEST(ValueInput, DialKindTakesAnyTextAndNoKindWritesNothing) {
    test::TempFolder folder;
    ProgramState state;
    state.paths = folder.paths();
    RecordingPrompts prompts;
    EXPECT_TRUE(SubmitValueInput(state, "120", prompts));  // no kind recorded yet
    EXPECT_FALSE(folder.Exists("demo.txt"));
    SetInputKind(state, 29);
    for (const char* text : {"555", "", "abc 9e9", "5\"5"}) {
        EXPECT_TRUE(SubmitValueInput(state, text, prompts));
    }
    EXPECT_TRUE(prompts.boxes.empty());
    EXPECT_EQ(folder.Read("demo.txt"),
              "[:dial \"555\"]\r\n[:dial \"\"]\r\n[:dial \"abc 9e9\"]\r\n[:dial 5\"5]\r\n");

    state.paths = ProgramPaths::InFolder(folder.File("no such folder"));
    EXPECT_FALSE(SubmitValueInput(state, "555", prompts));  // a failed write keeps the dialog
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].icon, PromptIcon::Critical);
}

TEST(InputKind, KeepsOnlyKindsZeroToTwentyNine) {
    ProgramState state;
    SetInputKind(state, 29);
    SetInputKind(state, 30);
    SetInputKind(state, -1);
    EXPECT_EQ(GetInputKind(state), 29);
    SetInputKind(state, 0);
    EXPECT_EQ(GetInputKind(state), 0);
    EXPECT_EQ(FindInputKind(0), nullptr);
    EXPECT_EQ(FindInputKind(30), nullptr);
}

}  // namespace
}  // namespace qvx
