#include "speak/Voices.h"

#include <algorithm>
#include <cmath>

namespace qvx::speak {
namespace {

// The design values a voice starts with. A design is heard as its distance
// from these, so they set where each parameter's range meets the voice's own
// variant: only breathiness, laxness and creak differ from one voice to the
// next beyond the head size and the formants of its sex.
struct OwnSound {
    std::int32_t headSize, breathiness, laxBreathiness, laryngealization;
};
constexpr DesignValues Own(bool male, OwnSound own) {
    DesignValues v{};
    v[kHeadSize] = own.headSize;
    v[kBreathiness] = own.breathiness;
    v[kLaxBreathiness] = own.laxBreathiness;
    v[kLaryngealization] = own.laryngealization;
    v[kSmoothness] = v[kRichness] = v[kOpenGlottis] = 50;
    v[kFormant4Hz] = male ? 3300 : 3900;
    v[kFormant5Hz] = male ? 3650 : 4400;
    v[kFormant4Width] = 260;
    v[kFormant5Width] = 330;
    for (std::size_t g = kFormant1Gain; g <= kFormant5Gain; ++g) v[g] = 68;
    v[kVoicingGain] = 72;
    v[kAspirationGain] = v[kFricationGain] = v[kNasalGain] = 74;
    return v;
}

// Each voice gets its own espeak-ng variant, near its character: Harry full
// and deep, Frank and Ursula aged, Wendy whispering, Rita rough, Kit a child.
// Their intonation follows their character too (slow and level for the aged,
// quick for the child); no value sits at an end of the editor's range, so
// that both ends are heard as a change.
constexpr VoiceRow kVoices[] = {
    // name, letter, variant, male, average pitch, {head size, br, lx, la},
    // {bf, hr, sr, as, qu}
    {"paul", 'p', "m1", true, 122, Own(true, {100, 0, 0, 0}), {18, 18, 32, 80, 40}},
    {"harry", 'h', "m3", true, 89, Own(true, {115, 0, 0, 0}), {9, 20, 30, 80, 10}},
    {"frank", 'f', "m7", true, 155, Own(true, {90, 0, 20, 20}), {9, 20, 22, 65, 20}},
    {"dennis", 'd', "m2", true, 110, Own(true, {105, 0, 0, 0}), {9, 20, 22, 70, 50}},
    {"betty", 'b', "f1", false, 208, Own(false, {100, 0, 0, 0}), {5, 14, 20, 35, 55}},
    {"ursula", 'u', "f4", false, 240, Own(false, {95, 0, 20, 20}), {8, 20, 32, 80, 30}},
    {"wendy", 'w', "whisperf", false, 200, Own(false, {100, 72, 0, 0}), {5, 10, 22, 50, 30}},
    {"rita", 'r', "f2", false, 106, Own(false, {95, 0, 0, 40}), {8, 20, 32, 65, 30}},
    {"kit", 'k', "f5", false, 306, Own(false, {80, 0, 0, 0}), {5, 20, 22, 65, 50}},
    {"val", 'v', "m1", true, 122, Own(true, {100, 0, 0, 0}), {18, 18, 32, 80, 40}},
};

// The variant a change of sex switches to.
constexpr std::string_view kMaleVariant = "m1";
constexpr std::string_view kFemaleVariant = "f1";

struct Limits {
    std::int32_t min;
    std::int32_t max;
};
constexpr Limits kAveragePitch{50, 350};
constexpr Limits kPitchRange{0, 250};
constexpr Limits kScriptRate{75, 600};
constexpr Limits kEspeakRate{80, 450};

// espeak-ng 1.51 speaks a voice file's "pitch low high" line 9 Hz lower
// than written, with a mean fundamental of about low + 0.8 * (high - low)
// (measured over whole sentences of every voice); at 100 % range the span is
// this share of the average.
constexpr double kEspeakShortfallHz = 9;
constexpr double kMeanPosition = 0.8;
constexpr double kSpanAtFullRange = 0.4;

}  // namespace

std::span<const VoiceRow> VoiceTable() {
    return kVoices;
}

std::optional<VoiceSettings> VoiceForLetter(char letter) {
    for (const VoiceRow& row : kVoices) {
        if (row.letter == letter) {
            return VoiceSettings{row.variant, row.male,       row.averagePitch,
                                 100,         kDefaultRate,   row.design,
                                 row.design,  row.intonation, row.intonation};
        }
    }
    return std::nullopt;
}

VoiceSettings DefaultVoice() {
    return *VoiceForLetter('p');
}

void ApplyDesignParameter(VoiceSettings& voice, std::string_view parameter, std::int32_t value) {
    if (parameter == "ap") {
        voice.averagePitch = std::clamp(value, kAveragePitch.min, kAveragePitch.max);
    } else if (parameter == "pr") {
        voice.pitchRange = std::clamp(value, kPitchRange.min, kPitchRange.max);
    } else if (parameter == "sx") {
        const bool male = value != 0;
        if (male != voice.male) voice.variant = male ? kMaleVariant : kFemaleVariant;
        voice.male = male;
    } else if (const auto index = FindDesignParameter(parameter)) {
        const DesignRange& range = kDesignRanges[*index];
        voice.design[*index] = std::clamp(value, range.min, range.max);
    } else {
        SetIntonation(voice.intonation, parameter, value);
    }
}

std::int32_t ClampScriptRate(std::int32_t wordsPerMinute) {
    return std::clamp(wordsPerMinute, kScriptRate.min, kScriptRate.max);
}

std::int32_t EspeakRate(std::int32_t wordsPerMinute) {
    return std::clamp(wordsPerMinute, kEspeakRate.min, kEspeakRate.max);
}

PitchSpan EspeakPitchSpan(const VoiceSettings& voice) {
    const double span = voice.averagePitch * kSpanAtFullRange * voice.pitchRange / 100.0;
    const double low =
        std::max(20.0, voice.averagePitch - kMeanPosition * span) + kEspeakShortfallHz;
    return {static_cast<std::int32_t>(std::lround(low)),
            static_cast<std::int32_t>(std::lround(low + span))};
}

}  // namespace qvx::speak
