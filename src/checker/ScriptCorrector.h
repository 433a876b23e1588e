#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "checker/ScriptCheck.h"
#include "common/ProgramState.h"
#include "common/UserPrompts.h"

namespace qvx {

class FolderFiles;
class ReplacementFile;

inline constexpr std::string_view kNoScriptToCorrect = "error! no script to correct.";

struct CorrectionCounts {
    std::int32_t repaired = 0;  // successful corrections
    std::int32_t failed = 0;    // errors left as they were
    std::int32_t warnings = 0;

    bool FoundNothing() const { return repaired == 0 && failed == 0 && warnings == 0; }
};

// Corrects the script a line at a time into `out`: every line lower-cased,
// command lines corrected, each line ended the way the script ends its
// lines. A failure when the script could not be read or the new one written
// to its end.
Result<void> CorrectScriptLines(ScriptLineReader& reader, FolderFiles& waveFiles,
                                ReplacementFile& out, CorrectionCounts& counts,
                                const FindingSink& onFinding);

// Corrects the working script: each failure and warning in its own box and in
// errors.log, the script rewritten in lower case, then the summary. errors.log
// stays unless nothing at all was found.
[[nodiscard]] Refresh CorrectScript(ProgramState& state, UserPrompts& prompts);

}  // namespace qvx
