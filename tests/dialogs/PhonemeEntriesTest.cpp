#include <gtest/gtest.h>

#include <string>

#include "common/RecordingPrompts.h"
#include "dialogs/PhonemeEntries.h"
#include "script/PhonemeToneWriters.h"
#include "support/TempFolder.h"

namespace qvx {
namespace {

const std::string kPhonemeList =
    "Invalid phoneme entered. Phonemes supported are:\r\n"
    "aa,\r\nae,\r\nah,\r\nao,\r\naw,\r\nax,\r\nay,\r\nb,\r\nc,\r\nch,\r\nd,\r\ndh,\r\neh,\r\nen,"
    "\r\n"
    "ey,\r\nf,\r\ng,\r\nhx,\r\nih,\r\nix,\r\niy,\r\njh,\r\nk,\r\nl,\r\nlx,\r\nm,\r\nn,\r\nnx,\r\n"
    "or,\r\now,\r\noy,\r\np,\r\nr,\r\nrr,\r\ns,\r\nsh,\r\nt,\r\nth,\r\nuh,\r\nuw,\r\nv,\r\nw,\r\n"
    "z,\r\nzh.\r\n";

PhonemeForm Form(std::string phoneme, std::string note, std::string length) {
    PhonemeForm form;
    form.phoneme = std::move(phoneme);
    form.note = std::move(note);
    form.length = std::move(length);
    return form;
}

PhonemeForm Slide(std::string note, SlideDirection direction, std::string end) {
    PhonemeForm form = Form("ah", std::move(note), "300");
    form.slide = true;
    form.direction = direction;
    form.endNote = std::move(end);
    return form;
}

TEST(PhonemeForm, AnEmptyFormListsEveryFaultInOrder) {
    EXPECT_EQ(CheckPhonemeForm({}), "Please fill in the phoneme box.\r\n" + kPhonemeList +
                                        "Please specify a note number between 1 and 37.\r\n"
                                        "please fill in the note.\r\n"
                                        "please fill in the length.\r\n"
                                        "please type in a length between 50 and 20000.\r\n");
}

TEST(PhonemeForm, SupportedPhonemesAreTheCodesTheWriterKnows) {
    const auto& codes = SupportedPhonemes();
    ASSERT_EQ(codes.size(), PhonemeCodes.size());
    for (std::size_t i = 0; i < codes.size(); ++i) EXPECT_EQ(codes[i], PhonemeCodes[i]) << i;
}

TEST(PhonemeForm, PhonemeMustMatchExactly) {
    EXPECT_EQ(CheckPhonemeForm(Form("aa", "10", "300")), "");
    EXPECT_EQ(CheckPhonemeForm(Form("zh", "10", "300")), "");
    EXPECT_EQ(CheckPhonemeForm(Form("AA", "10", "300")), kPhonemeList);
    EXPECT_EQ(CheckPhonemeForm(Form(" aa", "10", "300")), kPhonemeList);
}

struct FieldCase {
    const char* note;
    const char* length;
    const char* expected;
};

class PhonemeFields : public ::testing::TestWithParam<FieldCase> {};

TEST_P(PhonemeFields, NoteAndLengthEdges) {
    const FieldCase& c = GetParam();
    EXPECT_EQ(CheckPhonemeForm(Form("aa", c.note, c.length)), c.expected)
        << "note " << c.note << " length " << c.length;
}

constexpr const char* kFrequencyHint =
    "please type a note between 1 and 37, or a frequency of at least 131.\r\n";
constexpr const char* kNoteLow = "please type a note between 1 and 37.\r\n";

INSTANTIATE_TEST_SUITE_P(
    Edges, PhonemeFields,
    ::testing::Values(
        FieldCase{"1", "300", ""}, FieldCase{"37", "300", ""}, FieldCase{"131", "300", ""},
        FieldCase{"2147483647", "300", ""}, FieldCase{"37.4", "300", ""},
        FieldCase{"38", "300", kFrequencyHint}, FieldCase{"130", "300", kFrequencyHint},
        FieldCase{"0", "300", kNoteLow}, FieldCase{"-5", "300", kNoteLow},
        FieldCase{"9e9", "300", kNoteLow}, FieldCase{"-9e9", "300", kNoteLow},
        FieldCase{"x", "300", "Please specify a note number between 1 and 37.\r\n"},
        FieldCase{"10", "50", ""}, FieldCase{"10", "20000", ""},
        FieldCase{"10", "49",
                  "current length input is less than 50. please type a length between 20 and "
                  "20000.\r\n"},
        FieldCase{"10", "20001",
                  "current length input is more than 20000. please type in a length between 50 "
                  "and 20000.\r\n"},
        FieldCase{"10", "9e9",
                  "current length input is more than 20000. please type in a length between 50 "
                  "and 20000.\r\n"},
        FieldCase{"10", "-9e9",
                  "current length input is less than 50. please type a length between 20 and "
                  "20000.\r\n"},
        FieldCase{"10", "ten", "please type in a length between 50 and 20000.\r\n"}));

constexpr const char* kUpError =
    "end note can't be lower than the start note if sliding up. please change options and try "
    "again.\r\n";
constexpr const char* kDownError =
    "end note can't be higher than the start note if sliding down. please change options and try "
    "again.\r\n";

TEST(PhonemeForm, SlideEndChecks) {
    EXPECT_EQ(CheckPhonemeForm(Slide("10", SlideDirection::Up, "14")), "");
    EXPECT_EQ(CheckPhonemeForm(Slide("10", SlideDirection::Up, "10")), kUpError);
    EXPECT_EQ(CheckPhonemeForm(Slide("10", SlideDirection::Up, "38")),
              "end note can't be higher than 37.\r\n");
    EXPECT_EQ(CheckPhonemeForm(Slide("10", SlideDirection::Up, "5")), kUpError);
    EXPECT_EQ(CheckPhonemeForm(Slide("14", SlideDirection::Down, "10")), "");
    EXPECT_EQ(CheckPhonemeForm(Slide("14", SlideDirection::Down, "14")), kDownError);
    EXPECT_EQ(CheckPhonemeForm(Slide("14", SlideDirection::Down, "0")),
              "note can't be less than 1.\r\n");
    EXPECT_EQ(CheckPhonemeForm(Slide("10", SlideDirection::None, "5")), "");
    EXPECT_EQ(CheckPhonemeForm(Slide("10", SlideDirection::None, "9e9")),
              "end note can't be higher than 37.\r\n");
    EXPECT_EQ(CheckPhonemeForm(Slide("10", SlideDirection::Up, "")),
              "Please fill in the end note for the slide.\r\n"
              "End note isn't a numeric value. Please enter a note.\r\n");
    EXPECT_EQ(CheckPhonemeForm(Slide("10", SlideDirection::Down, "low")),
              "End note isn't a numeric value. Please enter a note.\r\n");
}

TEST(PhonemeForm, EndIsNotComparedWithAStartThatIsNoNumber) {
    EXPECT_EQ(CheckPhonemeForm(Slide("", SlideDirection::Up, "14")),
              "Please specify a note number between 1 and 37.\r\nplease fill in the note.\r\n");
}

TEST(PhonemeForm, HiddenEndTextIsNotCheckedWhileSlideIsOff) {
    PhonemeForm form = Slide("10", SlideDirection::Up, "junk");
    form.slide = false;
    EXPECT_EQ(CheckPhonemeForm(form), "");
}

class PhonemeWriting : public ::testing::Test {
  protected:
    bool Generate(const PhonemeForm& form) {
        return GeneratePhonemes(folder.paths(), form, prompts);
    }
    test::TempFolder folder;
    RecordingPrompts prompts;
};

TEST_F(PhonemeWriting, SlidesRunInTheDirectionOfTheNumbersAndPhoneOnComesOnce) {
    EXPECT_TRUE(Generate(Slide("10", SlideDirection::Up, "14")));
    EXPECT_TRUE(Generate(Slide("14", SlideDirection::Down, "10")));
    EXPECT_TRUE(Generate(Slide("10", SlideDirection::None, "8")));
    EXPECT_TRUE(prompts.boxes.empty());
    EXPECT_EQ(folder.Read("demo.txt"),
              "[:phone on]\r\n"
              "[ah<300,10>]\r\n[ah<300,11>]\r\n[ah<300,12>]\r\n[ah<300,13>]\r\n[ah<300,14>]\r\n"
              "[ah<300,14>]\r\n[ah<300,13>]\r\n[ah<300,12>]\r\n[ah<300,11>]\r\n[ah<300,10>]\r\n"
              "[ah<300,10>]\r\n[ah<300,9>]\r\n[ah<300,8>]\r\n");
}

TEST_F(PhonemeWriting, PhoneOnInCapitalsIsNotWrittenAgain) {
    folder.Write("demo.txt", "[:PHONE ON]\r\n");
    EXPECT_TRUE(Generate(Form("c", "37.4", "2.5e2")));
    EXPECT_EQ(folder.Read("demo.txt"), "[:PHONE ON]\r\n[,<250,37>]\r\n");
}

TEST_F(PhonemeWriting, RunsAreHeldToTheNoteRange) {
    // No direction: the end is never range-checked, so the run is bounded.
    EXPECT_TRUE(Generate(Slide("10", SlideDirection::None, "2147483647")));
    const auto lines = SplitLines(folder.Read("demo.txt"));
    ASSERT_EQ(lines.size(), 1u + 28u);
    EXPECT_EQ(lines[1], "[ah<300,10>]");
    EXPECT_EQ(lines.back(), "[ah<300,37>]");
}

TEST_F(PhonemeWriting, AFrequencyStartSlidesFromTheTopNote) {
    EXPECT_TRUE(Generate(Slide("200", SlideDirection::Down, "35")));
    EXPECT_EQ(folder.Read("demo.txt"),
              "[:phone on]\r\n[ah<300,37>]\r\n[ah<300,36>]\r\n[ah<300,35>]\r\n");
}

TEST_F(PhonemeWriting, HiddenEndTextStillSlidesWhenNumericAndIsIgnoredOtherwise) {
    PhonemeForm form = Slide("10", SlideDirection::Up, "11");
    form.slide = false;
    EXPECT_TRUE(Generate(form));
    form.endNote = "junk";
    EXPECT_TRUE(Generate(form));
    EXPECT_EQ(folder.Read("demo.txt"),
              "[:phone on]\r\n[ah<300,10>]\r\n[ah<300,11>]\r\n[ah<300,10>]\r\n");
}

TEST_F(PhonemeWriting, FaultsAreShownInOneBoxWithTheApplicationTitleAndNothingIsWritten) {
    EXPECT_FALSE(Generate(Form("AA", "0", "49")));
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].title, "quillvox");
    EXPECT_EQ(prompts.boxes[0].icon, PromptIcon::None);
    EXPECT_EQ(prompts.boxes[0].text,
              kPhonemeList + kNoteLow +
                  "current length input is less than 50. please type a length between 20 and "
                  "20000.\r\n");
    EXPECT_FALSE(folder.Exists("demo.txt"));
}

TEST(SlideTick, RefusedFromThirtyEightUp) {
    EXPECT_TRUE(SlideTickAllowed(""));
    EXPECT_TRUE(SlideTickAllowed("abc"));
    EXPECT_TRUE(SlideTickAllowed("37"));
    EXPECT_TRUE(SlideTickAllowed("36.5"));   // halves go to the even neighbour, 36
    EXPECT_FALSE(SlideTickAllowed("37.5"));  // ... and here to 38
    EXPECT_FALSE(SlideTickAllowed("38"));
    EXPECT_FALSE(SlideTickAllowed("440"));
    EXPECT_FALSE(SlideTickAllowed("9e9"));
    EXPECT_TRUE(SlideTickAllowed("-9e9"));
}

}  // namespace
}  // namespace qvx
