#include "speak/PhonemeMap.h"

#include "common/AsciiCase.h"

namespace qvx::speak {
namespace {

// Every code is mapped explicitly: espeak-ng drops the rest of a phoneme word
// at the first mnemonic it does not know. The allophones and the codes that
// espeak-ng lacks take its nearest sound (checked with `espeak-ng -v en-us -x`):
// "el" the syllabic l of "bottle", "yu" the "ju:" of "cute", "yx" the "j" of
// "yes", "dx" the flap of "better", "q" and "tx" the glottal stop of "button",
// "rx" the r of "oration". "c" is the one-letter form of "ao". The r-coloured
// vowels "ar", "er", "ir", "or" and "ur" are the vowels of "bar", "bear",
// "beer", "born" and "poor".
constexpr PhonemeCode kCodes[] = {
    {"aa", "A:"}, {"ae", "a"},         {"ah", "V"},  {"ao", "O:"},  {"ar", "A@"}, {"aw", "aU"},
    {"ax", "@"},  {"ay", "aI"},        {"b", "b"},   {"c", "O:"},   {"ch", "tS"}, {"d", "d"},
    {"dh", "D"},  {"dx", "t#"},        {"eh", "E"},  {"el", "@L"},  {"en", "n-"}, {"er", "e@"},
    {"ey", "eI"}, {"f", "f"},          {"g", "g"},   {"hx", "h"},   {"ih", "I"},  {"ir", "i@3"},
    {"ix", "I#"}, {"iy", "i:"},        {"jh", "dZ"}, {"k", "k"},    {"l", "l"},   {"lx", "l"},
    {"m", "m"},   {"n", "n"},          {"nx", "N"},  {"or", "O@"},  {"ow", "oU"}, {"oy", "OI"},
    {"p", "p"},   {"q", "?"},          {"r", "r"},   {"rr", "3"},   {"rx", "r"},  {"s", "s"},
    {"sh", "S"},  {"t", "t"},          {"th", "T"},  {"tx", "?"},   {"uh", "U"},  {"ur", "U@"},
    {"uw", "u:"}, {"v", "v"},          {"w", "w"},   {"yu", "ju:"}, {"yx", "j"},  {"z", "z"},
    {"zh", "Z"},  {kSilenceCode, "_"},
};

}  // namespace

std::optional<PhonemeCode> FindPhonemeCode(std::string_view code) {
    const std::string wanted = ToLowerAscii(code);
    for (const PhonemeCode& row : kCodes) {
        if (row.code == wanted) return row;
    }
    return std::nullopt;
}

std::optional<PhonemeCode> LeadingPhonemeCode(std::string_view text) {
    if (text.size() >= 2) {
        if (auto two = FindPhonemeCode(text.substr(0, 2))) return two;
    }
    return text.empty() ? std::nullopt : FindPhonemeCode(text.substr(0, 1));
}

}  // namespace qvx::speak
