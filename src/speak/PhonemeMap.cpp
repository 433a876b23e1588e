#include "speak/PhonemeMap.h"

#include <utility>

#include "common/AsciiCase.h"

namespace qvx::speak {
namespace {

// Every code is mapped explicitly: espeak-ng drops the rest of a phoneme word
// at the first mnemonic it does not know.
constexpr std::pair<std::string_view, std::string_view> kPhonemes[] = {
    {"aa", "A:"}, {"ae", "a"},  {"ah", "V"},  {"ao", "O:"}, {"aw", "aU"}, {"ax", "@"},
    {"ay", "aI"}, {"b", "b"},   {"c", "O:"},  {",", "O:"},  {"ch", "tS"}, {"d", "d"},
    {"dh", "D"},  {"eh", "E"},  {"en", "n-"}, {"ey", "eI"}, {"f", "f"},   {"g", "g"},
    {"hx", "h"},  {"ih", "I"},  {"ix", "I#"}, {"iy", "i:"}, {"jh", "dZ"}, {"k", "k"},
    {"l", "l"},   {"lx", "l"},  {"m", "m"},   {"n", "n"},   {"nx", "N"},  {"or", "O@"},
    {"ow", "oU"}, {"oy", "OI"}, {"p", "p"},   {"r", "r"},   {"rr", "3"},  {"s", "s"},
    {"sh", "S"},  {"t", "t"},   {"th", "T"},  {"uh", "U"},  {"uw", "u:"}, {"v", "v"},
    {"w", "w"},   {"z", "z"},   {"zh", "Z"},
};

constexpr std::string_view kMarks = "'`\"^-= _";

}  // namespace

std::optional<std::string_view> EspeakPhoneme(std::string_view code) {
    const std::string lower = ToLowerAscii(code);
    for (const auto& [name, mnemonic] : kPhonemes) {
        if (name == lower) return mnemonic;
    }
    return std::nullopt;
}

PhonemeSplit SplitPhonemeCodes(std::string_view text) {
    PhonemeSplit split;
    std::size_t i = 0;
    while (i < text.size()) {
        if (kMarks.find(text[i]) != std::string_view::npos) {
            ++i;
            continue;
        }
        std::size_t taken = 0;
        for (std::size_t length : {2u, 1u}) {
            if (i + length <= text.size() && EspeakPhoneme(text.substr(i, length))) {
                taken = length;
                break;
            }
        }
        if (taken == 0) {
            split.unknown = text[i];
            return split;
        }
        split.codes.push_back(ToLowerAscii(text.substr(i, taken)));
        i += taken;
    }
    return split;
}

std::string EspeakPhonemeInput(const std::vector<std::string>& codes) {
    std::string input = "[[";
    for (const std::string& code : codes) {
        if (auto mnemonic = EspeakPhoneme(code)) input += *mnemonic;
    }
    input += "]] ";
    return input;
}

}  // namespace qvx::speak
