#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace qvx::speak {

// Where rendered 16-bit mono samples go: the sound device or a wave file.
class AudioSink {
  public:
    virtual ~AudioSink() = default;
    virtual bool Write(std::span<const std::int16_t> samples) = 0;
    // Plays out or completes what was written; false when that fails.
    virtual bool Finish() = 0;
    // What failed, in plain words, after a false result.
    virtual std::string Error() const = 0;
};

}  // namespace qvx::speak
