#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qvx::speak {

// The design-voice parameters that shape the sound itself, in the order of
// kDesignRanges. Pitch, range and sex live in VoiceSettings.
enum DesignIndex : std::size_t {
    kHeadSize,
    kBreathiness,
    kLaxBreathiness,
    kSmoothness,
    kRichness,
    kOpenGlottis,
    kLaryngealization,
    kFormant4Hz,
    kFormant5Hz,
    kFormant4Width,
    kFormant5Width,
    kFormant1Gain,
    kFormant2Gain,
    kFormant3Gain,
    kFormant4Gain,
    kFormant5Gain,
    kVoicingGain,
    kAspirationGain,
    kFricationGain,
    kNasalGain,
    kDesignCount
};

// A parameter's name in "[:dv]" and the range the editor writes, which is
// also where a script's value is clamped.
struct DesignRange {
    std::string_view name;
    std::int32_t min;
    std::int32_t max;
};
inline constexpr std::array<DesignRange, kDesignCount> kDesignRanges{{
    {"hs", 65, 145},   {"br", 0, 72},  {"lx", 0, 100},     {"sm", 0, 100},     {"ri", 0, 100},
    {"nf", 0, 100},    {"la", 0, 100}, {"f4", 2000, 4650}, {"f5", 2500, 4950}, {"b4", 100, 2048},
    {"b5", 100, 2048}, {"g1", 0, 86},  {"g2", 0, 86},      {"g3", 0, 86},      {"g4", 0, 86},
    {"g5", 0, 86},     {"gv", 0, 86},  {"gh", 0, 86},      {"gf", 0, 86},      {"gn", 0, 86},
}};

using DesignValues = std::array<std::int32_t, kDesignCount>;

// The index of a parameter by its "[:dv]" name; nullopt for the others.
std::optional<DesignIndex> FindDesignParameter(std::string_view name);

// What a voice's variant file sets about the sound, with espeak-ng's own
// values where it is silent.
struct VariantSound {
    struct Formant {
        std::int32_t frequency = 100;  // percent of espeak-ng's
        std::int32_t height = 100;
        std::int32_t width = 100;
        std::string extra;  // a frequency offset, kept as written
        bool operator==(const Formant&) const = default;
    };
    std::array<Formant, 9> formants{};
    std::array<std::int32_t, 8> breath{};
    std::optional<std::string> breathWidths;  // as written
    std::array<std::int32_t, 8> tone{600, 170, 1200, 135, 2000, 110, 3000, 110};
    std::int32_t roughness = 2;
    std::int32_t flutter = 2;
    std::int32_t voicing = 100;
    bool operator==(const VariantSound&) const = default;
};

VariantSound ReadVariantSound(std::string_view variantText);

// The variant's sound moved by how far each value lies from the voice's own
// (`defaults`): equal values give the variant back unchanged.
VariantSound DesignedSound(const VariantSound& variant, const DesignValues& values,
                           const DesignValues& defaults);

// The variant's lines with every line the design changed replaced by its new
// form, which comes last; variant lines end in LF alone.
std::string DesignedVariantText(std::string_view variantText, const DesignValues& values,
                                const DesignValues& defaults);

// Gains applied to the samples of aspiration, frication and nasal phonemes.
struct StretchGains {
    double aspiration = 1;
    double frication = 1;
    double nasal = 1;
    bool operator==(const StretchGains&) const = default;
};
StretchGains DesignedGains(const DesignValues& values, const DesignValues& defaults);

// Limits of what espeak-ng takes; beyond them it clips or misbehaves.
inline constexpr std::int32_t kMostFormantPercent = 800;
inline constexpr std::int32_t kMostBreath = 100;
inline constexpr std::int32_t kFewestToneAmplitude = 2;
inline constexpr std::int32_t kMostToneAmplitude = 1300;
inline constexpr std::int32_t kMostRoughness = 7;
inline constexpr std::int32_t kMostFlutter = 40;
inline constexpr std::int32_t kMostVoicing = 500;
inline constexpr double kMostStretchGain = 4;

}  // namespace qvx::speak
