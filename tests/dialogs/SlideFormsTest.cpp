// The phoneme and tone forms: their checks, which share the length and the
// slide's end, the tick rule, the run of a slide, and what they write.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialogs/PhonemeEntries.h"
#include "dialogs/ToneEntries.h"
#include "script/PhonemeToneWriters.h"
#include "support/RecordingPrompts.h"
#include "support/TempFolder.h"

namespace qvx {
namespace {

using enum SlideDirection;

enum FormKind { kPhoneme, kNotes, kHertz };

// A slide is ticked when the row gives an end.
std::string Check(FormKind kind, const char* value, const char* length, SlideDirection direction,
                  const char* end) {
    const bool slide = end != nullptr;
    if (kind == kPhoneme) {
        return CheckPhonemeForm({"aa", value, length, slide, direction, slide ? end : ""});
    }
    Options options;
    options.ToneSystem = kind == kNotes;
    return CheckToneForm({value, length, slide, direction, slide ? end : ""},
                         CurrentToneSystem(options));
}

// The list of codes, one a line, is the writer's own list.
TEST(PhonemeForm, AnUnknownCodeListsEveryCodeTheWriterTakes) {
    const std::string list = CheckPhonemeForm({"AA", "10", "300", false, None, ""});
    EXPECT_TRUE(list.starts_with("Invalid phoneme entered. Phonemes supported are:\r\naa,\r\nae,"))
        << list;
    EXPECT_TRUE(list.ends_with("\r\nz,\r\nzh.\r\n")) << list;
    EXPECT_EQ(std::ranges::count(list, '\n'), 1 + 44);
    EXPECT_EQ(CheckPhonemeForm({}), "Please fill in the phoneme box.\r\n" + list +
                                        "Please specify a note number between 1 and 37.\r\n"
                                        "please fill in the note.\r\nplease fill in the length.\r\n"
                                        "please type in a length between 50 and 20000.\r\n");
}

const std::string kNoteRange = "please type a note between 1 and 37.\r\n";
const std::string kNoteNotNumeric = "Please specify a note number between 1 and 37.\r\n";
const std::string kHint =
    "please type a note between 1 and 37, or a frequency of at least 131.\r\n";
const std::string kHertzRange = "please type a frequency between 20 and 20000.\r\n";
const std::string kTooShort =
    "current length input is less than 50. please type a length between 20 and 20000.\r\n";
const std::string kTooLong =
    "current length input is more than 20000. please type in a length between 50 and 20000.\r\n";
const std::string kEndAbove = "end note can't be higher than 37.\r\n";

// Every fault in order, each with its own text, the start's texts following
// the form and the tone system.
TEST(SlideForms, ChecksCollectEveryFaultInOrder) {
    const struct {
        FormKind kind;
        const char *value, *length;
        SlideDirection direction;
        const char* end;  // nullptr: no slide
        std::string expected;
    } cases[] = {
        {kPhoneme, "1", "300", None, nullptr, ""},
        {kPhoneme, "131", "300", None, nullptr, ""},
        {kPhoneme, "38", "300", None, nullptr, kHint},
        {kPhoneme, "130", "300", None, nullptr, kHint},
        {kPhoneme, "0", "300", None, nullptr, kNoteRange},
        {kPhoneme, "9e9", "300", None, nullptr, kNoteRange},
        {kPhoneme, "x", "300", None, nullptr, kNoteNotNumeric},
        {kPhoneme, "10", "50", None, nullptr, ""},
        {kPhoneme, "10", "20000", None, nullptr, ""},
        {kPhoneme, "10", "49", None, nullptr, kTooShort},
        {kPhoneme, "10", "20001", None, nullptr, kTooLong},
        {kPhoneme, "10", "ten", None, nullptr, "please type in a length between 50 and 20000.\r\n"},
        {kPhoneme, "10", "300", Up, "14", ""},
        // The end is not compared with a start that is no number.
        {kPhoneme, "", "300", Up, "14", kNoteNotNumeric + "please fill in the note.\r\n"},
        {kNotes, "", "", None, nullptr,
         kNoteNotNumeric + "please fill in the note.\r\nplease fill in the length.\r\n"
                           "please type in a length between 50 and 20000.\r\n"},
        {kHertz, "", "200", None, nullptr,
         "Please specify a frequency between 20 and 20000.\r\nplease fill in the frequency.\r\n"},
        {kNotes, "0", "200", None, nullptr, kNoteRange},
        {kHertz, "20", "200", None, nullptr, ""},
        {kHertz, "19", "200", None, nullptr, kHertzRange},
        {kHertz, "20001", "200", None, nullptr, kHertzRange},
        {kNotes, "10", "200", Up, "10",
         "end note can't be lower than the start note if sliding up. please change options and "
         "try again.\r\n"},
        {kHertz, "440", "200", Down, "440",
         "end note can't be higher than the start note if sliding down. please change options "
         "and try again.\r\n"},
        {kHertz, "440", "200", Up, "20001", "end note can't be higher than 20000.\r\n"},
        {kHertz, "440", "200", Down, "19", "note can't be less than 20.\r\n"},
        {kNotes, "10", "200", None, "-9e9", "note can't be less than 1.\r\n"},
        {kPhoneme, "10", "300", None, "9e9", kEndAbove},
        // An end past 32 bits lies above the highest start that fits.
        {kPhoneme, "2147483647", "300", Up, "9e9", kEndAbove},
        {kHertz, "440", "200", Down, "",
         "Please fill in the end frequency for the slide.\r\n"
         "End frequency isn't a numeric value. Please enter a frequency value.\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Check(c.kind, c.value, c.length, c.direction, c.end), c.expected)
            << c.kind << " '" << c.value << "' length '" << c.length << "' end '"
            << (c.end ? c.end : "(none)") << "'";
    }
    // Hidden end text is not checked while Slide is off.
    EXPECT_EQ(CheckPhonemeForm({"aa", "10", "300", false, Up, "junk"}), "");
}

TEST(SlideTick, RefusedOnceTheStartHoldsThirtyEightOrMore) {
    const struct {
        const char* start;
        bool allowed;
    } cases[] = {{"", true},     {"abc", true},   {"37", true},  {"36.5", true},  // rounds to 36
                 {"-9e9", true}, {"37.5", false}, {"38", false}, {"440", false}, {"9e9", false}};
    for (const auto& c : cases) EXPECT_EQ(SlideTickAllowed(c.start), c.allowed) << c.start;
}

// The direction comes from the two numbers, and both ends are held to the
// range so no run is longer than the range, whatever the end box holds.
TEST(SlideRun, StepsByOneFromStartToEndWithinTheRange) {
    using Run = std::vector<std::int32_t>;
    const struct {
        std::int64_t start;
        const char* end;
        std::int32_t min, max;
        Run run;
    } cases[] = {
        {10, "10", 1, 37, {10}},          {10, "junk", 1, 37, {10}},
        {200, "35", 1, 37, {37, 36, 35}}, {3, "-9e9", 1, 37, {3, 2, 1}},
        {2147483648, "9e9", 1, 37, {37}}, {19998, "9e9", 20, 20000, {19998, 19999, 20000}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SlideRun(c.start, c.end, c.min, c.max), c.run)
            << c.start << " to '" << c.end << "'";
    }
}

// "[:phone on]" goes first unless the script already ends in phoneme mode:
// the last line that switches the mode (any case) decides.
TEST(PhonemeWriting, PhoneOnUnlessTheScriptEndsInPhonemeMode) {
    const struct {
        const char* script;  // nullptr: no script yet
        bool phoneOn;
    } cases[] = {{nullptr, true},
                 {"[:PHONE ON]\r\n", false},
                 {"[:phone on]\r\n[aa<100,1>]\r\n[:Phone Off]\r\n", true},
                 {"[:phone on] la [:phone off]\r\n", true}};
    for (const auto& c : cases) {
        test::TempFolder folder;
        const std::string before = c.script ? c.script : "";
        SCOPED_TRACE(testing::PrintToString(before));
        if (c.script) folder.Write("demo.txt", before);
        RecordingPrompts prompts;
        EXPECT_TRUE(
            GeneratePhonemes(folder.paths(), {"c", "37.4", "2.5e2", false, None, ""}, prompts));
        EXPECT_EQ(folder.Read("demo.txt"),
                  before + (c.phoneOn ? "[:phone on]\r\n" : "") + "[,<250,37>]\r\n");
        EXPECT_TRUE(prompts.boxes.empty());
    }
}

TEST(ToneWriting, EachSystemWritesItsOwnPitchAndHiddenEndTextIsIgnored) {
    test::TempFolder folder;
    ProgramState state;
    state.paths = folder.paths();
    RecordingPrompts prompts;
    EXPECT_TRUE(GenerateTones(state, {"12", "200", false, Up, "abc"}, prompts));
    state.options.ToneSystem = false;
    EXPECT_TRUE(GenerateTones(state, {"20000", "50", false, None, ""}, prompts));
    EXPECT_TRUE(prompts.boxes.empty());
    EXPECT_EQ(folder.Read("demo.txt"), "[:tone<496,200>]\r\n[:tone<20000,50>]\r\n");
}

}  // namespace
}  // namespace qvx
