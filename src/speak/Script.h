#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "speak/PhonemicText.h"

namespace qvx::speak {

// What a working script asks the synthesizer to do, in script order. The
// parser produces these line by line; the translator turns them into sound
// segments.

struct SpeakText {
    std::string text;
};

// One of the ten voices, by the letter of its command ("p" for "[:np]").
struct SelectVoice {
    char letter;
};

// "[:dv xx N]": one design-voice parameter by its two-letter name.
struct DesignVoice {
    std::string parameter;
    std::int32_t value;
};

struct SetRate {
    std::int32_t wordsPerMinute;
};

// "[:comma N]" and "[:period N]": the pauses that phonemic text's "," and "."
// make from then on.
enum class PauseKind { Comma, Period };
struct SetPause {
    PauseKind kind;
    std::int32_t milliseconds;
};

// "[:pause N]": silence, here and now.
struct Pause {
    std::int32_t milliseconds;
};

// "[:volume set|up|down N]".
enum class VolumeChange { Set, Up, Down };
struct SetVolume {
    VolumeChange change;
    std::int32_t amount;
};

struct PlayTone {
    std::int32_t hertz;
    std::int32_t milliseconds;
};

struct Dial {
    std::string keys;
};

struct PlaySound {
    std::string name;
};

// A bracket in phoneme mode comes item by item (PhonemicItem), as it is read,
// and then its end: a long bracket never waits in memory as items.
struct PhonemicEnd {};

using ScriptEvent = std::variant<SpeakText, SelectVoice, DesignVoice, SetRate, SetPause, Pause,
                                 SetVolume, PlayTone, Dial, PlaySound, PhonemicItem, PhonemicEnd>;

}  // namespace qvx::speak
