#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/ProgramState.h"
#include "common/TextFile.h"
#include "common/UserPrompts.h"
#include "dialogs/SlideForm.h"

namespace qvx {

// What the tone dialog's controls hold when Generate is pressed.
struct ToneForm {
    std::string value;
    std::string length;
    bool slide = false;
    SlideDirection direction = SlideDirection::None;
    std::string endValue;  // read even while hidden
};

// Everything that differs between pitch by note number and by frequency.
struct ToneSystemInfo {
    std::string_view valueCaption;  // lblNote
    std::string_view endCaption;    // lblEndNote
    int limit;                      // characters in the value and end boxes
    std::string_view notNumeric;
    std::string_view outOfRange;
    std::string_view empty;
    SlideEndRule end;
    Result<void> (*writer)(const ProgramPaths&, std::int32_t pitch, std::int32_t length);
};

// The system in force: note numbers while the ToneSystem option is on.
const ToneSystemInfo& CurrentToneSystem(const Options& options);

// Every failed check's message, each followed by CR LF, in check order;
// empty when the form may be written.
std::string CheckToneForm(const ToneForm& form, const ToneSystemInfo& system);

// Generate: checks the form against the system in force, shows the collected
// messages in one box or writes the tones (reporting a failed write). True
// when the dialog may close.
bool GenerateTones(const ProgramState& state, const ToneForm& form, UserPrompts& prompts);

}  // namespace qvx
