#pragma once

#include <string_view>

namespace qvx::speak {

// A touch-tone key: the two sines it sounds.
struct DialKey {
    char key;
    double low;
    double high;
};

// The key for a character of a dial string (case ignored), or nullptr when it
// is no key.
const DialKey* FindDialKey(char c);

// Characters of a dial string that are a pause rather than a key.
inline constexpr std::string_view kDialPauses = "-, ";

inline constexpr int kDialKeyMs = 100;
inline constexpr int kDialGapMs = 100;

}  // namespace qvx::speak
