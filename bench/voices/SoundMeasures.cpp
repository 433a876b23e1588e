#include "SoundMeasures.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <numeric>

namespace qvx::speak::bench {
namespace {

constexpr std::size_t kHop = 256;
constexpr double kLowestHz = 50, kHighestHz = 500;
constexpr double kVoicedPeriodicity = 0.6;
constexpr double kSilenceDb = -55;

void Fft(std::vector<std::complex<double>>& a, bool inverse) {
    const std::size_t n = a.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (std::size_t len = 2; len <= n; len <<= 1) {
        const double angle = 2 * std::numbers::pi / double(len) * (inverse ? 1 : -1);
        const std::complex<double> step(std::cos(angle), std::sin(angle));
        for (std::size_t i = 0; i < n; i += len) {
            std::complex<double> w(1);
            for (std::size_t k = 0; k < len / 2; ++k, w *= step) {
                const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
}

double HannAt(std::size_t i) {
    return 0.5 - 0.5 * std::cos(2 * std::numbers::pi * double(i) / kFrameSize);
}

// The normalised autocorrelation of the analysis window, which the frame's
// own is divided by, so that a long lag is not penalised.
const std::vector<double>& WindowCorrelation() {
    static const std::vector<double> r = [] {
        std::vector<std::complex<double>> w(kFftSize);
        for (std::size_t i = 0; i < kFrameSize; ++i) w[i] = HannAt(i);
        Fft(w, false);
        for (auto& c : w) c = std::norm(c);
        Fft(w, true);
        std::vector<double> out(kFrameSize);
        for (std::size_t i = 0; i < kFrameSize; ++i) out[i] = w[i].real() / w[0].real();
        return out;
    }();
    return r;
}

Frame AnalyseFrame(std::span<const std::int16_t> samples, int rate) {
    std::vector<std::complex<double>> x(kFftSize);
    double energy = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double v = samples[i] / 32768.0;
        energy += v * v;
        x[i] = v * HannAt(i);
    }
    Frame f{10 * std::log10(energy / kFrameSize + 1e-12), 0, 0, {}};
    Fft(x, false);
    f.power.resize(kFftSize / 2);
    for (std::size_t k = 0; k < f.power.size(); ++k) f.power[k] = std::norm(x[k]);
    for (auto& c : x) c = std::norm(c);
    Fft(x, true);
    const double zero = x[0].real();
    if (zero <= 0) return f;
    // The peak is refined by a parabola through its neighbours.
    const auto lagAt = [&](std::size_t lag) {
        return x[lag].real() / zero / WindowCorrelation()[lag];
    };
    const auto first = std::size_t(rate / kHighestHz), last = std::size_t(rate / kLowestHz);
    std::size_t best = first;
    for (std::size_t lag = first; lag <= last; ++lag) {
        if (lagAt(lag) > lagAt(best)) best = lag;
    }
    f.periodicity = std::clamp(lagAt(best), 0.0, 1.0);
    const double a = lagAt(best - 1), b = lagAt(best), c = lagAt(best + 1);
    const double shift = (a - 2 * b + c) != 0 ? 0.5 * (a - c) / (a - 2 * b + c) : 0;
    f.hertz = rate / (double(best) + std::clamp(shift, -0.5, 0.5));
    return f;
}

double Mean(const std::vector<double>& v) {
    return v.empty() ? NAN : std::accumulate(v.begin(), v.end(), 0.0) / double(v.size());
}

// The fundamentals of the voiced frames, without octave errors: a frame
// more than half an octave from the median is dropped.
std::vector<double> Hertz(const std::vector<Frame>& frames, const Selection& use) {
    std::vector<double> hz;
    for (std::size_t i : use) {
        if (IsVoiced(frames[i])) hz.push_back(frames[i].hertz);
    }
    if (hz.empty()) return hz;
    std::vector<double> sorted = hz;
    std::nth_element(sorted.begin(), sorted.begin() + std::ptrdiff_t(sorted.size() / 2),
                     sorted.end());
    const double median = sorted[sorted.size() / 2];
    std::erase_if(hz, [median](double f) { return std::abs(std::log2(f / median)) > 0.5; });
    return hz;
}

std::vector<double> SummedPower(const std::vector<Frame>& frames, const Selection& use) {
    std::vector<double> sum(kFftSize / 2);
    for (std::size_t i : use) {
        for (std::size_t k = 0; k < sum.size(); ++k) sum[k] += frames[i].power[k];
    }
    return sum;
}

std::pair<std::size_t, std::size_t> Bins(int rate, double low, double high) {
    return {std::size_t(low * kFftSize / rate),
            std::min(kFftSize / 2, std::size_t(high * kFftSize / rate))};
}

}  // namespace

std::vector<Frame> Analyse(std::span<const std::int16_t> samples, int rate) {
    std::vector<Frame> frames;
    for (std::size_t at = 0; at + kFrameSize <= samples.size(); at += kHop) {
        frames.push_back(AnalyseFrame(samples.subspan(at, kFrameSize), rate));
    }
    return frames;
}

bool IsSounding(const Frame& f) {
    return f.levelDb > kSilenceDb;
}

bool IsVoiced(const Frame& f) {
    return IsSounding(f) && f.periodicity > kVoicedPeriodicity;
}

Selection Select(const std::vector<Frame>& frames, bool (*keep)(const Frame&)) {
    Selection use;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (keep(frames[i])) use.push_back(i);
    }
    return use;
}

double MedianHertz(const std::vector<Frame>& frames, const Selection& use) {
    std::vector<double> hz = Hertz(frames, use);
    if (hz.empty()) return NAN;
    std::nth_element(hz.begin(), hz.begin() + std::ptrdiff_t(hz.size() / 2), hz.end());
    return hz[hz.size() / 2];
}

double MeanHertz(const std::vector<Frame>& frames, const Selection& use) {
    return Mean(Hertz(frames, use));
}

double PitchSpreadSemitones(const std::vector<Frame>& frames, const Selection& use) {
    std::vector<double> st = Hertz(frames, use);
    for (double& v : st) v = 12 * std::log2(v);
    const double mean = Mean(st);
    double square = 0;
    for (double v : st) square += (v - mean) * (v - mean);
    return st.empty() ? NAN : std::sqrt(square / double(st.size()));
}

double PeriodIrregularity(const std::vector<Frame>& frames, const Selection& use) {
    const std::vector<double> kept = Hertz(frames, use);
    const double low = *std::min_element(kept.begin(), kept.end());
    const double high = *std::max_element(kept.begin(), kept.end());
    const auto ok = [&](std::size_t i) {
        return IsVoiced(frames[i]) && frames[i].hertz >= low && frames[i].hertz <= high;
    };
    // Against the mean of both neighbours, so that the intonation's own
    // steady glides do not count.
    std::vector<double> changes;
    for (std::size_t j = 2; j < use.size(); ++j) {
        const std::size_t a = use[j - 2], b = use[j - 1], c = use[j];
        if (c != a + 2 || b != a + 1 || !ok(a) || !ok(b) || !ok(c)) continue;
        const double between = (frames[a].hertz + frames[c].hertz) / 2;
        changes.push_back(100 * std::abs(frames[b].hertz - between) / between);
    }
    return Mean(changes);
}

double LevelDb(const std::vector<Frame>& frames, const Selection& use) {
    double energy = 0;
    for (std::size_t i : use) energy += std::pow(10, frames[i].levelDb / 10);
    return 10 * std::log10(energy / double(std::max<std::size_t>(1, use.size())) + 1e-12);
}

double HarmonicsToNoiseDb(const std::vector<Frame>& frames, const Selection& use) {
    std::vector<double> hnr;
    for (std::size_t i : use) {
        const double r = std::clamp(frames[i].periodicity, 1e-4, 1 - 1e-4);
        hnr.push_back(10 * std::log10(r / (1 - r)));
    }
    return Mean(hnr);
}

double BandLevelDb(const std::vector<Frame>& frames, const Selection& use, int rate, double low,
                   double high) {
    const std::vector<double> power = SummedPower(frames, use);
    const auto [from, to] = Bins(rate, low, high);
    const double band = std::accumulate(power.begin() + std::ptrdiff_t(from),
                                        power.begin() + std::ptrdiff_t(to), 0.0);
    return 10 * std::log10(band / double(std::max<std::size_t>(1, use.size())) + 1e-12);
}

double CentroidHz(const std::vector<Frame>& frames, const Selection& use, int rate, double low,
                  double high) {
    const std::vector<double> power = SummedPower(frames, use);
    const auto [from, to] = Bins(rate, low, high);
    double weighted = 0, total = 0;
    for (std::size_t k = from; k < to; ++k) {
        weighted += power[k] * double(k) * rate / kFftSize;
        total += power[k];
    }
    return total > 0 ? weighted / total : NAN;
}

double PeakContrastDb(const std::vector<Frame>& frames, const Selection& use, int rate, double low,
                      double high) {
    // Frame by frame, over a spectrum smoothed across about 300 Hz, so that
    // the peak is the formant's and not one harmonic's.
    const auto [from, to] = Bins(rate, low, high);
    const std::size_t half = std::size_t(150.0 * kFftSize / rate);
    std::vector<double> contrast;
    for (std::size_t i : use) {
        const std::vector<double>& p = frames[i].power;
        double peak = 0, valley = INFINITY;
        for (std::size_t k = from; k < to; ++k) {
            const std::size_t a = k > half ? k - half : 0, b = std::min(p.size(), k + half + 1);
            const double smooth =
                std::accumulate(p.begin() + std::ptrdiff_t(a), p.begin() + std::ptrdiff_t(b), 0.0) /
                double(b - a);
            peak = std::max(peak, smooth);
            valley = std::min(valley, smooth);
        }
        if (valley > 0) contrast.push_back(10 * std::log10(peak / valley));
    }
    return Mean(contrast);
}

}  // namespace qvx::speak::bench
