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

}  // namespace

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
    const auto around = std::ptrdiff_t(0.1 / step_);
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
