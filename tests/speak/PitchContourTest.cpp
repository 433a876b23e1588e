#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "speak/PitchContour.h"
#include "speak/SentenceTiming.h"

namespace qvx::speak {
namespace {

// A sentence from 0.2 s to 2.2 s stressed on three vowels: the hat stands
// from 0.5 s to 1.8 s, the final fall follows.
const std::vector<SentenceTiming> kSentence = {{{0.2, 2.2}, {{0.5, 0.6}, {1.0, 1.1}, {1.8, 1.9}}}};

PitchContour Contour(const Intonation& in, double average = 122, double range = 100) {
    return PitchContour(kSentence, average, range, in);
}

struct Parameter {
    const char* name;
    std::int32_t low, high;
    // The part of the contour the parameter moves, in hertz or a share, and
    // how much more it is at the high end than at the low.
    std::function<double(const PitchContour&)> feature;
    double moves;
};

const Parameter kParameters[] = {
    {"bf", 0, 40, [](const PitchContour& c) { return c.At(0.8) - c.At(1.6); }, 10},
    {"hr", 0, 100, [](const PitchContour& c) { return c.At(0.9) - c.At(0.45); }, 50},
    {"sr", 0, 100, [](const PitchContour& c) { return c.At(1.095) - c.At(0.95); }, 40},
    {"as", 0, 100, [](const PitchContour& c) { return c.At(1.79) - c.At(2.2); }, 20},
    {"qu", 0, 100,
     [](const PitchContour& c) { return (c.At(0.53) - c.At(0.5)) / (c.At(0.6) - c.At(0.5)); }, 0.3},
};

TEST(PitchContour, EachParameterMovesItsOwnPartUpOverItsWholeRangeWithinTheEngineLimits) {
    const std::pair<double, double> voices[] = {{122, 100}, {50, 250}, {350, 250}, {208, 40}};
    for (const Parameter& p : kParameters) {
        for (const auto& [average, range] : voices) {
            SCOPED_TRACE(std::string(p.name) + " at " + std::to_string(average) + " Hz");
            double previous = -1e9;
            for (std::int32_t v = p.low - 5; v <= p.high + 5; ++v) {
                Intonation in;
                ASSERT_TRUE(SetIntonation(in, p.name, v));
                const PitchContour c = Contour(in, average, range);
                const double feature = p.feature(c);
                EXPECT_GE(feature, previous - 1e-3) << v;
                previous = feature;
                for (double t = 0; t < 2.5; t += 0.01) {
                    ASSERT_GE(c.At(t), kLowestF0);
                    ASSERT_LE(c.At(t), kHighestF0);
                }
            }
        }
        Intonation low, high;
        SetIntonation(low, p.name, p.low);
        SetIntonation(high, p.name, p.high);
        EXPECT_GT(p.feature(Contour(high)), p.feature(Contour(low)) + p.moves) << p.name;
    }
    Intonation unchanged;
    EXPECT_FALSE(SetIntonation(unchanged, "pr", 3));
    EXPECT_EQ(unchanged, Intonation{});
}

TEST(PitchContour, HasAFallingBaselineAHatOverTheStressesAndAFinalFall) {
    Intonation baselineOnly{.baselineFall = 30, .hatRise = 0, .stressRise = 0, .assertiveness = 0};
    const PitchContour baseline = Contour(baselineOnly);
    for (double t = 0.2; t < 2.2; t += 0.05) EXPECT_GT(baseline.At(t), baseline.At(t + 0.05)) << t;
    EXPECT_NEAR(baseline.At(0.2) - baseline.At(2.2), 30, 3);

    const PitchContour usual = Contour(Intonation{});
    const double beforeHat = usual.At(0.45), inHat = usual.At(0.8), hatEnd = usual.At(1.79);
    EXPECT_GT(inHat, beforeHat + 10);
    EXPECT_LT(usual.At(2.2), hatEnd - 18 - 20) << "the hat ends, then the final fall";
    EXPECT_LT(usual.At(2.2), beforeHat);

    double sum = 0, count = 0;
    for (double t = 0.2; t <= 2.2; t += 0.005, ++count) sum += usual.At(t);
    EXPECT_NEAR(sum / count, 122, 3) << "centred on the voice's average";
    // Each sentence starts afresh; one that overlaps the one before is left out.
    const SentenceTiming again{{3.0, 5.0}, {{3.3, 3.4}, {3.8, 3.9}, {4.6, 4.7}}};
    const std::vector<SentenceTiming> sentences = {kSentence[0], again, kSentence[0]};
    const PitchContour two(sentences, 122, 100, {});
    double low[2] = {1e9, 1e9}, high[2] = {0, 0};
    for (double t = 0.2; t <= 2.2; t += 0.005) {
        EXPECT_EQ(two.At(t), usual.At(t));
        low[0] = std::min(low[0], usual.At(t)), high[0] = std::max(high[0], usual.At(t));
        low[1] = std::min(low[1], two.At(t + 2.8)), high[1] = std::max(high[1], two.At(t + 2.8));
    }
    EXPECT_NEAR(low[1], low[0], 0.5);
    EXPECT_NEAR(high[1], high[0], 0.5);
    const PitchContour monotone = Contour(Intonation{}, 150, 0);
    for (double t = 0; t < 2.5; t += 0.05) EXPECT_NEAR(monotone.At(t), 150, 0.5);
    EXPECT_EQ(PitchContour({}, 122, 100, {}).At(1), 122);
}

TEST(SentenceTiming, FindsSentencesAndTheirStressedVowelsInTheTranslation) {
    const auto phoneme = [](const char* name, std::size_t at) {
        return SpeechMark{false, name, at};
    };
    const SpeechMark sentence{true, {}, 0};
    struct Case {
        const char* name;
        std::vector<SpeechMark> marks;
        const char* translation;
        std::vector<SentenceTiming> expected;
    };
    const Case cases[] = {
        {"two sentences, stress past syllable and word marks",
         {sentence, phoneme("_", 0), phoneme("h", 100), phoneme("@", 200), phoneme("l", 300),
          phoneme("oU", 400), SpeechMark{true, {}, 700}, phoneme("w", 700), phoneme("3:", 800),
          phoneme("l", 900), phoneme("d", 1000), phoneme("_", 1100)},
         "h@l'oU  w'3:ld ",
         {{{0.1, 0.7}, {{0.4, 0.7}}}, {{0.7, 1.1}, {{0.8, 0.9}}}}},
        {"a phoneme missing from the translation keeps the rest in step",
         {phoneme("t", 0), phoneme("Q", 100), phoneme("aI", 200), phoneme("m", 300),
          phoneme("aI", 500)},
         "t,aI m'aI",
         {{{0.0, 1.2}, {{0.5, 1.2}}}}},
        {"only pauses make no sentence", {sentence, phoneme("_:", 0), sentence}, "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto found = TimeSentences(c.marks, c.translation, 1200, 1000);
        ASSERT_EQ(found.size(), c.expected.size());
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_DOUBLE_EQ(found[i].sounding.start, c.expected[i].sounding.start);
            EXPECT_DOUBLE_EQ(found[i].sounding.end, c.expected[i].sounding.end);
            ASSERT_EQ(found[i].stressed.size(), c.expected[i].stressed.size());
            for (std::size_t s = 0; s < found[i].stressed.size(); ++s) {
                EXPECT_DOUBLE_EQ(found[i].stressed[s].start, c.expected[i].stressed[s].start);
                EXPECT_DOUBLE_EQ(found[i].stressed[s].end, c.expected[i].stressed[s].end);
            }
        }
    }
}

}  // namespace
}  // namespace qvx::speak
