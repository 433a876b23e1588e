// speak43's path from script bytes to samples, line by line as it reads a
// script, with a fake speech engine and a sink that only counts: warnings
// stay short whatever the line, every segment stays within what can be
// played, and the samples handed to the sink are exactly what each tone,
// rest and dial string asks for (sung phonemes no more than asked or made).
#include <string>
#include <variant>

#include "FuzzSupport.h"
#include "common/LineReader.h"
#include "speak/DialTones.h"
#include "speak/Renderer.h"
#include "speak/ScriptParser.h"
#include "speak/Timeline.h"
#include "speak/ToneSynth.h"

namespace {

using namespace qvx;
using namespace qvx::speak;

// A low rate keeps minute-long tones cheap.
constexpr int kRate = 2000;
constexpr std::size_t kSamplesPerMark = 40;

// Speaks 10 samples a byte; sings 40 samples a character of the phoneme
// input, each character a phoneme mark of its own, so that marks match some
// parts, split others and add extras as espeak-ng's do.
class FakeEngine final : public SpeechEngine {
  public:
    int SampleRate() const override { return kRate; }
    bool Speak(std::string_view text, const VoiceSettings&, const SampleSink& sink,
               std::string&) override {
        const std::vector<std::int16_t> samples(10 * text.size(), 1000);
        return sink(samples);
    }
    bool Sing(std::string_view input, const VoiceSettings&, double, SungSound& sound,
              std::string&) override {
        QVX_FUZZ_CHECK(input.starts_with("[[") && input.ends_with("]] "));
        const std::string_view inner = input.substr(2, input.size() - 5);
        for (std::size_t i = 0; i < inner.size(); ++i) {
            sound.marks.push_back({std::string(1, inner[i]), sound.samples.size()});
            sound.samples.insert(sound.samples.end(), kSamplesPerMark,
                                 static_cast<std::int16_t>(3000 + 100 * (i % 7)));
        }
        lastMade = sound.samples.size();
        return true;
    }
    std::size_t lastMade = 0;
};

class CountingSink final : public AudioSink {
  public:
    bool Write(std::span<const std::int16_t> samples) override {
        QVX_FUZZ_CHECK(!samples.empty() && samples.size() <= 4096);
        count += samples.size();
        return true;
    }
    bool Finish() override { return true; }
    std::string Error() const override { return {}; }
    std::size_t count = 0;
};

void CheckVoice(const VoiceSettings& voice) {
    const PitchSpan span = EspeakPitchSpan(voice);
    QVX_FUZZ_CHECK(span.low > 0 && span.low <= span.high);
    QVX_FUZZ_CHECK(!voice.variant.empty());
    QVX_FUZZ_CHECK(voice.wordsPerMinute > 0);
}

// The samples a segment must give: exactly, or at most.
struct Expected {
    std::size_t samples;
    bool exact;
};

struct SegmentCheck {
    Expected operator()(const SpeechSegment& s) const {
        QVX_FUZZ_CHECK(!s.text.empty());
        CheckVoice(s.voice);
        return {10 * s.text.size(), true};
    }
    Expected operator()(const SungSegment& s) const {
        QVX_FUZZ_CHECK(s.hertz >= kLowestToneHz);
        QVX_FUZZ_CHECK(!s.parts.empty() && s.parts.size() <= kMostPhonemesPerCall);
        CheckVoice(s.voice);
        std::size_t most = 0;
        for (const SungPart& part : s.parts) {
            QVX_FUZZ_CHECK(part.milliseconds >= 0 && part.milliseconds <= kLongestSungMs);
            most += SamplesFor(part.milliseconds, kRate);
        }
        // Natural parts are at most what the engine made; rounding each part.
        return {most + s.phonemeInput.size() * kSamplesPerMark + s.parts.size(), false};
    }
    Expected operator()(const ToneSegment& s) const {
        QVX_FUZZ_CHECK(s.hertz >= kLowestToneHz && s.hertz <= kHighestToneHz);
        QVX_FUZZ_CHECK(s.milliseconds > 0 && s.milliseconds <= kLongestToneMs);
        return {SamplesFor(s.milliseconds, kRate), true};
    }
    Expected operator()(const DialSegment& s) const {
        std::size_t samples = 0;
        for (char c : s.keys) {
            QVX_FUZZ_CHECK(FindDialKey(c) || kDialPauses.find(c) != std::string_view::npos);
            samples += SamplesFor(kDialGapMs, kRate) +
                       (FindDialKey(c) ? SamplesFor(kDialKeyMs, kRate) : 0);
        }
        return {samples, true};
    }
    Expected operator()(const SilenceSegment& s) const {
        QVX_FUZZ_CHECK(s.milliseconds > 0 && s.milliseconds <= kLongestPauseMs);
        return {SamplesFor(s.milliseconds, kRate), true};
    }
    Expected operator()(const SoundSegment& s) const {
        QVX_FUZZ_CHECK(s.name.find_first_of(std::string_view("/\\\0", 3)) == std::string::npos);
        QVX_FUZZ_CHECK(s.name != "." && s.name != "..");
        return {0, true};  // the fuzz folder holds no sound files
    }
    Expected operator()(const VolumeSegment& s) const {
        QVX_FUZZ_CHECK(s.gain >= 0 && s.gain <= 1);
        return {0, true};
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    FakeEngine engine;
    CountingSink sink;
    Renderer renderer(engine, sink, fuzz::PrivateFolder());
    ScriptParser parser;
    Translator translator;
    // Script text in a warning is quoted cut short.
    const WarningSink warn = [](const std::string& what) { QVX_FUZZ_CHECK(what.size() < 300); };
    const SegmentSink render = [&](const Segment& segment) {
        const Expected expected = std::visit(SegmentCheck{}, segment);
        const std::size_t before = sink.count;
        QVX_FUZZ_CHECK(renderer.Render(segment, warn));
        const std::size_t made = sink.count - before;
        QVX_FUZZ_CHECK(expected.exact ? made == expected.samples : made <= expected.samples);
        return true;
    };
    std::string_view line;
    for (LineSplitter lines(bytes); lines.Next(line);) {
        parser.ParseLine(
            line, [&](const ScriptEvent& event) { translator.Translate(event, render, warn); },
            warn);
    }
    QVX_FUZZ_CHECK(renderer.Finish());
    return 0;
}
