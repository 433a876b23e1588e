#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <sstream>

#include "common/LineReader.h"
#include "speak/EspeakEngine.h"
#include "speak/PhonemeMap.h"
#include "speak/ScriptSpeaker.h"
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
        auto started = EspeakEngine::Start();
        ASSERT_TRUE(started) << started.error();
        engine_ = started->release();
    }
    static void TearDownTestSuite() { delete engine_; }

    // Speaks the script line by line, with just the warnings expected, into
    // a WAV file and reads its samples back.
    Samples Render(const std::string& script, const std::vector<std::string>& expected = {}) {
        const std::string path = folder_.File("out.wav");
        auto sink = WavFileSink::Open(path, rate_);
        EXPECT_TRUE(sink) << sink.error();
        std::vector<std::string> warnings;
        ScriptSpeaker speaker(*engine_, **sink, folder_.folder(),
                              [&](const std::string& warning) { warnings.push_back(warning); });
        std::string_view line;
        LineSplitter lines(script);
        for (std::size_t n = 1; lines.Next(line); ++n) EXPECT_TRUE(speaker.SpeakLine(line, n));
        const Result<void> finished = speaker.Finish();
        EXPECT_TRUE(finished) << finished.error();
        EXPECT_EQ(warnings, expected);
        SF_INFO info{};
        SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
        Samples samples(static_cast<std::size_t>(info.frames));
        sf_read_double(file, samples.data(), info.frames);
        sf_close(file);
        return samples;
    }

    // The text as the engine speaks it.
    std::vector<std::int16_t> Spoken(const std::string& text) {
        std::vector<std::int16_t> made;
        const SampleSink keep = [&](std::span<const std::int16_t> part) {
            made.insert(made.end(), part.begin(), part.end());
            return true;
        };
        const Result<void> spoken = engine_->Speak(text, DefaultVoice(), keep);
        EXPECT_TRUE(spoken) << spoken.error();
        return made;
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

// A song as the public write them: several phonemes and words per bracket,
// rests, a sentence pause, notes and hertz, stress marks, the one-entry lines
// the phoneme dialog writes, capital codes, r-coloured vowels, text right
// before notes, an unknown code, and every line end.
TEST_F(Rendering, SongHasEveryNoteAndItsLength) {
    const std::string song =
        "[:phoneme on][:pp 300]\n"
        "[dow<400,25>rey<400,27> miy<400,29>_<150>]\r\n"
        "[l'aa<400,34>.]\r"
        "[hxeh<300,220>l`ow<300,330>]\n"
        "[aa<500,37>]\n"
        "[,<250,25>]\n"
        "Now [HXAR<400,25> BIr<400,29>]\n"
        "[oh<400,29>ur<600,30>]\n";
    // Each phoneme (or text) in order: its length in ms (0: natural) and
    // pitch (0: none of its own; 1..37 a note, 34 the A of 440 Hz; above,
    // hertz). "oh" is no code: skipped with its length.
    const std::tuple<const char*, int, int> notes[] = {
        {"d", 0, 0},     {"ow", 400, 25},  {"r", 0, 0},  {"ey", 400, 27},  {"m", 0, 0},
        {"iy", 400, 29}, {"_", 150, 0},    {"l", 0, 0},  {"aa", 400, 34},  {".", 300, 0},
        {"hx", 0, 0},    {"eh", 300, 220}, {"l", 0, 0},  {"ow", 300, 330}, {"aa", 500, 37},
        {"ao", 250, 25}, {"Now", 0, 0},    {"hx", 0, 0}, {"ar", 400, 25},  {"b", 0, 0},
        {"ir", 400, 29}, {"ur", 600, 30},
    };
    double end = 0;                                  // ms, with the natural lengths
    std::vector<std::pair<double, double>> middles;  // ms and hertz of each note
    for (const auto& [code, ms, pitch] : notes) {
        SungSound alone;
        const auto phoneme = FindPhonemeCode(code);
        if (ms == 0 && phoneme) {  // its natural length, sung alone
            const std::string input = "[[" + std::string(phoneme->mnemonic) + "]] ";
            Result<SungSound> sung = engine_->Sing(input, DefaultVoice(), 122);
            ASSERT_TRUE(sung) << code << ": " << sung.error();
            alone = std::move(*sung);
        } else if (!phoneme) {  // text, spoken alone
            alone.samples = Spoken(code);
        }
        if (pitch)
            middles.emplace_back(end + ms / 2.0,
                                 pitch > 37 ? pitch : 440 * std::pow(2.0, (pitch - 34) / 12.0));
        end += ms ? ms : Ms(TrimSilence(alone.samples).size());
    }
    const Samples s = Render(song, {"line 8: unknown phoneme code \"oh\" is skipped"});
    EXPECT_NEAR(Ms(s.size()), end, end * 0.1);
    for (const auto& [middle, hertz] : middles) {  // over 40 ms in the middle
        const auto from = static_cast<std::size_t>((middle - 20) * rate_ / 1000);
        EXPECT_NEAR(Fundamental(s, from, rate_), hertz, hertz * 0.03) << middle << " ms";
    }
}

// Text ends with the pause its own punctuation asks for and no other: the
// longest silence inside the sound is the one between the text and the note.
TEST_F(Rendering, TextIsFollowedByThePauseOfItsPunctuationOnly) {
    for (const auto& [text, pause] :
         {std::pair{"hello", 0}, {"hello,", 95}, {"[:pp 300]hi!", 300}}) {
        SCOPED_TRACE(text);
        const Samples s = Render("[:phoneme on]" + std::string(text) + " [aa<500,22>]");
        const auto [first, last] = LoudSpan(s);
        std::size_t longest = 0;
        for (std::size_t i = first, quiet = 0; i < last; ++i) {
            quiet = std::abs(s[i]) > 0.01 ? 0 : quiet + 1;
            longest = std::max(longest, quiet);
        }
        EXPECT_NEAR(Ms(longest), pause + 30, 30);  // the pause and at most 60 ms
    }
    // Speech is the engine's, pauses inside it included, without the closing
    // pause the engine adds.
    const std::vector<std::int16_t> made = Spoken("one, two. three");
    const std::size_t sound = made.rend() - std::find_if(made.rbegin(), made.rend(),
                                                         [](std::int16_t v) { return v != 0; });
    EXPECT_NEAR(double(Render("one, two. three").size()), double(sound), rate_ / 100.0);  // 10 ms
}

// espeak-ng drops the rest of a word at a mnemonic it does not know: the
// vowel after each code of the alphabet (and "c") must still be sung.
TEST_F(Rendering, EveryCodeOfTheAlphabetReachesTheEngineWhole) {
    std::istringstream alphabet(
        "b ch d dh el en f g hx jh k l m n nx p r s sh t th v w yx z zh aa ae ah ao aw ax ay eh ey "
        "ih ix iy ow oy rr uh uw yu dx lx q rx tx ar er ir or ur c");
    for (std::string code; alphabet >> code;) {
        const auto phoneme = FindPhonemeCode(code);
        ASSERT_TRUE(phoneme) << code;
        const std::string input = "[[" + std::string(phoneme->mnemonic) + "A:]] ";
        const Result<SungSound> sound = engine_->Sing(input, DefaultVoice(), 200);
        ASSERT_TRUE(sound) << code;
        const std::vector<SungPart> parts{{phoneme->mnemonic, 0}, {"A:", 1000}};
        EXPECT_GT(Ms(ShapeSung(*sound, parts, 200, false, rate_).size()), 990) << code;
    }
}

TEST_F(Rendering, VoicePitchRateAndVolumeReachTheSound) {
    // The pitch of a spoken vowel: the median of three windows, as one may
    // fall on a creaky period.
    const auto pitch = [this](const std::string& script) {
        const Samples s = Render(script + "ah");
        const auto [first, end] = LoudSpan(s);
        double f[3];
        for (int i = 0; i < 3; ++i)
            f[i] = Fundamental(s, first + (end - first) * (i + 1) / 5, rate_);
        std::sort(f, f + 3);
        return f[1];
    };
    const double paul = pitch("[:np]");
    EXPECT_GT(paul, 80);
    EXPECT_GT(pitch("[:nb]"), paul * 1.3);
    const std::string text = "the quick brown fox jumps over the lazy dog";
    EXPECT_LT(Render("[:rate400]" + text).size() * 2, Render("[:ra 100]" + text).size());
    // The engine takes C strings: the words after a NUL byte are spoken too.
    const double twoWords = double(Render("one two").size());
    EXPECT_NEAR(double(Render(std::string("one\0two", 7)).size()), twoWords, twoWords / 20);
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
        auto sink = WavFileSink::Open(folder_.File("out.wav"), rate_, rate_ / 10);
        ScriptSpeaker speaker(*engine_, **sink, folder_.folder(), [](const std::string&) {});
        EXPECT_TRUE(speaker.SpeakLine("[:tone 440,100]", 1));  // full to the sample
        const Result<void> spoken = speaker.SpeakLine(line, 2);
        EXPECT_NE(spoken.error().find("4 GiB"), std::string::npos) << spoken.error();
        EXPECT_FALSE(speaker.Finish());
    }
    EXPECT_EQ(folder_.Read("out.wav"), "old");
}

}  // namespace
}  // namespace qvx::speak
