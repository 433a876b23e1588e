#pragma once

#include <cstdint>
#include <string>
#include <vector>

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

    // False when the sink failed; error() then says why.
    bool Render(const Segment& segment, const WarningSink& warn);
    // Completes the output; false with error() set when that fails.
    bool Finish();
    std::string error() const { return sink_.Error(); }

  private:
    bool Play(const SpeechSegment& s, const WarningSink& warn);
    bool Play(const SungSegment& s, const WarningSink& warn);
    bool Play(const ToneSegment& s, const WarningSink& warn);
    bool Play(const DialSegment& s, const WarningSink& warn);
    bool Play(const SilenceSegment& s, const WarningSink& warn);
    bool Play(const SoundSegment& s, const WarningSink& warn);
    bool Play(const VolumeSegment& s, const WarningSink& warn);
    bool Send(std::span<const std::int16_t> samples);
    bool Silence(std::int32_t milliseconds);

    SpeechEngine& engine_;
    AudioSink& sink_;
    std::string soundFolder_;
    double gain_ = 1;
    std::vector<std::int16_t> scaled_;
};

}  // namespace qvx::speak
