#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numeric>

#include "SignalMeasure.h"
#include "common/LineReader.h"
#include "speak/EspeakEngine.h"
#include "speak/PhonemeMap.h"
#include "speak/ScriptSpeaker.h"
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

    // Speaks the script line by line into a WAV file of the folder and reads
    // it back.
    WavData RenderToWav(const std::string& script, std::vector<std::string>* warnings = nullptr) {
        const std::string path = folder_.File("out.wav");
        std::string error;
        auto sink = WavFileSink::Open(path, engine_->SampleRate(), error);
        EXPECT_NE(sink, nullptr) << error;
        if (!sink) return {};
        ScriptSpeaker speaker(*engine_, *sink, folder_.folder(), [warnings](const std::string& w) {
            if (warnings) warnings->push_back(w);
        });
        LineSplitter lines(script);
        std::string_view line;
        for (std::size_t n = 1; lines.Next(line); ++n) EXPECT_TRUE(speaker.SpeakLine(line, n));
        EXPECT_TRUE(speaker.Finish()) << speaker.error();
        return ReadWav(path);
    }

    double Seconds(std::size_t samples) const { return double(samples) / engine_->SampleRate(); }

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

// A song in the synthesizer's phonemic format: several phonemes and words per
// bracket, rests, a sentence pause, notes and hertz, stress marks, and the
// one-entry lines the phoneme dialog writes.
TEST_F(Rendering, SongHasEveryNoteAndItsLength) {
    const std::string song =
        "[:phoneme on]\n"
        "[dow<400,25>rey<400,27> miy<400,29>_<150>]\n"
        "[faa<400,30>sow<400,32> l'aa<400,34>tiy<400,36>]\r\n"
        "[dow<600,37>.]\r"
        "[hxeh<300,220>l`ow<300,330>]\n"
        "[aa<500,34>]\n"
        "[,<250,25>]\n";
    // Each phoneme in order: its length (0: natural) and pitch in hertz (0:
    // none of its own).
    struct Note {
        const char* code;
        int ms;
        double hertz;
    };
    auto note = [](int n) { return 440 * std::pow(2.0, (n - 34) / 12.0); };
    const Note notes[] = {
        {"d", 0, 0},           {"ow", 400, note(25)}, {"r", 0, 0},
        {"ey", 400, note(27)}, {"m", 0, 0},           {"iy", 400, note(29)},
        {"_", 150, 0},         {"f", 0, 0},           {"aa", 400, note(30)},
        {"s", 0, 0},           {"ow", 400, note(32)}, {"l", 0, 0},
        {"aa", 400, note(34)}, {"t", 0, 0},           {"iy", 400, note(36)},
        {"d", 0, 0},           {"ow", 600, note(37)}, {".", kDefaultPeriodMs, 0},
        {"hx", 0, 0},          {"eh", 300, 220},      {"l", 0, 0},
        {"ow", 300, 330},      {"aa", 500, note(34)}, {"ao", 250, note(25)},
    };
    // The natural length of each phoneme without one, rendered alone.
    std::vector<double> starts;
    double total = 0;
    for (const Note& n : notes) {
        starts.push_back(total);
        if (n.ms > 0) {
            total += n.ms / 1000.0;
            continue;
        }
        SungSound alone;
        std::string error;
        const std::string input = "[[" + std::string(FindPhonemeCode(n.code)->mnemonic) + "]] ";
        ASSERT_TRUE(engine_->Sing(input, DefaultVoice(), 122, alone, error)) << error;
        total += Seconds(TrimSilence(alone.samples).size());
    }

    std::vector<std::string> warnings;
    const WavData wav = RenderToWav(song, &warnings);
    EXPECT_EQ(warnings, std::vector<std::string>());
    EXPECT_NEAR(Seconds(wav.samples.size()), total, total * 0.1);
    for (std::size_t i = 0; i < std::size(notes); ++i) {
        if (notes[i].hertz == 0) continue;
        SCOPED_TRACE(std::to_string(i) + ": " + notes[i].code);
        // A frame of 40 ms in the middle of the phoneme.
        const double middle = starts[i] + notes[i].ms / 2000.0;
        const auto from = static_cast<std::size_t>((middle - 0.02) * wav.sampleRate);
        const double f0 = FrameFundamental(wav.samples, from, wav.sampleRate / 25, wav.sampleRate);
        EXPECT_NEAR(f0, notes[i].hertz, notes[i].hertz * 0.03);
    }
}

TEST_F(Rendering, EveryCodeOfTheAlphabetReachesTheEngineWhole) {
    const std::string_view alphabet[] = {
        "b",  "ch", "d",  "dh", "el", "en", "f",  "g",  "hx", "jh", "k",  "l",  "m",
        "n",  "nx", "p",  "r",  "s",  "sh", "t",  "th", "v",  "w",  "yx", "z",  "zh",
        "aa", "ae", "ah", "ao", "aw", "ax", "ay", "eh", "ey", "ih", "ix", "iy", "ow",
        "oy", "rr", "uh", "uw", "yu", "dx", "lx", "q",  "rx", "tx", "c",  "or"};
    for (std::string_view code : alphabet) {
        SCOPED_TRACE(code);
        const auto phoneme = FindPhonemeCode(code);
        ASSERT_TRUE(phoneme);
        // espeak-ng drops the rest of a word at a mnemonic it does not know:
        // the vowel after the code must still be there.
        SungSound sound;
        std::string error;
        ASSERT_TRUE(engine_->Sing("[[" + std::string(phoneme->mnemonic) + "A:]] ", DefaultVoice(),
                                  200, sound, error));
        const std::vector<SungPart> parts{{phoneme->mnemonic, 0}, {"A:", 1000}};
        const std::size_t shaped =
            ShapeSung(sound, parts, 200, false, engine_->SampleRate()).size();
        EXPECT_GT(Seconds(shaped), 0.99) << "the marks did not match, or the vowel was dropped";
    }
}

TEST_F(Rendering, SoundFilesAreFoundWhateverTheirCaseAndConvertedToTheOutputRate) {
    // A stereo 44.1 kHz file of a 1 kHz tone, 200 ms long.
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(folder_.File("Bell.wav").c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    std::vector<double> frames(8820 * 2);
    for (std::size_t i = 0; i < 8820; ++i) {
        frames[2 * i] = frames[2 * i + 1] = 0.5 * std::sin(2 * std::numbers::pi * 1000 * i / 44100);
    }
    sf_writef_double(file, frames.data(), 8820);
    sf_close(file);

    for (const char* name : {"bell.wav", "Bell.wav", "BELL.WAV"}) {
        SCOPED_TRACE(name);
        std::vector<std::string> warnings;
        const WavData wav =
            RenderToWav(std::string("[:play ") + name + "]\r\n[:play missing.wav]", &warnings);
        const Span span = LoudSpan(wav.samples);
        EXPECT_NEAR(span.size() * 1000.0 / wav.sampleRate, 200, 2);
        EXPECT_NEAR(ZeroCrossingHertz(wav.samples, span.first, span.end, wav.sampleRate), 1000, 5);
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_TRUE(warnings[0].starts_with("line 2: the sound \"missing.wav\"")) << warnings[0];
    }
}

TEST_F(Rendering, BettySpeaksHigherThanPaulAndDesignedPitchAndVolumeFollow) {
    const double paul = MeanFundamental(RenderToWav("[:np]hello").samples, engine_->SampleRate());
    const double betty = MeanFundamental(RenderToWav("[:nb]hello").samples, engine_->SampleRate());
    const double high =
        MeanFundamental(RenderToWav("[:np][:dv ap 200]hello").samples, engine_->SampleRate());
    EXPECT_GT(paul, 80);
    EXPECT_GT(betty, paul * 1.3);
    EXPECT_GT(high, paul * 1.3);
    const WavData loud = RenderToWav("[:tone 440,100]");
    const WavData soft = RenderToWav("[:name paul][:volume set 50][:tone 440,100]");
    EXPECT_NEAR(GoertzelPower(soft.samples, 0, soft.samples.size(), 440, soft.sampleRate) /
                    GoertzelPower(loud.samples, 0, loud.samples.size(), 440, loud.sampleRate),
                0.25, 0.01);
}

TEST_F(Rendering, OutputThatFailsEndsTheRunAtOnce) {
    class Refusing final : public AudioSink {
      public:
        bool Write(std::span<const std::int16_t>) override {
            ++writes;
            return false;
        }
        bool Finish() override { return false; }
        std::string Error() const override { return "the disk is full"; }
        int writes = 0;
    };
    for (const char* line : {"hello", "[:tone 440,100]", "[:dial -12]", "[:pause 300]",
                             "[:phoneme on][aa<100,30>ey<300>]"}) {
        SCOPED_TRACE(line);
        Refusing sink;
        ScriptSpeaker speaker(*engine_, sink, folder_.folder(), [](const std::string&) {});
        EXPECT_FALSE(speaker.SpeakLine(line, 1));
        EXPECT_EQ(sink.writes, 1);
        EXPECT_EQ(speaker.error(), "the disk is full");
    }
}

TEST_F(Rendering, FasterRateIsShorter) {
    const std::string text = "the quick brown fox jumps over the lazy dog";
    const Span slow = LoudSpan(RenderToWav("[:ra 100]" + text).samples);
    const Span fast = LoudSpan(RenderToWav("[:rate400]" + text).samples);
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

TEST(SungNote, PartsAreCutAtTheEngineMarksAndFallBackWhenTheyDoNotMatch) {
    // A rendering of three "phonemes", each a block of one level between
    // quiet ends: 100 quiet, 300 at 1000, 200 at 2000, 400 at 3000, 100 quiet.
    SungSound sound;
    for (auto [count, level] :
         {std::pair{100, 0}, {300, 1000}, {200, 2000}, {400, 3000}, {100, 0}}) {
        sound.samples.insert(sound.samples.end(), count, static_cast<std::int16_t>(level));
    }
    sound.marks = {{"_", 0}, {"t", 100}, {"r-", 400}, {"eI", 600}, {"_:", 1000}};
    const std::vector<SungPart> parts{{"t#", 0}, {"eI", 100}};  // "r-" is espeak-ng's own
    const std::vector<std::int16_t> shaped = ShapeSung(sound, parts, 100, false, 1000);
    // "t#" natural from the start (quiet start dropped) to "eI"; "eI" 100 ms.
    ASSERT_EQ(shaped.size(), 500u + 100u);
    EXPECT_EQ(shaped[0], 1000);
    EXPECT_EQ(shaped[499], 2000);
    EXPECT_EQ(shaped[550], 3000);
    // More parts than marks: the whole is fitted to the lengths added up.
    const std::vector<SungPart> more{{"t", 200}, {"eI", 100}, {"k", 300}};
    EXPECT_EQ(ShapeSung(sound, more, 100, false, 1000).size(), 600u);
}

TEST(SoundFileConversion, MixesChannelsAndConvertsRatesTheSameInAnyBlocks) {
    std::vector<float> mono;
    MixToMono(std::vector<float>{0.2f, 0.4f, -1.0f, 1.0f, 0.5f}, 2, mono);
    EXPECT_EQ(mono, (std::vector<float>{0.3f, 0.0f}));  // a torn last frame is dropped

    std::vector<float> input(1000);
    for (std::size_t i = 0; i < input.size(); ++i) input[i] = std::sin(0.05f * i);
    for (auto [from, to] : {std::pair{44100, 22050}, {8000, 22050}, {22050, 22050}, {1, 4}}) {
        SCOPED_TRACE(std::to_string(from) + " to " + std::to_string(to));
        std::vector<float> whole, pieces;
        RateConverter once(from, to);
        once.Push(input, whole);
        once.Finish(whole);
        RateConverter blocks(from, to);
        for (std::size_t at = 0, size = 1; at < input.size();
             at += size, size = size * 3 % 97 + 1) {
            blocks.Push(std::span(input).subspan(at, std::min(size, input.size() - at)), pieces);
        }
        blocks.Finish(pieces);
        // Positions n * from / to up to the last input sample.
        EXPECT_EQ(whole.size(), (input.size() - 1) * std::size_t(to) / std::size_t(from) + 1);
        ASSERT_EQ(pieces.size(), whole.size());
        for (std::size_t i = 0; i < whole.size(); ++i) ASSERT_NEAR(pieces[i], whole[i], 1e-6) << i;
        const double at = 3.0 * from / to;  // linear between the samples around it
        const auto left = static_cast<std::size_t>(at);
        EXPECT_NEAR(whole[3], input[left] + (at - left) * (input[left + 1] - input[left]), 1e-5);
    }
    std::vector<std::int16_t> pcm;
    ToPcm16(std::vector<float>{2.0f, -2.0f, 0.5f}, pcm);
    EXPECT_EQ(pcm, (std::vector<std::int16_t>{32767, -32767, 16384}));
}

TEST(WavFile, FailedWriteLeavesNoFileAndKeepsAnOldOne) {
    TempFolder folder;
    std::string error;
    EXPECT_EQ(WavFileSink::Open(folder.File("no/such/folder.wav"), 22050, error), nullptr);
    EXPECT_FALSE(error.empty());

    folder.Write("old.wav", "old");
    const std::vector<std::int16_t> samples(600, 5);
    {
        auto sink = WavFileSink::Open(folder.File("old.wav"), 22050, error);
        ASSERT_NE(sink, nullptr);
        EXPECT_TRUE(sink->Write(samples));
        // Destroyed without Finish: the run failed part-way.
    }
    {
        // A sound longer than the format holds ends the run, never the header.
        auto sink = WavFileSink::Open(folder.File("new.wav"), 22050, error, 1000);
        ASSERT_NE(sink, nullptr);
        EXPECT_TRUE(sink->Write(samples));
        EXPECT_TRUE(sink->Write(std::span(samples).first(400)));  // full to the sample
        EXPECT_FALSE(sink->Write(std::span(samples).first(1)));
        EXPECT_NE(sink->Error().find("4 GiB"), std::string::npos) << sink->Error();
        EXPECT_FALSE(sink->Finish());
    }
    EXPECT_EQ(folder.Read("old.wav"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.folder()),
                            std::filesystem::directory_iterator()),
              1);
}

}  // namespace
}  // namespace qvx::speak
