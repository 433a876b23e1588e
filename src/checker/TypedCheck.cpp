#include "checker/TypedCheck.h"

#include "checker/ScriptLines.h"
#include "checker/ScriptRules.h"
#include "common/FileAccess.h"
#include "common/LineReader.h"
#include "common/TextEncoding.h"

namespace qvx {
namespace {

void Show(std::string_view title, std::string_view text, const LineFacts& facts,
          UserPrompts& prompts) {
    prompts.ShowMessage(FillText(text, facts), std::string(title), PromptIcon::Exclamation);
}

// Only lines that begin with "[:" are examined, as in the full check: sung
// phoneme entries such as "[aa<500,13>]" begin with "[" and are not commands.
bool IsCommandLine(std::string_view line) {
    return ClassifyLine(line) == LineKind::Command;
}

}  // namespace

std::optional<TextSelection> CheckTypedText(std::string_view text, const ProgramPaths& paths,
                                            UserPrompts& prompts) {
    if (text.find("\r\n") != text.npos) return CheckTypedLines(text, paths, prompts);
    const std::size_t mark = Utf8MarkOf(text).size();  // pasted from a file
    text.remove_prefix(mark);
    if (IsAllSpaces(text) || !IsCommandLine(text)) return std::nullopt;

    FolderFiles waveFiles(paths.folder);
    const LineFacts facts{text, 1, false, &waveFiles};
    bool errorFound = false;
    for (const ScriptRule& rule : kScriptRules) {
        if (rule.oneLineText.empty() || !rule.Holds(facts)) continue;
        Show(rule.oneLineTitle, rule.oneLineText, facts, prompts);
        errorFound = errorFound || rule.kind == FindingKind::Error;
    }
    if (!errorFound) return std::nullopt;
    return TextSelection{mark, text.size()};
}

// The faulty line itself is selected, not the first text that reads like it:
// "[:np" would otherwise select the start of an earlier correct "[:np]".
std::optional<TextSelection> CheckTypedLines(std::string_view text, const ProgramPaths& paths,
                                             UserPrompts& prompts) {
    FolderFiles waveFiles(paths.folder);
    LineFacts facts{{}, 0, false, &waveFiles};
    LineSplitter lines(text.substr(Utf8MarkOf(text).size()));
    for (std::string_view line; lines.Next(line);) {
        facts.line = line;
        ++facts.number;
        if (IsCommandLine(line)) {
            for (const ScriptRule& rule : kScriptRules) {
                if (!rule.Holds(facts)) continue;
                Show(rule.manyLineTitle, rule.manyLineText, facts, prompts);
                return TextSelection{static_cast<std::size_t>(line.data() - text.data()),
                                     line.size()};
            }
        }
        facts.phoneOnBefore = facts.phoneOnBefore || line == kPhoneOnLine;
    }
    return std::nullopt;
}

}  // namespace qvx
