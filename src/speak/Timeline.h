#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "speak/Notes.h"
#include "speak/Script.h"
#include "speak/Voices.h"
#include "speak/Warnings.h"

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

// Above this a tone cannot be played at the output rate.
inline constexpr std::int32_t kHighestToneHz = 10000;
inline constexpr std::int32_t kLowestToneHz = 20;
// Guards against a mistyped length turning into hours of sound.
inline constexpr std::int32_t kLongestToneMs = 60000;
inline constexpr std::int32_t kLongestSungMs = 20000;
inline constexpr std::int32_t kLongestPauseMs = 60000;
// The pauses of phonemic text's "," and "." until the script sets them.
inline constexpr std::int32_t kDefaultCommaMs = 95;
inline constexpr std::int32_t kDefaultPeriodMs = 470;
// A "_" that has no length of its own.
inline constexpr std::int32_t kShortSilenceMs = 50;
// espeak-ng 1.51 crashes on a word of about 350 phonemes: one call of the
// engine never gets more than this many.
inline constexpr std::size_t kMostPhonemesPerCall = 64;
// "[:volume]" is 0..100; 100, the start, plays the sound as it is made.
inline constexpr std::int32_t kLoudest = 100;

// Turns script events into segments, keeping what the script has set so far:
// the voice, the rate, the last sung pitch, the pauses and the volume.
class Translator {
  public:
    // Hands the segments of one event to `out` in order; false as soon as
    // `out` refuses one. A value the synthesizer cannot honour is bounded or
    // skipped with a warning.
    bool Translate(const ScriptEvent& event, const SegmentSink& out, const WarningSink& warn);

  private:
    bool On(const SpeakText& e);
    bool On(const SelectVoice& e);
    bool On(const DesignVoice& e);
    bool On(const SetRate& e);
    bool On(const SetPause& e);
    bool On(const Pause& e);
    bool On(const SetVolume& e);
    bool On(const PlayTone& e);
    bool On(const Dial& e);
    bool On(const PlaySound& e);
    bool On(const SingPhonemes& e);
    bool FlushSung(SungSegment& group);
    std::int32_t Bounded(std::int32_t milliseconds, std::int32_t longest, std::string_view what);

    const SegmentSink* out_ = nullptr;
    const WarningSink* warn_ = nullptr;
    VoiceSettings voice_ = DefaultVoice();
    VoiceSettings userVoice_ = DefaultVoice();
    bool onUserVoice_ = false;
    std::optional<SungPitch> pitch_;
    std::int32_t commaMs_ = kDefaultCommaMs;
    std::int32_t periodMs_ = kDefaultPeriodMs;
    std::int32_t loudness_ = kLoudest;
};

}  // namespace qvx::speak
