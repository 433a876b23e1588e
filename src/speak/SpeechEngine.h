#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/Result.h"
#include "speak/Voices.h"

namespace qvx::speak {

// Receives samples as the engine makes them; false asks it to stop.
using SampleSink = std::function<bool(std::span<const std::int16_t>)>;

// Where the engine began a phoneme of its input: its mnemonic and the index
// of its first sample.
struct PhonemeMark {
    std::string mnemonic;
    std::size_t sample;
};

// Sung phonemes as the engine made them.
struct SungSound {
    std::vector<std::int16_t> samples;
    std::vector<PhonemeMark> marks;
};

// The speech synthesizer behind the renderer, so that everything above it is
// tested without one.
class SpeechEngine {
  public:
    virtual ~SpeechEngine() = default;
    virtual int SampleRate() const = 0;
    // Streams the spoken text.
    virtual Result<void> Speak(std::string_view text, const VoiceSettings& voice,
                               const SampleSink& sink) = 0;
    // Renders phoneme input ("[[A:]] ") at a constant fundamental, with the
    // start of each phoneme.
    virtual Result<SungSound> Sing(std::string_view phonemeInput, const VoiceSettings& voice,
                                   double hertz) = 0;
};

}  // namespace qvx::speak
