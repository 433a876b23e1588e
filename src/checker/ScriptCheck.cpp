#include "checker/ScriptCheck.h"

#include "checker/ErrorLog.h"
#include "common/FileAccess.h"
#include "common/FileExists.h"

namespace qvx {

bool CheckScriptLines(ScriptLineReader& reader, FolderFiles& waveFiles, bool stopAfterFirstError,
                      const FindingSink& onFinding) {
    LineFacts facts{{}, 0, false, &waveFiles};
    for (ScriptLine line; reader.Next(line);) {
        facts.line = line.text;
        facts.number = line.number;
        if (line.kind == LineKind::Command) {
            for (const ScriptRule& rule : kScriptRules) {
                if (!rule.Holds(facts)) continue;
                onFinding({rule.kind, rule.boxText, rule.logText, facts});
                if (stopAfterFirstError && rule.kind == FindingKind::Error) return true;
            }
        }
        // Remembered as we go, so no earlier line is ever read again.
        facts.phoneOnBefore = facts.phoneOnBefore || line.text == kPhoneOnLine;
    }
    return reader.status().ok();
}

void ReportUnreadableScript(const ProgramPaths& paths, const std::string& reason,
                            UserPrompts& prompts) {
    prompts.ReportFailure("could not read the script " + paths.script + ": " + reason + ".");
}

OpenedScript OpenScript(const ProgramPaths& paths, UserPrompts& prompts,
                        std::string_view noScript) {
    if (!FileExists(paths.script)) {
        prompts.Message(std::string(noScript));
        return {};
    }
    ScriptLineReader reader(paths.script);
    if (!reader.status().ok()) {
        ReportUnreadableScript(paths, reader.status().error(), prompts);
        return {std::nullopt, Refresh::Needed};
    }
    return {std::move(reader), Refresh::Needed};
}

Refresh CheckScript(ProgramState& state, UserPrompts& prompts) {
    state.ScriptCheckPassed = false;
    const ProgramPaths& paths = state.paths;
    OpenedScript script = OpenScript(paths, prompts, kNoScriptToCheck);
    if (!script.lines) return script.refresh;
    ScriptLineReader& reader = *script.lines;

    ErrorLog log(paths.errorLog, prompts);
    std::int32_t errors = 0;
    std::int32_t warnings = 0;
    FolderFiles waveFiles(paths.folder);
    const bool stopAfterFirstError = state.options.StopAfterFirstError;
    const bool read =
        CheckScriptLines(reader, waveFiles, stopAfterFirstError, [&](const ScriptFinding& f) {
            prompts.Message(f.BoxText());
            log.Append(f.LogText());
            ++(f.kind == FindingKind::Error ? errors : warnings);
        });
    log.Close();
    if (!read) {
        ReportUnreadableScript(paths, reader.status().error(), prompts);
        return Refresh::Needed;
    }

    if (!stopAfterFirstError) {
        prompts.Message("script was checked with " + std::to_string(errors) + " errors and " +
                        std::to_string(warnings) + " warnings.");
    }
    const bool clean = errors == 0 && warnings == 0;
    if (clean || !state.options.LogErrors) log.Remove();
    state.ScriptCheckPassed = clean;
    return Refresh::Needed;
}

}  // namespace qvx
