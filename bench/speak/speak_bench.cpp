#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "common/LineReader.h"
#include "speak/EspeakEngine.h"
#include "speak/ScriptSpeaker.h"

namespace qvx::speak {
namespace {

// Counts samples and notes when the first buffer arrived.
class NullSink final : public AudioSink {
  public:
    Result<void> Write(std::span<const std::int16_t> samples) override {
        if (written == 0) firstBuffer = std::chrono::steady_clock::now();
        written += samples.size();
        return {};
    }
    Result<void> Finish() override { return {}; }
    std::size_t written = 0;
    std::chrono::steady_clock::time_point firstBuffer;
};

// A design that moves every part of the sound speak43 shapes: the voice
// file's formants, breath, tone, creak and voicing, the phoneme gains and the
// intonation (so speech is timed first, then spoken along the pitch contour).
constexpr const char* kDesign =
    "[:dv ap 150 hs 110 br 30 lx 40 sm 70 la 50 f4 3600 b4 500 g2 75 gv 78 gh 80 gf 80 gn 60]"
    "[:dv bf 30 hr 40 sr 50 as 90 qu 70]";

std::string MixedScript(int lines, const char* design = "[:dv ap 150]") {
    const char* kinds[] = {"[:np]",
                           design,
                           "Hello, this is a line of text to speak.",
                           "[:tone<440,200>]",
                           "[:dial 555-12]",
                           "[:nb]",
                           "[:ra 220]",
                           "[:phone on]",
                           "[aa<300,34>]",
                           "[iy<200,25>]"};
    std::string script;
    for (int i = 0; i < lines; ++i) script += std::string(kinds[i % 10]) + "\r\n";
    return script;
}

// A song in the synthesizer's phonemic format: several phonemes and words a
// line, notes and hertz, natural consonants, rests and sentence pauses.
std::string Song(int lines, const char* design = "") {
    const char* kinds[] = {"[dow<300,25>rey<300,27> miy<300,29>_<100>]",
                           "[faa<300,30>sow<300,32> l'aa<300,34>tiy<300,36>]", "[dow<600,37>.]",
                           "[hxeh<250,220>l`ow<250,330> wrr<300,27>ld_<120>]",
                           "[sih<200,25>nxih<200,29>nx ix<400,32>n dhax<200,30> reyn<600,27>,]"};
    std::string script = std::string(design) + "[:phoneme on]\r\n";
    for (int i = 0; i < lines; ++i) script += std::string(kinds[i % 5]) + "\r\n";
    return script;
}

// espeak-ng 1.51 can hang in its terminate call after a second start in one
// process, so the benchmarks share one engine, torn down only at the exit.
EspeakEngine* StartEngine(benchmark::State& state) {
    static const Result<std::unique_ptr<EspeakEngine>> engine = EspeakEngine::Start();
    if (!engine) state.SkipWithError(engine.error().c_str());
    return engine ? engine->get() : nullptr;
}

void Speak(const std::string& script, EspeakEngine& engine, NullSink& sink) {
    ScriptSpeaker speaker(engine, sink, ".", [](const std::string&) {});
    LineSplitter lines(script);
    std::string_view line;
    for (std::size_t n = 1; lines.Next(line); ++n) speaker.SpeakLine(line, n);
    speaker.Finish();
}

// The script spoken whole; "realtime_factor" is the audio's length divided
// by the wall time.
void RenderWhole(benchmark::State& state, const std::string& script) {
    EspeakEngine* engine = StartEngine(state);
    if (!engine) return;
    double audioSeconds = 0, wallSeconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        NullSink sink;
        Speak(script, *engine, sink);
        wallSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        audioSeconds += double(sink.written) / engine->SampleRate();
    }
    state.counters["realtime_factor"] = audioSeconds / wallSeconds;
    state.counters["audio_seconds"] = audioSeconds / double(state.iterations());
}

void BM_RenderMixedScript(benchmark::State& state) {
    RenderWhole(state, MixedScript(1000));
}
BENCHMARK(BM_RenderMixedScript)->Unit(benchmark::kMillisecond)->Iterations(2);

// The same with a designed voice: at least 100 times faster than real time.
void BM_RenderDesignedMixedScript(benchmark::State& state) {
    RenderWhole(state, MixedScript(1000, kDesign));
}
BENCHMARK(BM_RenderDesignedMixedScript)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_RenderDesignedSong(benchmark::State& state) {
    RenderWhole(state, Song(200, kDesign));
}
BENCHMARK(BM_RenderDesignedSong)->Unit(benchmark::kMillisecond)->Iterations(3);

// A 200-line song: at least 100 times faster than real time.
void BM_RenderSong(benchmark::State& state) {
    RenderWhole(state, Song(200));
}
BENCHMARK(BM_RenderSong)->Unit(benchmark::kMillisecond)->Iterations(3);

// From a short script to the first buffer handed over (the engine already
// started; its start is part of the program launch measured apart).
void BM_TimeToFirstBuffer(benchmark::State& state) {
    const std::string script =
        "[:np]\r\nHello there, this is the working script.\r\n[:tone<440,500>]";
    double totalMs = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        EspeakEngine* engine = StartEngine(state);
        if (!engine) return;
        NullSink sink;
        Speak(script, *engine, sink);
        totalMs += std::chrono::duration<double, std::milli>(sink.firstBuffer - start).count();
    }
    state.counters["first_buffer_ms"] = totalMs / state.iterations();
}
BENCHMARK(BM_TimeToFirstBuffer)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace qvx::speak

BENCHMARK_MAIN();
