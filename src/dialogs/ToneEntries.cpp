#include "dialogs/ToneEntries.h"

#include "common/NumericText.h"
#include "script/PhonemeToneWriters.h"

namespace qvx {
namespace {

const ToneSystemInfo kNoteSystem{"Note:",         "End Note:",     2,
                                 kNoteNotNumeric, kNoteOutOfRange, kNoteEmpty,
                                 kEndNoteRule,    WriteToneNote};

const ToneSystemInfo kFrequencySystem{
    "Frequency:",
    "End Frequency:",
    5,
    "Please specify a frequency between 20 and 20000.",
    "please type a frequency between 20 and 20000.",
    "please fill in the frequency.",
    {kMinFrequency, kMaxFrequency, "Please fill in the end frequency for the slide.",
     "End frequency isn't a numeric value. Please enter a frequency value.",
     "end note can't be higher than 20000.", "note can't be less than 20."},
    WriteToneFrequency};

// One tone per pitch of the run, each of the full length. Stops at the first
// failed write.
Result<void> WriteToneEntries(const ProgramPaths& paths, const ToneForm& form,
                              const ToneSystemInfo& system) {
    const std::int32_t length = ParseNumericText(form.length).value;
    for (const std::int32_t pitch :
         SlideRun(ReadBoxNumber(form.value).value, form.endValue, system.end.min, system.end.max)) {
        if (Result<void> result = system.writer(paths, pitch, length); !result) return result;
    }
    return Result<void>{};
}

}  // namespace

const ToneSystemInfo& CurrentToneSystem(const Options& options) {
    return options.ToneSystem ? kNoteSystem : kFrequencySystem;
}

std::string CheckToneForm(const ToneForm& form, const ToneSystemInfo& system) {
    CheckMessages messages;
    const BoxNumber value = ReadBoxNumber(form.value);
    if (!value.numeric) messages.Add(system.notNumeric);
    if (value.numeric && (value.value < system.end.min || value.value > system.end.max)) {
        messages.Add(system.outOfRange);
    }
    if (value.empty) messages.Add(system.empty);

    CheckSlideLength(ReadBoxNumber(form.length), messages);
    if (form.slide) {
        CheckSlideEnd(value, ReadBoxNumber(form.endValue), form.direction, system.end, messages);
    }
    return messages.Text();
}

bool GenerateTones(const ProgramState& state, const ToneForm& form, UserPrompts& prompts) {
    const ToneSystemInfo& system = CurrentToneSystem(state.options);
    if (const std::string messages = CheckToneForm(form, system); !messages.empty()) {
        prompts.Message(messages);
        return false;
    }
    return prompts.Succeeded(WriteToneEntries(state.paths, form, system));
}

}  // namespace qvx
