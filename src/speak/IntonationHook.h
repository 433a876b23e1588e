#pragma once

#include <espeak-ng/speak_lib.h>

#include <functional>
#include <string_view>

#include "speak/PitchContour.h"
#include "speak/SpeechEngine.h"

namespace qvx::speak {

// speak43's own intonation on espeak-ng: the text is spoken once unheard to
// time its sentences and stressed vowels, then again while the pitch is set
// along the contour from the sample callback.

// One synthesis of the text under way into `sink`.
using SynthesisRun = std::function<Result<void>(const SampleSink& sink)>;

// The pitch a voice is given: its average (hertz), range (percent) and
// intonation.
struct VoicePitch {
    double average;
    double range;
    Intonation intonation;
};

// Speaks along the contour of `pitch`; `synthesize` is called twice.
Result<void> SpeakAlongContour(std::string_view text, const VoicePitch& pitch, int sampleRate,
                               const SynthesisRun& synthesize, const SampleSink& sink);

// Called by the synthesis callback for every buffer, before its samples go
// on: notes the marks while timing and sets the pitch while speaking.
void OnIntonationBuffer(int sampleCount, const espeak_EVENT* events);

}  // namespace qvx::speak
