#pragma once

#include <string_view>

namespace qvx {

// How a text file is saved, as far as its first bytes tell. Files without a
// byte-order mark are read as bytes (UTF-8 or a one-byte code page); UTF-16
// is only recognised by its mark, so that it can be refused rather than read
// as bytes, where every other byte is a NUL.
enum class TextEncoding { Utf8, Utf8Bom, Utf16Le, Utf16Be };

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The encoding of a file that starts with `start` (its first line will do).
TextEncoding DetectTextEncoding(std::string_view start);

// Why a UTF-16 file is not read, and what to do about it.
inline constexpr std::string_view kUtf16Refusal =
    "it is saved as UTF-16 (what Notepad calls \"Unicode\"); save it again as UTF-8 or ANSI "
    "(in Notepad: File, Save As, Encoding)";

}  // namespace qvx
