#include "common/PrintableText.h"

namespace qvx {

std::string PrintableText(std::string_view text) {
    constexpr std::string_view kHexDigits = "0123456789abcdef";
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 0x20 && byte != 0x7f) || c == '\t') {
            shown += c;
        } else {
            shown += "\\x";
            shown += kHexDigits[byte >> 4];
            shown += kHexDigits[byte & 0xf];
        }
    }
    return shown;
}

}  // namespace qvx
