#include "speak/SungNote.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <optional>

#include "speak/ToneSynth.h"

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

bool IsLoud(std::int16_t sample) {
    return std::abs(sample) > kSilenceLevel;
}

std::span<const std::int16_t> DropLeadingSilence(std::span<const std::int16_t> samples) {
    const auto first = std::find_if(samples.begin(), samples.end(), IsLoud);
    return samples.subspan(static_cast<std::size_t>(first - samples.begin()));
}

std::span<const std::int16_t> DropTrailingSilence(std::span<const std::int16_t> samples) {
    const auto last = std::find_if(samples.rbegin(), samples.rend(), IsLoud).base();
    return samples.first(static_cast<std::size_t>(last - samples.begin()));
}

// Where each part begins in the rendering: at the next mark of the same sound
// (espeak-ng adds pauses and linking sounds of its own, and writes some
// mnemonics shorter, "t" for "t#"), or, for a sound it made into another one
// ("i:" for "I#" in some voices), at the next mark that is no pause of its
// own; nullopt when the marks run out.
std::optional<std::vector<std::size_t>> PartStarts(const std::vector<PhonemeMark>& marks,
                                                   std::span<const SungPart> parts) {
    std::vector<std::size_t> starts;
    std::size_t next = 0;
    for (const SungPart& part : parts) {
        auto same = [&part](const PhonemeMark& mark) {
            return !mark.mnemonic.empty() && (mark.mnemonic.starts_with(part.mnemonic) ||
                                              part.mnemonic.starts_with(mark.mnemonic));
        };
        auto found = std::find_if(marks.begin() + next, marks.end(), same);
        if (found == marks.end()) {
            found = std::find_if(marks.begin() + next, marks.end(), [](const PhonemeMark& mark) {
                return !mark.mnemonic.starts_with('_');
            });
        }
        if (found == marks.end()) return std::nullopt;
        starts.push_back(found->sample);
        next = static_cast<std::size_t>(found - marks.begin()) + 1;
    }
    return starts;
}

// How much longer the input of AddVibrato must be than its result.
std::size_t VibratoMargin(std::size_t targetSamples) {
    return static_cast<std::size_t>(std::ceil(targetSamples * kVibratoDepth)) + 2;
}

// Shapes the synthesizer's natural rendering of sung phonemes (made at a
// constant fundamental) into a note of exactly `targetSamples`: silence at
// the ends is dropped, a longer sound is cut, a shorter one is held by
// repeating whole pitch periods from its middle. Both ends are faded.
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

// A light vibrato: the sound read at a gently swinging speed. The result has
// exactly `targetSamples` samples (the input should be a little longer).
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

std::vector<std::int16_t> ShapePart(std::span<const std::int16_t> sound, std::int32_t milliseconds,
                                    double hertz, bool vibrato, int sampleRate) {
    const std::size_t target = SamplesFor(milliseconds, sampleRate);
    if (!vibrato) return FitToLength(sound, target, hertz, sampleRate);
    return AddVibrato(FitToLength(sound, target + VibratoMargin(target), hertz, sampleRate), target,
                      sampleRate);
}

}  // namespace

std::span<const std::int16_t> TrimSilence(std::span<const std::int16_t> samples) {
    return DropTrailingSilence(DropLeadingSilence(samples));
}

std::vector<std::int16_t> ShapeSung(const SungSound& sound, std::span<const SungPart> parts,
                                    double hertz, bool vibrato, int sampleRate) {
    const std::span<const std::int16_t> all(sound.samples);
    const std::optional<std::vector<std::size_t>> starts = PartStarts(sound.marks, parts);
    if (!starts) {
        std::int32_t total = 0;
        for (const SungPart& part : parts) {
            if (part.milliseconds == 0) {
                const std::span<const std::int16_t> natural = TrimSilence(all);
                return {natural.begin(), natural.end()};
            }
            total += part.milliseconds;
        }
        return ShapePart(all, total, hertz, vibrato, sampleRate);
    }
    std::vector<std::int16_t> out;
    std::size_t begin = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::size_t end =
            i + 1 < parts.size() ? std::clamp((*starts)[i + 1], begin, all.size()) : all.size();
        std::span<const std::int16_t> piece = all.subspan(begin, end - begin);
        begin = end;
        if (parts[i].milliseconds > 0) {
            const std::vector<std::int16_t> fitted =
                ShapePart(piece, parts[i].milliseconds, hertz, vibrato, sampleRate);
            out.insert(out.end(), fitted.begin(), fitted.end());
            continue;
        }
        if (i == 0) piece = DropLeadingSilence(piece);
        if (i + 1 == parts.size()) piece = DropTrailingSilence(piece);
        out.insert(out.end(), piece.begin(), piece.end());
    }
    return out;
}

}  // namespace qvx::speak
