#include "speak/ScriptSpeaker.h"

#include "common/PrintableText.h"

namespace qvx::speak {

ScriptSpeaker::ScriptSpeaker(SpeechEngine& engine, AudioSink& sink, std::string soundFolder,
                             WarningSink warn)
    : renderer_(engine, sink, std::move(soundFolder)), warn_(std::move(warn)) {}

Result<void> ScriptSpeaker::SpeakLine(std::string_view line, std::size_t lineNumber) {
    const WarningSink warn = [this, lineNumber](const std::string& what) {
        warn_("line " + std::to_string(lineNumber) + ": " + PrintableText(what));
    };
    Result<void> rendered;
    const SegmentSink render = [&](const Segment& segment) {
        rendered = renderer_.Render(segment, warn);
        return rendered.ok();
    };
    const EventSink translate = [&](const ScriptEvent& event) {
        // After a failed output the rest of the line is only read, not rendered.
        if (rendered) translator_.Translate(event, render, warn);
    };
    parser_.ParseLine(line, translate, warn);
    return rendered;
}

Result<void> ScriptSpeaker::Finish() {
    return renderer_.Finish();
}

}  // namespace qvx::speak
