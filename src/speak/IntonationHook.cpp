#include "speak/IntonationHook.h"

#include <espeak-ng/espeak_ng.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "speak/PitchContour.h"
#include "speak/SentenceTiming.h"

namespace qvx::speak {
namespace {

// espeak-ng 1.51 hands its samples over in buffers of about 49 ms, whatever
// length it is asked for, and a pitch set between two buffers holds for the
// next: it is the contour's at the middle of that buffer.
constexpr double kLeadSeconds = 0.025;

// The engine is one per process and its callback has no user data: the hook
// keeps the state of the synthesis under way.
std::vector<SpeechMark>* timing = nullptr;
const PitchContour* driving = nullptr;
int drivingRate = 1;
std::size_t samplesDone = 0;

void SetPitch(double hertz) {
    espeak_ng_SetConstF0(static_cast<int>(std::lround(hertz)));
}

// espeak-ng's phoneme mnemonics of the whole text, with its stress marks.
std::string StressedPhonemes(std::string_view text) {
    const std::string input(text);
    const void* at = input.c_str();
    std::string phonemes;
    // espeak-ng moves `at` on clause by clause and clears it at the end; a
    // pointer that stands still would never end.
    for (const void* before = nullptr; at != nullptr && at != before;) {
        before = at;
        const char* clause = espeak_TextToPhonemes(&at, espeakCHARS_AUTO, 0);
        if (clause == nullptr) break;
        phonemes += clause;
        phonemes += ' ';
    }
    return phonemes;
}

}  // namespace

void OnIntonationBuffer(int sampleCount, const espeak_EVENT* events) {
    for (; timing && events && events->type != espeakEVENT_LIST_TERMINATED; ++events) {
        const auto sample = static_cast<std::size_t>(events->sample);
        if (events->type == espeakEVENT_SENTENCE) timing->push_back({true, {}, sample});
        if (events->type != espeakEVENT_PHONEME) continue;
        const char* name = events->id.string;
        timing->push_back(
            {false, std::string(name, strnlen(name, sizeof events->id.string)), sample});
    }
    samplesDone += static_cast<std::size_t>(std::max(sampleCount, 0));
    if (driving) SetPitch(driving->At(double(samplesDone) / drivingRate + kLeadSeconds));
}

Result<void> SpeakAlongContour(std::string_view text, const VoicePitch& pitch, int sampleRate,
                               const SynthesisRun& synthesize, const SampleSink& sink) {
    std::vector<SpeechMark> marks;
    std::size_t total = 0;
    timing = &marks;
    Result<void> timed = synthesize([&total](std::span<const std::int16_t> samples) {
        total += samples.size();
        return true;
    });
    timing = nullptr;
    if (!timed) return timed;
    const std::vector<SentenceTiming> sentences =
        TimeSentences(marks, StressedPhonemes(text), total, sampleRate);
    const PitchContour contour(sentences, pitch.average, pitch.range, pitch.intonation);
    driving = &contour;
    drivingRate = sampleRate;
    samplesDone = 0;
    SetPitch(contour.At(kLeadSeconds));
    Result<void> spoken = synthesize(sink);
    driving = nullptr;
    espeak_ng_SetConstF0(0);
    return spoken;
}

}  // namespace qvx::speak
