#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "speak/Voices.h"

namespace qvx::speak {

// A script turned into what is heard, segment after segment.

struct SpeechSegment {
    std::string text;
    VoiceSettings voice;
};

// One phoneme of a sung segment: its espeak-ng mnemonic and its length, 0 for
// its natural length.
struct SungPart {
    std::string_view mnemonic;
    std::int32_t milliseconds;
};

// Phonemes sung at one constant fundamental, made by one call of the engine.
struct SungSegment {
    std::string phonemeInput;  // espeak-ng phoneme input, "[[doUr]] "
    std::vector<SungPart> parts;
    double hertz;
    bool vibrato;
    VoiceSettings voice;
};

// One sine with short ramps.
struct ToneSegment {
    double hertz;
    std::int32_t milliseconds;
};

// A dial string whose every character is a key or a pause; each key is
// rendered only when its turn comes, so a long string never waits in memory
// as sound.
struct DialSegment {
    std::string keys;
};

struct SilenceSegment {
    std::int32_t milliseconds;
};

// A wave file of the program folder, by its name in the script.
struct SoundSegment {
    std::string name;
};

// From here on every sample is scaled by this gain (1 leaves it as made).
struct VolumeSegment {
    double gain;
};

using Segment = std::variant<SpeechSegment, SungSegment, ToneSegment, DialSegment, SilenceSegment,
                             SoundSegment, VolumeSegment>;

// Receives each segment as soon as it is known; false asks for no more.
using SegmentSink = std::function<bool(const Segment&)>;

}  // namespace qvx::speak
