#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "speak/EspeakEngine.h"
#include "speak/Renderer.h"
#include "speak/ScriptParser.h"

namespace qvx::speak {
namespace {

// Counts samples and notes when the first buffer arrived.
class NullSink final : public AudioSink {
  public:
    bool Write(std::span<const std::int16_t> samples) override {
        if (samples_ == 0) firstBuffer_ = std::chrono::steady_clock::now();
        samples_ += samples.size();
        return true;
    }
    bool Finish() override { return true; }
    std::string Error() const override { return {}; }
    std::size_t samples_ = 0;
    std::chrono::steady_clock::time_point firstBuffer_;
};

std::string MixedScript(int lines) {
    const char* kinds[] = {"[:np]",
                           "Hello, this is a line of text to speak.",
                           "[:tone<440,200>]",
                           "[:dial 555-12]",
                           "[:nb]",
                           "[:dv ap 150]",
                           "[:ra 220]",
                           "[:phone on]",
                           "[aa<300,34>]",
                           "[iy<200,25>]"};
    std::string script;
    for (int i = 0; i < lines; ++i) script += std::string(kinds[i % 10]) + "\r\n";
    return script;
}

// espeak-ng 1.51 can hang in its terminate call after a second start in one
// process, so the benchmarks share one engine that is never torn down.
EspeakEngine* StartEngine(benchmark::State& state) {
    static std::string error;
    static EspeakEngine* engine = EspeakEngine::Start(error).release();
    if (!engine) state.SkipWithError(error.c_str());
    return engine;
}

// A 1,000-line mixed script rendered whole; "realtime_factor" is the audio's
// length divided by the wall time.
void BM_RenderMixedScript(benchmark::State& state) {
    const std::string script = MixedScript(1000);
    EspeakEngine* engine = StartEngine(state);
    if (!engine) return;
    double audioSeconds = 0, wallSeconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        NullSink sink;
        std::string error;
        Render(
            Translate(ParseScript(script)), *engine, sink, ".", [](const std::string&) {}, error);
        wallSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        audioSeconds += double(sink.samples_) / engine->SampleRate();
    }
    state.counters["realtime_factor"] = audioSeconds / wallSeconds;
}
BENCHMARK(BM_RenderMixedScript)->Unit(benchmark::kMillisecond)->Iterations(2);

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
        std::string error;
        Render(
            Translate(ParseScript(script)), *engine, sink, ".", [](const std::string&) {}, error);
        totalMs += std::chrono::duration<double, std::milli>(sink.firstBuffer_ - start).count();
    }
    state.counters["first_buffer_ms"] = totalMs / state.iterations();
}
BENCHMARK(BM_TimeToFirstBuffer)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace qvx::speak

BENCHMARK_MAIN();
