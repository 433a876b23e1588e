#include "speak/ScriptSpeaker.h"

#include "common/PrintableText.h"
#include "common/TextEncoding.h"

namespace qvx::speak {

ScriptSpeaker::ScriptSpeaker(SpeechEngine& engine, AudioSink& sink, std::string soundFolder,
                             WarningSink warn)
    : renderer_(engine, sink, std::move(soundFolder)), warn_(std::move(warn)) {}

bool ScriptSpeaker::SpeakLine(std::string_view line, std::size_t lineNumber) {
    // The mark some editors put first says how the file is saved; spoken, it
    // would be a pause.
    if (lineNumber == 1 && line.starts_with(kUtf8Bom)) line.remove_prefix(kUtf8Bom.size());
    const WarningSink warn = [this, lineNumber](const std::string& what) {
        warn_("line " + std::to_string(lineNumber) + ": " + PrintableText(what));
    };
    const SegmentSink render = [this, &warn](const Segment& segment) {
        return renderer_.Render(segment, warn);
    };
    bool ok = true;
    const EventSink translate = [&](const ScriptEvent& event) {
        // After a failed output the rest of the line is only read, not rendered.
        ok = ok && translator_.Translate(event, render, warn);
    };
    parser_.ParseLine(line, translate, warn);
    return ok;
}

bool ScriptSpeaker::Finish() {
    return renderer_.Finish();
}

}  // namespace qvx::speak
