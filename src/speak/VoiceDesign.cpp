#include "speak/VoiceDesign.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <span>
#include <vector>

namespace qvx::speak {
namespace {

// The whisper variant's breath: what full breathiness adds, formant by
// formant, and the noise widths that go with it when a variant has none.
constexpr std::array<double, 8> kFullBreath{75, 75, 50, 40, 15, 10, 0, 0};
constexpr std::array<double, 8> kLaxBreath{40, 40, 25, 20, 8, 5, 0, 0};
constexpr std::string_view kWhisperBreathWidths = "150 150 200 200 400 400";
// Decibels at 2 kHz (against 600 Hz) per point of richness and smoothness;
// the open glottis and lax breathiness tilt half as much.
constexpr double kTiltDbPerPoint = 0.24;
constexpr double kToneFlatBelowHz = 600;
constexpr double kToneTiltSpanHz = 1400;

double FromDb(std::int32_t value, std::int32_t atDefault) {
    return std::pow(10.0, (value - atDefault) / 20.0);
}

std::int32_t Bounded(double value, std::int32_t most, std::int32_t least = 0) {
    return static_cast<std::int32_t>(std::clamp(std::lround(value), long(least), long(most)));
}

// Piecewise-linear through (min, lowEnd), (default, atDefault) and
// (max, highEnd): the variant's own value at the voice's default, the engine's
// ends at the ends of the range.
// Values out of range (never from a script, which is clamped) are taken as
// the nearest end, so no ratio is ever taken of a zero.
DesignValues Clamped(DesignValues values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = std::clamp(values[i], kDesignRanges[i].min, kDesignRanges[i].max);
    }
    return values;
}

double Toward(const DesignValues& values, const DesignValues& defaults, DesignIndex index,
              double lowEnd, double atDefault, double highEnd) {
    const DesignRange& range = kDesignRanges[index];
    const double x = values[index], d = defaults[index];
    if (x == d) return atDefault;
    if (x < d) return lowEnd + (atDefault - lowEnd) * (x - range.min) / (d - range.min);
    return atDefault + (highEnd - atDefault) * (x - d) / (range.max - d);
}

std::int32_t Offset(const DesignValues& values, const DesignValues& defaults, DesignIndex index) {
    return values[index] - defaults[index];
}

std::vector<std::int32_t> Numbers(std::string_view text) {
    std::vector<std::int32_t> numbers;
    const char* at = text.data();
    const char* end = text.data() + text.size();
    while (at < end) {
        while (at < end && (*at == ' ' || *at == '\t' || *at == '\r')) ++at;
        std::int32_t n = 0;
        const auto [next, ec] = std::from_chars(at, end, n);
        if (ec != std::errc()) break;
        numbers.push_back(n);
        at = next;
    }
    return numbers;
}

template <std::size_t N>
void CopyInto(std::array<std::int32_t, N>& to, const std::vector<std::int32_t>& from) {
    std::copy_n(from.begin(), std::min(N, from.size()), to.begin());
}

std::string Joined(std::span<const std::int32_t> numbers) {
    std::string text;
    for (std::int32_t n : numbers) text += " " + std::to_string(n);
    return text;
}

std::string FormantLine(std::size_t n, const VariantSound::Formant& f) {
    return "formant " + std::to_string(n) + Joined(std::array{f.frequency, f.height, f.width}) +
           (f.extra.empty() ? "" : " " + f.extra) + "\n";
}

struct Line {
    std::string_view key;
    std::string_view rest;
};

Line Split(std::string_view line) {
    const std::size_t blank = std::min(line.find_first_of(" \t"), line.size());
    const std::size_t rest = std::min(line.find_first_not_of(" \t", blank), line.size());
    return {line.substr(0, blank), line.substr(rest)};
}

template <typename Visit>
void EachLine(std::string_view text, Visit visit) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        visit(text.substr(start, end - start));
        start = end + 1;
    }
}

// Head size scales every formant; f4, f5, b4, b5 and the gains move their own.
void DesignFormants(VariantSound& sound, const DesignValues& values, const DesignValues& defaults) {
    const double head = double(defaults[kHeadSize]) / values[kHeadSize];
    for (std::size_t n = 0; n < sound.formants.size(); ++n) {
        VariantSound::Formant& f = sound.formants[n];
        double frequency = f.frequency * head, height = f.height, width = f.width;
        if (n == 4 || n == 5) {
            const std::size_t k = n - 4;
            frequency *= double(values[kFormant4Hz + k]) / defaults[kFormant4Hz + k];
            width *= double(values[kFormant4Width + k]) / defaults[kFormant4Width + k];
        }
        if (n >= 1 && n <= 5) {
            height *= FromDb(values[kFormant1Gain + n - 1], defaults[kFormant1Gain + n - 1]);
        }
        f.frequency = Bounded(frequency, kMostFormantPercent, 1);
        f.height = Bounded(height, kMostFormantPercent);
        f.width = Bounded(width, kMostFormantPercent, 1);
    }
}

void DesignBreath(VariantSound& sound, const DesignValues& values, const DesignValues& defaults) {
    const double lax = Offset(values, defaults, kLaxBreathiness) / 100.0;
    for (std::size_t i = 0; i < sound.breath.size(); ++i) {
        const double v = sound.breath[i];
        const double breathy =
            Toward(values, defaults, kBreathiness, 0, v, std::max(v, kFullBreath[i]));
        sound.breath[i] = Bounded(breathy + lax * kLaxBreath[i], kMostBreath);
    }
    const bool breathAdded =
        std::any_of(sound.breath.begin(), sound.breath.end(), [](std::int32_t b) { return b > 0; });
    if (!sound.breathWidths && breathAdded) sound.breathWidths = std::string(kWhisperBreathWidths);
}

// The voiced sound's tilt: flat up to 600 Hz, then rising or falling.
void DesignTone(VariantSound& sound, const DesignValues& values, const DesignValues& defaults) {
    const auto offset = [&](DesignIndex i) { return double(Offset(values, defaults, i)); };
    const double tiltDb = kTiltDbPerPoint * (offset(kRichness) - offset(kSmoothness) -
                                             (offset(kOpenGlottis) + offset(kLaxBreathiness)) / 2);
    for (std::size_t i = 0; i + 1 < sound.tone.size(); i += 2) {
        if (sound.tone[i] <= 0) continue;
        const double share = std::max(0.0, (sound.tone[i] - kToneFlatBelowHz) / kToneTiltSpanHz);
        sound.tone[i + 1] = Bounded(sound.tone[i + 1] * std::pow(10.0, tiltDb * share / 20),
                                    kMostToneAmplitude, kFewestToneAmplitude);
    }
}

void DesignSource(VariantSound& sound, const DesignValues& values, const DesignValues& defaults) {
    const auto creak = [&](std::int32_t own, std::int32_t most) {
        const double high = std::max(own, most);
        return Bounded(Toward(values, defaults, kLaryngealization, 0, own, high), int(high));
    };
    sound.roughness = creak(sound.roughness, kMostRoughness);
    sound.flutter = creak(sound.flutter, kMostFlutter);
    sound.voicing = Bounded(sound.voicing * FromDb(values[kVoicingGain], defaults[kVoicingGain]),
                            std::max(sound.voicing, kMostVoicing));
}

}  // namespace

std::optional<DesignIndex> FindDesignParameter(std::string_view name) {
    for (std::size_t i = 0; i < kDesignRanges.size(); ++i) {
        if (kDesignRanges[i].name == name) return DesignIndex(i);
    }
    return std::nullopt;
}

VariantSound ReadVariantSound(std::string_view variantText) {
    VariantSound sound;
    EachLine(variantText, [&sound](std::string_view text) {
        const Line line = Split(text);
        const std::vector<std::int32_t> n = Numbers(line.rest);
        if (line.key == "formant" && n.size() >= 4 && n[0] >= 0 && n[0] <= 8) {
            VariantSound::Formant& f = sound.formants[std::size_t(n[0])];
            f = {n[1], n[2], n[3], ""};
            if (n.size() > 4) f.extra = std::to_string(n[4]);
        } else if (line.key == "breath") {
            CopyInto(sound.breath, n);
        } else if (line.key == "breathw") {
            sound.breathWidths = std::string(line.rest);
        } else if (line.key == "tone" && n.size() >= 2) {
            sound.tone = {};
            CopyInto(sound.tone, n);
        } else if ((line.key == "roughness" || line.key == "flutter" || line.key == "voicing") &&
                   !n.empty()) {
            (line.key == "roughness" ? sound.roughness
             : line.key == "flutter" ? sound.flutter
                                     : sound.voicing) = n[0];
        }
    });
    return sound;
}

VariantSound DesignedSound(const VariantSound& variant, const DesignValues& designed,
                           const DesignValues& own) {
    if (designed == own) return variant;
    const DesignValues values = Clamped(designed), defaults = Clamped(own);
    VariantSound sound = variant;
    DesignFormants(sound, values, defaults);
    DesignBreath(sound, values, defaults);
    DesignTone(sound, values, defaults);
    DesignSource(sound, values, defaults);
    return sound;
}

std::string DesignedVariantText(std::string_view variantText, const DesignValues& values,
                                const DesignValues& defaults) {
    const VariantSound variant = ReadVariantSound(variantText);
    const VariantSound sound = DesignedSound(variant, values, defaults);
    if (sound == variant) return std::string(variantText);
    std::string text;
    const auto changed = [&](std::string_view key, std::string_view rest) {
        if (key == "formant") {
            const std::vector<std::int32_t> n = Numbers(rest);
            return !n.empty() && n[0] >= 0 && n[0] <= 8 &&
                   sound.formants[std::size_t(n[0])] != variant.formants[std::size_t(n[0])];
        }
        return (key == "breath" && sound.breath != variant.breath) ||
               (key == "breathw" && sound.breathWidths != variant.breathWidths) ||
               (key == "tone" && sound.tone != variant.tone) ||
               (key == "roughness" && sound.roughness != variant.roughness) ||
               (key == "flutter" && sound.flutter != variant.flutter) ||
               (key == "voicing" && sound.voicing != variant.voicing);
    };
    EachLine(variantText, [&](std::string_view line) {
        const Line split = Split(line);
        if (!changed(split.key, split.rest)) text += std::string(line) + "\n";
    });
    for (std::size_t n = 0; n < sound.formants.size(); ++n) {
        if (sound.formants[n] != variant.formants[n]) text += FormantLine(n, sound.formants[n]);
    }
    if (sound.breath != variant.breath) text += "breath" + Joined(sound.breath) + "\n";
    if (sound.breathWidths != variant.breathWidths) text += "breathw " + *sound.breathWidths + "\n";
    if (sound.tone != variant.tone) {
        const auto unused = std::find(sound.tone.begin(), sound.tone.end(), 0);
        text += "tone" + Joined(std::span(sound.tone.begin(), unused)) + "\n";
    }
    const auto single = [&text](std::string_view key, std::int32_t now, std::int32_t was) {
        if (now != was) text += std::string(key) + " " + std::to_string(now) + "\n";
    };
    single("roughness", sound.roughness, variant.roughness);
    single("flutter", sound.flutter, variant.flutter);
    single("voicing", sound.voicing, variant.voicing);
    return text;
}

StretchGains DesignedGains(const DesignValues& values, const DesignValues& defaults) {
    const auto gain = [&](DesignIndex i) {
        return std::min(FromDb(values[i], defaults[i]), kMostStretchGain);
    };
    return {gain(kAspirationGain), gain(kFricationGain), gain(kNasalGain)};
}

}  // namespace qvx::speak
