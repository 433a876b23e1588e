#include "speak/Renderer.h"

#include <algorithm>

#include "speak/SoundFile.h"
#include "speak/SungNote.h"
#include "speak/ToneSynth.h"

namespace qvx::speak {
namespace {

// Long tones and sounds go out in pieces of this many samples, so that the
// device is fed steadily.
constexpr std::size_t kChunk = 4096;

class SegmentRenderer {
  public:
    SegmentRenderer(SpeechEngine& engine, AudioSink& sink, const std::string& soundFolder,
                    const WarningSink& warn)
        : engine_(engine), sink_(sink), soundFolder_(soundFolder), warn_(warn) {}

    bool operator()(const SpeechSegment& s) {
        std::string problem;
        bool sinkFailed = false;
        const SampleSink forward = [&](std::span<const std::int16_t> samples) {
            sinkFailed = !sink_.Write(samples);
            return !sinkFailed;
        };
        if (!engine_.Speak(s.text, s.voice, forward, problem) && !sinkFailed) warn_(problem);
        return !sinkFailed;
    }

    bool operator()(const SungSegment& s) {
        std::vector<std::int16_t> natural;
        std::string problem;
        if (!engine_.Sing(s.phonemeInput, s.voice, s.hertz, natural, problem)) {
            warn_(problem);
            return true;
        }
        if (s.milliseconds == 0) {
            const auto sound = TrimSilence(natural);
            return Send(std::vector<std::int16_t>(sound.begin(), sound.end()));
        }
        const int rate = engine_.SampleRate();
        const std::size_t target = SamplesFor(s.milliseconds, rate);
        if (!s.vibrato) return Send(FitToLength(natural, target, s.hertz, rate));
        return Send(AddVibrato(FitToLength(natural, target + VibratoMargin(target), s.hertz, rate),
                               target, rate));
    }

    bool operator()(const ToneSegment& s) {
        return Send(SynthesizeTone(s.hertz, s.milliseconds, engine_.SampleRate()));
    }

    bool operator()(const SilenceSegment& s) {
        return Send(std::vector<std::int16_t>(SamplesFor(s.milliseconds, engine_.SampleRate())));
    }

    bool operator()(const SoundSegment& s) {
        LoadedSound sound = LoadSoundFile(soundFolder_ + "/" + s.name, engine_.SampleRate());
        if (!sound.error.empty()) {
            warn_("the sound " + s.name + " is skipped: " + sound.error);
            return true;
        }
        return Send(sound.samples);
    }

  private:
    bool Send(const std::vector<std::int16_t>& samples) {
        for (std::size_t at = 0; at < samples.size(); at += kChunk) {
            const std::size_t count = std::min(kChunk, samples.size() - at);
            if (!sink_.Write(std::span(samples).subspan(at, count))) return false;
        }
        return true;
    }

    SpeechEngine& engine_;
    AudioSink& sink_;
    const std::string& soundFolder_;
    const WarningSink& warn_;
};

}  // namespace

bool Render(const Timeline& timeline, SpeechEngine& engine, AudioSink& sink,
            const std::string& soundFolder, const WarningSink& warn, std::string& error) {
    SegmentRenderer render(engine, sink, soundFolder, warn);
    for (const Segment& segment : timeline.segments) {
        if (!std::visit(render, segment)) {
            error = sink.Error();
            return false;
        }
    }
    if (!sink.Finish()) {
        error = sink.Error();
        return false;
    }
    return true;
}

}  // namespace qvx::speak
