#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qvx::speak {

// A sound file read with libsndfile, mixed down to mono and converted to the
// output rate. `error` is set (and `samples` empty) when it cannot be read.
struct LoadedSound {
    std::vector<std::int16_t> samples;
    std::string error;
};
LoadedSound LoadSoundFile(const std::string& path, int sampleRate);

// Mono float frames from interleaved ones, and a linear-interpolation change of
// rate: plain steps of the above, kept apart so they are tested on their own.
std::vector<float> MixToMono(const std::vector<float>& interleaved, int channels);
std::vector<float> Resample(const std::vector<float>& samples, int fromRate, int toRate);
std::vector<std::int16_t> ToPcm16(const std::vector<float>& samples);

}  // namespace qvx::speak
