#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace qvx::speak {

// What a working script asks the synthesizer to do, in script order. The
// parser produces these; the translator turns them into sound segments.

struct SpeakText {
    std::string text;
};

// One of the ten voice commands, by its letter ("p" for "[:np]").
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

// A sung entry in phoneme mode: codes as written (already split into the
// synthesizer's phoneme codes), an optional length and an optional pitch.
struct SingPhonemes {
    std::vector<std::string> codes;
    std::optional<std::int32_t> milliseconds;
    std::optional<std::int32_t> pitch;
};

using ScriptEvent = std::variant<SpeakText, SelectVoice, DesignVoice, SetRate, PlayTone, Dial,
                                 PlaySound, SingPhonemes>;

struct ParsedScript {
    std::vector<ScriptEvent> events;
    // Problems that made a piece of the script silent, one line each, with the
    // line number: shown to the user, never spoken.
    std::vector<std::string> warnings;
};

}  // namespace qvx::speak
