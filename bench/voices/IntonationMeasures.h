#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace qvx::speak::bench {

// The fundamentals of the voiced 40 ms windows of a sound, every 10 ms.
inline constexpr double kPitchStep = 0.01;
std::vector<double> VoicedHertz(std::span<const std::int16_t> samples, int rate);

// Features of the pitch of one spoken sentence, each moved by one intonation
// value. `hertz` holds the fundamentals of its voiced frames in order, `step`
// seconds apart; octave slips of the tracker are smoothed away first.
struct PitchTrack {
    PitchTrack(std::span<const double> hertz, double step);

    // bf: from the first 15 % of the voiced sound to the last 15 %.
    double BaselineDrop() const;
    // hr: the middle of the sentence (40-70 %), where the stressed phrase
    // stands, above its unstressed start (the first 10 %).
    double HatRise() const;
    // sr: how far the pitch peaks above the median of the half second around it
    // (the 90th percentile over the sentence).
    double StressPeak() const;
    // as: from the sentence's second half (50-80 %) down to its lowest point
    // in the last 10 %.
    double FinalFall() const;
    // qu: semitones per second of the fast pitch moves (the 90th percentile
    // of the change over 35 ms).
    double Speed() const;

  private:
    double Median(double from, double to) const;
    std::vector<double> semitones_;  // against 100 Hz
    double step_;
};

}  // namespace qvx::speak::bench
