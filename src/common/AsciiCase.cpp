#include "common/AsciiCase.h"

#include <algorithm>

namespace qvx {

std::string ToLowerAscii(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) c = ToLowerAscii(c);
    return lowered;
}

bool ContainsText(std::string_view haystack, std::string_view needle, bool caseSensitive) {
    if (caseSensitive) return haystack.find(needle) != std::string_view::npos;
    const auto equalFolded = [](char a, char b) { return ToLowerAscii(a) == ToLowerAscii(b); };
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                       equalFolded) != haystack.end();
}

}  // namespace qvx
