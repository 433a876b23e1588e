#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "SignalMeasure.h"
#include "speak/EspeakEngine.h"
#include "speak/Renderer.h"
#include "speak/ScriptParser.h"
#include "speak/SoundFile.h"
#include "speak/SungNote.h"
#include "speak/ToneSynth.h"
#include "speak/WavFileSink.h"
#include "support/TempFolder.h"

namespace qvx::speak {
namespace {

using qvx::test::TempFolder;
using namespace qvx::speak::test;

// espeak-ng is one per process: one engine shared by every rendering test.
class Rendering : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::string error;
        engine_ = EspeakEngine::Start(error).release();
        ASSERT_NE(engine_, nullptr) << error;
    }
    static void TearDownTestSuite() {
        delete engine_;
        engine_ = nullptr;
    }

    // Renders the script to a WAV file in the folder and reads it back.
    WavData RenderToWav(const std::string& script, std::vector<std::string>* warnings = nullptr) {
        const std::string path = folder_.File("out.wav");
        std::string error;
        auto sink = WavFileSink::Open(path, engine_->SampleRate(), error);
        EXPECT_NE(sink, nullptr) << error;
        if (!sink) return {};
        const Timeline timeline = Translate(ParseScript(script));
        const WarningSink warn = [warnings](const std::string& w) {
            if (warnings) warnings->push_back(w);
        };
        EXPECT_TRUE(Render(timeline, *engine_, *sink, folder_.folder(), warn, error)) << error;
        return ReadWav(path);
    }

    TempFolder folder_;
    static inline EspeakEngine* engine_ = nullptr;
};

TEST_F(Rendering, ToneHasItsLengthAndFrequency) {
    const WavData wav = RenderToWav("[:tone<440,500>]");
    ASSERT_EQ(wav.channels, 1);
    const Span span = LoudSpan(wav.samples);
    EXPECT_NEAR(span.size() * 1000.0 / wav.sampleRate, 500, 5);
    EXPECT_NEAR(ZeroCrossingHertz(wav.samples, span.first, span.end, wav.sampleRate), 440, 4.4);
    // The ramps: no sample at the very ends jumps from silence.
    EXPECT_LT(std::abs(wav.samples.front()), 0.01);
    EXPECT_LT(std::abs(wav.samples.back()), 0.01);
}

TEST_F(Rendering, DialFiveIsItsTwoTonesForAHundredMilliseconds) {
    const WavData wav = RenderToWav("[:dial 5]");
    const Span span = LoudSpan(wav.samples);
    EXPECT_NEAR(span.size() * 1000.0 / wav.sampleRate, 100, 3);
    const std::size_t n = span.size();
    const double low = GoertzelPower(wav.samples, span.first, n, 770, wav.sampleRate);
    const double high = GoertzelPower(wav.samples, span.first, n, 1336, wav.sampleRate);
    const double other = GoertzelPower(wav.samples, span.first, n, 697, wav.sampleRate);
    const double otherHigh = GoertzelPower(wav.samples, span.first, n, 1209, wav.sampleRate);
    EXPECT_GT(low, 20 * other);
    EXPECT_GT(high, 20 * otherHigh);
    // 100 ms of silence follows the key.
    EXPECT_NEAR((wav.samples.size() - span.end) * 1000.0 / wav.sampleRate, 100, 3);
}

TEST_F(Rendering, SungNoteHasItsPitchAndLength) {
    const WavData wav = RenderToWav("[:phone on]\r\n[aa<500,34>]");
    const Span span = LoudSpan(wav.samples);
    EXPECT_NEAR(span.size() * 1000.0 / wav.sampleRate, 500, 10);
    const std::size_t middle = span.first + span.size() / 2;
    const double f0 = FrameFundamental(wav.samples, middle - 1000, 1000, wav.sampleRate);
    EXPECT_NEAR(f0, 440, 440 * 0.03);
}

TEST_F(Rendering, PlayIncludesTheSoundFileConvertedToTheOutputRate) {
    // A stereo 44.1 kHz file of a 1 kHz tone, 200 ms long.
    const std::string bell = folder_.File("bell.wav");
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(bell.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    std::vector<double> frames(8820 * 2);
    for (std::size_t i = 0; i < 8820; ++i) {
        frames[2 * i] = frames[2 * i + 1] = 0.5 * std::sin(2 * std::numbers::pi * 1000 * i / 44100);
    }
    sf_writef_double(file, frames.data(), 8820);
    sf_close(file);

    std::vector<std::string> warnings;
    const WavData wav = RenderToWav("[:play bell.wav]\r\n[:play missing.wav]", &warnings);
    EXPECT_EQ(wav.sampleRate, engine_->SampleRate());
    const Span span = LoudSpan(wav.samples);
    EXPECT_NEAR(span.size() * 1000.0 / wav.sampleRate, 200, 2);
    EXPECT_NEAR(ZeroCrossingHertz(wav.samples, span.first, span.end, wav.sampleRate), 1000, 5);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("missing.wav"), std::string::npos);
}

TEST_F(Rendering, BettySpeaksHigherThanPaulAndDesignedPitchFollows) {
    const double paul = MeanFundamental(RenderToWav("[:np]hello").samples, engine_->SampleRate());
    const double betty = MeanFundamental(RenderToWav("[:nb]hello").samples, engine_->SampleRate());
    const double high =
        MeanFundamental(RenderToWav("[:np][:dv ap 200]hello").samples, engine_->SampleRate());
    EXPECT_GT(paul, 80);
    EXPECT_GT(betty, paul * 1.3);
    EXPECT_GT(high, paul * 1.3);
}

TEST_F(Rendering, OnlyUnknownCommandsRenderSilence) {
    const WavData wav = RenderToWav("[:foo][:bar 12]\r\n[:xyz hello]");
    EXPECT_EQ(LoudSpan(wav.samples, 0.001).size(), 0u);
}

TEST_F(Rendering, FasterRateIsShorter) {
    const std::string text = "the quick brown fox jumps over the lazy dog";
    const Span slow = LoudSpan(RenderToWav("[:ra 100]" + text).samples);
    const Span fast = LoudSpan(RenderToWav("[:ra 400]" + text).samples);
    EXPECT_LT(fast.size() * 2, slow.size());
}

TEST(SungNote, FitToLengthCutsOrHoldsToTheExactLength) {
    const int rate = 22050;
    const std::vector<std::int16_t> tone = SynthesizeTone({441}, 100, rate);
    for (std::size_t target : {1000u, 2205u, 22050u}) {
        SCOPED_TRACE(target);
        const std::vector<std::int16_t> fitted = FitToLength(tone, target, 441, rate);
        ASSERT_EQ(fitted.size(), target);
        std::vector<double> s(fitted.begin(), fitted.end());
        for (double& x : s) x /= 32768;
        if (target > 5000) {  // held: still the same pitch in the repeated part
            EXPECT_NEAR(ZeroCrossingHertz(s, 3000, target - 3000, rate), 441, 2);
        }
    }
    EXPECT_EQ(FitToLength(std::vector<std::int16_t>(500), 300, 441, rate),
              std::vector<std::int16_t>(300));  // silence stays silence
}

TEST(SoundFileConversion, MixesChannelsAndResamples) {
    EXPECT_EQ(MixToMono({0.2f, 0.4f, -1.0f, 1.0f}, 2), (std::vector<float>{0.3f, 0.0f}));
    const std::vector<float> up = Resample({0.0f, 1.0f}, 1, 4);
    ASSERT_EQ(up.size(), 5u);
    EXPECT_FLOAT_EQ(up[2], 0.5f);
    EXPECT_EQ(Resample(std::vector<float>(44100), 44100, 22050).size(), 22050u);
    EXPECT_EQ(ToPcm16({2.0f, -2.0f, 0.5f}), (std::vector<std::int16_t>{32767, -32767, 16384}));
}

TEST(WavFile, FailedWriteLeavesNoFileAndKeepsAnOldOne) {
    TempFolder folder;
    std::string error;
    EXPECT_EQ(WavFileSink::Open(folder.File("no/such/folder.wav"), 22050, error), nullptr);
    EXPECT_FALSE(error.empty());

    folder.Write("old.wav", "old");
    {
        auto sink = WavFileSink::Open(folder.File("old.wav"), 22050, error);
        ASSERT_NE(sink, nullptr);
        const std::vector<std::int16_t> samples(100, 5);
        EXPECT_TRUE(sink->Write(samples));
        // Destroyed without Finish: the run failed part-way.
    }
    EXPECT_EQ(folder.Read("old.wav"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.folder()),
                            std::filesystem::directory_iterator()),
              1);
}

}  // namespace
}  // namespace qvx::speak
