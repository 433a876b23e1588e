#pragma once

#include <memory>
#include <string>

#include "common/Result.h"
#include "speak/AudioSink.h"

struct pa_simple;

namespace qvx::speak {

// The default sound device through the PulseAudio simple API (PipeWire
// desktops serve it too).
class PulseSink final : public AudioSink {
  public:
    // A failure when no sound server can be reached.
    static Result<std::unique_ptr<AudioSink>> Open(int sampleRate);
    ~PulseSink() override;

    Result<void> Write(std::span<const std::int16_t> samples) override;
    Result<void> Finish() override;

  private:
    explicit PulseSink(pa_simple* stream) : stream_(stream) {}
    pa_simple* stream_;
};

}  // namespace qvx::speak
