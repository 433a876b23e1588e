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

Frame AnalyseFrame(std::span<const std::int16_t> samples, int rate) {
    std::vector<std::complex<double>> x(kFftSize);
    double energy = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double window = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * double(i) / kFrameSize);
        const double v = samples[i] / 32768.0;
        energy += v * v;
        x[i] = v * window;
    }
    Frame f{10 * std::log10(energy / kFrameSize + 1e-12), 0, 0, {}};
    Fft(x, false);
    f.power.resize(kFftSize / 2);
    for (std::size_t k = 0; k < f.power.size(); ++k) f.power[k] = std::norm(x[k]);
    for (auto& c : x) c = std::norm(c);
    Fft(x, true);
    const double zero = x[0].real();
    if (zero <= 0) return f;
    // The window's own autocorrelation is divided out, so a long lag is not
    // penalised; the peak is refined by a parabola through its neighbours.
    const auto lagAt = [&](std::size_t lag) {
        return x[lag].real() / zero / (1 - double(lag) / kFrameSize);
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

std::vector<double> Hertz(const std::vector<Frame>& frames, const Selection& use) {
    std::vector<double> hz;
    for (std::size_t i : use) {
        if (IsVoiced(frames[i])) hz.push_back(frames[i].hertz);
    }
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
    std::vector<double> changes;
    for (std::size_t j = 1; j < use.size(); ++j) {
        const Frame &a = frames[use[j - 1]], &b = frames[use[j]];
        if (use[j] != use[j - 1] + 1 || !IsVoiced(a) || !IsVoiced(b)) continue;
        changes.push_back(200 * std::abs(a.hertz - b.hertz) / (a.hertz + b.hertz));
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
    const std::vector<double> power = SummedPower(frames, use);
    const auto [from, to] = Bins(rate, low, high);
    const auto begin = power.begin() + std::ptrdiff_t(from),
               end = power.begin() + std::ptrdiff_t(to);
    const double mean = std::accumulate(begin, end, 0.0) / double(to - from);
    return 10 * std::log10(*std::max_element(begin, end) / mean);
}

}  // namespace qvx::speak::bench
