#include "common/Utf8Case.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace qvx {
namespace {

// A run of capitals whose small letters lie `delta` away: every code point
// from `first` to `last` (step 1), or every other one (step 2, the paired
// capital and small letters of the Latin, Greek and Cyrillic extensions).
// Taken from the Unicode character data for the blocks named in the header.
struct CaseRun {
    char32_t first;
    char32_t last;
    std::int32_t delta;
    char32_t step;
};

// clang-format off
constexpr CaseRun kLowerRuns[] = {
    {0x0041, 0x005A, 32, 1}, {0x00C0, 0x00D6, 32, 1}, {0x00D8, 0x00DE, 32, 1},
    {0x0100, 0x012E, 1, 2}, {0x0132, 0x0136, 1, 2}, {0x0139, 0x0147, 1, 2},
    {0x014A, 0x0176, 1, 2}, {0x0178, 0x0178, -121, 1}, {0x0179, 0x017D, 1, 2},
    {0x0181, 0x0181, 210, 1}, {0x0182, 0x0184, 1, 2}, {0x0186, 0x0186, 206, 1},
    {0x0187, 0x0187, 1, 1}, {0x0189, 0x018A, 205, 1}, {0x018B, 0x018B, 1, 1},
    {0x018E, 0x018E, 79, 1}, {0x018F, 0x018F, 202, 1}, {0x0190, 0x0190, 203, 1},
    {0x0191, 0x0191, 1, 1}, {0x0193, 0x0193, 205, 1}, {0x0194, 0x0194, 207, 1},
    {0x0196, 0x0196, 211, 1}, {0x0197, 0x0197, 209, 1}, {0x0198, 0x0198, 1, 1},
    {0x019C, 0x019C, 211, 1}, {0x019D, 0x019D, 213, 1}, {0x019F, 0x019F, 214, 1},
    {0x01A0, 0x01A4, 1, 2}, {0x01A6, 0x01A6, 218, 1}, {0x01A7, 0x01A7, 1, 1},
    {0x01A9, 0x01A9, 218, 1}, {0x01AC, 0x01AC, 1, 1}, {0x01AE, 0x01AE, 218, 1},
    {0x01AF, 0x01AF, 1, 1}, {0x01B1, 0x01B2, 217, 1}, {0x01B3, 0x01B5, 1, 2},
    {0x01B7, 0x01B7, 219, 1}, {0x01B8, 0x01B8, 1, 1}, {0x01BC, 0x01BC, 1, 1},
    {0x01C4, 0x01C4, 2, 1}, {0x01C5, 0x01C5, 1, 1}, {0x01C7, 0x01C7, 2, 1},
    {0x01C8, 0x01C8, 1, 1}, {0x01CA, 0x01CA, 2, 1}, {0x01CB, 0x01DB, 1, 2},
    {0x01DE, 0x01EE, 1, 2}, {0x01F1, 0x01F1, 2, 1}, {0x01F2, 0x01F4, 1, 2},
    {0x01F6, 0x01F6, -97, 1}, {0x01F7, 0x01F7, -56, 1}, {0x01F8, 0x021E, 1, 2},
    {0x0220, 0x0220, -130, 1}, {0x0222, 0x0232, 1, 2}, {0x023A, 0x023A, 10795, 1},
    {0x023B, 0x023B, 1, 1}, {0x023D, 0x023D, -163, 1}, {0x023E, 0x023E, 10792, 1},
    {0x0241, 0x0241, 1, 1}, {0x0243, 0x0243, -195, 1}, {0x0244, 0x0244, 69, 1},
    {0x0245, 0x0245, 71, 1}, {0x0246, 0x024E, 1, 2}, {0x0370, 0x0372, 1, 2},
    {0x0376, 0x0376, 1, 1}, {0x037F, 0x037F, 116, 1}, {0x0386, 0x0386, 38, 1},
    {0x0388, 0x038A, 37, 1}, {0x038C, 0x038C, 64, 1}, {0x038E, 0x038F, 63, 1},
    {0x0391, 0x03A1, 32, 1}, {0x03A3, 0x03AB, 32, 1}, {0x03CF, 0x03CF, 8, 1},
    {0x03D8, 0x03EE, 1, 2}, {0x03F4, 0x03F4, -60, 1}, {0x03F7, 0x03F7, 1, 1},
    {0x03F9, 0x03F9, -7, 1}, {0x03FA, 0x03FA, 1, 1}, {0x03FD, 0x03FF, -130, 1},
    {0x0400, 0x040F, 80, 1}, {0x0410, 0x042F, 32, 1}, {0x0460, 0x0480, 1, 2},
    {0x048A, 0x04BE, 1, 2}, {0x04C0, 0x04C0, 15, 1}, {0x04C1, 0x04CD, 1, 2},
    {0x04D0, 0x052E, 1, 2}, {0x0531, 0x0556, 48, 1}, {0x1E00, 0x1E94, 1, 2},
    {0x1E9E, 0x1E9E, -7615, 1}, {0x1EA0, 0x1EFE, 1, 2},
};
// clang-format on

// The one capital whose small form is two characters: "İ" is "i" and a
// combining dot above.
constexpr char32_t kCapitalIWithDot = 0x0130;
constexpr std::string_view kSmallIWithDot = "i\xCC\x87";

char32_t ToLower(char32_t c) {
    const auto after =
        std::upper_bound(std::begin(kLowerRuns), std::end(kLowerRuns), c,
                         [](char32_t code, const CaseRun& run) { return code < run.first; });
    if (after == std::begin(kLowerRuns)) return c;
    const CaseRun& run = *std::prev(after);
    if (c > run.last || (c - run.first) % run.step != 0) return c;
    return static_cast<char32_t>(static_cast<std::int32_t>(c) + run.delta);
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The character that starts at `at` and its length in bytes, for the one-
// to three-byte forms that hold every letter of the table; length 0 when the
// bytes there are none of those (longer forms, or no valid UTF-8).
std::size_t Decode(std::string_view text, std::size_t at, char32_t& c) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const std::size_t left = text.size() - at;
    if (byte(0) < 0x80) {
        c = byte(0);
        return 1;
    }
    if (byte(0) >= 0xC2 && byte(0) < 0xE0 && left >= 2 && IsContinuation(byte(1))) {
        c = (char32_t{byte(0)} & 0x1F) << 6 | (byte(1) & 0x3F);
        return 2;
    }
    if (byte(0) >= 0xE0 && byte(0) < 0xF0 && left >= 3 && IsContinuation(byte(1)) &&
        IsContinuation(byte(2))) {
        c = (char32_t{byte(0)} & 0x0F) << 12 | (char32_t{byte(1)} & 0x3F) << 6 | (byte(2) & 0x3F);
        // Overlong forms and surrogates are no characters.
        if (c < 0x800 || (c >= 0xD800 && c < 0xE000)) return 0;
        return 3;
    }
    return 0;
}

void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string ToLowerUtf8(std::string_view text) {
    std::string lowered;
    lowered.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        char32_t c = 0;
        const std::size_t length = Decode(text, at, c);
        if (length == 0) {
            lowered += text[at++];
            continue;
        }
        if (c == kCapitalIWithDot) {
            lowered += kSmallIWithDot;
        } else if (const char32_t small = ToLower(c); small != c) {
            AppendUtf8(small, lowered);
        } else {
            lowered += text.substr(at, length);
        }
        at += length;
    }
    return lowered;
}

}  // namespace qvx
