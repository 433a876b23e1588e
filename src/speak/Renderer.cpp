#include "speak/Renderer.h"

#include <algorithm>
#include <cmath>

#include "speak/DialTones.h"
#include "speak/SoundFile.h"
#include "speak/SungNote.h"
#include "speak/ToneSynth.h"

namespace qvx::speak {
namespace {

// Long sounds go out in pieces of this many samples, so that the device is
// fed steadily and no piece is large.
constexpr std::size_t kChunk = 4096;

}  // namespace

Renderer::Renderer(SpeechEngine& engine, AudioSink& sink, std::string soundFolder)
    : engine_(engine), sink_(sink), soundFolder_(std::move(soundFolder)) {}

bool Renderer::Render(const Segment& segment, const WarningSink& warn) {
    return std::visit([this, &warn](const auto& s) { return Play(s, warn); }, segment);
}

bool Renderer::Finish() {
    return sink_.Finish();
}

bool Renderer::Play(const SpeechSegment& s, const WarningSink& warn) {
    std::string problem;
    bool sinkFailed = false;
    const SampleSink forward = [&](std::span<const std::int16_t> samples) {
        sinkFailed = !Send(samples);
        return !sinkFailed;
    };
    if (!engine_.Speak(s.text, s.voice, forward, problem) && !sinkFailed) warn(problem);
    return !sinkFailed;
}

bool Renderer::Play(const SungSegment& s, const WarningSink& warn) {
    SungSound sound;
    std::string problem;
    if (!engine_.Sing(s.phonemeInput, s.voice, s.hertz, sound, problem)) {
        warn(problem);
        return true;
    }
    return Send(ShapeSung(sound, s.parts, s.hertz, s.vibrato, engine_.SampleRate()));
}

bool Renderer::Play(const ToneSegment& s, const WarningSink&) {
    return Send(SynthesizeTone({s.hertz}, s.milliseconds, engine_.SampleRate()));
}

bool Renderer::Play(const DialSegment& s, const WarningSink&) {
    for (char c : s.keys) {
        if (const DialKey* key = FindDialKey(c)) {
            if (!Send(SynthesizeTone({key->low, key->high}, kDialKeyMs, engine_.SampleRate()))) {
                return false;
            }
        }
        if (!Silence(kDialGapMs)) return false;
    }
    return true;
}

bool Renderer::Play(const SilenceSegment& s, const WarningSink&) {
    return Silence(s.milliseconds);
}

bool Renderer::Play(const SoundSegment& s, const WarningSink& warn) {
    std::string problem;
    const SampleSink forward = [this](std::span<const std::int16_t> samples) {
        return Send(samples);
    };
    const SoundResult result =
        StreamSoundFile(soundFolder_, s.name, engine_.SampleRate(), forward, problem);
    if (result == SoundResult::Unreadable) {
        warn("the sound " + Quoted(s.name) + " is skipped: " + problem);
    }
    return result != SoundResult::SinkFailed;
}

bool Renderer::Play(const VolumeSegment& s, const WarningSink&) {
    gain_ = s.gain;
    return true;
}

bool Renderer::Silence(std::int32_t milliseconds) {
    std::size_t left = SamplesFor(milliseconds, engine_.SampleRate());
    const std::vector<std::int16_t> quiet(std::min(kChunk, left));
    while (left > 0) {
        const std::size_t count = std::min(left, quiet.size());
        if (!sink_.Write(std::span(quiet).first(count))) return false;
        left -= count;
    }
    return true;
}

bool Renderer::Send(std::span<const std::int16_t> samples) {
    for (std::size_t at = 0; at < samples.size(); at += kChunk) {
        std::span<const std::int16_t> piece =
            samples.subspan(at, std::min(kChunk, samples.size() - at));
        if (gain_ != 1) {
            scaled_.resize(piece.size());
            std::transform(piece.begin(), piece.end(), scaled_.begin(), [this](std::int16_t v) {
                return static_cast<std::int16_t>(std::lround(v * gain_));
            });
            piece = scaled_;
        }
        if (!sink_.Write(piece)) return false;
    }
    return true;
}

}  // namespace qvx::speak
