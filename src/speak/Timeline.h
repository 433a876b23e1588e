#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "speak/Script.h"
#include "speak/Voices.h"

namespace qvx::speak {

// A script turned into what is heard, segment after segment.

struct SpeechSegment {
    std::string text;
    VoiceSettings voice;
};

// Phonemes sung at a constant fundamental. A length of 0 keeps the
// phonemes' natural length.
struct SungSegment {
    std::string phonemeInput;  // espeak-ng phoneme input, "[[A:]] "
    std::int32_t milliseconds;
    double hertz;
    bool vibrato;
    VoiceSettings voice;
};

// One sine, or the two of a touch-tone key, with short ramps.
struct ToneSegment {
    std::vector<double> hertz;
    std::int32_t milliseconds;
};

struct SilenceSegment {
    std::int32_t milliseconds;
};

// A wave file of the program folder, by its bare name.
struct SoundSegment {
    std::string name;
};

using Segment = std::variant<SpeechSegment, SungSegment, ToneSegment, SilenceSegment, SoundSegment>;

struct Timeline {
    std::vector<Segment> segments;
    std::vector<std::string> warnings;
};

inline constexpr std::int32_t kDialKeyMs = 100;
inline constexpr std::int32_t kDialGapMs = 100;
// Above this a tone cannot be played at the output rate.
inline constexpr std::int32_t kHighestToneHz = 10000;
inline constexpr std::int32_t kLowestToneHz = 20;
// Guards against a mistyped length turning into hours of sound.
inline constexpr std::int32_t kLongestToneMs = 60000;
inline constexpr std::int32_t kLongestSungMs = 20000;

Timeline Translate(const ParsedScript& script);

}  // namespace qvx::speak
