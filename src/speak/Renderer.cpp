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
    warn_ = &warn;
    return std::visit([this](const auto& s) { return (*this)(s); }, segment);
}

bool Renderer::Finish() {
    return sink_.Finish();
}

bool Renderer::operator()(const SpeechSegment& s) {
    std::string problem;
    bool sinkFailed = false;
    const SampleSink forward = [&](std::span<const std::int16_t> samples) {
        sinkFailed = !Send(samples);
        return !sinkFailed;
    };
    if (!engine_.Speak(s.text, s.voice, forward, problem) && !sinkFailed) (*warn_)(problem);
    return !sinkFailed;
}

bool Renderer::operator()(const SungSegment& s) {
    SungSound sound;
    std::string problem;
    if (!engine_.Sing(s.phonemeInput, s.voice, s.hertz, sound, problem)) {
        (*warn_)(problem);
        return true;
    }
    return Send(ShapeSung(sound, s.parts, s.hertz, s.vibrato, engine_.SampleRate()));
}

bool Renderer::operator()(const ToneSegment& s) {
    return Send(SynthesizeTone({s.hertz}, s.milliseconds, engine_.SampleRate()));
}

bool Renderer::operator()(const DialSegment& s) {
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

bool Renderer::operator()(const SilenceSegment& s) {
    return Silence(s.milliseconds);
}

bool Renderer::operator()(const SoundSegment& s) {
    std::string problem;
    const SampleSink forward = [this](std::span<const std::int16_t> samples) {
        return Send(samples);
    };
    const SoundResult result =
        StreamSoundFile(soundFolder_, s.name, engine_.SampleRate(), forward, problem);
    if (result == SoundResult::Unreadable) {
        (*warn_)("the sound " + Quoted(s.name) + " is skipped: " + problem);
    }
    return result != SoundResult::SinkFailed;
}

bool Renderer::operator()(const VolumeSegment& s) {
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
