#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qvx::speak {

// espeak-ng 1.51 spells dotted single letters ("a.a.a.", "U.S.A.", "e.g.")
// into a fixed buffer on its stack and overruns it. Measured: it aborts once
// such a run, from its first dotted letter, holds 169 bytes, whether the
// letters follow each other ("a." 85 times), stand between blanks
// ("e.g. e.g. ..." 43 times, ".a .a ..."), or one is followed by a long word
// ("a." and 167 more letters); bytes that are not UTF-8 count twice, as the
// engine widens them from Latin-1. A blank before a word that neither starts
// with a dot nor with one character and a dot ends the run, and so does a
// comma between blanks, a clause break. Runs are cut well before the limit:
inline constexpr std::size_t kLongestEngineRun = 80;

// Plain text as the engine can take it: a NUL byte, where the engine would
// end the text, becomes a blank, and every stretch that may make one run
// (bytes up to a blank that ends one) is cut by a clause break " , " before it
// holds more than kLongestEngineRun bytes, each byte above 0x7F counting
// twice: after its last punctuation mark or blank, else between two
// characters, never inside a UTF-8 sequence. Only such stretches, which
// ordinary prose never holds, are changed; the cut adds a short pause and
// loses nothing.
std::string EngineText(std::string_view text);

}  // namespace qvx::speak
