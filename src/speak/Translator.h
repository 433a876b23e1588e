#pragma once

#include <cstdint>
#include <optional>

#include "speak/Notes.h"
#include "speak/Script.h"
#include "speak/Timeline.h"
#include "speak/Voices.h"
#include "speak/Warnings.h"

namespace qvx::speak {

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
    // skipped with a warning. Sung phonemes wait in a group until a change
    // of pitch, a rest or the end of their bracket.
    bool Translate(const ScriptEvent& event, const SegmentSink& out, const WarningSink& warn);

  private:
    struct Sinks {
        const SegmentSink& out;
        const WarningSink& warn;
    };
    bool On(const SpeakText& e, const Sinks& to);
    bool On(const SelectVoice& e, const Sinks& to);
    bool On(const DesignVoice& e, const Sinks& to);
    bool On(const SetRate& e, const Sinks& to);
    bool On(const SetPause& e, const Sinks& to);
    bool On(const Pause& e, const Sinks& to);
    bool On(const SetVolume& e, const Sinks& to);
    bool On(const PlayTone& e, const Sinks& to);
    bool On(const Dial& e, const Sinks& to);
    bool On(const PlaySound& e, const Sinks& to);
    bool On(const PhonemicItem& e, const Sinks& to);
    bool On(const PhonemicEnd& e, const Sinks& to);
    bool FlushSung(const SegmentSink& out);

    VoiceSettings voice_ = DefaultVoice();
    VoiceSettings userVoice_ = DefaultVoice();
    bool onUserVoice_ = false;
    std::optional<SungPitch> pitch_;
    std::int32_t commaMs_ = kDefaultCommaMs;
    std::int32_t periodMs_ = kDefaultPeriodMs;
    std::int32_t loudness_ = kLoudest;
    SungSegment group_;  // the phonemes waiting to be sung together
};

}  // namespace qvx::speak
