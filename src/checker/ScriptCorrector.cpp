#include "checker/ScriptCorrector.h"

#include <span>

#include "checker/ErrorLog.h"
#include "common/FileAccess.h"

namespace qvx {
namespace {

constexpr std::string_view kTone = "[:tone";
constexpr std::string_view kDial = "[:dial";

constexpr std::string_view kCommaCannotSeparate =
    "error! missing comma for separation between parameters in tone command on line {N}: {L}. "
    "Cannot determine where to separate.";
constexpr std::string_view kQuotesAtWrongPositions =
    "error! unbalanced quotes in dial command or quotes at wrong positions on line {N}: {L}";
constexpr std::string_view kQuotesInWrongPositions =
    "error! unbalanced quotes in dial command or quotes in wrong positions on line {N}: {L}";

bool Lacks(std::string_view line, char c) {
    return line.find(c) == std::string_view::npos;
}

// A command's own span: from its "[:" to the first "]" after it.
struct Span {
    std::size_t start;
    std::size_t close;  // npos when the command runs to the line's end unclosed
};
Span SpanOf(std::string_view line, std::string_view command) {
    const std::size_t start = line.find(command);
    return {start, line.find(']', start)};
}

class LineCorrector {
  public:
    LineCorrector(std::string& line, LineFacts facts, CorrectionCounts& counts,
                  const FindingSink& onFinding)
        : line_(line), facts_(facts), counts_(counts), onFinding_(onFinding) {}

    void Run() {
        if (Lacks(line_, ']')) Repair(line_.size(), ']');
        if (Contains(kTone)) CorrectTone();
        if (Contains(kDial)) CorrectDial();
        for (const ScriptRule& rule : std::span(kScriptRules).subspan(kDialBalanceRule + 1)) {
            if (rule.Holds(Facts())) Report(rule.kind, rule.boxText, rule.logText);
        }
    }

  private:
    void CorrectTone() {
        if (Lacks(line_, '<')) {
            const Span tone = SpanOf(line_, kTone);
            if (tone.close == std::string::npos) {
                ReportRule(kToneLessThanRule);
            } else {
                Repair(tone.start + kTone.size(), '<');
            }
        }
        if (Lacks(line_, '>')) {
            const Span tone = SpanOf(line_, kTone);
            if (tone.close == std::string::npos) {
                ReportRule(kToneGreaterThanRule);
            } else {
                Repair(tone.close, '>');
            }
        }
        if (Lacks(line_, ',')) {
            Report(FindingKind::Error, kCommaCannotSeparate, kScriptRules[kToneCommaRule].logText);
        }
    }

    // The quotes go around everything after the command name and its blanks.
    void CorrectDial() {
        const Span dial = SpanOf(line_, kDial);
        const std::size_t digits = line_.find_first_not_of(' ', dial.start + kDial.size());
        if (Lacks(line_, kQuote)) {
            if (dial.close == std::string::npos) return ReportRule(kDialQuotesRule);
            // One repair: the pair of quotes.
            line_.insert(dial.close, 1, kQuote);
            return Repair(digits, kQuote);
        }
        if (CountOccurrences(line_, "\"") == 2) return;
        // Only a single quote is completed: with three, a fourth would be
        // added at every run.
        const std::size_t quote = line_.find(kQuote);
        if (dial.close != std::string::npos && CountOccurrences(line_, "\"") == 1) {
            if (quote == digits) return Repair(dial.close, kQuote);
            if (quote + 1 == dial.close) return Repair(digits, kQuote);
        }
        Report(FindingKind::Error, kQuotesAtWrongPositions, kQuotesInWrongPositions);
    }

    bool Contains(std::string_view part) const { return line_.find(part) != std::string::npos; }
    LineFacts Facts() const {
        LineFacts facts = facts_;
        facts.line = line_;
        return facts;
    }
    void Repair(std::size_t at, char c) {
        line_.insert(at, 1, c);
        ++counts_.repaired;
    }
    void ReportRule(std::size_t rule) {
        Report(kScriptRules[rule].kind, kScriptRules[rule].boxText, kScriptRules[rule].logText);
    }
    void Report(FindingKind kind, std::string_view box, std::string_view log) {
        ++(kind == FindingKind::Error ? counts_.failed : counts_.warnings);
        const LineFacts facts = Facts();
        onFinding_({kind, box, log, facts});
    }

    std::string& line_;
    const LineFacts facts_;
    CorrectionCounts& counts_;
    const FindingSink& onFinding_;
};

std::string Summary(const CorrectionCounts& counts) {
    return "script was checked.\r\nNumber of successful corrections: " +
           std::to_string(counts.repaired) +
           "\r\nNumber of failed corrections: " + std::to_string(counts.failed) +
           "\r\nNumber of warnings: " + std::to_string(counts.warnings);
}

// Corrects one command line in place: adds a missing "]", a tone's "<" and
// ">" and a dial's quotes, each within the command's own span (from its "[:"
// to the first "]" after it), and reports everything else as the full check
// does. `facts` gives the line's number and context; its line is ignored.
void CorrectLine(std::string& line, LineFacts facts, CorrectionCounts& counts,
                 const FindingSink& onFinding) {
    LineCorrector(line, facts, counts, onFinding).Run();
}

}  // namespace

Result<void> CorrectScriptLines(ScriptLineReader& reader, FolderFiles& waveFiles,
                                ReplacementFile& out, CorrectionCounts& counts,
                                const FindingSink& onFinding) {
    LineFacts facts{{}, 0, false, &waveFiles};
    std::string corrected;
    Result<void> written = out.Write(reader.Utf8Mark());  // kept by the rewrite
    for (ScriptLine line; written && reader.Next(line);) {
        corrected.assign(line.text);
        facts.number = line.number;
        if (line.kind == LineKind::Command) CorrectLine(corrected, facts, counts, onFinding);
        // Later lines see this one as repaired.
        facts.phoneOnBefore = facts.phoneOnBefore || corrected == kPhoneOnLine;
        written = out.Write(corrected.append(reader.LineEnd()));
    }
    return written ? reader.status() : written;
}

Refresh CorrectScript(ProgramState& state, UserPrompts& prompts) {
    state.ScriptCheckPassed = false;
    const ProgramPaths& paths = state.paths;
    OpenedScript script = OpenScript(paths, prompts, kNoScriptToCorrect);
    if (!script.lines) return script.refresh;
    Result<ReplacementFile> out = ReplacementFile::Create(paths.script);
    if (!out) {
        prompts.ReportFailure(out.error());
        return Refresh::Needed;
    }

    ErrorLog log(paths.errorLog, prompts);
    FolderFiles waveFiles(paths.folder);
    CorrectionCounts counts;
    const Result<void> corrected = CorrectScriptLines(*script.lines, waveFiles, *out, counts,
                                                      [&](const ScriptFinding& finding) {
                                                          prompts.Message(finding.BoxText());
                                                          log.Append(finding.LogText());
                                                      });
    log.Close();
    // The summary counts corrections as made, so it follows a successful
    // rewrite; a failed one leaves the old script whole and says so instead.
    if (!corrected) {
        if (script.lines->status()) {
            prompts.ReportFailure(corrected.error());
        } else {
            ReportUnreadableScript(paths, corrected.error(), prompts);
        }
        return Refresh::Needed;
    }
    if (!prompts.Succeeded(out->Commit())) return Refresh::Needed;
    prompts.Message(Summary(counts));
    if (counts.FoundNothing()) {
        log.Remove();
        state.ScriptCheckPassed = true;
    }
    return Refresh::Needed;
}

}  // namespace qvx
