#pragma once

#include <string>
#include <string_view>

namespace qvx {

// Scripts and settings are read as bytes: UTF-8, ASCII or an ANSI code page.
// A UTF-8 byte-order mark is skipped when read and kept when a file is
// rewritten; UTF-16 (with its mark, either byte order) would be read as
// garbage and rewritten as worse, so it is refused.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
inline constexpr std::string_view kUtf16Refusal =
    "it is saved as UTF-16 (what Notepad calls \"Unicode\"), which is not read; save it as "
    "UTF-8 or ANSI and try again";

// The UTF-8 mark that begins `text`, or "" when there is none.
std::string_view Utf8MarkOf(std::string_view text);

// Why a file that begins with `start` (its first bytes, at least two) is
// not read: kUtf16Refusal, or "" for any other text.
std::string_view EncodingRefusal(std::string_view start);

// The first `count` bytes of the file at `path`, fewer when it is shorter or
// cannot be read.
std::string FirstBytes(const std::string& path, std::size_t count);

}  // namespace qvx
