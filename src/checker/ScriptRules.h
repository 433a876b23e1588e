#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "script/PhonemeToneWriters.h"  // kPhoneOnLine

namespace qvx {

class FolderFiles;

enum class FindingKind { Error, Warning };

// What a rule sees of one line: the line itself (lower-cased by the full
// check and the corrector, as typed in the check while typing), its number,
// and what it needs of the rest of the script and the program folder.
struct LineFacts {
    std::string_view line;
    std::size_t number = 0;            // from 1
    bool phoneOnBefore = false;        // an earlier line is exactly "[:phone on]"
    FolderFiles* waveFiles = nullptr;  // the sound files of the program folder
};

// One rule of the script check, with its texts in each of the three checks.
// {N} stands for the line number, {L} for the line, {F} for the wave file.
// A check whose text is empty does not use the rule.
struct ScriptRule {
    std::string_view appliesWhen;  // the rule looks only at lines containing it ("": all)
    bool (*fires)(const LineFacts&);
    FindingKind kind;
    std::string_view boxText;       // the full check's box
    std::string_view logText;       // the full check's errors.log entry
    std::string_view oneLineTitle;  // the check of a single typed line
    std::string_view oneLineText;
    std::string_view manyLineTitle;  // the check of several typed lines
    std::string_view manyLineText;

    bool Holds(const LineFacts& facts) const {
        return facts.line.find(appliesWhen) != std::string_view::npos && fires(facts);
    }
};

extern const std::array<ScriptRule, 11> kScriptRules;

// The rules the corrector repairs instead of reporting where it can.
inline constexpr std::size_t kMissingBracketRule = 0;
inline constexpr std::size_t kToneLessThanRule = 1;
inline constexpr std::size_t kToneGreaterThanRule = 2;
inline constexpr std::size_t kToneCommaRule = 3;
inline constexpr std::size_t kDialQuotesRule = 4;
inline constexpr std::size_t kDialBalanceRule = 5;

inline constexpr char kQuote = '"';

// The text with {N}, {L} and {F} filled in from the line.
std::string FillText(std::string_view pattern, const LineFacts& facts);

}  // namespace qvx
