#pragma once

#include <string>
#include <string_view>

namespace qvx {

// Text from a script made safe to print on one terminal line: control bytes
// (below 0x20 but tab, 0x7f, and both bytes of a C1 control U+0080..U+009F in
// UTF-8) become "\xHH", so a stray line break or an escape sequence can
// neither split a message nor drive the terminal. Every other byte, UTF-8
// included, is kept.
std::string PrintableText(std::string_view text);

}  // namespace qvx
