#pragma once

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

namespace qvx::speak::test {

struct WavData {
    int sampleRate = 0;
    int channels = 0;
    std::vector<double> samples;  // -1..1
};

inline WavData ReadWav(const std::string& path) {
    SF_INFO info{};
    WavData data;
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return data;
    data.sampleRate = info.samplerate;
    data.channels = info.channels;
    data.samples.resize(static_cast<std::size_t>(info.frames * info.channels));
    sf_read_double(file, data.samples.data(), static_cast<sf_count_t>(data.samples.size()));
    sf_close(file);
    return data;
}

// Power of one frequency in a stretch of samples (Goertzel), normalised so a
// full-scale sine gives about 0.25.
inline double GoertzelPower(const std::vector<double>& s, std::size_t from, std::size_t count,
                            double hertz, int rate) {
    const double coefficient = 2 * std::cos(2 * std::numbers::pi * hertz / rate);
    double previous = 0, beforePrevious = 0;
    for (std::size_t i = from; i < from + count && i < s.size(); ++i) {
        const double current = s[i] + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    const double power = previous * previous + beforePrevious * beforePrevious -
                         coefficient * previous * beforePrevious;
    return power / (double(count) * count);
}

// The first and one-past-last sample louder than the threshold.
struct Span {
    std::size_t first = 0;
    std::size_t end = 0;
    std::size_t size() const { return end - first; }
};
inline Span LoudSpan(const std::vector<double>& s, double threshold = 0.01) {
    Span span;
    std::size_t i = 0;
    while (i < s.size() && std::abs(s[i]) <= threshold) ++i;
    span.first = i;
    span.end = i;
    for (std::size_t j = i; j < s.size(); ++j) {
        if (std::abs(s[j]) > threshold) span.end = j + 1;
    }
    return span;
}

// Frequency of a periodic stretch from its upward zero crossings, with
// linear interpolation between samples.
inline double ZeroCrossingHertz(const std::vector<double>& s, std::size_t from, std::size_t end,
                                int rate) {
    double first = -1, last = -1;
    int crossings = 0;
    for (std::size_t i = from + 1; i < end; ++i) {
        if (s[i - 1] < 0 && s[i] >= 0) {
            const double at = i - 1 + s[i - 1] / (s[i - 1] - s[i]);
            if (first < 0) first = at;
            last = at;
            ++crossings;
        }
    }
    return crossings < 2 ? 0 : (crossings - 1) * rate / (last - first);
}

// Fundamental of one frame by normalised autocorrelation within 50..600 Hz:
// the shortest lag that comes near the best one, so that a period of two
// similar cycles is not taken for one; 0 when the frame is not clearly
// periodic.
inline double FrameFundamental(const std::vector<double>& s, std::size_t from, std::size_t count,
                               int rate) {
    const int minLag = rate / 600, maxLag = rate / 50;
    if (from + count + maxLag > s.size()) return 0;
    std::vector<double> r(maxLag + 2, 0.0);
    for (int lag = minLag; lag <= maxLag + 1; ++lag) {
        double cross = 0, energyA = 0, energyB = 0;
        for (std::size_t i = from; i < from + count; ++i) {
            cross += s[i] * s[i + lag];
            energyA += s[i] * s[i];
            energyB += s[i + lag] * s[i + lag];
        }
        if (energyA < 1e-4) return 0;
        r[lag] = cross / std::sqrt(energyA * energyB);
    }
    const double best = *std::max_element(r.begin() + minLag, r.end());
    if (best <= 0.6) return 0;
    for (int lag = minLag + 1; lag <= maxLag; ++lag) {
        if (r[lag] >= 0.9 * best && r[lag] >= r[lag - 1] && r[lag] >= r[lag + 1]) {
            return double(rate) / lag;
        }
    }
    return 0;
}

// Mean fundamental over the voiced frames of the whole signal.
inline double MeanFundamental(const std::vector<double>& s, int rate) {
    const std::size_t frame = rate / 25;
    double sum = 0;
    int voiced = 0;
    for (std::size_t at = 0; at + 2 * frame < s.size(); at += frame / 2) {
        if (const double f = FrameFundamental(s, at, frame, rate); f > 0) {
            sum += f;
            ++voiced;
        }
    }
    return voiced ? sum / voiced : 0;
}

}  // namespace qvx::speak::test
