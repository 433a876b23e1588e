#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qvx::speak {

// The espeak-ng mnemonic of one synthesizer phoneme code (lower case), or
// nullopt for an unknown code. "," is the one-character form of "ao".
std::optional<std::string_view> EspeakPhoneme(std::string_view code);

// Splits a run of phoneme codes, two characters first, then one ("brr" is
// "b", "rr"). Codes come back in lower case. Stress and syllable marks are
// skipped; nullopt names the first character that starts no code.
struct PhonemeSplit {
    std::vector<std::string> codes;
    std::optional<char> unknown;
};
PhonemeSplit SplitPhonemeCodes(std::string_view text);

// The codes as one espeak-ng phoneme word, "[[...]] " with the trailing blank
// that keeps espeak-ng from speaking what would follow the brackets.
std::string EspeakPhonemeInput(const std::vector<std::string>& codes);

}  // namespace qvx::speak
