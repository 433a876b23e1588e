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
    // A UTF-8 byte-order mark at the start of line 1 is skipped.
    ScriptSpeaker(SpeechEngine& engine, AudioSink& sink, std::string soundFolder, WarningSink warn);

    // A failure only when the output failed.
    Result<void> SpeakLine(std::string_view line, std::size_t lineNumber);
    // Completes the output after the last line.
    Result<void> Finish();

  private:
    ScriptParser parser_;
    Translator translator_;
    Renderer renderer_;
    WarningSink warn_;
};

}  // namespace qvx::speak
