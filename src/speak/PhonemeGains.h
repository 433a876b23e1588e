#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "speak/SpeechEngine.h"
#include "speak/VoiceDesign.h"

namespace qvx::speak {

// Scales the samples of one synthesis as they come, buffer after buffer,
// each phoneme's stretch by its gain from its first sample to the next
// phoneme's. espeak-ng hands each buffer with the phonemes that start in it;
// a start already passed takes effect at once, one still ahead waits. A
// change of gain glides over a few milliseconds, so that it never clicks.
inline constexpr std::size_t kGainGlideSamples = 64;

class StretchScaler {
  public:
    explicit StretchScaler(const StretchGains& gains, std::size_t glide = kGainGlideSamples)
        : gains_(gains), glide_(std::max<std::size_t>(1, glide)) {}
    void Scale(std::span<std::int16_t> samples, std::span<const PhonemeMark> starts);

  private:
    struct Change {
        std::size_t sample;
        double gain;
    };
    StretchGains gains_;
    std::size_t glide_;
    std::vector<Change> ahead_;
    std::size_t done_ = 0;  // samples scaled so far
    double gain_ = 1;
    double target_ = 1;
    double step_ = 0;  // per sample while gliding
};

}  // namespace qvx::speak
