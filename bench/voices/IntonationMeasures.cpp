#include "IntonationMeasures.h"

#include <algorithm>
#include <cmath>

namespace qvx::speak::bench {
namespace {

double Percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0;
    const auto at = values.begin() + std::ptrdiff_t(share * double(values.size() - 1));
    std::nth_element(values.begin(), at, values.end());
    return *at;
}

// The fundamental of one window by normalised autocorrelation within
// 50..600 Hz: the shortest lag that comes near the best one, so that a period
// of two similar cycles is not taken for one; 0 when the window is quiet
// (below -40 dBFS) or not periodic.
double Fundamental(std::span<const std::int16_t> s, int rate) {
    const std::size_t size = s.size() / 2;
    const auto energy = [&](std::size_t from) {
        double e = 0;
        for (std::size_t i = from; i < from + size; ++i) e += double(s[i]) * s[i];
        return e;
    };
    const double e0 = energy(0);
    if (e0 / double(size) < 1e-4 * 32768.0 * 32768.0) return 0;
    std::vector<double> r(std::size_t(rate / 50) + 2);
    for (std::size_t lag = std::size_t(rate / 600); lag < r.size() && lag + size <= s.size();
         ++lag) {
        double sum = 0;
        for (std::size_t i = 0; i < size; ++i) sum += double(s[i]) * s[i + lag];
        r[lag] = sum / std::sqrt(e0 * energy(lag) + 1);
    }
    const double best = *std::max_element(r.begin(), r.end());
    if (best < 0.6) return 0;
    for (std::size_t lag = std::size_t(rate / 600) + 1; lag + 1 < r.size(); ++lag) {
        if (r[lag] >= 0.9 * best && r[lag] >= r[lag - 1] && r[lag] >= r[lag + 1]) {
            return double(rate) / double(lag);
        }
    }
    return 0;
}

}  // namespace

std::vector<double> VoicedHertz(std::span<const std::int16_t> samples, int rate) {
    std::vector<double> hertz;
    const auto window = std::size_t(rate / 25) * 2, step = std::size_t(kPitchStep * rate);
    for (std::size_t at = 0; at + window <= samples.size(); at += step) {
        if (const double hz = Fundamental(samples.subspan(at, window), rate); hz > 0) {
            hertz.push_back(hz);
        }
    }
    return hertz;
}

PitchTrack::PitchTrack(std::span<const double> hertz, double step) : step_(step) {
    // A median of five frames, so that a frame taken an octave off is ignored.
    for (std::size_t i = 0; i < hertz.size(); ++i) {
        const std::size_t from = i < 2 ? 0 : i - 2, end = std::min(hertz.size(), i + 3);
        const double hz = Percentile({hertz.begin() + from, hertz.begin() + end}, 0.5);
        semitones_.push_back(12 * std::log2(hz / 100));
    }
}

double PitchTrack::Median(double from, double to) const {
    if (semitones_.empty()) return 0;
    const auto first = std::ptrdiff_t(from * double(semitones_.size()));
    const auto end = std::max(first + 1, std::ptrdiff_t(to * double(semitones_.size())));
    return Percentile({semitones_.begin() + first, semitones_.begin() + end}, 0.5);
}

double PitchTrack::BaselineDrop() const {
    return Median(0, 0.15) - Median(0.85, 1);
}

double PitchTrack::HatRise() const {
    return Median(0.4, 0.7) - Median(0, 0.1);
}

double PitchTrack::StressPeak() const {
    const auto around = std::ptrdiff_t(0.25 / step_);
    std::vector<double> peaks;
    for (std::ptrdiff_t i = 0; i < std::ptrdiff_t(semitones_.size()); ++i) {
        const auto from = std::max<std::ptrdiff_t>(0, i - around);
        const auto end =
            std::min<std::ptrdiff_t>(std::ptrdiff_t(semitones_.size()), i + around + 1);
        peaks.push_back(semitones_[i] -
                        Percentile({semitones_.begin() + from, semitones_.begin() + end}, 0.5));
    }
    return Percentile(peaks, 0.9);
}

double PitchTrack::FinalFall() const {
    if (semitones_.empty()) return 0;
    const auto last = semitones_.end() - std::ptrdiff_t(semitones_.size() / 10 + 1);
    return Median(0.5, 0.8) - *std::min_element(last, semitones_.end());
}

double PitchTrack::Speed() const {
    const auto apart = std::max<std::size_t>(1, std::size_t(std::lround(0.035 / step_)));
    std::vector<double> speeds;
    for (std::size_t i = 0; i + apart < semitones_.size(); ++i) {
        speeds.push_back(std::abs(semitones_[i + apart] - semitones_[i]) / (double(apart) * step_));
    }
    return Percentile(speeds, 0.9);
}

}  // namespace qvx::speak::bench
