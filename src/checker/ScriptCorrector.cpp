#include "checker/ScriptCorrector.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "checker/ErrorLog.h"
#include "checker/ScriptLines.h"
#include "checker/ScriptRules.h"
#include "common/FileExists.h"
#include "common/TextFile.h"
#include "script/Writers.h"

namespace qvx {
namespace {

// Changes the line in place; false when the line does not allow it and is
// left as it was.
using Repair = bool (*)(std::string& line);

// A step of the corrector. With a repair, the box and log texts are those of
// a refused repair; without one, the fault is only reported.
struct CorrectorStep {
    RuleCondition when;
    Repair repair;
    FindingKind kind;
    std::string_view boxText;
    std::string_view logText;
};

constexpr std::string_view kToneStart = "[:tone";
constexpr std::string_view kDialStart = "[:dial";
constexpr std::size_t kDialQuoteAt = 7;  // right after "[:dial "

// The positional repairs count from the start of the line and back from its
// end, so they are made only where the command begins the line and its
// bracket ends it; "[:np][:tone440,500]" would otherwise be mangled.
bool ToneBeginsLine(std::string_view line) {
    return line.starts_with(kToneStart);
}
bool ToneSpansLine(std::string_view line) {
    return ToneBeginsLine(line) && line.ends_with(']');
}
bool DialSpansLine(std::string_view line) {
    return line.starts_with(kDialStart) && line.ends_with(']');
}

bool AppendBracket(std::string& line) {
    line += ']';
    return true;
}

bool InsertLessThan(std::string& line) {
    line.insert(kToneStart.size(), 1, '<');
    return true;
}

bool InsertGreaterThan(std::string& line) {
    line.insert(line.size() - 1, 1, '>');
    return true;
}

// "[:dial 555]" becomes "[:dial "555"]". "[:dial]" has no room for the
// number and is left alone.
bool QuoteDialNumber(std::string& line) {
    if (line.size() <= kDialQuoteAt) return false;
    line.insert(line.size() - 1, 1, kQuote);
    line.insert(kDialQuoteAt, 1, kQuote);
    return true;
}

// Adds the missing one of a pair of quotes. Only a single quote is completed:
// with three, a fourth would be added at every run.
bool CompleteDialQuotes(std::string& line) {
    if (CountOccurrences(line, std::string_view(&kQuote, 1)) != 1) return false;
    const std::size_t position = line.find(kQuote) + 1;
    if (position == kDialQuoteAt + 1) {
        line.insert(line.size() - 1, 1, kQuote);
    } else if (position == line.size() - 1) {
        line.insert(kDialQuoteAt, 1, kQuote);
    } else {
        return false;
    }
    return true;
}

constexpr CorrectorStep Reported(const CheckRule& rule, RuleCondition when) {
    return {when, nullptr, rule.kind, rule.boxText, rule.logText};
}
constexpr CorrectorStep Reported(const CheckRule& rule) {
    return Reported(rule, rule.when);
}

constexpr CorrectorStep DialRepair(RuleCondition when, Repair repair) {
    return {
        when, repair, FindingKind::Error,
        "error! unbalanced quotes in dial command or quotes at wrong positions on line {N}: {L}",
        "error! unbalanced quotes in dial command or quotes in wrong positions on line {N}: {L}"};
}

constexpr std::array kCorrectorSteps{
    CorrectorStep{kNoCloseBracket, AppendBracket, FindingKind::Error, "", ""},
    CorrectorStep{
        {kToneStart, [](const LineContext& c) { return NoLessThan(c) && ToneBeginsLine(c.line); }},
        InsertLessThan,
        FindingKind::Error,
        "",
        ""},
    Reported(kToneLessThanRule,
             {kToneStart,
              [](const LineContext& c) { return NoLessThan(c) && !ToneBeginsLine(c.line); }}),
    CorrectorStep{{kToneStart,
                   [](const LineContext& c) { return NoGreaterThan(c) && ToneSpansLine(c.line); }},
                  InsertGreaterThan,
                  FindingKind::Error,
                  "",
                  ""},
    Reported(kToneGreaterThanRule,
             {kToneStart,
              [](const LineContext& c) { return NoGreaterThan(c) && !ToneSpansLine(c.line); }}),
    CorrectorStep{kToneWithoutComma, nullptr, FindingKind::Error,
                  "error! missing comma for separation between parameters in tone command on line "
                  "{N}: {L}. Cannot determine where to separate.",
                  kToneCommaRule.logText},
    DialRepair(
        {kDialStart, [](const LineContext& c) { return NoQuote(c) && DialSpansLine(c.line); }},
        QuoteDialNumber),
    Reported(
        kDialQuotesRule,
        {kDialStart, [](const LineContext& c) { return NoQuote(c) && !DialSpansLine(c.line); }}),
    DialRepair({kDialStart,
                [](const LineContext& c) { return UnbalancedQuotes(c) && DialSpansLine(c.line); }},
               CompleteDialQuotes),
    Reported(kDialBalanceRule,
             {kDialStart,
              [](const LineContext& c) { return UnbalancedQuotes(c) && !DialSpansLine(c.line); }}),
    Reported(kPhoneParameterRule),
    Reported(kVoiceParameterRule),
    Reported(kPhoneOffRule),
    Reported(kWaveFileRule),
    Reported(kCommandRule),
};

// Runs every step over one command line and gives the line as corrected. It
// is copied into `repaired` only when a repair changes it, which is rare.
std::string_view CorrectLine(std::string_view original, LineContext& context,
                             ScriptCorrection& correction, std::string& repaired) {
    context.SetLine(original);
    bool copied = false;
    for (const CorrectorStep& step : kCorrectorSteps) {
        if (!step.when.Holds(context)) continue;
        if (step.repair) {
            if (!copied) repaired.assign(original);
            copied = true;
            if (step.repair(repaired)) {
                ++correction.repaired;
                context.SetLine(repaired);
                continue;
            }
        }
        correction.findings.push_back({context.number, step.kind, FillText(step.boxText, context),
                                       FillText(step.logText, context)});
    }
    return context.line;
}

std::string Summary(const ScriptCorrection& correction) {
    return "script was checked.\r\nNumber of successful corrections: " +
           FormatNumber(correction.repaired) + "\r\nNumber of failed corrections: " +
           FormatNumber(correction.Count(FindingKind::Error)) +
           "\r\nNumber of warnings: " + FormatNumber(correction.Count(FindingKind::Warning));
}

}  // namespace

std::int32_t ScriptCorrection::Count(FindingKind kind) const {
    return static_cast<std::int32_t>(
        std::count_if(findings.begin(), findings.end(),
                      [kind](const ScriptFinding& finding) { return finding.kind == kind; }));
}

ScriptCorrection CorrectScriptLines(ScriptLines lines, std::string_view folder) {
    ScriptCorrection correction;
    std::string& text = correction.text;
    const std::string_view loaded = lines.text();
    // Unchanged lines are copied in runs, up to the next changed one, and only
    // once a line has changed.
    std::size_t copiedUpTo = 0;
    bool changed = false;
    WaveFiles waveFiles(folder);
    LineContext context{{}, 0, &waveFiles, false};
    std::string repaired;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view original = lines[i];
        std::string_view line = original;
        context.number = static_cast<std::int32_t>(i + 1);
        if (ClassifyLine(original) == LineKind::Command) {
            line = CorrectLine(original, context, correction, repaired);
        }
        if (line.data() != original.data()) {
            if (!changed) text.reserve(loaded.size() + loaded.size() / 16 + kLineEnd.size());
            changed = true;
            text.append(loaded.substr(copiedUpTo, lines.Offset(i) - copiedUpTo));
            text.append(line);
            copiedUpTo = lines.Offset(i) + original.size();
        }
        // Later lines see this one as repaired.
        context.phoneOnSeen = context.phoneOnSeen || line == kPhoneOnLine;
    }
    const bool anyLines = !lines.empty();
    if (changed) {
        text.append(loaded.substr(copiedUpTo));
    } else {
        text = std::move(lines).TakeText();
    }
    if (anyLines) text += kLineEnd;
    return correction;
}

bool CorrectScript(ProgramState& state, UserPrompts& prompts) {
    state.ScriptCheckPassed = false;
    const ProgramPaths& paths = state.paths;
    if (!FileExists(paths.script)) {
        prompts.Message(std::string(kNoScriptToCorrect));
        return false;
    }
    auto lines = LoadScriptLines(paths.script, true);
    if (!lines) {
        prompts.ReportFailure("could not read the script " + paths.script + ".");
        return true;
    }
    const ScriptCorrection correction = CorrectScriptLines(std::move(*lines), paths.folder);
    ErrorLog log(paths.errorLog, prompts);
    for (const ScriptFinding& finding : correction.findings) {
        prompts.Message(finding.boxText);
        log.Append(finding.logText);
    }
    log.Close();

    // The summary counts corrections as made, so it follows a successful
    // write; a failed one leaves the old script whole and says so instead.
    if (!prompts.Succeeded(RewriteFile(paths.script, correction.text))) return true;
    prompts.Message(Summary(correction));
    if (correction.FoundNothing()) {
        log.Remove();
        state.ScriptCheckPassed = true;
    }
    return true;
}

}  // namespace qvx
