#pragma once

#include <string>
#include <string_view>

namespace qvx {

// Lower-casing changes ASCII A-Z only: every other byte, UTF-8 and Latin-1
// letters included, passes through untouched, whatever the user's locale.
constexpr char ToLowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string ToLowerAscii(std::string_view text);

// True when `needle` occurs in `haystack` as a plain substring; without
// `caseSensitive` both sides are compared in ASCII lower case.
bool ContainsText(std::string_view haystack, std::string_view needle, bool caseSensitive);

}  // namespace qvx
