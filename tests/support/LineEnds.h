#pragma once

#include <array>
#include <string>
#include <string_view>

namespace qvx::test {

// The line ends of every platform's editors: files the program reads may end
// their lines in any of these ways, and must read the same.
inline constexpr std::array<std::string_view, 3> kLineEnds{"\r\n", "\n", "\r"};

// The text with every CR LF made `end`.
inline std::string WithLineEnd(std::string text, std::string_view end) {
    for (auto at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + end.size()))
        text.replace(at, 2, end);
    return text;
}

}  // namespace qvx::test
