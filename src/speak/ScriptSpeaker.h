#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "speak/AudioSink.h"
#include "speak/Renderer.h"
#include "speak/ScriptParser.h"
#include "speak/SpeechEngine.h"
#include "speak/Translator.h"
#include "speak/Warnings.h"

namespace qvx::speak {

// A script spoken one line at a time: each line is parsed, translated and
// rendered before the next is read, so memory stays that of one line
// whatever the length of the script.
class ScriptSpeaker {
  public:
    // Warnings go to `warn` as "line N: what", with control bytes escaped.
    ScriptSpeaker(SpeechEngine& engine, AudioSink& sink, std::string soundFolder, WarningSink warn);

    // False when the output failed; error() then says why.
    bool SpeakLine(std::string_view line, std::size_t lineNumber);
    // Completes the output after the last line.
    bool Finish();
    std::string error() const { return renderer_.error(); }

  private:
    ScriptParser parser_;
    Translator translator_;
    Renderer renderer_;
    WarningSink warn_;
};

}  // namespace qvx::speak
