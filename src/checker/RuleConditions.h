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

// Where a command begins.
inline constexpr std::string_view kCommandMark = "[:";

// What a rule sees of one line.
struct LineContext {
    std::string_view line;
    std::int32_t number = 0;         // index + 1, as the user counts lines
    WaveFiles* waveFiles = nullptr;  // those of the program folder
    bool phoneOnSeen = false;        // an earlier line is exactly "[:phone on]"
    // What SetLine saw in one pass over the line, so that the rules need not
    // search it again and again: where "[:" first stands and how often (0, 1,
    // or 2 for more), and which ASCII bytes occur. Nearly every command line
    // holds one command, so a text beginning with "[:" is then compared at
    // that one place.
    std::size_t firstMark = 0;
    std::int32_t marks = -1;  // -1: not looked at, so every search is made in full
    std::uint64_t bytesBelow64 = 0;
    std::uint64_t bytesFrom64 = 0;  // also holds bytes from 128 on, folded onto 64..127
    bool nonAscii = false;

    void SetLine(std::string_view text) {
        line = text;
        marks = 0;
        // Gathered in locals: or-ing into the members makes every byte wait
        // for the store of the one before.
        std::uint64_t below64 = 0;
        std::uint64_t from64 = 0;
        unsigned highBits = 0;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const auto byte = static_cast<unsigned char>(line[i]);
            const std::uint64_t bit = std::uint64_t{1} << (byte & 63);
            (byte < 64 ? below64 : from64) |= bit;
            highBits |= byte;
            if (byte != '[' || i + 1 == line.size() || line[i + 1] != ':') continue;
            if (marks == 0) firstMark = i;
            marks = marks == 0 ? 1 : 2;
        }
        bytesBelow64 = below64;
        bytesFrom64 = from64;
        nonAscii = (highBits & 0x80) != 0;
    }

    bool LineHas(char c) const {
        const auto byte = static_cast<unsigned char>(c);
        if (marks < 0 || byte >= 128 || (byte >= 64 && nonAscii)) return line.find(c) != line.npos;
        return ((byte < 64 ? bytesBelow64 : bytesFrom64) >> (byte & 63)) & 1;
    }

    bool LineContains(std::string_view part) const {
        if (marks < 0) return Contains(line, part);
        if (marks == 1 && BeginsWith(part, kCommandMark)) {
            // The "[:" itself is known to stand there.
            const auto rest = line.substr(firstMark + kCommandMark.size());
            return BeginsWith(rest, part.substr(kCommandMark.size()));
        }
        // A text with a byte the line lacks is not in it: most lines are ruled
        // out without a search.
        const auto seen = [this](char c) { return LineHas(c); };
        return std::all_of(part.begin(), part.end(), seen) && Contains(line, part);
    }
};

using FiresWhen = bool (*)(const LineContext&);

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
// "[:ra" is what the rate writer produces and the synthesizer accepts, so it
// is a command like the others.
inline constexpr std::array<std::string_view, 16> kCommandPrefixes{
    "[:tone", "[:play", "[:dial", "[:dv", "[:nb", "[:nd", "[:nf",    "[:nh",
    "[:nk",   "[:np",   "[:nr",   "[:nu", "[:nv", "[:nw", "[:phone", "[:ra"};
static_assert(std::all_of(kCommandPrefixes.begin(), kCommandPrefixes.end(),
                          [](std::string_view prefix) { return prefix.starts_with("[:"); }));

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
