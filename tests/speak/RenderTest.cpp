#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

#include "common/LineReader.h"
#include "speak/EspeakEngine.h"
#include "speak/PhonemeMap.h"
#include "speak/ScriptSpeaker.h"
#include "speak/SoundFile.h"
#include "speak/SungNote.h"
#include "speak/WavFileSink.h"
#include "support/TempFolder.h"

namespace qvx::speak {
namespace {

using qvx::test::TempFolder;
using Samples = std::vector<double>;  // -1..1

// Power of one frequency in s[from, end), normalised so that a sine of
// amplitude A gives about A² / 4.
double Power(const Samples& s, std::size_t from, std::size_t end, double hertz, int rate) {
    std::complex<double> sum = 0;
    for (std::size_t i = from; i < end; ++i) {
        sum += s[i] * std::polar(1.0, -2 * std::numbers::pi * hertz * double(i) / rate);
    }
    return std::norm(sum) / double((end - from) * (end - from));
}

// The first and one-past-last sample louder than 1 % of full scale.
std::pair<std::size_t, std::size_t> LoudSpan(const Samples& s) {
    const auto loud = [](double x) { return std::abs(x) > 0.01; };
    const auto first = std::find_if(s.begin(), s.end(), loud);
    const auto last = std::find_if(s.rbegin(), s.rend(), loud).base();
    return {first - s.begin(), std::max(first, last) - s.begin()};
}

// Fundamental of the 40 ms from `from` by autocorrelation within 50..600 Hz:
// the shortest lag that comes near the best one, so that a period of two
// similar cycles is not taken for one.
double Fundamental(const Samples& s, std::size_t from, int rate) {
    const std::size_t count = rate / 25;
    std::vector<double> r(rate / 50 + 2);
    for (std::size_t lag = rate / 600; lag < r.size() && from + count + lag <= s.size(); ++lag) {
        for (std::size_t i = from; i < from + count; ++i) r[lag] += s[i] * s[i + lag];
    }
    const double best = *std::max_element(r.begin(), r.end());
    for (std::size_t lag = rate / 600 + 1; lag + 1 < r.size(); ++lag) {
        if (r[lag] >= 0.8 * best && r[lag] >= r[lag - 1] && r[lag] >= r[lag + 1]) {
            return double(rate) / lag;
        }
    }
    return 0;
}

// espeak-ng is one per process: one engine shared by every rendering test.
class Rendering : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        std::string error;
        engine_ = EspeakEngine::Start(error).release();
        ASSERT_NE(engine_, nullptr) << error;
    }
    static void TearDownTestSuite() { delete engine_; }

    // Speaks the script line by line, without a warning, into a WAV file and
    // reads its samples back.
    Samples Render(const std::string& script) {
        const std::string path = folder_.File("out.wav");
        std::string error;
        auto sink = WavFileSink::Open(path, rate_, error);
        EXPECT_NE(sink, nullptr) << error;
        ScriptSpeaker speaker(*engine_, *sink, folder_.folder(),
                              [](const std::string& warning) { ADD_FAILURE() << warning; });
        std::string_view line;
        LineSplitter lines(script);
        for (std::size_t n = 1; lines.Next(line); ++n) EXPECT_TRUE(speaker.SpeakLine(line, n));
        EXPECT_TRUE(speaker.Finish()) << speaker.error();
        SF_INFO info{};
        SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
        Samples samples(static_cast<std::size_t>(info.frames));
        sf_read_double(file, samples.data(), info.frames);
        sf_close(file);
        return samples;
    }

    double Ms(std::size_t samples) const { return samples * 1000.0 / rate_; }

    TempFolder folder_;
    static inline EspeakEngine* engine_ = nullptr;
    const int rate_ = engine_->SampleRate();
};

// Each sound has its length and all its power in its own frequencies; sound
// files are found whatever their case and converted to the output rate.
TEST_F(Rendering, TonesDialsAndSoundFilesHaveTheirLengthAndFrequencies) {
    SF_INFO info{0, 44100, 2, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0, 0};
    SNDFILE* bell = sf_open(folder_.File("Bell.wav").c_str(), SFM_WRITE, &info);
    for (int i = 0; i < 8820; ++i) {  // 200 ms of 1 kHz in stereo
        const double value = 0.5 * std::sin(2 * std::numbers::pi * 1000 * i / 44100);
        const double frame[2] = {value, value};
        sf_writef_double(bell, frame, 1);
    }
    sf_close(bell);
    const std::tuple<const char*, double, double, std::vector<double>> rows[] = {
        // The script, its loud and its whole length in ms, its frequencies.
        {"[:tone<440,500>]", 500, 500, {440}},
        {"[:dial 5]", 100, 200, {770, 1336}},  // a pause follows the key
        {"[:play bell.wav]", 200, 200, {1000}},
        {"[:play BELL.WAV]", 200, 200, {1000}},
    };
    for (const auto& [script, loudMs, wholeMs, frequencies] : rows) {
        SCOPED_TRACE(script);
        const Samples s = Render(script);
        const auto [first, end] = LoudSpan(s);
        EXPECT_NEAR(Ms(end - first), loudMs, 5);
        EXPECT_NEAR(Ms(s.size()), wholeMs, 2);
        double power = 0, meanSquare = 0;
        for (double hertz : frequencies) power += 2 * Power(s, first, end, hertz, rate_);
        for (std::size_t i = first; i < end; ++i) meanSquare += s[i] * s[i] / double(end - first);
        EXPECT_NEAR(power / meanSquare, 1, 0.1);
    }
}

// A song in the synthesizer's phonemic format: several phonemes and words per
// bracket, rests, a sentence pause, notes and hertz, stress marks, the
// one-entry lines the phoneme dialog writes, and every line end.
TEST_F(Rendering, SongHasEveryNoteAndItsLength) {
    const std::string song =
        "[:phoneme on][:pp 300]\n"
        "[dow<400,25>rey<400,27> miy<400,29>_<150>]\r\n"
        "[l'aa<400,34>.]\r"
        "[hxeh<300,220>l`ow<300,330>]\n"
        "[aa<500,37>]\n"
        "[,<250,25>]\n";
    // Each phoneme in order: its length in ms (0: natural) and pitch (0: none
    // of its own; 1..37 a note, 34 the A of 440 Hz; above, hertz).
    const std::tuple<const char*, int, int> notes[] = {
        {"d", 0, 0},     {"ow", 400, 25},  {"r", 0, 0},     {"ey", 400, 27},
        {"m", 0, 0},     {"iy", 400, 29},  {"_", 150, 0},   {"l", 0, 0},
        {"aa", 400, 34}, {".", 300, 0},    {"hx", 0, 0},    {"eh", 300, 220},
        {"l", 0, 0},     {"ow", 300, 330}, {"aa", 500, 37}, {"ao", 250, 25},
    };
    double end = 0;                                  // ms, with the natural lengths
    std::vector<std::pair<double, double>> middles;  // ms and hertz of each note
    for (const auto& [code, ms, pitch] : notes) {
        SungSound alone;
        std::string error;
        if (ms == 0) {  // its natural length, sung alone
            const std::string input = "[[" + std::string(FindPhonemeCode(code)->mnemonic) + "]] ";
            ASSERT_TRUE(engine_->Sing(input, DefaultVoice(), 122, alone, error)) << error;
        }
        if (pitch)
            middles.emplace_back(end + ms / 2.0,
                                 pitch > 37 ? pitch : 440 * std::pow(2.0, (pitch - 34) / 12.0));
        end += ms ? ms : Ms(TrimSilence(alone.samples).size());
    }
    const Samples s = Render(song);
    EXPECT_NEAR(Ms(s.size()), end, end * 0.1);
    for (const auto& [middle, hertz] : middles) {  // over 40 ms in the middle
        const auto from = static_cast<std::size_t>((middle - 20) * rate_ / 1000);
        EXPECT_NEAR(Fundamental(s, from, rate_), hertz, hertz * 0.03) << middle << " ms";
    }
}

// espeak-ng drops the rest of a word at a mnemonic it does not know: the
// vowel after each code of the alphabet (the documented ones, "c" and "or")
// must still be sung.
TEST_F(Rendering, EveryCodeOfTheAlphabetReachesTheEngineWhole) {
    int codes = 0;
    for (int i = 0; i < 26 * 27; ++i) {
        const std::string code = std::string(1, char('a' + i / 27)) +
                                 (i % 27 ? std::string(1, char('a' + i % 27 - 1)) : "");
        const auto phoneme = FindPhonemeCode(code);
        if (!phoneme) continue;
        ++codes;
        SungSound sound;
        std::string error;
        const std::string input = "[[" + std::string(phoneme->mnemonic) + "A:]] ";
        ASSERT_TRUE(engine_->Sing(input, DefaultVoice(), 200, sound, error)) << code;
        const std::vector<SungPart> parts{{phoneme->mnemonic, 0}, {"A:", 1000}};
        EXPECT_GT(Ms(ShapeSung(sound, parts, 200, false, rate_).size()), 990) << code;
    }
    EXPECT_EQ(codes, 51);
}

TEST_F(Rendering, VoicePitchRateAndVolumeReachTheSound) {
    // The pitch in the middle of a spoken vowel.
    const auto pitch = [this](const std::string& script) {
        const Samples s = Render(script + "ah");
        const auto [first, end] = LoudSpan(s);
        return Fundamental(s, (first + end) / 2 - rate_ / 50, rate_);
    };
    const double paul = pitch("[:np]");
    EXPECT_GT(paul, 80);
    EXPECT_GT(pitch("[:nb]"), paul * 1.3);
    const std::string text = "the quick brown fox jumps over the lazy dog";
    EXPECT_LT(Render("[:rate400]" + text).size() * 2, Render("[:ra 100]" + text).size());
    const Samples loud = Render("[:tone 440,100]");
    const Samples soft = Render("[:name paul][:volume set 50][:tone 440,100]");
    ASSERT_EQ(soft.size(), loud.size());
    for (std::size_t i = 0; i < loud.size(); ++i) ASSERT_NEAR(soft[i], loud[i] / 2, 1e-4) << i;
    EXPECT_EQ(loud.back(), 0) << "a tone fades out to silence";

    // A designed intonation is spoken along speak43's contour: its baseline
    // falls by bf (from the first quarter of the voiced sound to the last) and
    // its stressed syllables rise by sr (the highest 10 % above the median).
    const std::string sentence = "It was a very large and beautiful garden by the lake.";
    const auto semitones = [&](const std::string& design) {
        const Samples s = Render(design + sentence);
        Samples voiced;
        for (std::size_t at = 0; at + rate_ / 10 < s.size(); at += rate_ / 100) {
            const double hz = Fundamental(s, at, rate_);
            if (hz > 0 && Power(s, at, at + rate_ / 25, hz, rate_) > 1e-5) {
                voiced.push_back(12 * std::log2(hz));
            }
        }
        return voiced;
    };
    const auto at = [](Samples part, double share) {
        std::nth_element(part.begin(), part.begin() + share * part.size(), part.end());
        return part[share * part.size()];
    };
    const auto drop = [&](const Samples& st) {
        const auto quarter = std::ptrdiff_t(st.size() / 4);
        return at({st.begin(), st.begin() + quarter}, 0.5) -
               at({st.end() - quarter, st.end()}, 0.5);
    };
    const auto peaks = [&](const Samples& st) { return at(st, 0.9) - at(st, 0.5); };
    EXPECT_GT(drop(semitones("[:dv bf 40]")), drop(semitones("[:dv bf 0]")) + 1);
    EXPECT_GT(peaks(semitones("[:dv sr 100]")), peaks(semitones("[:dv sr 1]")) + 1);
}

// Output that fails ends the line at once with its reason: a sound longer
// than a WAV file holds (4 GiB, here 100 ms) is refused rather than given a
// header that lies, and an older file of the name is kept.
TEST_F(Rendering, OutputThatFailsEndsTheLineAndKeepsTheOldFile) {
    folder_.Write("out.wav", "old");
    for (const char* line : {"hello", "[:tone 440,100]", "[:dial -12]", "[:pause 300]",
                             "[:phoneme on][aa<100,30>ey<300>]"}) {
        SCOPED_TRACE(line);
        std::string error;
        auto sink = WavFileSink::Open(folder_.File("out.wav"), rate_, error, rate_ / 10);
        ScriptSpeaker speaker(*engine_, *sink, folder_.folder(), [](const std::string&) {});
        EXPECT_TRUE(speaker.SpeakLine("[:tone 440,100]", 1));  // full to the sample
        EXPECT_FALSE(speaker.SpeakLine(line, 2));
        EXPECT_NE(speaker.error().find("4 GiB"), std::string::npos) << speaker.error();
        EXPECT_FALSE(speaker.Finish());
    }
    EXPECT_EQ(folder_.Read("out.wav"), "old");
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
        EXPECT_EQ(pieces, whole);
        const double at = 3.0 * from / to;  // linear between the samples around it
        const auto left = static_cast<std::size_t>(at);
        EXPECT_NEAR(whole[3], input[left] + (at - left) * (input[left + 1] - input[left]), 1e-5);
    }
    std::vector<std::int16_t> pcm;
    ToPcm16(std::vector<float>{2.0f, -2.0f, 0.5f}, pcm);
    EXPECT_EQ(pcm, (std::vector<std::int16_t>{32767, -32767, 16384}));
}

}  // namespace
}  // namespace qvx::speak
