#pragma once

#include <cstdint>
#include <vector>

namespace qvx::speak {

// Sines summed for the given length, with short raised-cosine ramps at both
// ends so that a tone never starts or stops with a click.
std::vector<std::int16_t> SynthesizeTone(const std::vector<double>& hertz,
                                         std::int32_t milliseconds, int sampleRate);

std::size_t SamplesFor(std::int32_t milliseconds, int sampleRate);

}  // namespace qvx::speak
