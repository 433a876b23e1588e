#include "dialogs/PhonemeEntries.h"

#include <string_view>

#include "common/NumericText.h"
#include "script/PhonemeToneWriters.h"
#include "script/ScriptFile.h"

namespace qvx {
namespace {

constexpr std::string_view kPhonemeEmpty = "Please fill in the phoneme box.";
constexpr std::string_view kPhonemeInvalid = "Invalid phoneme entered. Phonemes supported are:";
constexpr std::string_view kNoteNeitherNoteNorFrequency =
    "please type a note between 1 and 37, or a frequency of at least 131.";
constexpr std::int64_t kLowestFrequency = 131;

// One code a line, each with a comma but the last, which ends the sentence.
std::string InvalidPhonemeMessage() {
    std::string text = std::string(kPhonemeInvalid) + "\r\n";
    for (const std::string_view code : PhonemeCodes) text += std::string(code) + ",\r\n";
    text.resize(text.size() - 3);
    return text + ".";
}

// Whether the script ends in phoneme mode: its last line that switches the
// mode switches it on. A line that switches both ways counts as off, since a
// second "[:phone on]" costs nothing.
bool EndsInPhonemeMode(const ProgramPaths& paths) {
    return FindLastScriptLine(paths, kPhoneOnLine, false) >
           FindLastScriptLine(paths, "[:phone off]", false);
}

// Appends "[:phone on]" unless the script ends in phoneme mode, then one
// entry per note of the run. Stops at the first failed write.
Result<void> WritePhonemeEntries(const ProgramPaths& paths, const PhonemeForm& form) {
    if (!EndsInPhonemeMode(paths)) {
        if (Result<void> result = WritePhoneOn(paths); !result) return result;
    }
    const std::int32_t length = ParseNumericText(form.length).value;
    for (const std::int32_t note :
         SlideRun(ReadBoxNumber(form.note).value, form.endNote, kMinNote, kMaxNote)) {
        if (Result<void> result = WritePhonemeEntry(paths, form.phoneme, length, note); !result) {
            return result;
        }
    }
    return Result<void>{};
}

}  // namespace

std::string CheckPhonemeForm(const PhonemeForm& form) {
    CheckMessages messages;
    if (form.phoneme.empty()) messages.Add(kPhonemeEmpty);
    if (!IsPhonemeCode(form.phoneme)) messages.Add(InvalidPhonemeMessage());

    const BoxNumber note = ReadBoxNumber(form.note);
    if (!note.numeric) messages.Add(kNoteNotNumeric);
    // A value past 32 bits is no note and no frequency that can be written.
    if (note.numeric && (!note.fits || note.value < kMinNote)) messages.Add(kNoteOutOfRange);
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

bool GeneratePhonemes(const ProgramPaths& paths, const PhonemeForm& form, UserPrompts& prompts) {
    if (const std::string messages = CheckPhonemeForm(form); !messages.empty()) {
        prompts.Message(messages);
        return false;
    }
    return prompts.Succeeded(WritePhonemeEntries(paths, form));
}

}  // namespace qvx
