// speak43's script parser and translator on arbitrary bytes: every warning
// names a line of the script, spoken text is never blank at its ends, and
// every segment stays within what can be played (tone frequencies and
// lengths, sung lengths, dial tones, sound files of the program folder only,
// voices espeak-ng can take).
#include <string>
#include <variant>

#include "FuzzSupport.h"
#include "common/NumericText.h"
#include "common/TextFile.h"
#include "speak/ScriptParser.h"
#include "speak/Timeline.h"

namespace {

using namespace qvx;
using namespace qvx::speak;

void CheckWarning(std::string_view warning, std::size_t lineCount) {
    QVX_FUZZ_CHECK(warning.starts_with("line "));
    const std::string_view rest = warning.substr(5);
    const auto colon = rest.find(": ");
    QVX_FUZZ_CHECK(colon != std::string_view::npos);
    const NumericValue number = ParseNumericText(rest.substr(0, colon));
    QVX_FUZZ_CHECK(number.status == NumericStatus::Valid);
    QVX_FUZZ_CHECK(number.value >= 1 && static_cast<std::size_t>(number.value) <= lineCount);
}

void CheckVoice(const VoiceSettings& voice) {
    const PitchSpan span = EspeakPitchSpan(voice);
    QVX_FUZZ_CHECK(span.low > 0 && span.low <= span.high);
    QVX_FUZZ_CHECK(!voice.variant.empty());
    QVX_FUZZ_CHECK(voice.wordsPerMinute > 0);
}

struct SegmentCheck {
    void operator()(const SpeechSegment& s) const {
        QVX_FUZZ_CHECK(!s.text.empty());
        CheckVoice(s.voice);
    }
    void operator()(const SungSegment& s) const {
        QVX_FUZZ_CHECK(s.milliseconds >= 0 && s.milliseconds <= kLongestSungMs);
        QVX_FUZZ_CHECK(s.hertz >= kLowestToneHz);
        QVX_FUZZ_CHECK(s.phonemeInput.starts_with("[[") && s.phonemeInput.ends_with("]] "));
        CheckVoice(s.voice);
    }
    void operator()(const ToneSegment& s) const {
        QVX_FUZZ_CHECK(s.hertz.size() == 1 || s.hertz.size() == 2);
        for (double hertz : s.hertz)
            QVX_FUZZ_CHECK(hertz >= kLowestToneHz && hertz <= kHighestToneHz);
        QVX_FUZZ_CHECK(s.milliseconds > 0 && s.milliseconds <= kLongestToneMs);
    }
    void operator()(const SilenceSegment& s) const { QVX_FUZZ_CHECK(s.milliseconds > 0); }
    void operator()(const SoundSegment& s) const {
        QVX_FUZZ_CHECK(s.name.find_first_of("/\\") == std::string::npos);
        QVX_FUZZ_CHECK(s.name != "." && s.name != "..");
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    const std::size_t lineCount = SplitLines(bytes).size();

    const ParsedScript script = ParseScript(bytes);
    for (const std::string& warning : script.warnings) CheckWarning(warning, lineCount);
    for (const ScriptEvent& event : script.events) {
        if (const auto* text = std::get_if<SpeakText>(&event)) {
            QVX_FUZZ_CHECK(!text->text.empty());
            QVX_FUZZ_CHECK(std::string_view(" \t\n").find(text->text.front()) ==
                           std::string_view::npos);
            QVX_FUZZ_CHECK(std::string_view(" \t\n").find(text->text.back()) ==
                           std::string_view::npos);
        }
    }

    const Timeline timeline = Translate(script);
    QVX_FUZZ_CHECK(timeline.warnings.size() >= script.warnings.size());
    for (const Segment& segment : timeline.segments) std::visit(SegmentCheck{}, segment);
    return 0;
}
