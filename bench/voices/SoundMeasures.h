#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace qvx::speak::bench {

// One analysis frame of a rendered sound (about 46 ms, every 11.6 ms).
struct Frame {
    double levelDb;             // RMS against full scale
    double periodicity;         // normalised autocorrelation at the best pitch lag, 0..1
    double hertz;               // the fundamental, when the frame is voiced
    std::vector<double> power;  // power spectrum, bin k at k * rate / kFftSize
};

inline constexpr std::size_t kFrameSize = 1024;
inline constexpr std::size_t kFftSize = 2048;

// The frames of a sound; near-silent ones are kept (their level says so), so
// that two renders of equal length have frames at the same places.
std::vector<Frame> Analyse(std::span<const std::int16_t> samples, int rate);

bool IsVoiced(const Frame& f);
bool IsSounding(const Frame& f);

// Features over a set of frames (the indices of `frames` to use).
using Selection = std::vector<std::size_t>;
Selection Select(const std::vector<Frame>& frames, bool (*keep)(const Frame&));
double MedianHertz(const std::vector<Frame>& frames, const Selection& use);
double MeanHertz(const std::vector<Frame>& frames, const Selection& use);
double PitchSpreadSemitones(const std::vector<Frame>& frames, const Selection& use);
// Mean relative change of the period between neighbouring voiced frames, %.
double PeriodIrregularity(const std::vector<Frame>& frames, const Selection& use);
double LevelDb(const std::vector<Frame>& frames, const Selection& use);
double HarmonicsToNoiseDb(const std::vector<Frame>& frames, const Selection& use);
// Spectral features over the summed power of the frames, between two
// frequencies.
double BandLevelDb(const std::vector<Frame>& frames, const Selection& use, int rate, double low,
                   double high);
double CentroidHz(const std::vector<Frame>& frames, const Selection& use, int rate, double low,
                  double high);
// The highest point of the band's smoothed spectrum against its lowest, in dB.
double PeakContrastDb(const std::vector<Frame>& frames, const Selection& use, int rate, double low,
                      double high);

}  // namespace qvx::speak::bench
