#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace qvx::speak {

// Receives each problem that silences a piece of the script, in plain words.
using WarningSink = std::function<void(const std::string&)>;

// Script text quoted in a warning, cut short so that a hostile line of
// megabytes never becomes a warning of megabytes.
inline std::string Quoted(std::string_view text) {
    constexpr std::size_t kLongest = 60;
    if (text.size() <= kLongest) return "\"" + std::string(text) + "\"";
    return "\"" + std::string(text.substr(0, kLongest)) + "...\"";
}

}  // namespace qvx::speak
