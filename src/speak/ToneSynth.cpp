#include "speak/ToneSynth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qvx::speak {
namespace {

constexpr double kRampSeconds = 0.003;
// Peak level of all sines together, below full scale.
constexpr double kPeak = 0.6 * 32767;

}  // namespace

std::size_t SamplesFor(std::int32_t milliseconds, int sampleRate) {
    if (milliseconds <= 0) return 0;
    return static_cast<std::size_t>(std::llround(double(milliseconds) * sampleRate / 1000.0));
}

std::vector<std::int16_t> SynthesizeTone(const std::vector<double>& hertz,
                                         std::int32_t milliseconds, int sampleRate) {
    const std::size_t count = SamplesFor(milliseconds, sampleRate);
    std::vector<std::int16_t> samples(count);
    if (hertz.empty()) return samples;
    const std::size_t ramp =
        std::min(count / 2, static_cast<std::size_t>(kRampSeconds * sampleRate));
    const double amplitude = kPeak / hertz.size();
    for (std::size_t i = 0; i < count; ++i) {
        double value = 0;
        for (double f : hertz) value += std::sin(2 * std::numbers::pi * f * i / sampleRate);
        double gain = 1;
        const std::size_t fromEdge = std::min(i, count - 1 - i);
        if (fromEdge < ramp) gain = 0.5 - 0.5 * std::cos(std::numbers::pi * fromEdge / ramp);
        samples[i] = static_cast<std::int16_t>(std::lround(value * amplitude * gain));
    }
    return samples;
}

}  // namespace qvx::speak
