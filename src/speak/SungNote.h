#pragma once

#include <cstdint>
#include <span>
#include <vector>

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

}  // namespace qvx::speak
