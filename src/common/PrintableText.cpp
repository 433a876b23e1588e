#include "common/PrintableText.h"

namespace qvx {

std::string PrintableText(std::string_view text) {
    constexpr std::string_view kHexDigits = "0123456789abcdef";
    const auto byteAt = [text](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    std::string shown;
    shown.reserve(text.size());
    bool c1 = false;  // the byte is the second of a C1 control
    for (std::size_t at = 0; at < text.size(); ++at) {
        const unsigned char byte = byteAt(at);
        // C1 controls (U+0080..U+009F) are C2 80..C2 9F in UTF-8.
        const bool c1Starts =
            byte == 0xc2 && at + 1 < text.size() && (byteAt(at + 1) & 0xe0) == 0x80;
        if (!c1 && !c1Starts && ((byte >= 0x20 && byte != 0x7f) || byte == '\t')) {
            shown += text[at];
        } else {
            shown += "\\x";
            shown += kHexDigits[byte >> 4];
            shown += kHexDigits[byte & 0xf];
        }
        c1 = c1Starts;
    }
    return shown;
}

}  // namespace qvx
