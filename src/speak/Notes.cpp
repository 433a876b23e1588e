#include "speak/Notes.h"

#include <cmath>

namespace qvx::speak {

SungPitch PitchOfEntry(std::int32_t pitch) {
    if (pitch >= kLowestNote && pitch <= kHighestNote) {
        return {440.0 * std::pow(2.0, (pitch - 34) / 12.0), true};
    }
    return {static_cast<double>(pitch), false};
}

}  // namespace qvx::speak
