#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "common/FileAccess.h"
#include "speak/AudioSink.h"

struct sf_private_tag;

namespace qvx::speak {

// Writes a 16-bit mono WAV file through libsndfile. The samples go to a new
// version of the file beside it that takes its place only when Finish
// succeeds, so a failed or interrupted run never leaves a truncated file or
// spoils an older one; a device, a FIFO or a folder is never replaced, and a
// symbolic link is written through.
class WavFileSink final : public AudioSink {
  public:
    // The most samples a WAV file can hold: its sizes are 32-bit byte counts
    // (a little is kept for the header).
    static constexpr std::uint64_t kMostSamples = (std::uint64_t{0xFFFFFFFF} - 4096) / 2;

    // A failure when the file cannot be created. Past `mostSamples` the run
    // fails rather than write a header that lies.
    static Result<std::unique_ptr<AudioSink>> Open(const std::string& path, int sampleRate,
                                                   std::uint64_t mostSamples = kMostSamples);
    ~WavFileSink() override;

    Result<void> Write(std::span<const std::int16_t> samples) override;
    Result<void> Finish() override;

  private:
    WavFileSink(std::string path, ReplacementFile file, sf_private_tag* sound,
                std::uint64_t mostSamples);
    Failure Abandon(const std::string& why);

    std::string path_;
    std::optional<ReplacementFile> file_;
    sf_private_tag* sound_;
    std::uint64_t mostSamples_;
    std::uint64_t written_ = 0;
    std::string error_;  // why it was abandoned
};

}  // namespace qvx::speak
