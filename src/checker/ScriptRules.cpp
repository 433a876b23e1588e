#include "checker/ScriptRules.h"

#include <algorithm>

#include "checker/ScriptLines.h"
#include "common/FileAccess.h"

namespace qvx {
namespace {

// Commands the check accepts, looked for anywhere in a command line. "[:ra"
// is what the rate writer produces and the synthesizer accepts.
constexpr std::array<std::string_view, 16> kCommandPrefixes{
    "[:tone", "[:play", "[:dial", "[:dv", "[:nb", "[:nd", "[:nf",    "[:nh",
    "[:nk",   "[:np",   "[:nr",   "[:nu", "[:nv", "[:nw", "[:phone", "[:ra"};

// Names of "[:dv" settings, each with its trailing space, looked for anywhere
// in the line; "hr " is the hat rise the program itself writes.
constexpr std::array<std::string_view, 28> kVoiceParameterNames{
    "pr ", "ap ", "sr ", "bf ", "f4 ", "f5 ", "b4 ", "b5 ", "br ", "hs ",
    "g1 ", "g2 ", "g3 ", "g4 ", "g5 ", "gh ", "gn ", "gv ", "gf ", "la ",
    "lx ", "sx ", "as ", "qu ", "sm ", "ri ", "nf ", "hr "};

constexpr std::string_view kPhonePrefix = "[:phone ";
constexpr std::string_view kPlayPrefix = "[:play ";

bool Has(std::string_view line, std::string_view part) {
    return line.find(part) != std::string_view::npos;
}

// The wave file a play command names: the text after "[:play " up to the
// next "]" (or the line's end), without the blanks around it.
std::string_view WaveFileName(std::string_view line) {
    const auto play = line.find(kPlayPrefix);
    if (play == std::string_view::npos) return {};
    std::string_view name = line.substr(play + kPlayPrefix.size());
    name = name.substr(0, name.find(']'));
    const auto first = name.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return name.substr(first, name.find_last_not_of(' ') + 1 - first);
}

bool NoCloseBracket(const LineFacts& f) {
    return !Has(f.line, "]");
}
bool NoLessThan(const LineFacts& f) {
    return !Has(f.line, "<");
}
bool NoGreaterThan(const LineFacts& f) {
    return !Has(f.line, ">");
}
bool NoComma(const LineFacts& f) {
    return !Has(f.line, ",");
}
bool NoQuote(const LineFacts& f) {
    return !Has(f.line, "\"");
}
// Some quotes, but not the one pair.
bool UnbalancedQuotes(const LineFacts& f) {
    return !NoQuote(f) && CountOccurrences(f.line, "\"") != 2;
}
bool PhoneWithoutOnOff(const LineFacts& f) {
    const std::string_view rest = f.line.substr(f.line.find(kPhonePrefix) + kPhonePrefix.size());
    return !Has(rest, "on") && !Has(rest, "off");
}
bool UnknownVoiceParameter(const LineFacts& f) {
    return std::none_of(kVoiceParameterNames.begin(), kVoiceParameterNames.end(),
                        [&f](std::string_view name) { return Has(f.line, name); });
}
bool PhoneOffWithoutOn(const LineFacts& f) {
    return !f.phoneOnBefore;
}
bool MissingWaveFile(const LineFacts& f) {
    return !f.waveFiles->Find(WaveFileName(f.line));
}
// Every prefix begins with "[:", so only the places where one stands are
// compared: this rule runs on every command line.
bool UnknownCommand(const LineFacts& f) {
    for (auto at = f.line.find("[:"); at != std::string_view::npos;
         at = f.line.find("[:", at + 1)) {
        const std::string_view rest = f.line.substr(at);
        if (std::any_of(kCommandPrefixes.begin(), kCommandPrefixes.end(),
                        [rest](std::string_view prefix) { return rest.starts_with(prefix); })) {
            return false;
        }
    }
    return true;
}

constexpr FindingKind kError = FindingKind::Error;
constexpr FindingKind kWarning = FindingKind::Warning;

constexpr std::string_view kLessThan =
    "error! missing less-than sign < for start of parameters in tone command on line {N}: {L}";
constexpr std::string_view kGreaterThan =
    "error! missing greater-than sign > for end of parameters in tone command on line {N}: {L}";
constexpr std::string_view kDialQuotes =
    "error! missing quotes for dial command. entry must have quotes around them. line {N}: {L}";
constexpr std::string_view kDialBalance =
    "error! unbalanced quotes in dial command on line {N}: {L}";
constexpr std::string_view kPhoneParameter = "error! unexpected statement: line {N}: {L}";
constexpr std::string_view kVoiceParameter = "error! unexpected statement on line {N}: {L}";
constexpr std::string_view kPhoneOff =
    "warning! [:phone off] statement with no [:phone on] statement on line {N}.";
constexpr std::string_view kWaveFile =
    "warning! specified wave file to play on line {N}, {F} does not exist.";
constexpr std::string_view kInvalidCommand = "error! invalid command: {L} on line {N}";

constexpr std::string_view kTypedLessThan =
    "missing less-than sign < for start of parameters in tone command.";
constexpr std::string_view kTypedGreaterThan =
    "missing greater-than sign > for end of parameters in tone command.";
constexpr std::string_view kTypedComma =
    "missing comma for separation between parameters in tone command.";
constexpr std::string_view kTypedDialQuotes =
    "missing quotes for dial command. entry must have quotes around them.";
constexpr std::string_view kTypedDialBalance = "unbalanced quotes in dial command.";

}  // namespace

// Every command line is held against these, in this order.
const std::array<ScriptRule, 11> kScriptRules{{
    {"", NoCloseBracket, kError, "error! missing close brackets on line {N}: {L}",
     "error: missing close bracket ] on line {N}: {L}", "error", "missing close brackets.", "Error",
     "missing close brackets."},
    {"[:tone", NoLessThan, kError, kLessThan, kLessThan, "Error", kTypedLessThan, "Error",
     kTypedLessThan},
    {"[:tone", NoGreaterThan, kError, kGreaterThan, kGreaterThan, "Error", kTypedGreaterThan,
     "Error", kTypedGreaterThan},
    {"[:tone", NoComma, kError,
     "error! missing comma for separation between parameters in tone command on line {N}: {L}",
     "error! missing comma sign , for separation between parameters in tone command on line "
     "{N}: {L}",
     "Error", kTypedComma, "Error", kTypedComma},
    {"[:dial", NoQuote, kError, kDialQuotes, kDialQuotes, "Error", kTypedDialQuotes, "Error",
     kTypedDialQuotes},
    {"[:dial", UnbalancedQuotes, kError, kDialBalance, kDialBalance, "Error", kTypedDialBalance,
     "Error", kTypedDialBalance},
    {kPhonePrefix, PhoneWithoutOnOff, kError, kPhoneParameter, kPhoneParameter, "Error",
     "unexpected statement. Missing on/off parameter.", "Error", "unexpected statement."},
    {"[:dv ", UnknownVoiceParameter, kError, kVoiceParameter, kVoiceParameter, "Error",
     "unexpected statement. Invalid parameter in [:DV] command.", "Error", "unexpected statement."},
    {"phone off", PhoneOffWithoutOn, kWarning, kPhoneOff, kPhoneOff, "", "", "Error",
     "[:phone off] statement with no [:phone on] statement ."},
    {kPlayPrefix, MissingWaveFile, kWarning, kWaveFile, kWaveFile, "Warning",
     "specified wave file to play, {F} does not exist.", "Warning",
     "specified wave file to play , {F} does not exist."},
    {"", UnknownCommand, kError, kInvalidCommand, kInvalidCommand, "Error", "invalid command.",
     "Error", "invalid command."},
}};

std::string FillText(std::string_view pattern, const LineFacts& facts) {
    std::string text;
    text.reserve(pattern.size() + facts.line.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const std::string_view field = pattern.substr(i, 3);
        if (field == "{N}") {
            text += std::to_string(facts.number);
        } else if (field == "{L}") {
            text += facts.line;
        } else if (field == "{F}") {
            text += WaveFileName(facts.line);
        } else {
            text += pattern[i];
            continue;
        }
        i += 2;
    }
    return text;
}

}  // namespace qvx
