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

Result<void> Renderer::Render(const Segment& segment, const WarningSink& warn) {
    return std::visit([this, &warn](const auto& s) { return Play(s, warn); }, segment);
}

Result<void> Renderer::Finish() {
    return sink_.Finish();
}

// espeak-ng ends text with a sentence's pause in exact zeros. Zeros are held
// back, as a count, until more sound follows: text ends where its last sound
// does, and the pause after it is the one the translator asks for.
Result<void> Renderer::Play(const SpeechSegment& s, const WarningSink& warn) {
    Result<void> sent;
    std::size_t heldZeros = 0;
    const SampleSink forward = [&](std::span<const std::int16_t> samples) {
        const auto last =
            std::find_if(samples.rbegin(), samples.rend(), [](std::int16_t v) { return v != 0; });
        const auto sound = static_cast<std::size_t>(samples.rend() - last);
        if (sound > 0) {
            sent = WriteZeros(heldZeros);
            if (sent) sent = Send(samples.first(sound));
            heldZeros = 0;
        }
        heldZeros += samples.size() - sound;
        return sent.ok();
    };
    const Result<void> spoken = engine_.Speak(s.text, s.voice, forward);
    if (!sent) return sent;
    if (!spoken) warn(spoken.error());
    return {};
}

Result<void> Renderer::Play(const SungSegment& s, const WarningSink& warn) {
    const Result<SungSound> sound = engine_.Sing(s.phonemeInput, s.voice, s.hertz);
    if (!sound) {
        warn(sound.error());
        return {};
    }
    return Send(ShapeSung(*sound, s.parts, s.hertz, s.vibrato, engine_.SampleRate()));
}

Result<void> Renderer::Play(const ToneSegment& s, const WarningSink&) {
    return Send(SynthesizeTone({s.hertz}, s.milliseconds, engine_.SampleRate()));
}

Result<void> Renderer::Play(const DialSegment& s, const WarningSink&) {
    for (char c : s.keys) {
        if (const DialKey* key = FindDialKey(c)) {
            Result<void> sent =
                Send(SynthesizeTone({key->low, key->high}, kDialKeyMs, engine_.SampleRate()));
            if (!sent) return sent;
        }
        if (Result<void> gap = Silence(kDialGapMs); !gap) return gap;
    }
    return {};
}

Result<void> Renderer::Play(const SilenceSegment& s, const WarningSink&) {
    return Silence(s.milliseconds);
}

Result<void> Renderer::Play(const SoundSegment& s, const WarningSink& warn) {
    Result<void> sent;
    const SampleSink forward = [this, &sent](std::span<const std::int16_t> samples) {
        sent = Send(samples);
        return sent.ok();
    };
    const Result<void> played =
        StreamSoundFile(soundFolder_, s.name, engine_.SampleRate(), forward);
    if (!sent) return sent;
    if (!played) warn("the sound " + Quoted(s.name) + " is skipped: " + played.error());
    return {};
}

Result<void> Renderer::Play(const VolumeSegment& s, const WarningSink&) {
    gain_ = s.gain;
    return {};
}

Result<void> Renderer::Silence(std::int32_t milliseconds) {
    return WriteZeros(SamplesFor(milliseconds, engine_.SampleRate()));
}

Result<void> Renderer::WriteZeros(std::size_t left) {
    const std::vector<std::int16_t> quiet(std::min(kChunk, left));
    while (left > 0) {
        const std::size_t count = std::min(left, quiet.size());
        if (Result<void> written = sink_.Write(std::span(quiet).first(count)); !written) {
            return written;
        }
        left -= count;
    }
    return {};
}

Result<void> Renderer::Send(std::span<const std::int16_t> samples) {
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
        if (Result<void> written = sink_.Write(piece); !written) return written;
    }
    return {};
}

}  // namespace qvx::speak
