#include "speak/SungNote.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace qvx::speak {
namespace {

constexpr double kFadeSeconds = 0.005;
constexpr double kVibratoHertz = 5.5;
constexpr double kVibratoDepth = 0.006;  // share of the pitch, either way
constexpr std::int16_t kSilenceLevel = 200;

void FadeEnds(std::vector<std::int16_t>& samples, int sampleRate) {
    const std::size_t fade =
        std::min(samples.size() / 2, static_cast<std::size_t>(kFadeSeconds * sampleRate));
    for (std::size_t i = 0; i < fade; ++i) {
        const double gain = double(i) / fade;
        samples[i] = static_cast<std::int16_t>(samples[i] * gain);
        samples[samples.size() - 1 - i] =
            static_cast<std::int16_t>(samples[samples.size() - 1 - i] * gain);
    }
}

}  // namespace

std::span<const std::int16_t> TrimSilence(std::span<const std::int16_t> samples) {
    auto loud = [](std::int16_t s) { return std::abs(s) > kSilenceLevel; };
    const auto first = std::find_if(samples.begin(), samples.end(), loud);
    if (first == samples.end()) return {};
    const auto last = std::find_if(samples.rbegin(), samples.rend(), loud).base();
    return samples.subspan(first - samples.begin(), last - first);
}

std::vector<std::int16_t> FitToLength(std::span<const std::int16_t> sung, std::size_t targetSamples,
                                      double hertz, int sampleRate) {
    const std::span<const std::int16_t> sound = TrimSilence(sung);
    std::vector<std::int16_t> out;
    out.reserve(targetSamples);
    if (sound.empty()) {
        out.resize(targetSamples);
        return out;
    }
    if (sound.size() >= targetSamples) {
        out.assign(sound.begin(), sound.begin() + targetSamples);
    } else {
        // Hold the note on a loop of whole periods around the middle, where
        // the vowel is steady and the constant pitch makes the joins smooth.
        const std::size_t period =
            std::max<std::size_t>(1, static_cast<std::size_t>(std::lround(sampleRate / hertz)));
        const std::size_t periods = std::max<std::size_t>(1, sound.size() / 3 / period);
        const std::size_t loop = std::min(sound.size(), periods * period);
        const std::size_t loopStart = (sound.size() - loop) / 2;
        const std::size_t tail = sound.size() - loopStart - loop;
        out.assign(sound.begin(), sound.begin() + loopStart);
        while (out.size() + tail < targetSamples) {
            const std::size_t take = std::min(loop, targetSamples - tail - out.size());
            out.insert(out.end(), sound.begin() + loopStart, sound.begin() + loopStart + take);
        }
        out.insert(out.end(), sound.end() - tail, sound.end());
        out.resize(targetSamples);
    }
    FadeEnds(out, sampleRate);
    return out;
}

std::size_t VibratoMargin(std::size_t targetSamples) {
    return static_cast<std::size_t>(std::ceil(targetSamples * kVibratoDepth)) + 2;
}

std::vector<std::int16_t> AddVibrato(std::span<const std::int16_t> samples,
                                     std::size_t targetSamples, int sampleRate) {
    std::vector<std::int16_t> out(targetSamples);
    double position = 0;
    for (std::size_t i = 0; i < targetSamples; ++i) {
        const auto left = static_cast<std::size_t>(position);
        if (left + 1 >= samples.size()) break;
        const double fraction = position - left;
        out[i] = static_cast<std::int16_t>(
            std::lround(samples[left] * (1 - fraction) + samples[left + 1] * fraction));
        position +=
            1 + kVibratoDepth * std::sin(2 * std::numbers::pi * kVibratoHertz * i / sampleRate);
    }
    return out;
}

}  // namespace qvx::speak
