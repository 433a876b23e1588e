#pragma once

#include <memory>
#include <string>

#include "speak/AudioSink.h"

struct sf_private_tag;

namespace qvx::speak {

// Writes a 16-bit mono WAV file through libsndfile. The samples go to a
// temporary file beside the target, renamed over it by Finish, so a failed
// run never leaves a truncated file or spoils an older one.
class WavFileSink final : public AudioSink {
  public:
    // nullptr with `error` set when the file cannot be created.
    static std::unique_ptr<WavFileSink> Open(const std::string& path, int sampleRate,
                                             std::string& error);
    ~WavFileSink() override;

    bool Write(std::span<const std::int16_t> samples) override;
    bool Finish() override;
    std::string Error() const override { return error_; }

  private:
    WavFileSink(std::string path, std::string temporary, sf_private_tag* file);
    void Discard();

    std::string path_;
    std::string temporary_;
    sf_private_tag* file_;
    std::string error_;
};

}  // namespace qvx::speak
