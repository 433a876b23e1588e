#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "checker/RuleConditions.h"
#include "checker/ScriptLines.h"
#include "common/ProgramState.h"
#include "common/UserPrompts.h"

namespace qvx {

inline constexpr std::string_view kNoScriptToCheck = "error! no script to check.";

struct ScriptFinding {
    std::int32_t line = 0;  // from 1
    FindingKind kind = FindingKind::Error;
    std::string boxText;
    std::string logText;
};

// The findings of the full check, in the order it makes them, without showing
// anything. Wave files are looked for in `folder`. With `stopAfterFirstError`
// the list ends with the first error.
std::vector<ScriptFinding> FindScriptFindings(const ScriptLines& lines, std::string_view folder,
                                              bool stopAfterFirstError);

// Checks the working script: each finding in its own box and in errors.log,
// then the summary, and the verdict in state.ScriptCheckPassed. Returns false
// when there was no script to check; otherwise the caller refreshes the
// settings.
[[nodiscard]] bool CheckScript(ProgramState& state, UserPrompts& prompts);

}  // namespace qvx
