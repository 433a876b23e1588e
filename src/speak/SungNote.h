#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "speak/SpeechEngine.h"
#include "speak/Timeline.h"

namespace qvx::speak {

// Drops the near-silent samples at both ends.
std::span<const std::int16_t> TrimSilence(std::span<const std::int16_t> samples);

// Shapes the engine's rendering of a sung segment into what is heard. The
// parts are found at the engine's phoneme marks; a part with a length is
// fitted to it (with vibrato on a note), the others keep their natural
// length, and near-silence at the outer ends is dropped. When the marks do
// not match the parts, the whole rendering is fitted to their lengths added
// up, or kept natural if one of them has none.
std::vector<std::int16_t> ShapeSung(const SungSound& sound, std::span<const SungPart> parts,
                                    double hertz, bool vibrato, int sampleRate);

}  // namespace qvx::speak
