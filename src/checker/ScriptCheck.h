#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "checker/ScriptLines.h"
#include "checker/ScriptRules.h"
#include "common/ProgramState.h"
#include "common/UserPrompts.h"

namespace qvx {

class FolderFiles;

inline constexpr std::string_view kNoScriptToCheck = "error! no script to check.";

// A finding of the full check or the corrector: its kind, its texts and the
// line they are about, valid while it is handed on. The texts are filled in
// only when asked for.
struct ScriptFinding {
    FindingKind kind;
    std::string_view boxPattern;
    std::string_view logPattern;
    const LineFacts& facts;

    std::size_t Line() const { return facts.number; }
    std::string BoxText() const { return FillText(boxPattern, facts); }
    std::string LogText() const { return FillText(logPattern, facts); }
};

using FindingSink = std::function<void(const ScriptFinding&)>;

// Holds every command line against the rules as it is read, and hands each
// finding on at once. Wave files are looked for in `waveFiles`. With
// `stopAfterFirstError` the check ends after the first error. False when the
// script could not be read to its end (the reader says why).
bool CheckScriptLines(ScriptLineReader& reader, FolderFiles& waveFiles, bool stopAfterFirstError,
                      const FindingSink& onFinding);

// What the check and the corrector do first: a missing script gets the box
// `noScript` (and no refresh follows), one that cannot be read a failure box;
// otherwise its lines.
struct OpenedScript {
    std::optional<ScriptLineReader> lines;
    Refresh refresh = Refresh::NotNeeded;  // Needed once the script was found
};
OpenedScript OpenScript(const ProgramPaths& paths, UserPrompts& prompts, std::string_view noScript);

// Tells the user that the script could not be read, and why.
void ReportUnreadableScript(const ProgramPaths& paths, const std::string& reason,
                            UserPrompts& prompts);

// Checks the working script: each finding in its own box and in errors.log,
// then the summary, and the verdict in state.ScriptCheckPassed.
[[nodiscard]] Refresh CheckScript(ProgramState& state, UserPrompts& prompts);

}  // namespace qvx
