#include "speak/EngineText.h"

namespace qvx::speak {
namespace {

constexpr std::string_view kClauseBreak = " , ";

bool IsBlank(char c) {
    return c == ' ' || c == '\0';
}

// The bytes of the character at the start of `text`: a whole UTF-8 sequence,
// or one byte that starts none.
std::size_t CharacterLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (length > text.size()) return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 1;
    }
    return length;
}

// Whether a run of dotted letters goes on in the word that starts `text`.
bool StartsDotted(std::string_view text) {
    if (text.empty()) return false;
    const std::size_t first = CharacterLength(text);
    return text[0] == '.' || (first < text.size() && text[first] == '.');
}

bool IsCutPoint(char c) {
    const bool alphanumeric =
        (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    return c >= ' ' && c < 0x7F && !alphanumeric;
}

}  // namespace

std::string EngineText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / kLongestEngineRun * kClauseBreak.size());
    std::size_t cost = 0;           // of the run so far
    std::size_t cut = 0;            // where out may be cut in the run; 0 for nowhere
    std::size_t costBeforeCut = 0;  // of the run up to there
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = CharacterLength(text.substr(at));
        const char first = text[at] == '\0' ? ' ' : text[at];
        const std::string_view character = first == ' ' ? " " : text.substr(at, length);
        at += length;
        // Of a row of blanks only the last can end a run: the word after it
        // decides.
        if (first == ' ' && at < text.size() && !IsBlank(text[at]) &&
            !StartsDotted(text.substr(at))) {
            out += ' ';
            cost = cut = 0;
            continue;
        }
        const std::size_t characterCost = static_cast<unsigned char>(first) < 0x80 ? 1 : 2 * length;
        while (cost + characterCost > kLongestEngineRun) {
            if (cut != 0) {
                out.insert(cut, kClauseBreak);
                cost -= costBeforeCut;
                cut = 0;
            } else {
                out += kClauseBreak;
                cost = 0;
            }
        }
        out += character;
        cost += characterCost;
        if (IsCutPoint(first)) {
            cut = out.size();
            costBeforeCut = cost;
        }
    }
    return out;
}

}  // namespace qvx::speak
