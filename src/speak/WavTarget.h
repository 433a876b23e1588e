#pragma once

#include <string>

namespace qvx::speak {

// Why the WAV file may not be written at `wav` by a run that reads `script`,
// or "" when nothing stands in the way: the name reaches the script itself
// (the same file by any name, links included), or a pipe, a terminal or
// another device, which cannot take a WAV file: its header is completed only
// when the sound is done, by going back to the start.
std::string WavTargetRefusal(const std::string& wav, const std::string& script);

}  // namespace qvx::speak
