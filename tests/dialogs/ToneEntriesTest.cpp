#include <gtest/gtest.h>

#include <string>

#include "dialogs/ToneEntries.h"
#include "support/RecordingPrompts.h"
#include "support/TempFolder.h"

namespace qvx {
namespace {

using enum SlideDirection;

const ToneSystemInfo& System(bool noteNumbers) {
    Options options;
    options.ToneSystem = noteNumbers;
    return CurrentToneSystem(options);
}

constexpr bool kNotes = true;
constexpr bool kHertz = false;
const std::string kLength =
    "please fill in the length.\r\nplease type in a length between 50 and 20000.\r\n";
const std::string kNoteRange = "please type a note between 1 and 37.\r\n";
const std::string kHertzRange = "please type a frequency between 20 and 20000.\r\n";
const std::string kUpError =
    "end note can't be lower than the start note if sliding up. please change options and try "
    "again.\r\n";
const std::string kDownError =
    "end note can't be higher than the start note if sliding down. please change options and try "
    "again.\r\n";

ToneForm Form(std::string value, std::string length = "200") {
    return {std::move(value), std::move(length), false, None, ""};
}
ToneForm Slide(std::string value, SlideDirection direction, std::string end, bool ticked = true) {
    return {std::move(value), "200", ticked, direction, std::move(end)};
}

struct CheckCase {
    bool notes;
    ToneForm form;
    std::string expected;
};

const CheckCase kChecks[] = {
    {kNotes,
     {},
     "Please specify a note number between 1 and 37.\r\nplease fill in the note.\r\n" + kLength},
    {kHertz,
     {},
     "Please specify a frequency between 20 and 20000.\r\nplease fill in the frequency.\r\n" +
         kLength},
    {kNotes, Form("1"), ""},
    {kNotes, Form("37"), ""},
    {kNotes, Form("0"), kNoteRange},
    {kNotes, Form("38"), kNoteRange},
    {kHertz, Form("20"), ""},
    {kHertz, Form("20000"), ""},
    {kHertz, Form("19"), kHertzRange},
    {kHertz, Form("20001"), kHertzRange},
    {kHertz, Form("-9e9"), kHertzRange},
    {kNotes, Slide("10", Up, "10"), kUpError},
    {kHertz, Slide("440", Down, "440"), kDownError},
    {kHertz, Slide("440", Up, "20001"), "end note can't be higher than 20000.\r\n"},
    {kHertz, Slide("440", Down, "19"), "note can't be less than 20.\r\n"},
    {kNotes, Slide("10", None, "-9e9"), "note can't be less than 1.\r\n"},
    {kHertz, Slide("440", Down, ""),
     "Please fill in the end frequency for the slide.\r\n"
     "End frequency isn't a numeric value. Please enter a frequency value.\r\n"},
    {kNotes, Slide("10", Up, "x"), "End note isn't a numeric value. Please enter a note.\r\n"},
};

TEST(ToneForm, ChecksFollowTheToneSystem) {
    for (const CheckCase& c : kChecks) {
        EXPECT_EQ(CheckToneForm(c.form, System(c.notes)), c.expected)
            << (c.notes ? "notes '" : "hertz '") << c.form.value << "' end '" << c.form.endValue
            << "'";
    }
}

TEST(ToneWriting, EachSystemWritesItsOwnPitchAndHiddenEndTextIsIgnored) {
    test::TempFolder folder;
    ProgramState state;
    state.paths = folder.paths();
    RecordingPrompts prompts;
    state.options.ToneSystem = true;
    EXPECT_TRUE(GenerateTones(state, Slide("12", Up, "abc", false), prompts));
    state.options.ToneSystem = false;
    EXPECT_TRUE(GenerateTones(state, Form("20000", "50"), prompts));
    EXPECT_TRUE(prompts.boxes.empty());
    EXPECT_EQ(folder.Read("demo.txt"), "[:tone<496,200>]\r\n[:tone<20000,50>]\r\n");
}

}  // namespace
}  // namespace qvx
