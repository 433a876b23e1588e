// Renders one text with each voice parameter at the two ends of the editor's
// range and prints whether the feature it should move moved the right way by
// at least what a listener notices. Then the pitch each voice speaks at
// against the average pitch it asks for.
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "IntonationMeasures.h"
#include "SoundMeasures.h"
#include "common/LineReader.h"
#include "speak/EspeakEngine.h"
#include "speak/ScriptSpeaker.h"
#include "speak/VoiceDesign.h"

namespace qvx::speak::bench {
namespace {

class CaptureSink final : public AudioSink {
  public:
    Result<void> Write(std::span<const std::int16_t> samples) override {
        recorded.insert(recorded.end(), samples.begin(), samples.end());
        return {};
    }
    Result<void> Finish() override { return {}; }
    std::vector<std::int16_t> recorded;
};

struct Sound {
    std::vector<std::int16_t> samples;
    std::vector<Frame> frames;
    int rate;
};

Sound Render(EspeakEngine& engine, const std::string& script) {
    CaptureSink sink;
    ScriptSpeaker speaker(engine, sink, ".", [](const std::string& w) {
        std::fprintf(stderr, "warning: %s\n", w.c_str());
    });
    LineSplitter lines(script);
    std::string_view line;
    for (std::size_t n = 1; lines.Next(line); ++n) speaker.SpeakLine(line, n);
    speaker.Finish();
    const int rate = engine.SampleRate();
    return {sink.recorded, Analyse(sink.recorded, rate), rate};
}

// How a change is judged: the smallest change a listener notices.
enum class Scale { Semitones, Difference, Percent };
struct Noticed {
    Scale scale;
    double least;
    const char* unit;
};
constexpr Noticed kPitch{Scale::Semitones, 1, "st"};
constexpr Noticed kLevel{Scale::Difference, 2, "dB"};
constexpr Noticed kSpread{Scale::Difference, 1, "st"};
constexpr Noticed kCentroid{Scale::Percent, 4, "%"};
constexpr Noticed kDuration{Scale::Percent, 10, "%"};
constexpr Noticed kIrregularity{Scale::Difference, 0.5, "pt"};
constexpr Noticed kSpeed{Scale::Percent, 25, "%"};

double Change(const Noticed& n, double low, double high) {
    switch (n.scale) {
        case Scale::Semitones:
            return 12 * std::log2(high / low);
        case Scale::Percent:
            return 100 * (high - low) / low;
        default:
            return high - low;
    }
}

// A feature of a render; `neutral` is the same text in the voice's own
// values, where frames of a kind of phoneme are chosen.
using Feature = std::function<double(const Sound& s, const Sound& neutral)>;

Feature Voiced(double (*f)(const std::vector<Frame>&, const Selection&)) {
    return [f](const Sound& s, const Sound&) { return f(s.frames, Select(s.frames, IsVoiced)); };
}
Feature Band(double (*f)(const std::vector<Frame>&, const Selection&, int, double, double),
             double low, double high) {
    return [=](const Sound& s, const Sound&) {
        return f(s.frames, Select(s.frames, IsVoiced), s.rate, low, high);
    };
}
// Levels of the frames that the neutral render has of one kind.
Feature LevelWhere(bool (*kind)(const Frame&)) {
    return [kind](const Sound& s, const Sound& neutral) {
        Selection use = Select(neutral.frames, kind);
        std::erase_if(use, [&](std::size_t i) { return i >= s.frames.size(); });
        return LevelDb(s.frames, use);
    };
}
bool Unvoiced(const Frame& f) {
    return IsSounding(f) && f.periodicity < 0.2;
}
// A nasal murmur: voiced, nearly all its power below 400 Hz.
bool Murmur(const Frame& f) {
    if (!IsVoiced(f)) return false;
    double low = 0, all = 0;
    for (std::size_t k = 0; k < f.power.size(); ++k) (k < 37 ? low : all) += f.power[k];
    return low / (low + all) > 0.93;
}
double Seconds(const Sound& s, const Sound&) {
    return double(s.samples.size()) / s.rate;
}
double Tilt(const Sound& s, const Sound&) {
    const Selection v = Select(s.frames, IsVoiced);
    return BandLevelDb(s.frames, v, s.rate, 2000, 4000) - BandLevelDb(s.frames, v, s.rate, 0, 1000);
}

// A feature of the pitch track of a render's voiced windows.
Feature Intonation(double (PitchTrack::*f)() const) {
    return [f](const Sound& s, const Sound&) {
        return (PitchTrack(VoicedHertz(s.samples, s.rate), kPitchStep).*f)();
    };
}

constexpr const char* kText = "The quick brown fox jumps over the lazy dog, then rests a while.";
// One sentence that starts unstressed, so that the hat rise stands out.
constexpr const char* kSentence = "It was a very large and beautiful garden by the lake.";

struct Row {
    std::string name;  // "[:dv hs" or "[:ra"
    const char* feature;
    int direction;  // +1: the feature grows with the parameter
    Noticed noticed;
    Feature measure;
    const char* text = kText;
    std::int32_t low = 0, high = 0;  // the editor's range; 0, 0: from kDesignRanges
};

std::vector<Row> Rows() {
    using namespace std::string_literals;
    const double f4 = 2500, f5 = 5500;
    return {
        {"ra", "length (s)", -1, kDuration, Seconds, kText, 0, 999},
        {"ap", "median pitch (Hz)", +1, kPitch, Voiced(MedianHertz), kText, 100, 300},
        {"pr", "pitch spread (st)", +1, kSpread, Voiced(PitchSpreadSemitones), kText, 1, 250},
        {"sx", "centroid (Hz)", -1, kCentroid, Band(CentroidHz, 0, 5000), kText, 0, 1},
        {"hs", "centroid (Hz)", -1, kCentroid, Band(CentroidHz, 0, 5000)},
        {"br", "harmonics-noise (dB)", -1, kLevel, Voiced(HarmonicsToNoiseDb)},
        {"lx", "harmonics-noise (dB)", -1, kLevel, Voiced(HarmonicsToNoiseDb)},
        {"sm", "tilt 2-4k/0-1k (dB)", -1, kLevel, Tilt},
        {"ri", "tilt 2-4k/0-1k (dB)", +1, kLevel, Tilt},
        {"nf", "tilt 2-4k/0-1k (dB)", -1, kLevel, Tilt},
        {"la", "period irregularity (%)", +1, kIrregularity, Voiced(PeriodIrregularity)},
        {"f4", "centroid 2.5-5.5k (Hz)", +1, kCentroid, Band(CentroidHz, f4, f5)},
        {"f5", "centroid 2.5-5.5k (Hz)", +1, kCentroid, Band(CentroidHz, f4, f5)},
        {"b4", "peak contrast 3-4.5k (dB)", -1, kLevel, Band(PeakContrastDb, 3000, 4500)},
        {"b5", "peak contrast 3.3-4.8k (dB)", -1, kLevel, Band(PeakContrastDb, 3300, 4800)},
        {"g1", "band 0.2-0.9k (dB)", +1, kLevel, Band(BandLevelDb, 200, 900)},
        {"g2", "band 0.9-2k (dB)", +1, kLevel, Band(BandLevelDb, 900, 2000)},
        {"g3", "band 2-3k (dB)", +1, kLevel, Band(BandLevelDb, 2000, 3000)},
        {"g4", "band 3-4k (dB)", +1, kLevel, Band(BandLevelDb, 3000, 4000)},
        {"g5", "band 4-5k (dB)", +1, kLevel, Band(BandLevelDb, 4000, 5000)},
        {"gv", "voiced level (dBFS)", +1, kLevel, Voiced(LevelDb)},
        {"gh", "level of /h/ (dBFS)", +1, kLevel, LevelWhere(Unvoiced),
         "Ha, hey, who, how, hi, ho."},
        {"gf", "level of frication (dBFS)", +1, kLevel, LevelWhere(Unvoiced),
         "Fish, fifes, sass, fuss, shush."},
        {"gn", "level of nasals (dBFS)", +1, kLevel, LevelWhere(Murmur),
         "Mmm, no, nine men mean money, mmm."},
        {"bf", "baseline drop (st)", +1, kSpread, Intonation(&PitchTrack::BaselineDrop), kSentence,
         0, 40},
        {"hr", "hat above the start (st)", +1, kSpread, Intonation(&PitchTrack::HatRise), kSentence,
         2, 100},
        {"sr", "stress peaks (st)", +1, kSpread, Intonation(&PitchTrack::StressPeak), kSentence, 1,
         100},
        {"as", "final fall (st)", +1, kSpread, Intonation(&PitchTrack::FinalFall), kSentence, 0,
         100},
        {"qu", "pitch speed (st/s)", +1, kSpeed, Intonation(&PitchTrack::Speed), kSentence, 0, 100},
    };
}

std::string Command(const std::string& name, std::int32_t value) {
    return (name == "ra" ? "[:ra " : "[:dv " + name + " ") + std::to_string(value) + "]";
}

bool MeasureParameters(EspeakEngine& engine, const std::string& voice) {
    std::printf("%-3s %-28s %9s %9s %9s  %s\n", "", "feature", "low", "high", "change", "moved");
    int moved = 0, rows = 0;
    for (Row row : Rows()) {
        if (row.low == row.high) {
            const DesignRange& range = kDesignRanges[*FindDesignParameter(row.name)];
            row.low = range.min;
            row.high = range.max;
        }
        const Sound neutral = Render(engine, voice + row.text);
        const Sound low = Render(engine, voice + Command(row.name, row.low) + "\r\n" + row.text);
        const Sound high = Render(engine, voice + Command(row.name, row.high) + "\r\n" + row.text);
        const double a = row.measure(low, neutral), b = row.measure(high, neutral);
        const double change = Change(row.noticed, a, b);
        const bool ok = change * row.direction >= row.noticed.least;
        moved += ok;
        ++rows;
        std::printf("%-3s %-28s %9.2f %9.2f %+8.1f%-2s %s\n", row.name.c_str(), row.feature, a, b,
                    change, row.noticed.unit, ok ? "yes" : "no");
    }
    std::printf("%d of %d parameters moved the right way\n\n", moved, rows);
    return moved == rows;
}

// With no pitch range the voice speaks at its average pitch; with its own
// range the mean stays there.
struct Asked {
    std::string name;
    std::string select;  // the script's lines before the text
    double hertz;
};

// Every voice as it is, and a designed one at two pitches. A whisper has no
// fundamental to measure until its breath is taken away; the pitch it is
// given stays the same.
std::vector<Asked> PitchRows() {
    std::vector<Asked> rows;
    for (const VoiceRow& v : VoiceTable()) {
        rows.push_back({std::string(v.name),
                        "[:n" + std::string(1, v.letter) + "]" +
                            (v.variant.starts_with("whisper") ? "[:dv br 0]" : "") + "\r\n",
                        double(v.averagePitch)});
    }
    for (int ap : {90, 150}) {
        rows.push_back(
            {"ap " + std::to_string(ap), "[:dv ap " + std::to_string(ap) + "]\r\n", double(ap)});
    }
    return rows;
}

bool MeasureAveragePitch(EspeakEngine& engine) {
    bool ok = true;
    std::printf("%-7s %5s %14s %14s\n", "voice", "ap", "pr 0: median", "own pr: mean");
    for (const Asked& row : PitchRows()) {
        const Sound flat = Render(engine, row.select + "[:dv pr 0]\r\n" + kText);
        const Sound own = Render(engine, row.select + kText);
        const double median = MedianHertz(flat.frames, Select(flat.frames, IsVoiced));
        const double mean = MeanHertz(own.frames, Select(own.frames, IsVoiced));
        const double e1 = 100 * (median / row.hertz - 1), e2 = 100 * (mean / row.hertz - 1);
        ok = ok && std::abs(e1) <= 3 && std::abs(e2) <= 3;
        std::printf("%-7s %5.0f %7.1f %+5.1f%% %7.1f %+5.1f%%\n", row.name.c_str(), row.hertz,
                    median, e1, mean, e2);
    }
    return ok;
}

}  // namespace
}  // namespace qvx::speak::bench

// The parameters are measured on Paul, or on the voice of the letter given
// ("bench_voices b" for Betty).
int main(int argc, char** argv) {
    using namespace qvx::speak;
    const qvx::Result<std::unique_ptr<EspeakEngine>> started = EspeakEngine::Start();
    if (!started) {
        std::fprintf(stderr, "%s\n", started.error().c_str());
        return 2;
    }
    EspeakEngine* const engine = started->get();
    const std::string voice = argc > 1 ? "[:n" + std::string(argv[1]).substr(0, 1) + "]\r\n" : "";
    const bool moved = bench::MeasureParameters(*engine, voice);
    const bool pitched = bench::MeasureAveragePitch(*engine);
    return moved && pitched ? 0 : 1;
}
