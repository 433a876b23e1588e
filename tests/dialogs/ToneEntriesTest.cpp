#include <gtest/gtest.h>

#include <string>

#include "common/RecordingPrompts.h"
#include "dialogs/ToneEntries.h"
#include "support/TempFolder.h"

namespace qvx {
namespace {

const ToneSystemInfo& Notes() {
    Options options;
    options.ToneSystem = true;
    return CurrentToneSystem(options);
}

const ToneSystemInfo& Frequencies() {
    Options options;
    options.ToneSystem = false;
    return CurrentToneSystem(options);
}

ToneForm Form(std::string value, std::string length = "200") {
    ToneForm form;
    form.value = std::move(value);
    form.length = std::move(length);
    return form;
}

ToneForm Slide(std::string value, SlideDirection direction, std::string end) {
    ToneForm form = Form(std::move(value));
    form.slide = true;
    form.direction = direction;
    form.endValue = std::move(end);
    return form;
}

TEST(ToneSystem, CaptionsAndLimitsFollowTheOption) {
    EXPECT_EQ(Notes().valueCaption, "Note:");
    EXPECT_EQ(Notes().endCaption, "End Note:");
    EXPECT_EQ(Notes().limit, 2);
    EXPECT_EQ(Frequencies().valueCaption, "Frequency:");
    EXPECT_EQ(Frequencies().endCaption, "End Frequency:");
    EXPECT_EQ(Frequencies().limit, 5);
}

TEST(ToneForm, AnEmptyFormListsEveryFaultInOrder) {
    EXPECT_EQ(CheckToneForm({}, Notes()),
              "Please specify a note number between 1 and 37.\r\n"
              "please fill in the note.\r\n"
              "please fill in the length.\r\n"
              "please type in a length between 50 and 20000.\r\n");
    EXPECT_EQ(CheckToneForm({}, Frequencies()),
              "Please specify a frequency between 20 and 20000.\r\n"
              "please fill in the frequency.\r\n"
              "please fill in the length.\r\n"
              "please type in a length between 50 and 20000.\r\n");
}

struct EdgeCase {
    bool notes;
    const char* value;
    bool passes;
};

class ToneEdges : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(ToneEdges, StartValueRange) {
    const EdgeCase& c = GetParam();
    const ToneSystemInfo& system = c.notes ? Notes() : Frequencies();
    const std::string expected =
        c.passes ? ""
                 : (c.notes ? "please type a note between 1 and 37.\r\n"
                            : "please type a frequency between 20 and 20000.\r\n");
    EXPECT_EQ(CheckToneForm(Form(c.value), system), expected) << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    BothSystems, ToneEdges,
    ::testing::Values(EdgeCase{true, "1", true}, EdgeCase{true, "37", true},
                      EdgeCase{true, "0", false}, EdgeCase{true, "38", false},
                      EdgeCase{true, "9e9", false}, EdgeCase{false, "20", true},
                      EdgeCase{false, "20000", true}, EdgeCase{false, "19", false},
                      EdgeCase{false, "20001", false}, EdgeCase{false, "-9e9", false}));

TEST(ToneForm, SlideDirectionErrorsInBothSystems) {
    const std::string up =
        "end note can't be lower than the start note if sliding up. please change options and try "
        "again.\r\n";
    const std::string down =
        "end note can't be higher than the start note if sliding down. please change options and "
        "try again.\r\n";
    EXPECT_EQ(CheckToneForm(Slide("10", SlideDirection::Up, "10"), Notes()), up);
    EXPECT_EQ(CheckToneForm(Slide("440", SlideDirection::Up, "440"), Frequencies()), up);
    EXPECT_EQ(CheckToneForm(Slide("10", SlideDirection::Down, "11"), Notes()), down);
    EXPECT_EQ(CheckToneForm(Slide("440", SlideDirection::Down, "440"), Frequencies()), down);
    EXPECT_EQ(CheckToneForm(Slide("10", SlideDirection::Up, "38"), Notes()),
              "end note can't be higher than 37.\r\n");
    EXPECT_EQ(CheckToneForm(Slide("440", SlideDirection::Up, "20001"), Frequencies()),
              "end note can't be higher than 20000.\r\n");
    EXPECT_EQ(CheckToneForm(Slide("10", SlideDirection::Down, "0"), Notes()),
              "note can't be less than 1.\r\n");
    EXPECT_EQ(CheckToneForm(Slide("440", SlideDirection::Down, "19"), Frequencies()),
              "note can't be less than 20.\r\n");
    EXPECT_EQ(CheckToneForm(Slide("440", SlideDirection::Down, ""), Frequencies()),
              "Please fill in the end frequency for the slide.\r\n"
              "End frequency isn't a numeric value. Please enter a frequency value.\r\n");
    EXPECT_EQ(CheckToneForm(Slide("10", SlideDirection::Up, "x"), Notes()),
              "End note isn't a numeric value. Please enter a note.\r\n");
    EXPECT_EQ(CheckToneForm(Slide("10", SlideDirection::None, "-9e9"), Notes()),
              "note can't be less than 1.\r\n");
}

class ToneWriting : public ::testing::Test {
  protected:
    bool Generate(const ToneForm& form, bool notes) {
        state.options.ToneSystem = notes;
        return GenerateTones(state, form, prompts);
    }
    test::TempFolder folder;
    ProgramState state = [this] {
        ProgramState s;
        s.paths = folder.paths();
        return s;
    }();
    RecordingPrompts prompts;
};

TEST_F(ToneWriting, NoteSlideDownWritesTheTableFrequenciesAtFullLength) {
    EXPECT_TRUE(Generate(Slide("12", SlideDirection::Down, "10"), true));
    EXPECT_TRUE(prompts.boxes.empty());
    EXPECT_EQ(folder.Read("demo.txt"),
              "[:tone<496,200>]\r\n[:tone<468,200>]\r\n[:tone<440,200>]\r\n");
}

TEST_F(ToneWriting, FrequencySlideStepsOneHertz) {
    EXPECT_TRUE(Generate(Slide("440", SlideDirection::Down, "438"), false));
    EXPECT_TRUE(Generate(Form("20000", "50"), false));
    EXPECT_EQ(folder.Read("demo.txt"),
              "[:tone<440,200>]\r\n[:tone<439,200>]\r\n[:tone<438,200>]\r\n[:tone<20000,50>]\r\n");
}

TEST_F(ToneWriting, AFullNoteSlideCoversTheWholeTable) {
    EXPECT_TRUE(Generate(Slide("1", SlideDirection::Up, "37"), true));
    const auto lines = SplitLines(folder.Read("demo.txt"));
    ASSERT_EQ(lines.size(), 37u);
    EXPECT_EQ(lines.front(), "[:tone<262,200>]");
    EXPECT_EQ(lines.back(), "[:tone<2096,200>]");
}

TEST_F(ToneWriting, UncheckedEndsAreHeldToTheRange) {
    EXPECT_TRUE(Generate(Slide("19990", SlideDirection::None, "2147483647"), false));
    const auto lines = SplitLines(folder.Read("demo.txt"));
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines.back(), "[:tone<20000,200>]");
}

TEST_F(ToneWriting, HiddenEndTextThatIsNoNumberGivesOneTone) {
    ToneForm form = Slide("10", SlideDirection::Up, "abc");
    form.slide = false;
    EXPECT_TRUE(Generate(form, true));
    EXPECT_EQ(folder.Read("demo.txt"), "[:tone<440,200>]\r\n");
}

TEST_F(ToneWriting, FaultsGoInOneBoxAndNothingIsWritten) {
    EXPECT_FALSE(Generate(Form("19", "20001"), false));
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].title, "quillvox");
    EXPECT_EQ(prompts.boxes[0].text,
              "please type a frequency between 20 and 20000.\r\n"
              "current length input is more than 20000. please type in a length between 50 and "
              "20000.\r\n");
    EXPECT_FALSE(folder.Exists("demo.txt"));
}

}  // namespace
}  // namespace qvx
