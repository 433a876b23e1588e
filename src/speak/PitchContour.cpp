#include "speak/PitchContour.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace qvx::speak {
namespace {

struct IntonationLimit {
    std::string_view name;
    std::int32_t Intonation::*field;
    std::int32_t min;
    std::int32_t max;
};
constexpr IntonationLimit kLimits[] = {
    {"bf", &Intonation::baselineFall, 0, 40}, {"hr", &Intonation::hatRise, 0, 100},
    {"sr", &Intonation::stressRise, 0, 100},  {"as", &Intonation::assertiveness, 0, 100},
    {"qu", &Intonation::quickness, 0, 100},
};

// The contour is kept as one value per step: finer than espeak-ng takes a new
// pitch (once a buffer, about every 49 ms), coarse enough to cost nothing.
constexpr double kStep = 0.005;
// A line of text never speaks this long; the table stays bounded all the same.
constexpr double kLongestSeconds = 3600;
// The lag of the pitch behind its target at quickness 0 and 100.
constexpr double kSlowestLag = 0.16;
constexpr double kQuickestLag = 0.02;
// At assertiveness 100 a sentence ends this share of the average pitch below
// where its last stress left it.
constexpr double kDeepestFall = 0.4;
// The stress rise starts this long before its vowel, with the syllable's
// first consonant, so that the pitch has risen by the time the vowel sounds.
constexpr double kStressOnset = 0.04;
// Without a stressed vowel the final fall takes the last third.
constexpr double kUnstressedFallStart = 2.0 / 3.0;

bool Inside(double t, const Stretch& s) {
    return t >= s.start && t < s.end;
}

// The sentence's pitch at `t` above where it starts, in hertz at full range.
// The hat stands until the last stressed vowel, which carries the final fall
// in its first half: spread wider, the fall would outlast the voicing, as
// espeak-ng takes a new pitch only every 49 ms or so.
double Shape(double t, const SentenceTiming& sentence, const Intonation& in, double fallDepth) {
    const Stretch& whole = sentence.sounding;
    double hz = -in.baselineFall * (t - whole.start) / (whole.end - whole.start);
    Stretch fall{whole.start + kUnstressedFallStart * (whole.end - whole.start), whole.end};
    if (!sentence.stressed.empty()) {
        fall = sentence.stressed.back();
        fall.end = (fall.start + fall.end) / 2;
        if (Inside(t, {sentence.stressed.front().start, fall.start})) hz += in.hatRise;
        const bool onStress =
            std::any_of(sentence.stressed.begin(), sentence.stressed.end(), [t](const Stretch& s) {
                return Inside(t, {s.start - kStressOnset, s.end});
            });
        if (onStress) hz += in.stressRise;
    }
    if (t > fall.start) {
        hz -= fallDepth * std::min(1.0, (t - fall.start) / std::max(fall.end - fall.start, kStep));
    }
    return hz;
}

}  // namespace

bool SetIntonation(Intonation& intonation, std::string_view parameter, std::int32_t value) {
    for (const IntonationLimit& limit : kLimits) {
        if (limit.name == parameter) {
            intonation.*limit.field = std::clamp(value, limit.min, limit.max);
            return true;
        }
    }
    return false;
}

PitchContour::PitchContour(std::span<const SentenceTiming> sentences, double averagePitch,
                           double rangePercent, const Intonation& intonation)
    : average_(std::clamp(averagePitch, kLowestF0, kHighestF0)),
      lag_(kSlowestLag *
           std::pow(kQuickestLag / kSlowestLag, std::clamp(intonation.quickness, 0, 100) / 100.0)) {
    for (const SentenceTiming& sentence : sentences) {
        AddSentence(sentence, averagePitch, std::max(0.0, rangePercent) / 100, intonation);
    }
}

void PitchContour::AddSentence(const SentenceTiming& sentence, double averagePitch, double scale,
                               const Intonation& intonation) {
    const std::size_t first = static_cast<std::size_t>(
        std::ceil(std::clamp(sentence.sounding.start, 0.0, kLongestSeconds) / kStep));
    const std::size_t last =
        static_cast<std::size_t>(std::clamp(sentence.sounding.end, 0.0, kLongestSeconds) / kStep);
    if (last <= first || first < hertz_.size()) return;  // empty, or out of order
    const double fallDepth = kDeepestFall * averagePitch * intonation.assertiveness / 100;
    std::vector<double> shape(last - first + 1);
    for (std::size_t i = 0; i < shape.size(); ++i) {
        shape[i] = Shape(double(first + i) * kStep, sentence, intonation, fallDepth);
    }
    // Centred on the average, so that the voice keeps the pitch it was given.
    const double mean = std::accumulate(shape.begin(), shape.end(), 0.0) / double(shape.size());
    const double follow = 1 - std::exp(-kStep / lag_);
    double hz = averagePitch + scale * (shape.front() - mean);
    hertz_.resize(first,
                  hertz_.empty() ? float(std::clamp(hz, kLowestF0, kHighestF0)) : hertz_.back());
    for (double target : shape) {
        hz += (averagePitch + scale * (target - mean) - hz) * follow;
        hertz_.push_back(float(std::clamp(hz, kLowestF0, kHighestF0)));
    }
}

double PitchContour::At(double seconds) const {
    if (hertz_.empty()) return average_;
    const double index = std::clamp(std::round(seconds / kStep), 0.0, double(hertz_.size() - 1));
    return hertz_[static_cast<std::size_t>(index)];
}

}  // namespace qvx::speak
