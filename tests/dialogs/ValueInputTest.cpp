#include <gtest/gtest.h>

#include <string>

#include "common/RecordingPrompts.h"
#include "dialogs/InputKind.h"
#include "dialogs/ValueInput.h"
#include "support/TempFolder.h"

namespace qvx {
namespace {

struct KindRow {
    std::int32_t kind;
    const char* caption;
    const char* prompt;
    int limit;
    const char* lowest;   // smallest accepted text
    const char* highest;  // largest accepted text ("" when unbounded)
    const char* below;
    const char* above;  // "" when unbounded
    const char* lineForLowest;
    const char* notNumeric;
    const char* notNumericTitle;
    const char* outOfRange;
    const char* outOfRangeTitle;
};

constexpr const char* kE = "Input Error";

const KindRow kRows[] = {
    {1, "Voice rate", "Rate:", 3, "0", "", "-1", "", "[:ra 0]",
     "Please enter a numeric value between 0 and 999.", "Input error.",
     "Please enter a value between 0 and 999.", "Input error."},
    {2, "breathiness", "Value:", 2, "0", "72", "-1", "73", "[:dv br 0]",
     "Please type in a numeric value between 1 and 72.", "Input error.",
     "Please type in a value between 0 and 72.", "input error."},
    {3, "Head size", "Value:", 3, "65", "145", "64", "146", "[:dv hs 65]",
     "Please type a numeric value between 65 and 145.", "Input error.",
     "Please enter a value between 65 and 145.", "Input error."},
    {4, "F4 Frequency", "Value:", 4, "2000", "4650", "1999", "4651", "[:dv f4 2000]",
     "Please type in a value between 2000 and 4650.", kE,
     "Please type in a value between 2000 and 4650.", kE},
    {5, "F5 Frequency", "Value:", 4, "2500", "4950", "2499", "4951", "[:dv f5 2500]",
     "Please type in a value between 2500 and 4950.", kE,
     "Please type in a value between 2500 and 4950.", kE},
    {6, "F4 Bandwidth", "Value:", 4, "100", "2048", "99", "2049", "[:dv b4 100]",
     "Please type in a value between 100 and 2048.", kE,
     "Please type in a value between 100 and 2048.", kE},
    {7, "F5 Bandwidth", "Value:", 4, "100", "2048", "99", "2049", "[:dv b5 100]",
     "Please type in a value between 100 and 2048.", kE,
     "Please type in a value between 100 and 2048.", kE},
    {8, "Lax breathiness", "Value:", 3, "0", "100", "-1", "101", "[:dv lx 0]",
     "Please type a value between 0 and 100.", kE, "Please type a value between 0 and 100.", kE},
    {9, "Smoothness", "Value:", 3, "0", "100", "-1", "101", "[:dv sm 0]",
     "Please type a value between 0 and 100.", kE, "Please type a value between 0 and 100.", kE},
    {10, "Richness", "Value:", 3, "0", "100", "-1", "101", "[:dv ri 0]",
     "Please type a value between 0 and 100.", kE, "Please type a value between 0 and 100.", kE},
    {11, "Laryngealisation", "Value:", 3, "0", "100", "-1", "101", "[:dv la 0]",
     "Please type a value between 0 and 100.", kE, "Please type a value between 0 and 100.", kE},
    {12, "Sampling", "Value:", 3, "0", "100", "-1", "101", "[:dv nf 0]",
     "Please type a value between 0 and 100.", kE, "Please type a value between 0 and 100.", kE},
    {13, "Average Pitch", "Value:", 3, "100", "300", "99", "301", "[:dv ap 100]",
     "Please type a value between 100 and 300.", kE, "Please type a value between 100 and 300.",
     kE},
    {14, "Expression (Pitch Range)", "Value:", 3, "1", "250", "0", "251", "[:dv pr 1]",
     "Please type a value between 1 and 250.", kE, "Please type a value between 1 and 250.", kE},
    {15, "Assertiveness", "Value:", 3, "0", "100", "-1", "101", "[:dv as 0]",
     "Please type a value between 0 and 100.", kE, "Please type a value between 0 and 100.", kE},
    {16, "Hat rise", "Value:", 3, "2", "100", "1", "101", "[:dv hr 2]",
     "Please type a value between 2 and 100.", kE, "Please type a value between 2 and 100.", kE},
    {17, "Bass fall", "Value:", 2, "0", "40", "-1", "41", "[:dv bf 0]",
     "Please type a value between 0 and 40.", kE, "Please type a value between 0 and 40.", kE},
    {18, "Quickness", "Value:", 3, "0", "100", "-1", "101", "[:dv qu 0]",
     "Please type a value between 0 and 100.", kE, "Please type a value between 0 and 100.", kE},
    {19, "Stress level", "Value:", 3, "1", "100", "0", "101", "[:dv sr 1]",
     "Please type a value between 1 and 100.", kE, "Please type a value between 1 and 100.", kE},
    {20, "Voice gain level", "Value:", 2, "0", "86", "-1", "87", "[:dv gv 0]",
     "Please type a value between 0 and 86.", kE, "Please type a value between 0 and 86.", kE},
    {21, "Aspiration gain level", "Value:", 2, "0", "86", "-1", "87", "[:dv gh 0]",
     "Please type a value between 0 and 86.", kE, "Please type a value between 0 and 86.", kE},
    {22, "Frication gain level", "Value:", 2, "0", "86", "-1", "87", "[:dv gf 0]",
     "Please type a value between 0 and 86.", kE, "Please type a value between 0 and 86.", kE},
    {23, "Nasalisation gain level", "Value:", 2, "0", "86", "-1", "87", "[:dv gn 0]",
     "Please type a value between 0 and 86.", kE, "Please type a value between 0 and 86.", kE},
    {24, "Formant resonator1 gain level", "Value:", 2, "0", "86", "-1", "87", "[:dv g1 0]",
     "Please type a value between 0 and 86.", kE, "Please type a value between 0 and 86.", kE},
    {25, "Formant resonator2 gain level", "Value:", 2, "0", "86", "-1", "87", "[:dv g2 0]",
     "Please type a value between 0 and 86.", kE, "Please type a value between 0 and 86.", kE},
    {26, "Formant resonator3 gain level", "Value:", 2, "0", "86", "-1", "87", "[:dv g3 0]",
     "Please type a value between 0 and 86.", kE, "Please type a value between 0 and 86.", kE},
    {27, "Formant resonator4 gain level", "Value:", 2, "0", "86", "-1", "87", "[:dv g4 0]",
     "Please type a value between 0 and 86.", kE, "Please type a value between 0 and 86.", kE},
    {28, "Formant resonator5 gain level", "Value:", 2, "0", "86", "-1", "87", "[:dv g5 0]",
     "Please type a value between 0 and 86.", kE, "Please type a value between 0 and 86.", kE},
};

class ValueInputKinds : public ::testing::TestWithParam<KindRow> {};

PromptBox Box(const char* text, const char* title) {
    return {text, title, PromptIcon::Critical};
}

TEST_P(ValueInputKinds, PresentsItselfFromTheTable) {
    const KindRow& row = GetParam();
    const InputKindInfo* info = FindInputKind(row.kind);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->caption, row.caption);
    EXPECT_EQ(info->prompt, row.prompt);
    EXPECT_EQ(info->limit, row.limit);
}

TEST_P(ValueInputKinds, RefusesWithTheKindsOwnMessages) {
    const KindRow& row = GetParam();
    EXPECT_EQ(CheckValueInput(row.kind, "abc"), Box(row.notNumeric, row.notNumericTitle));
    EXPECT_EQ(CheckValueInput(row.kind, ""), Box(row.notNumeric, row.notNumericTitle));
    EXPECT_EQ(CheckValueInput(row.kind, row.below), Box(row.outOfRange, row.outOfRangeTitle));
    if (*row.above) {
        EXPECT_EQ(CheckValueInput(row.kind, row.above), Box(row.outOfRange, row.outOfRangeTitle));
    }
    // Numeric, but past 32 bits: refused as out of range, never wrapped.
    EXPECT_EQ(CheckValueInput(row.kind, "9e9"), Box(row.outOfRange, row.outOfRangeTitle));
    EXPECT_EQ(CheckValueInput(row.kind, "-9e9"), Box(row.outOfRange, row.outOfRangeTitle));
}

TEST_P(ValueInputKinds, AcceptsBothEndsAndWritesThroughTheKindsWriter) {
    const KindRow& row = GetParam();
    EXPECT_EQ(CheckValueInput(row.kind, row.lowest), std::nullopt);
    if (*row.highest) {
        EXPECT_EQ(CheckValueInput(row.kind, row.highest), std::nullopt);
    }

    test::TempFolder folder;
    ProgramState state;
    state.paths = folder.paths();
    SetInputKind(state, row.kind);
    RecordingPrompts prompts;
    EXPECT_TRUE(SubmitValueInput(state, row.lowest, prompts));
    EXPECT_TRUE(prompts.boxes.empty());
    EXPECT_EQ(folder.Read("demo.txt"), std::string(row.lineForLowest) + "\r\n");
}

TEST_P(ValueInputKinds, ARefusedValueWritesNothingAndShowsOneCriticalBox) {
    const KindRow& row = GetParam();
    test::TempFolder folder;
    ProgramState state;
    state.paths = folder.paths();
    SetInputKind(state, row.kind);
    RecordingPrompts prompts;
    EXPECT_FALSE(SubmitValueInput(state, row.below, prompts));
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].text, row.outOfRange);
    EXPECT_EQ(prompts.boxes[0].title, row.outOfRangeTitle);
    EXPECT_EQ(prompts.boxes[0].icon, PromptIcon::Critical);
    EXPECT_FALSE(folder.Exists("demo.txt"));
}

INSTANTIATE_TEST_SUITE_P(AllKinds, ValueInputKinds, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return "Kind" + std::to_string(info.param.kind); });

ProgramState StateIn(const test::TempFolder& folder) {
    ProgramState state;
    state.paths = folder.paths();
    return state;
}

class ValueInputWriting : public ::testing::Test {
  protected:
    // Submits the text for the kind; returns whether the dialog may close.
    bool Submit(std::int32_t kind, const std::string& text) {
        SetInputKind(state, kind);
        return SubmitValueInput(state, text, prompts);
    }
    test::TempFolder folder;
    ProgramState state = StateIn(folder);
    RecordingPrompts prompts;
};

TEST_F(ValueInputWriting, RoundsHalvesToEvenAndLetsTheRateWriterCapTheRate) {
    EXPECT_TRUE(Submit(1, "2.5"));
    EXPECT_TRUE(Submit(1, "3.5"));
    EXPECT_TRUE(Submit(1, "2e3"));
    EXPECT_TRUE(Submit(14, "12.5"));
    EXPECT_TRUE(Submit(14, " 13.5 "));
    EXPECT_TRUE(Submit(6, "150"));
    EXPECT_TRUE(Submit(26, "50"));
    EXPECT_TRUE(prompts.boxes.empty());
    EXPECT_EQ(folder.Read("demo.txt"),
              "[:ra 2]\r\n[:ra 4]\r\n[:ra 999]\r\n[:dv pr 12]\r\n[:dv pr 14]\r\n[:dv b4 150]\r\n"
              "[:dv g3 50]\r\n");
}

TEST_F(ValueInputWriting, DialKindWritesTheTextAsTypedAndNeverComplains) {
    EXPECT_TRUE(Submit(29, "555"));
    EXPECT_TRUE(Submit(29, ""));
    EXPECT_TRUE(Submit(29, "abc 9e9"));
    EXPECT_TRUE(prompts.boxes.empty());
    EXPECT_EQ(folder.Read("demo.txt"), "[:dial 555]\r\n[:dial ]\r\n[:dial abc 9e9]\r\n");
    const InputKindInfo* info = FindInputKind(29);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->caption, "DTMF tones");
    EXPECT_EQ(info->prompt, "Number to dial:");
    EXPECT_EQ(info->limit, 0);
}

TEST_F(ValueInputWriting, NoKindRecordedWritesNothingAndCloses) {
    EXPECT_EQ(GetInputKind(state), 0);
    EXPECT_TRUE(SubmitValueInput(state, "120", prompts));
    EXPECT_TRUE(prompts.boxes.empty());
    EXPECT_FALSE(folder.Exists("demo.txt"));
}

TEST_F(ValueInputWriting, AFailedWriteIsReportedAndKeepsTheDialogOpen) {
    state.paths = ProgramPaths::InFolder(folder.File("no such folder"));
    EXPECT_FALSE(Submit(13, "120"));
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].icon, PromptIcon::Critical);
    EXPECT_FALSE(prompts.boxes[0].text.empty());
}

TEST(InputKind, KeepsOnlyKindsZeroToTwentyNine) {
    ProgramState state;
    SetInputKind(state, 29);
    EXPECT_EQ(GetInputKind(state), 29);
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
