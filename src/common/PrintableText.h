#pragma once

#include <string>
#include <string_view>

namespace qvx {

// Text from a script made safe to print on one terminal line: control bytes
// (below 0x20 but tab, and 0x7f) become "\xHH", so a stray line break or an
// escape sequence can neither split a message nor drive the terminal. Every
// other byte, UTF-8 included, is kept.
std::string PrintableText(std::string_view text);

}  // namespace qvx
