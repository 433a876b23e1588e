#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "speak/PitchContour.h"

namespace qvx::speak {

// What espeak-ng reports while it speaks: the start of each phoneme (its
// mnemonic) and of each sentence, by sample.
struct SpeechMark {
    bool sentence;  // a sentence starts here; otherwise a phoneme does
    std::string mnemonic;
    std::size_t sample;
};

// The sentences of a rendering of `totalSamples` samples, timed from its
// marks, with the stressed vowels found in `stressedPhonemes`: espeak-ng's
// translation of the same text, mnemonics with a "'" before each vowel of
// primary stress ("h@l'oU w'3:ld"). A mark that cannot be found there is
// taken as unstressed.
std::vector<SentenceTiming> TimeSentences(std::span<const SpeechMark> marks,
                                          std::string_view stressedPhonemes,
                                          std::size_t totalSamples, int sampleRate);

}  // namespace qvx::speak
