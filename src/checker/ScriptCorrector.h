#pragma once

#include <string_view>

#include "common/ProgramState.h"
#include "common/UserPrompts.h"

namespace qvx {

inline constexpr std::string_view kNoScriptToCorrect = "error! no script to correct.";

// Repairs the simple faults of the working script (a missing "]", a tone's
// "<" and ">", a dial's quotes), reports the rest like the full check, and
// rewrites the script in lower case. errors.log stays unless nothing at all
// was found. Returns false when there was no script to correct; otherwise the
// caller refreshes the settings.
[[nodiscard]] bool CorrectScript(ProgramState& state, UserPrompts& prompts);

}  // namespace qvx
