#include "checker/ScriptCheck.h"

#include "checker/ErrorLog.h"
#include "checker/ScriptRules.h"
#include "common/FileExists.h"
#include "script/Writers.h"

namespace qvx {

std::vector<ScriptFinding> FindScriptFindings(const ScriptLines& lines, std::string_view folder,
                                              bool stopAfterFirstError) {
    std::vector<ScriptFinding> findings;
    WaveFiles waveFiles(folder);
    LineContext context{{}, 0, &waveFiles, false};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        context.SetLine(lines[i]);
        context.number = static_cast<std::int32_t>(i + 1);
        if (ClassifyLine(context.line) == LineKind::Command) {
            for (const CheckRule& rule : kScriptRules) {
                if (!rule.when.Holds(context)) continue;
                findings.push_back({context.number, rule.kind, FillText(rule.boxText, context),
                                    FillText(rule.logText, context)});
                if (stopAfterFirstError && rule.kind == FindingKind::Error) return findings;
            }
        }
        // Remembered as we go, so that no earlier line is ever searched again.
        context.phoneOnSeen = context.phoneOnSeen || context.line == kPhoneOnLine;
    }
    return findings;
}

bool CheckScript(ProgramState& state, UserPrompts& prompts) {
    state.ScriptCheckPassed = false;
    const ProgramPaths& paths = state.paths;
    if (!FileExists(paths.script)) {
        prompts.Message(std::string(kNoScriptToCheck));
        return false;
    }
    const auto lines = LoadScriptLines(paths.script, false);
    if (!lines) {
        prompts.ReportFailure("could not read the script " + paths.script + ".");
        return true;
    }
    const bool stopAfterFirstError = state.options.StopAfterFirstError;
    const auto findings = FindScriptFindings(*lines, paths.folder, stopAfterFirstError);

    ErrorLog log(paths.errorLog, prompts);
    std::int32_t errors = 0;
    std::int32_t warnings = 0;
    for (const ScriptFinding& finding : findings) {
        prompts.Message(finding.boxText);
        log.Append(finding.logText);
        ++(finding.kind == FindingKind::Error ? errors : warnings);
    }
    log.Close();

    if (!stopAfterFirstError) {
        prompts.Message("script was checked with " + FormatNumber(errors) + " errors and " +
                        FormatNumber(warnings) + " warnings.");
    }
    const bool clean = errors == 0 && warnings == 0;
    if (clean || !state.options.LogErrors) log.Remove();
    state.ScriptCheckPassed = clean;
    return true;
}

}  // namespace qvx
