#pragma once

#include <string>
#include <string_view>

namespace qvx {

// Lower-cases UTF-8 text as text, the way the user's letters are meant:
// "HÉLLO WÖRLD" becomes "héllo wörld". It knows the letters of Basic Latin
// through Armenian (Latin-1, Latin Extended-A and -B, Greek, Cyrillic and
// its supplement, Armenian) and Latin Extended Additional; every other
// character, and every byte that is no valid UTF-8, passes through unchanged.
std::string ToLowerUtf8(std::string_view text);

}  // namespace qvx
