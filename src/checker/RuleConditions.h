#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace qvx {

// Whether wave files lie in the program folder, each name looked up once per
// check: a script that plays the same sound on many lines asks the file
// system only once.
class WaveFiles {
  public:
    explicit WaveFiles(std::string_view folder) : folder_(folder) {}
    bool Exists(std::string_view name);

  private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    std::string folder_;
    std::unordered_map<std::string, bool, Hash, std::equal_to<>> known_;
};

// What a rule sees of one line.
struct LineContext {
    std::string_view line;
    std::int32_t number = 0;         // index + 1, as the user counts lines
    WaveFiles* waveFiles = nullptr;  // those of the program folder
    bool phoneOnSeen = false;        // an earlier line is exactly "[:phone on]"
    // Where "[:" first stands in the line and how often it stands there (0, 1,
    // or 2 for more), known once SetLine has looked. Nearly every command line
    // holds one command, so a text beginning with "[:" can then be compared
    // at that one place instead of being searched for.
    std::size_t firstMark = 0;
    std::int32_t marks = -1;  // -1: not looked at, so every search is made in full

    void SetLine(std::string_view text);
    bool LineContains(std::string_view part) const;
};

using FiresWhen = bool (*)(const LineContext&);

// Whether `line` begins with `part`. Compared byte by byte for the same
// reason as Contains: the library compare is a call per use, and nearly every
// comparison here fails at its third byte.
constexpr bool BeginsWith(std::string_view line, std::string_view part) {
    if (part.size() > line.size()) return false;
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (line[i] != part[i]) return false;
    }
    return true;
}

// Whether `part` occurs in `line`. Script lines are short and every command
// line is searched for many texts, so a plain loop beats calling the library
// search for each of them.
constexpr bool Contains(std::string_view line, std::string_view part) {
    if (part.size() > line.size()) return false;
    for (std::size_t at = 0; at + part.size() <= line.size(); ++at) {
        std::size_t matched = 0;
        while (matched < part.size() && line[at + matched] == part[matched]) ++matched;
        if (matched == part.size()) return true;
    }
    return false;
}

// A rule looks at a line only when the line contains `appliesWhen` (an empty
// text: every line), and then fires when `fires` says so.
struct RuleCondition {
    std::string_view appliesWhen;
    FiresWhen fires;

    bool Holds(const LineContext& context) const {
        return context.LineContains(appliesWhen) && fires(context);
    }
};

enum class FindingKind { Error, Warning };

// Every prefix begins with "[:", which UnknownCommand relies on.
inline constexpr std::string_view kCommandMark = "[:";
// "[:ra" is what the rate writer produces and the synthesizer accepts, so it
// is a command like the others.
inline constexpr std::array<std::string_view, 16> kCommandPrefixes{
    "[:tone", "[:play", "[:dial", "[:dv", "[:nb", "[:nd", "[:nf",    "[:nh",
    "[:nk",   "[:np",   "[:nr",   "[:nu", "[:nv", "[:nw", "[:phone", "[:ra"};

// Names of "[:dv" settings, each with its trailing space; "hr " is the hat
// rise the program itself writes.
inline constexpr std::array<std::string_view, 28> kVoiceParameterNames{
    "pr ", "ap ", "sr ", "bf ", "f4 ", "f5 ", "b4 ", "b5 ", "br ", "hs ",
    "g1 ", "g2 ", "g3 ", "g4 ", "g5 ", "gh ", "gn ", "gv ", "gf ", "la ",
    "lx ", "sx ", "as ", "qu ", "sm ", "ri ", "nf ", "hr "};
// UnknownVoiceParameter looks for them at the spaces of the line.
static_assert(std::all_of(kVoiceParameterNames.begin(), kVoiceParameterNames.end(),
                          [](std::string_view name) {
                              return name.size() == 3 && name[2] == ' ';
                          }));

inline constexpr std::string_view kPhoneOnLine = "[:phone on]";
inline constexpr char kQuote = '"';

bool NoCloseBracket(const LineContext& context);
bool NoLessThan(const LineContext& context);
bool NoGreaterThan(const LineContext& context);
bool NoComma(const LineContext& context);
bool NoQuote(const LineContext& context);
bool UnbalancedQuotes(const LineContext& context);  // some quotes, but not exactly two
bool PhoneWithoutOnOff(const LineContext& context);
bool UnknownVoiceParameter(const LineContext& context);
bool PhoneOffWithoutOn(const LineContext& context);
bool MissingWaveFile(const LineContext& context);
bool UnknownCommand(const LineContext& context);

inline constexpr RuleCondition kNoCloseBracket{"", NoCloseBracket};
inline constexpr RuleCondition kToneWithoutLessThan{"[:tone", NoLessThan};
inline constexpr RuleCondition kToneWithoutGreaterThan{"[:tone", NoGreaterThan};
inline constexpr RuleCondition kToneWithoutComma{"[:tone", NoComma};
inline constexpr RuleCondition kDialWithoutQuotes{"[:dial", NoQuote};
inline constexpr RuleCondition kDialUnbalancedQuotes{"[:dial", UnbalancedQuotes};
inline constexpr RuleCondition kPhoneWithoutOnOff{"[:phone ", PhoneWithoutOnOff};
inline constexpr RuleCondition kUnknownVoiceParameter{"[:dv ", UnknownVoiceParameter};
inline constexpr RuleCondition kPhoneOffWithoutOn{"phone off", PhoneOffWithoutOn};
inline constexpr RuleCondition kMissingWaveFile{"[:play ", MissingWaveFile};
inline constexpr RuleCondition kUnknownCommand{"", UnknownCommand};

// The wave file a play line names: the line after its first seven characters
// (the length of "[:play "), without a closing "]".
std::string_view WaveFileName(std::string_view line);

// The message pattern with {N} (line number), {L} (the line) and {F} (the
// wave file name) filled in from the context.
std::string FillText(std::string_view pattern, const LineContext& context);

}  // namespace qvx
