#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/FileAccess.h"
#include "speak/AudioSink.h"
#include "speak/SpeechEngine.h"
#include "speak/Timeline.h"
#include "speak/Warnings.h"

namespace qvx::speak {

// Renders segments one at a time and hands each piece to the sink as soon as
// it is made, so playback starts with the first phrase and nothing long waits
// in memory. A sound file that cannot be read and a phrase the engine refuses
// are skipped with a warning; a failing sink ends the run.
class Renderer {
  public:
    Renderer(SpeechEngine& engine, AudioSink& sink, std::string soundFolder);

    // A failure only when the sink failed.
    Result<void> Render(const Segment& segment, const WarningSink& warn);
    // Completes the output.
    Result<void> Finish();

  private:
    Result<void> Play(const SpeechSegment& s, const WarningSink& warn);
    Result<void> Play(const SungSegment& s, const WarningSink& warn);
    Result<void> Play(const ToneSegment& s, const WarningSink& warn);
    Result<void> Play(const DialSegment& s, const WarningSink& warn);
    Result<void> Play(const SilenceSegment& s, const WarningSink& warn);
    Result<void> Play(const SoundSegment& s, const WarningSink& warn);
    Result<void> Play(const VolumeSegment& s, const WarningSink& warn);
    Result<void> Send(std::span<const std::int16_t> samples);
    Result<void> Silence(std::int32_t milliseconds);
    Result<void> WriteZeros(std::size_t count);

    SpeechEngine& engine_;
    AudioSink& sink_;
    FolderFiles soundFolder_;
    double gain_ = 1;
    std::vector<std::int16_t> scaled_;
};

}  // namespace qvx::speak
