#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "checker/ScriptCheck.h"
#include "checker/ScriptCorrector.h"
#include "checker/TypedCheck.h"
#include "support/RecordingPrompts.h"

namespace {

// Lines of a clean script, as the program's writers produce them.
constexpr std::array<std::string_view, 12> kCleanLines{
    "[:np]",        "[:dv ap 120]",        "[:ra 200]",    "[:tone<440,500>]",
    "[:phone on]",  "[:dial \"5551234\"]", "[aa<500,13>]", "hello there, this is spoken text.",
    "[:phone off]", "[:dv hr 20]",         "[:nb]",        "[:play sound.wav]"};

std::string CleanText(std::size_t lineCount, bool trailingBreak) {
    std::string text;
    for (std::size_t i = 0; i < lineCount; ++i) {
        text += kCleanLines[i % kCleanLines.size()];
        if (trailingBreak || i + 1 < lineCount) text += "\r\n";
    }
    return text;
}

// A program folder with a clean script of a million lines.
struct BenchFolder {
    qvx::ProgramState state;
    std::size_t scriptSize = 0;

    BenchFolder() {
        std::string folder = (std::filesystem::temp_directory_path() / "qvx-bench-XXXXXX").string();
        if (!mkdtemp(folder.data())) std::abort();
        state.paths = qvx::ProgramPaths::InFolder(folder);
        std::ofstream(state.paths.File("sound.wav")) << "RIFF";
        const std::string script = CleanText(1'000'000, true);
        std::ofstream(state.paths.script, std::ios::binary) << script;
        scriptSize = script.size();
    }
    ~BenchFolder() { std::filesystem::remove_all(state.paths.folder); }
};

// Starts a fresh peak-memory count, so each benchmark reports its own peak.
void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

double PeakMemoryMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (!line.starts_with("VmHWM:")) continue;
        const auto digits = line.find_first_of("0123456789");
        long kib = 0;
        std::from_chars(line.data() + digits, line.data() + line.size(), kib);
        return static_cast<double>(kib) / 1024.0;
    }
    return 0;
}

template <qvx::Refresh (*Run)(qvx::ProgramState&, qvx::UserPrompts&)>
void RunOnScript(benchmark::State& bench) {
    BenchFolder folder;
    qvx::RecordingPrompts sink;
    sink.keep = false;
    ResetPeakMemory();
    for (auto _ : bench) {
        benchmark::DoNotOptimize(Run(folder.state, sink));
    }
    if (!folder.state.ScriptCheckPassed) bench.SkipWithError("the clean script did not pass");
    bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations() * folder.scriptSize));
    const double fileMiB = static_cast<double>(folder.scriptSize) / (1024.0 * 1024.0);
    bench.counters["file_MiB"] = fileMiB;
    bench.counters["peak_MiB"] = PeakMemoryMiB();
    bench.counters["peak_per_file"] = PeakMemoryMiB() / fileMiB;
}

void BM_CheckScript(benchmark::State& bench) {
    RunOnScript<qvx::CheckScript>(bench);
}
void BM_CorrectScript(benchmark::State& bench) {
    RunOnScript<qvx::CorrectScript>(bench);
}

void BM_CheckTypedText(benchmark::State& bench) {
    const std::string text = CleanText(10'000, false);
    const auto paths = qvx::ProgramPaths::InFolder(std::filesystem::temp_directory_path().string());
    qvx::RecordingPrompts sink;
    sink.keep = false;
    for (auto _ : bench) {
        benchmark::DoNotOptimize(qvx::CheckTypedText(text, paths, sink));
    }
}

}  // namespace

BENCHMARK(BM_CheckScript)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CorrectScript)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckTypedText)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
