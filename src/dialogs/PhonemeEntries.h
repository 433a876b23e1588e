#pragma once

#include <string>

#include "common/ProgramPaths.h"
#include "common/TextFile.h"
#include "common/UserPrompts.h"
#include "dialogs/SlideForm.h"

namespace qvx {

// What the phoneme dialog's controls hold when Generate is pressed.
struct PhonemeForm {
    std::string phoneme;
    std::string note;
    std::string length;
    bool slide = false;
    SlideDirection direction = SlideDirection::None;
    std::string endNote;  // read even while hidden
};

// Every failed check's message, each followed by CR LF, in check order;
// empty when the form may be written.
std::string CheckPhonemeForm(const PhonemeForm& form);

// Generate: checks the form, shows the collected messages in one box or
// writes the entries (reporting a failed write). True when the dialog may
// close.
bool GeneratePhonemes(const ProgramPaths& paths, const PhonemeForm& form, UserPrompts& prompts);

}  // namespace qvx
