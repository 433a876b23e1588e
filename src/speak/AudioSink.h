#pragma once

#include <cstdint>
#include <span>

#include "common/Result.h"

namespace qvx::speak {

// Where rendered 16-bit mono samples go: the sound device or a wave file.
class AudioSink {
  public:
    virtual ~AudioSink() = default;
    virtual Result<void> Write(std::span<const std::int16_t> samples) = 0;
    // Plays out or completes what was written.
    virtual Result<void> Finish() = 0;
};

}  // namespace qvx::speak
