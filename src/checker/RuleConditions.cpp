#include "checker/RuleConditions.h"

#include <algorithm>

#include "checker/ScriptLines.h"
#include "common/FileExists.h"
#include "common/ProgramPaths.h"
#include "script/Writers.h"

namespace qvx {
namespace {

bool Lacks(const LineContext& context, char c) {
    return !context.LineHas(c);
}

constexpr std::string_view kPhonePrefix = "[:phone ";
constexpr std::string_view kPlayPrefix = "[:play ";

}  // namespace

bool NoCloseBracket(const LineContext& context) {
    return Lacks(context, ']');
}
bool NoLessThan(const LineContext& context) {
    return Lacks(context, '<');
}
bool NoGreaterThan(const LineContext& context) {
    return Lacks(context, '>');
}
bool NoComma(const LineContext& context) {
    return Lacks(context, ',');
}
bool NoQuote(const LineContext& context) {
    return Lacks(context, kQuote);
}

bool UnbalancedQuotes(const LineContext& context) {
    return !NoQuote(context) && CountOccurrences(context.line, std::string_view(&kQuote, 1)) != 2;
}

bool PhoneWithoutOnOff(const LineContext& context) {
    const auto at = context.line.find(kPhonePrefix);
    const auto rest = context.line.substr(at + kPhonePrefix.size());
    return rest.find("on") == rest.npos && rest.find("off") == rest.npos;
}

// Every name is two characters and a space, so only the spaces of the line
// need a look rather than 28 searches of the whole line, and the two
// characters before a space are compared as one number.
constexpr std::uint16_t PairCode(char first, char second) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(first) << 8 |
                                      static_cast<unsigned char>(second));
}

constexpr auto kVoiceParameterCodes = [] {
    std::array<std::uint16_t, kVoiceParameterNames.size()> codes{};
    for (std::size_t i = 0; i < codes.size(); ++i) {
        codes[i] = PairCode(kVoiceParameterNames[i][0], kVoiceParameterNames[i][1]);
    }
    return codes;
}();

bool UnknownVoiceParameter(const LineContext& context) {
    const std::string_view line = context.line;
    for (std::size_t space = 2; space < line.size(); ++space) {
        if (line[space] != ' ') continue;
        const std::uint16_t code = PairCode(line[space - 2], line[space - 1]);
        if (std::find(kVoiceParameterCodes.begin(), kVoiceParameterCodes.end(), code) !=
            kVoiceParameterCodes.end()) {
            return false;
        }
    }
    return true;
}

bool PhoneOffWithoutOn(const LineContext& context) {
    return !context.phoneOnSeen;
}

// A play line that names nothing names no existing file either: without this
// the bare program folder would pass for the wave file.
bool WaveFiles::Exists(std::string_view name) {
    if (name.empty()) return false;
    const auto known = known_.find(name);
    if (known != known_.end()) return known->second;
    return known_.emplace(name, FileExists(JoinPath(folder_, name))).first->second;
}

bool MissingWaveFile(const LineContext& context) {
    return !context.waveFiles->Exists(WaveFileName(context.line));
}

// Looks for the prefixes only where a "[:" stands, rather than searching the
// line once per prefix: this rule runs on every command line.
bool UnknownCommand(const LineContext& context) {
    const std::string_view line = context.line;
    // Past the "[:" that every prefix and the place share.
    const auto known = [line](std::size_t at) {
        const auto rest = line.substr(at + kCommandMark.size());
        return std::any_of(kCommandPrefixes.begin(), kCommandPrefixes.end(),
                           [rest](std::string_view prefix) {
                               return BeginsWith(rest, prefix.substr(kCommandMark.size()));
                           });
    };
    if (context.marks == 0) return true;
    if (context.marks == 1) return !known(context.firstMark);
    for (auto at = line.find(kCommandMark); at != line.npos; at = line.find(kCommandMark, at + 1)) {
        if (known(at)) return false;
    }
    return true;
}

std::string_view WaveFileName(std::string_view line) {
    std::string_view name = line.size() > kPlayPrefix.size() ? line.substr(kPlayPrefix.size()) : "";
    if (name.ends_with(']')) name.remove_suffix(1);
    return name;
}

std::string FillText(std::string_view pattern, const LineContext& context) {
    std::string text;
    text.reserve(pattern.size() + context.line.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool field = pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}';
        if (!field) {
            text += pattern[i];
            continue;
        }
        switch (pattern[i + 1]) {
            case 'N':
                text += FormatNumber(context.number);
                break;
            case 'L':
                text += context.line;
                break;
            case 'F':
                text += WaveFileName(context.line);
                break;
            default:
                text.append(pattern.substr(i, 3));
                break;
        }
        i += 2;
    }
    return text;
}

}  // namespace qvx
