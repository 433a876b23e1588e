#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "speak/SpeechEngine.h"
#include "speak/Timeline.h"

namespace qvx::speak {

// Shapes the synthesizer's natural rendering of sung phonemes (made at a
// constant fundamental) into a note of exactly `targetSamples`: silence at
// the ends is dropped, a longer sound is cut, a shorter one is held by
// repeating whole pitch periods from its middle. Both ends are faded.
std::vector<std::int16_t> FitToLength(std::span<const std::int16_t> sung, std::size_t targetSamples,
                                      double hertz, int sampleRate);

// A light vibrato: the sound read at a gently swinging speed. The result has
// exactly `targetSamples` samples (the input should be a little longer).
std::vector<std::int16_t> AddVibrato(std::span<const std::int16_t> samples,
                                     std::size_t targetSamples, int sampleRate);

// How much longer the input of AddVibrato must be than its result.
std::size_t VibratoMargin(std::size_t targetSamples);

// Drops the near-silent samples at both ends.
std::span<const std::int16_t> TrimSilence(std::span<const std::int16_t> samples);

// Shapes the engine's rendering of a sung segment into what is heard. The
// parts are found at the engine's phoneme marks; a part with a length is
// fitted to it (with vibrato on a note), the others keep their natural
// length, and near-silence at the outer ends is dropped. When the marks do
// not match the parts, the whole rendering is fitted to their lengths added
// up, or kept natural if one of them has none.
std::vector<std::int16_t> ShapeSung(const SungSound& sound, std::span<const SungPart> parts,
                                    double hertz, bool vibrato, int sampleRate);

}  // namespace qvx::speak
