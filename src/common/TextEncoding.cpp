#include "common/TextEncoding.h"

namespace qvx {

TextEncoding DetectTextEncoding(std::string_view start) {
    if (start.starts_with(kUtf8Bom)) return TextEncoding::Utf8Bom;
    if (start.starts_with("\xFF\xFE")) return TextEncoding::Utf16Le;
    if (start.starts_with("\xFE\xFF")) return TextEncoding::Utf16Be;
    return TextEncoding::Utf8;
}

}  // namespace qvx
