#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "dialogs/PhonemeEntries.h"
#include "script/PhonemeToneWriters.h"
#include "support/RecordingPrompts.h"
#include "support/TempFolder.h"

namespace qvx {
namespace {

using enum SlideDirection;

const std::string kFrequencyHint =
    "please type a note between 1 and 37, or a frequency of at least 131.\r\n";
const std::string kNoteLow = "please type a note between 1 and 37.\r\n";
const std::string kNoteNotNumeric = "Please specify a note number between 1 and 37.\r\n";
const std::string kTooShort =
    "current length input is less than 50. please type a length between 20 and 20000.\r\n";
const std::string kTooLong =
    "current length input is more than 20000. please type in a length between 50 and 20000.\r\n";
const std::string kEndAbove = "end note can't be higher than 37.\r\n";
const std::string kEndNotNumeric = "End note isn't a numeric value. Please enter a note.\r\n";

PhonemeForm Form(std::string phoneme, std::string note, std::string length) {
    return {std::move(phoneme), std::move(note), std::move(length), false, None, ""};
}
PhonemeForm Slide(std::string note, SlideDirection direction, std::string end, bool ticked = true) {
    return {"ah", std::move(note), "300", ticked, direction, std::move(end)};
}

// The list of codes, one a line, is the writer's own list.
TEST(PhonemeForm, AnUnknownCodeListsEveryCodeTheWriterTakes) {
    EXPECT_TRUE(std::ranges::equal(SupportedPhonemes(), PhonemeCodes));
    const std::string list = CheckPhonemeForm(Form("AA", "10", "300"));
    EXPECT_TRUE(list.starts_with("Invalid phoneme entered. Phonemes supported are:\r\naa,\r\nae,"))
        << list;
    EXPECT_TRUE(list.ends_with("\r\nz,\r\nzh.\r\n")) << list;
    EXPECT_EQ(std::ranges::count(list, '\n'), 1 + 44);
}

const std::string kPhonemeList = CheckPhonemeForm(Form("AA", "10", "300"));

struct CheckCase {
    PhonemeForm form;
    std::string expected;
};

const CheckCase kChecks[] = {
    {{},
     "Please fill in the phoneme box.\r\n" + kPhonemeList + kNoteNotNumeric +
         "please fill in the note.\r\nplease fill in the length.\r\n"
         "please type in a length between 50 and 20000.\r\n"},
    {Form("aa", "10", "300"), ""},
    {Form(" aa", "10", "300"), kPhonemeList},
    {Form("aa", "1", "300"), ""},
    {Form("aa", "37", "300"), ""},
    {Form("aa", "37.4", "300"), ""},
    {Form("aa", "131", "300"), ""},
    {Form("aa", "2147483647", "300"), ""},
    {Form("aa", "38", "300"), kFrequencyHint},
    {Form("aa", "130", "300"), kFrequencyHint},
    {Form("aa", "0", "300"), kNoteLow},
    {Form("aa", "9e9", "300"), kNoteLow},
    {Form("aa", "x", "300"), kNoteNotNumeric},
    {Form("aa", "10", "50"), ""},
    {Form("aa", "10", "20000"), ""},
    {Form("aa", "10", "49"), kTooShort},
    {Form("aa", "10", "-9e9"), kTooShort},
    {Form("aa", "10", "20001"), kTooLong},
    {Form("aa", "10", "9e9"), kTooLong},
    {Form("aa", "10", "ten"), "please type in a length between 50 and 20000.\r\n"},
    // Direction errors come from the shared end checks, tested with the tones.
    {Slide("10", Up, "14"), ""},
    {Slide("10", Up, "38"), kEndAbove},
    {Slide("14", Down, "0"), "note can't be less than 1.\r\n"},
    {Slide("10", None, "9e9"), kEndAbove},
    {Slide("10", Up, ""), "Please fill in the end note for the slide.\r\n" + kEndNotNumeric},
    // The end is not compared with a start that is no number.
    {Slide("", Up, "14"), kNoteNotNumeric + "please fill in the note.\r\n"},
    // Hidden end text is not checked while Slide is off.
    {Slide("10", Up, "junk", false), ""},
};

TEST(PhonemeForm, ChecksCollectEveryFaultInOrder) {
    for (const CheckCase& c : kChecks) {
        EXPECT_EQ(CheckPhonemeForm(c.form), c.expected)
            << "'" << c.form.phoneme << "' note '" << c.form.note << "' length '" << c.form.length
            << "' end '" << c.form.endNote << "'";
    }
}

// "[:phone on]" goes first unless the script already ends in phoneme mode:
// the last line that switches the mode (any case) decides.
TEST(PhonemeWriting, PhoneOnUnlessTheScriptEndsInPhonemeMode) {
    const struct {
        const char* script;  // nullptr: no script yet
        bool phoneOn;
    } cases[] = {{nullptr, true},
                 {"hello\r\n", true},
                 {"[:PHONE ON]\r\n", false},
                 {"[:phone on]\r\n[aa<100,1>]\r\n[:Phone Off]\r\n", true},
                 {"[:phone off]\r\nsing [:phone on] now\r\n", false},
                 {"[:phone on] la [:phone off]\r\n", true}};
    for (const auto& c : cases) {
        test::TempFolder folder;
        const std::string before = c.script ? c.script : "";
        if (c.script) folder.Write("demo.txt", before);
        RecordingPrompts prompts;
        EXPECT_TRUE(GeneratePhonemes(folder.paths(), Form("c", "37.4", "2.5e2"), prompts));
        EXPECT_EQ(folder.Read("demo.txt"),
                  before + (c.phoneOn ? "[:phone on]\r\n" : "") + "[,<250,37>]\r\n")
            << before;
        EXPECT_TRUE(prompts.boxes.empty());
    }
}

}  // namespace
}  // namespace qvx
