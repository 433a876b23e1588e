#pragma once

#include <cstdint>

namespace qvx::speak {

inline constexpr std::int32_t kLowestNote = 1;
inline constexpr std::int32_t kHighestNote = 37;

// The pitch of a sung entry: notes 1..37 in equal temperament (note 34 is
// A4, 440 Hz) with a light vibrato; any other number is plain hertz.
struct SungPitch {
    double hertz;
    bool vibrato;
};
SungPitch PitchOfEntry(std::int32_t pitch);

}  // namespace qvx::speak
