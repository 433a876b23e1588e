#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "speak/SpeechEngine.h"
#include "speak/VoiceDesign.h"

namespace qvx::speak {

// The gain of the stretch an espeak-ng phoneme starts: aspiration for /h/,
// frication for the fricatives and affricates, nasal for the nasals, 1 for
// the rest.
double GainOfPhoneme(std::string_view mnemonic, const StretchGains& gains);

// Scales the samples of one synthesis as they come, buffer after buffer,
// each phoneme's stretch by its gain from its first sample to the next
// phoneme's. espeak-ng hands each buffer with the phonemes that start in it;
// a start already passed takes effect at once, one still ahead waits.
class StretchScaler {
  public:
    explicit StretchScaler(const StretchGains& gains) : gains_(gains) {}
    void Scale(std::span<std::int16_t> samples, std::span<const PhonemeMark> starts);

  private:
    struct Change {
        std::size_t sample;
        double gain;
    };
    StretchGains gains_;
    std::vector<Change> ahead_;
    std::size_t done_ = 0;  // samples scaled so far
    double gain_ = 1;
};

}  // namespace qvx::speak
