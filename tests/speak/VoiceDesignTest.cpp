#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "speak/PhonemeGains.h"
#include "speak/VoiceDesign.h"
#include "speak/Voices.h"

namespace qvx::speak {
namespace {

// A variant that sets every line design changes, with a frequency offset
// and a comment that must survive.
constexpr std::string_view kVariant =
    "name x\nformant 1 97 90 100\nformant 2 100 95 100 -20\nformant 4 97 85 100\n"
    "formant 5 105 80 100\nbreath 0 2 3 3\nbreathw 150 150\nroughness 3\nflutter 5\n"
    "voicing 80\ntone 600 170 2000 110 3000 90\n// note\n";

using Feature = std::function<double(const VariantSound&, const StretchGains&)>;
Feature Formant(std::size_t n, std::int32_t VariantSound::Formant::*field) {
    return [=](const VariantSound& s, const StretchGains&) { return double(s.formants[n].*field); };
}
double Breath(const VariantSound& s, const StretchGains&) {
    return s.breath[0] + s.breath[2];
}
// The tone curve's amplitude at 3 kHz against 600 Hz.
double Highs(const VariantSound& s, const StretchGains&) {
    return double(s.tone[5]) / s.tone[1];
}

struct Moves {
    DesignIndex parameter;
    int direction;  // +1: the feature grows with the parameter
    Feature feature;
};

// Over the editor's whole range, from every voice's own values: each
// parameter moves its engine setting one way only, differs at the two ends,
// and every setting stays within espeak-ng's limits.
TEST(VoiceDesign, EveryParameterMovesItsSettingOneWayWithinTheLimits) {
    using F = VariantSound::Formant;
    const Moves rows[] = {
        {kHeadSize, -1, Formant(2, &F::frequency)},
        {kBreathiness, +1, Breath},
        {kLaxBreathiness, +1, Breath},
        {kLaxBreathiness, -1, Highs},
        {kSmoothness, -1, Highs},
        {kRichness, +1, Highs},
        {kOpenGlottis, -1, Highs},
        {kLaryngealization, +1, [](auto& s, auto&) { return s.roughness * 100.0 + s.flutter; }},
        {kFormant4Hz, +1, Formant(4, &F::frequency)},
        {kFormant5Hz, +1, Formant(5, &F::frequency)},
        {kFormant4Width, +1, Formant(4, &F::width)},
        {kFormant5Width, +1, Formant(5, &F::width)},
        {kFormant1Gain, +1, Formant(1, &F::height)},
        {kFormant3Gain, +1, Formant(3, &F::height)},
        {kFormant5Gain, +1, Formant(5, &F::height)},
        {kVoicingGain, +1, [](auto& s, auto&) { return double(s.voicing); }},
        {kAspirationGain, +1, [](auto&, auto& g) { return g.aspiration; }},
        {kFricationGain, +1, [](auto&, auto& g) { return g.frication; }},
        {kNasalGain, +1, [](auto&, auto& g) { return g.nasal; }},
    };
    const VariantSound variant = ReadVariantSound(kVariant);
    for (const VoiceRow& named : VoiceTable()) {
        const DesignValues own = VoiceForLetter(named.letter)->design;
        for (const Moves& row : rows) {
            const DesignRange& range = kDesignRanges[row.parameter];
            SCOPED_TRACE(std::string(named.name) + " " + std::string(range.name));
            ASSERT_TRUE(own[row.parameter] >= range.min && own[row.parameter] <= range.max);
            DesignValues values = own;
            double first = 0, last = 0;
            for (std::int32_t v = range.min; v <= range.max; ++v) {
                values[row.parameter] = v;
                const VariantSound s = DesignedSound(variant, values, own);
                const StretchGains g = DesignedGains(values, own);
                const double now = row.feature(s, g) * row.direction;
                if (v > range.min) {
                    ASSERT_GE(now, last) << "at " << v;
                } else {
                    first = now;
                }
                last = now;
                for (const F& f : s.formants) {
                    ASSERT_TRUE(f.frequency > 0 && f.width > 0 && f.height >= 0);
                    ASSERT_TRUE(std::max({f.frequency, f.height, f.width}) <= kMostFormantPercent);
                }
                for (std::int32_t b : s.breath) ASSERT_TRUE(b >= 0 && b <= kMostBreath);
                for (std::size_t i = 1; i < s.tone.size() && s.tone[i - 1] > 0; i += 2) {
                    ASSERT_TRUE(s.tone[i] >= kFewestToneAmplitude &&
                                s.tone[i] <= kMostToneAmplitude);
                }
                ASSERT_TRUE(s.roughness <= kMostRoughness && s.flutter <= kMostFlutter &&
                            s.voicing <= kMostVoicing);
                ASSERT_LE(std::max({g.aspiration, g.frication, g.nasal}), kMostStretchGain);
            }
            EXPECT_GT(last, first);
        }
    }
}

// The voice's own values give its variant back byte for byte; any design
// reads back as what it designed, each changed line once.
TEST(VoiceDesign, VariantTextIsKeptUntilDesignedAndReadsBackAsDesigned) {
    const DesignValues own = VoiceForLetter('p')->design;
    EXPECT_EQ(DesignedVariantText(kVariant, own, own), kVariant);
    EXPECT_EQ(DesignedGains(own, own), StretchGains{});
    // A design that adds no breath gives a breathless variant no breath.
    DesignValues bigHead = own;
    bigHead[kHeadSize] = kDesignRanges[kHeadSize].max;
    EXPECT_EQ(DesignedVariantText("name y\n", bigHead, own).find("breath"), std::string::npos);
    for (std::size_t i = 0; i < kDesignCount; ++i) {
        EXPECT_EQ(FindDesignParameter(kDesignRanges[i].name), DesignIndex(i))
            << kDesignRanges[i].name;
        for (std::int32_t end : {kDesignRanges[i].min, kDesignRanges[i].max}) {
            DesignValues values = own;
            values[i] = end;
            const std::string text = DesignedVariantText(kVariant, values, own);
            SCOPED_TRACE(std::string(kDesignRanges[i].name) + " at " + std::to_string(end));
            EXPECT_EQ(ReadVariantSound(text),
                      DesignedSound(ReadVariantSound(kVariant), values, own));
            std::set<std::string> keys;  // "formant 2", "breath": each once
            for (std::size_t at = 0; at < text.size(); at = text.find('\n', at) + 1) {
                const std::string line = text.substr(at, text.find('\n', at) - at);
                EXPECT_TRUE(
                    keys.insert(line.substr(0, line.starts_with("formant") ? 9 : line.find(' ')))
                        .second);
            }
            EXPECT_NE(text.find("name x\n"), std::string::npos);
            EXPECT_NE(text.find("// note\n"), std::string::npos);
        }
    }
}

// Stretches are scaled from their phoneme's first sample to the next start,
// however the starts fall across the engine's buffers.
TEST(StretchScaler, ScalesEachStretchFromItsStartWhateverTheBuffers) {
    struct Buffer {
        std::size_t size;
        std::vector<PhonemeMark> starts;
    };
    struct Row {
        const char* name;
        std::vector<Buffer> buffers;
        std::string gains;  // per sample: 1, h(alf) or d(ouble)
    };
    const Row rows[] = {
        {"inside one buffer", {{6, {{"a", 0}, {"h", 2}, {"s", 4}}}}, "11hhdd"},
        {"a start already passed acts at once", {{3, {}}, {3, {{"n-", 1}}}}, "111hhh"},
        {"a start still ahead waits", {{3, {{"h", 4}}}, {3, {}}}, "1111hh"},
        {"a start out of order", {{4, {{"s", 2}, {"m", 0}}}}, "hhdd"},
        {"other phonemes end a stretch", {{4, {{"Z", 0}, {"A:", 2}}}}, "dd11"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        StretchScaler scaler({0.5, 2, 0.5}, 1);
        std::string seen;
        for (const Buffer& buffer : row.buffers) {
            std::vector<std::int16_t> samples(buffer.size, 1000);
            scaler.Scale(samples, buffer.starts);
            for (std::int16_t v : samples)
                seen += v == 1000 ? '1' : v == 500 ? 'h' : v == 2000 ? 'd' : '?';
        }
        EXPECT_EQ(seen, row.gains);
    }
    // A change glides without a step; a loud sample is clipped, not wrapped.
    std::vector<std::int16_t> glide(100, 1000);
    StretchScaler({1, 2, 1}).Scale(glide, std::vector<PhonemeMark>{{"s", 0}});
    for (std::size_t i = 1; i < glide.size(); ++i) {
        EXPECT_TRUE(glide[i] >= glide[i - 1] && glide[i] - glide[i - 1] <= 1000 / 64 + 1) << i;
    }
    EXPECT_TRUE(glide[0] < 1050 && glide.back() == 2000);
    std::vector<std::int16_t> loud{30000, -30000};
    StretchScaler({1, 4, 1}, 1).Scale(loud, std::vector<PhonemeMark>{{"f", 0}});
    EXPECT_EQ(loud, (std::vector<std::int16_t>{32767, -32768}));
}

}  // namespace
}  // namespace qvx::speak
