#include "checker/TypedCheck.h"

#include <array>
#include <string>

#include "checker/RuleConditions.h"
#include "checker/ScriptLines.h"
#include "common/TextFile.h"

namespace qvx {
namespace {

// One rule of the check while typing: its box title and text ({F} is the wave
// file name).
struct TypedRule {
    RuleCondition when;
    FindingKind kind;
    std::string_view title;
    std::string_view text;
};

constexpr std::string_view kLessThanText =
    "missing less-than sign < for start of parameters in tone command.";
constexpr std::string_view kGreaterThanText =
    "missing greater-than sign > for end of parameters in tone command.";
constexpr std::string_view kCommaText =
    "missing comma for separation between parameters in tone command.";
constexpr std::string_view kDialQuotesText =
    "missing quotes for dial command. entry must have quotes around them.";
constexpr std::string_view kDialBalanceText = "unbalanced quotes in dial command.";
constexpr std::string_view kInvalidCommandText = "invalid command.";

constexpr auto kError = FindingKind::Error;
constexpr auto kWarning = FindingKind::Warning;

constexpr std::array kOneLineRules{
    TypedRule{kNoCloseBracket, kError, "error", "missing close brackets."},
    TypedRule{kToneWithoutLessThan, kError, "Error", kLessThanText},
    TypedRule{kToneWithoutGreaterThan, kError, "Error", kGreaterThanText},
    TypedRule{kToneWithoutComma, kError, "Error", kCommaText},
    TypedRule{kDialWithoutQuotes, kError, "Error", kDialQuotesText},
    TypedRule{kDialUnbalancedQuotes, kError, "Error", kDialBalanceText},
    TypedRule{kPhoneWithoutOnOff, kError, "Error",
              "unexpected statement. Missing on/off parameter."},
    TypedRule{kUnknownVoiceParameter, kError, "Error",
              "unexpected statement. Invalid parameter in [:DV] command."},
    TypedRule{kMissingWaveFile, kWarning, "Warning",
              "specified wave file to play, {F} does not exist."},
    TypedRule{kUnknownCommand, kError, "Error", kInvalidCommandText},
};

// Every finding here selects its line, so the kind only names the box.
constexpr std::array kManyLineRules{
    TypedRule{kNoCloseBracket, kError, "Error", "missing close brackets."},
    TypedRule{kToneWithoutLessThan, kError, "Error", kLessThanText},
    TypedRule{kToneWithoutGreaterThan, kError, "Error", kGreaterThanText},
    TypedRule{kToneWithoutComma, kError, "Error", kCommaText},
    TypedRule{kDialWithoutQuotes, kError, "Error", kDialQuotesText},
    TypedRule{kDialUnbalancedQuotes, kError, "Error", kDialBalanceText},
    TypedRule{kPhoneWithoutOnOff, kError, "Error", "unexpected statement."},
    TypedRule{kUnknownVoiceParameter, kError, "Error", "unexpected statement."},
    TypedRule{kPhoneOffWithoutOn, kError, "Error",
              "[:phone off] statement with no [:phone on] statement ."},
    TypedRule{kMissingWaveFile, kWarning, "Warning",
              "specified wave file to play , {F} does not exist."},
    TypedRule{kUnknownCommand, kError, "Error", kInvalidCommandText},
};

void Show(const TypedRule& rule, const LineContext& context, UserPrompts& prompts) {
    prompts.ShowMessage(FillText(rule.text, context), std::string(rule.title),
                        PromptIcon::Exclamation);
}

bool IsCommandLine(std::string_view line) {
    return line.starts_with("[:");
}

}  // namespace

std::optional<TextSelection> CheckTypedText(std::string_view text, const ProgramPaths& paths,
                                            UserPrompts& prompts) {
    if (IsAllSpaces(text)) return std::nullopt;
    if (text.find(kLineEnd) != text.npos) return CheckTypedLines(text, paths, prompts);
    if (!IsCommandLine(text)) return std::nullopt;

    WaveFiles waveFiles(paths.folder);
    const LineContext context{text, 1, &waveFiles, false};
    bool errorFound = false;
    for (const TypedRule& rule : kOneLineRules) {
        if (!rule.when.Holds(context)) continue;
        Show(rule, context, prompts);
        errorFound = errorFound || rule.kind == FindingKind::Error;
    }
    if (!errorFound) return std::nullopt;
    return TextSelection{0, text.size()};
}

// Only lines that begin with "[:" are examined, as in the full check: sung
// phoneme entries such as "[aa<500,13>]" begin with "[" and are not commands.
// The faulty line itself is selected, not the first text that reads like it:
// "[:np" would otherwise select the start of an earlier correct "[:np]".
std::optional<TextSelection> CheckTypedLines(std::string_view text, const ProgramPaths& paths,
                                             UserPrompts& prompts) {
    const ScriptLines lines{std::string(text)};
    WaveFiles waveFiles(paths.folder);
    LineContext context{{}, 0, &waveFiles, false};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        context.SetLine(lines[i]);
        context.number = static_cast<std::int32_t>(i + 1);
        if (IsCommandLine(context.line)) {
            for (const TypedRule& rule : kManyLineRules) {
                if (!rule.when.Holds(context)) continue;
                Show(rule, context, prompts);
                return TextSelection{lines.Offset(i), context.line.size()};
            }
        }
        context.phoneOnSeen = context.phoneOnSeen || context.line == kPhoneOnLine;
    }
    return std::nullopt;
}

}  // namespace qvx
