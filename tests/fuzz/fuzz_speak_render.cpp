// speak43's path from script bytes to samples, line by line as it reads a
// script, with a fake speech engine and a sink that only counts: warnings
// stay short whatever the line, every segment stays within what can be
// played, and the samples handed to the sink are exactly what each tone,
// rest and dial string asks for (sung phonemes no more than asked or made).
#include "FuzzSupport.h"
#include "speak/DialTones.h"
#include "speak/Renderer.h"
#include "speak/ScriptParser.h"
#include "speak/ToneSynth.h"
#include "speak/Translator.h"

namespace {

using namespace qvx::speak;

// A low rate keeps minute-long tones cheap.
constexpr int kRate = 2000;
constexpr std::size_t kSamplesPerMark = 40;

// The engine speaks 10 samples a byte; it sings 40 samples a character of
// the phoneme input, each character a phoneme mark of its own, so that marks
// match some parts, split others and add extras as espeak-ng's do. The sink
// only counts what it is given.
class FakeEngineAndSink final : public SpeechEngine, public AudioSink {
  public:
    int SampleRate() const override { return kRate; }
    qvx::Result<void> Speak(std::string_view text, const VoiceSettings&,
                            const SampleSink& sink) override {
        QVX_FUZZ_CHECK(sink(std::vector<std::int16_t>(10 * text.size(), 1000)));
        return {};
    }
    qvx::Result<SungSound> Sing(std::string_view input, const VoiceSettings&, double) override {
        QVX_FUZZ_CHECK(input.starts_with("[[") && input.ends_with("]] "));
        SungSound sound;
        for (std::size_t i = 2; i + 3 < input.size(); ++i) {
            sound.marks.push_back({std::string(1, input[i]), sound.samples.size()});
            sound.samples.insert(sound.samples.end(), kSamplesPerMark, std::int16_t(3000 + i % 7));
        }
        return sound;
    }
    qvx::Result<void> Write(std::span<const std::int16_t> samples) override {
        QVX_FUZZ_CHECK(!samples.empty() && samples.size() <= 4096);
        count += samples.size();
        return {};
    }
    qvx::Result<void> Finish() override { return {}; }
    std::size_t count = 0;
};

// The samples a segment must give: exactly, or (sung) at most.
struct SegmentCheck {
    std::size_t operator()(const SpeechSegment& s) const { return 10 * s.text.size(); }
    std::size_t operator()(const SungSegment& s) const {
        QVX_FUZZ_CHECK(s.hertz >= kLowestToneHz && s.hertz <= kHighestToneHz);
        QVX_FUZZ_CHECK(!s.parts.empty() && s.parts.size() <= kMostPhonemesPerCall);
        // Natural parts are at most what the engine made; each part rounded.
        std::size_t most = s.phonemeInput.size() * kSamplesPerMark + s.parts.size();
        for (const SungPart& part : s.parts) {
            QVX_FUZZ_CHECK(part.milliseconds >= 0 && part.milliseconds <= kLongestSungMs);
            most += SamplesFor(part.milliseconds, kRate);
        }
        return most;
    }
    std::size_t operator()(const ToneSegment& s) const {
        QVX_FUZZ_CHECK(s.hertz >= kLowestToneHz && s.hertz <= kHighestToneHz);
        QVX_FUZZ_CHECK(s.milliseconds > 0 && s.milliseconds <= kLongestToneMs);
        return SamplesFor(s.milliseconds, kRate);
    }
    std::size_t operator()(const DialSegment& s) const {
        std::size_t samples = 0;
        for (char c : s.keys) {
            QVX_FUZZ_CHECK(FindDialKey(c) || kDialPauses.find(c) != std::string_view::npos);
            samples += SamplesFor(kDialGapMs + (FindDialKey(c) ? kDialKeyMs : 0), kRate);
        }
        return samples;
    }
    std::size_t operator()(const SilenceSegment& s) const {
        QVX_FUZZ_CHECK(s.milliseconds > 0 && s.milliseconds <= kLongestPauseMs);
        return SamplesFor(s.milliseconds, kRate);
    }
    std::size_t operator()(const SoundSegment& s) const {
        QVX_FUZZ_CHECK(s.name.find_first_of(std::string_view("/\\\0", 3)) == std::string::npos);
        QVX_FUZZ_CHECK(s.name != "." && s.name != "..");
        return 0;  // the fuzz folder holds no sound files
    }
    std::size_t operator()(const VolumeSegment&) const { return 0; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakeEngineAndSink fake;
    Renderer renderer(fake, fake, qvx::fuzz::PrivateFolder());
    ScriptParser parser;
    Translator translator;
    // Script text in a warning is quoted cut short.
    const WarningSink warn = [](const std::string& what) { QVX_FUZZ_CHECK(what.size() < 300); };
    const SegmentSink render = [&](const Segment& segment) {
        const std::size_t expected = fake.count + std::visit(SegmentCheck{}, segment);
        QVX_FUZZ_CHECK(renderer.Render(segment, warn).ok());
        QVX_FUZZ_CHECK(std::holds_alternative<SungSegment>(segment) ? fake.count <= expected
                                                                    : fake.count == expected);
        return true;
    };
    const EventSink translate = [&](const auto& e) { translator.Translate(e, render, warn); };
    for (std::string_view line : qvx::fuzz::Lines(qvx::fuzz::AsText(data, size)))
        parser.ParseLine(line, translate, warn);
    QVX_FUZZ_CHECK(renderer.Finish().ok());
    return 0;
}
