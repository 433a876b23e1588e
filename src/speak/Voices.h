#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "speak/PitchContour.h"
#include "speak/VoiceDesign.h"

namespace qvx::speak {

// The voice a stretch of speech is spoken with, in the synthesizer's terms.
struct VoiceSettings {
    std::string_view variant;  // espeak-ng variant file, "m1"
    bool male = true;
    std::int32_t averagePitch = 122;  // hertz
    std::int32_t pitchRange = 100;    // percent; 0 is a monotone
    std::int32_t wordsPerMinute = 180;
    // The sound as designed, and the voice's own values it is measured from.
    DesignValues design{};
    DesignValues ownDesign{};
    // speak43's own pitch contour replaces espeak-ng's intonation only while
    // `intonation` differs from the voice's own, so that a voice not designed
    // sounds as espeak-ng speaks it.
    Intonation intonation;
    Intonation ownIntonation;

    bool operator==(const VoiceSettings&) const = default;
    bool OwnIntonation() const { return intonation == ownIntonation; }
};

inline constexpr std::int32_t kDefaultRate = 180;

// One of the ten voices: the name "[:name X]" takes, the letter of its
// command ("p" for "[:np]"), its espeak-ng variant and its own values. "val"
// is the user-defined voice of "[:nv]"; it starts as Paul.
struct VoiceRow {
    std::string_view name;
    char letter;
    std::string_view variant;
    bool male;
    std::int32_t averagePitch;  // hertz
    DesignValues design;
    Intonation intonation;
};
std::span<const VoiceRow> VoiceTable();

// The voice of a voice command letter ("p" for "[:np]"); nullopt for none.
// The rate is not part of a voice and is left as it was.
std::optional<VoiceSettings> VoiceForLetter(char letter);
VoiceSettings DefaultVoice();

// Applies one design-voice parameter, clamped to its limits; a name that is
// none of them changes nothing.
void ApplyDesignParameter(VoiceSettings& voice, std::string_view parameter, std::int32_t value);

// The rate a script may ask for, and the rate espeak-ng can speak.
std::int32_t ClampScriptRate(std::int32_t wordsPerMinute);
std::int32_t EspeakRate(std::int32_t wordsPerMinute);

// The lowest and highest fundamental of an espeak-ng voice file's "pitch"
// line that give the voice's average pitch and range.
struct PitchSpan {
    std::int32_t low;
    std::int32_t high;
};
PitchSpan EspeakPitchSpan(const VoiceSettings& voice);

}  // namespace qvx::speak
