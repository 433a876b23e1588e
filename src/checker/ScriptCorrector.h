#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "checker/ScriptCheck.h"
#include "checker/ScriptLines.h"
#include "common/ProgramState.h"
#include "common/UserPrompts.h"

namespace qvx {

inline constexpr std::string_view kNoScriptToCorrect = "error! no script to correct.";

// What the corrector makes of a script, before anything is shown or written.
struct ScriptCorrection {
    std::string text;                     // the corrected script, each line ending in CR LF
    std::vector<ScriptFinding> findings;  // failed corrections and warnings, in order
    std::int32_t repaired = 0;            // successful corrections

    std::int32_t Count(FindingKind kind) const;
    bool FoundNothing() const { return repaired == 0 && findings.empty(); }
};

// Corrects lines loaded with their final line break dropped: repairs the
// simple faults (a missing "]", a tone's "<" and ">", a dial's quotes) and
// lists the rest like the full check. Wave files are looked for in `folder`.
// The lines are taken over: a script that needs no repair becomes the
// corrected text without a copy.
ScriptCorrection CorrectScriptLines(ScriptLines lines, std::string_view folder);

// Corrects the working script: each failure and warning in its own box and in
// errors.log, the script rewritten in lower case, then the summary. errors.log
// stays unless nothing at all was found. Returns false when there was no
// script to correct; otherwise the caller refreshes the settings.
[[nodiscard]] bool CorrectScript(ProgramState& state, UserPrompts& prompts);

}  // namespace qvx
