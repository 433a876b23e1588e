#include "dialogs/PhonemeEntries.h"

#include <algorithm>
#include <string_view>

#include "common/NumericText.h"
#include "script/PhonemeToneWriters.h"
#include "script/ScriptFile.h"

namespace qvx {
namespace {

constexpr std::string_view kSupportedPhonemeText =
    "aa|ae|ah|ao|aw|ax|ay|b|c|ch|d|dh|eh|en|ey|f|g|hx|ih|ix|iy|jh|k|l|lx|m|n|nx|or|ow|oy|p|r|rr|s|"
    "sh|"
    "t|th|uh|uw|v|w|z|zh";

constexpr std::string_view kPhonemeEmpty = "Please fill in the phoneme box.";
constexpr std::string_view kPhonemeInvalid = "Invalid phoneme entered. Phonemes supported are:";
constexpr std::string_view kNoteNotNumeric = "Please specify a note number between 1 and 37.";
constexpr std::string_view kNoteBelowOne = "please type a note between 1 and 37.";
constexpr std::string_view kNoteNeitherNoteNorFrequency =
    "please type a note between 1 and 37, or a frequency of at least 131.";
constexpr std::string_view kNoteEmpty = "please fill in the note.";
constexpr std::int64_t kLowestFrequency = 131;

constexpr SlideEndRule kEndNoteRule{kMinNote,
                                    kMaxNote,
                                    "Please fill in the end note for the slide.",
                                    "End note isn't a numeric value. Please enter a note.",
                                    "end note can't be higher than 37.",
                                    "note can't be less than 1."};

std::vector<std::string> SplitAtBar(std::string_view text) {
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t bar = text.find('|', start);
        parts.emplace_back(text.substr(start, bar - start));
        if (bar == std::string_view::npos) return parts;
        start = bar + 1;
    }
}

// One code a line, each with a comma but the last, which ends the sentence.
std::string InvalidPhonemeMessage() {
    std::string text = std::string(kPhonemeInvalid) + "\r\n";
    for (const auto& code : SupportedPhonemes()) text += code + ",\r\n";
    text.resize(text.size() - 3);
    return text + ".";
}

bool IsSupported(const std::string& phoneme) {
    const auto& codes = SupportedPhonemes();
    return std::find(codes.begin(), codes.end(), phoneme) != codes.end();
}

// Whether the script ends in phoneme mode: its last line that switches the
// mode switches it on. A line that switches both ways counts as off, since a
// second "[:phone on]" costs nothing.
bool EndsInPhonemeMode(const ProgramPaths& paths) {
    return FindLastScriptLine(paths, "[:phone on]", false) >
           FindLastScriptLine(paths, "[:phone off]", false);
}

}  // namespace

const std::vector<std::string>& SupportedPhonemes() {
    static const std::vector<std::string> codes = SplitAtBar(kSupportedPhonemeText);
    return codes;
}

std::string CheckPhonemeForm(const PhonemeForm& form) {
    CheckMessages messages;
    if (form.phoneme.empty()) messages.Add(kPhonemeEmpty);
    if (!IsSupported(form.phoneme)) messages.Add(InvalidPhonemeMessage());

    const BoxNumber note = ReadBoxNumber(form.note);
    if (!note.numeric) messages.Add(kNoteNotNumeric);
    // A value past 32 bits is no note and no frequency that can be written.
    if (note.numeric && (!note.fits || note.value < kMinNote)) messages.Add(kNoteBelowOne);
    if (note.fits && note.value > kMaxNote && note.value < kLowestFrequency) {
        messages.Add(kNoteNeitherNoteNorFrequency);
    }
    if (note.empty) messages.Add(kNoteEmpty);

    CheckSlideLength(ReadBoxNumber(form.length), messages);
    if (form.slide) {
        CheckSlideEnd(note, ReadBoxNumber(form.endNote), form.direction, kEndNoteRule, messages);
    }
    return messages.Text();
}

FileResult WritePhonemeEntries(const ProgramPaths& paths, const PhonemeForm& form) {
    if (!EndsInPhonemeMode(paths)) {
        if (FileResult result = WritePhoneOn(paths); !result) return result;
    }
    const std::int32_t length = ParseNumericText(form.length).value;
    for (const std::int32_t note :
         SlideRun(ReadBoxNumber(form.note).value, form.endNote, kMinNote, kMaxNote)) {
        if (FileResult result = WritePhonemeEntry(paths, form.phoneme, length, note); !result) {
            return result;
        }
    }
    return FileResult::Success();
}

bool GeneratePhonemes(const ProgramPaths& paths, const PhonemeForm& form, UserPrompts& prompts) {
    if (const std::string messages = CheckPhonemeForm(form); !messages.empty()) {
        prompts.Message(messages);
        return false;
    }
    return prompts.Succeeded(WritePhonemeEntries(paths, form));
}

}  // namespace qvx
