#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/FileAccess.h"
#include "speak/SpeechEngine.h"

namespace qvx::speak {

// What sound files are accepted: anything outside is refused before a sample
// is read, so a header that claims 1 Hz cannot turn a small file into days of
// sound, nor a claim of thousands of channels into a huge block.
inline constexpr int kLowestSoundRate = 4000;
inline constexpr int kHighestSoundRate = 384000;
inline constexpr int kMostSoundChannels = 32;

// Streams the wave file `name` of `folder` (matched without regard to ASCII
// case, an exact match first) to `sink` one block at a time, mixed down to
// mono and converted to `sampleRate`. Only a regular file is read. A
// failure says why the file could not be read (it may have been played in
// part); when the sink asks to stop, the rest is left unread.
Result<void> StreamSoundFile(FolderFiles& folder, std::string_view name, int sampleRate,
                             const SampleSink& sink);

// The plain steps of the above, kept apart so they are tested on their own.

// Appends the mono frames of interleaved ones (their average).
void MixToMono(std::span<const float> interleaved, int channels, std::vector<float>& mono);

// A change of rate by linear interpolation, fed one block after another: the
// output is the same however the input is cut into blocks.
class RateConverter {
  public:
    RateConverter(int fromRate, int toRate) : from_(fromRate), to_(toRate) {}
    // Appends what this block of input makes known.
    void Push(std::span<const float> input, std::vector<float>& output);
    // Appends what only the end of the input makes known.
    void Finish(std::vector<float>& output);

  private:
    std::uint64_t from_;
    std::uint64_t to_;
    std::uint64_t next_ = 0;  // index of the next output sample
    std::uint64_t seen_ = 0;  // input samples pushed so far
    float last_ = 0;          // the last of them
};

// Appends 16-bit samples for float ones, clamped to full scale.
void ToPcm16(std::span<const float> samples, std::vector<std::int16_t>& pcm);

}  // namespace qvx::speak
