#pragma once

#include <functional>
#include <string>

#include "speak/AudioSink.h"
#include "speak/SpeechEngine.h"
#include "speak/Timeline.h"

namespace qvx::speak {

using WarningSink = std::function<void(const std::string&)>;

// Renders the timeline segment by segment and hands each piece to the sink
// as soon as it is made, so playback starts with the first phrase. A sound
// file that cannot be read and a phrase the engine refuses are skipped with a
// warning; a failing sink ends the run. False with `error` set on failure.
bool Render(const Timeline& timeline, SpeechEngine& engine, AudioSink& sink,
            const std::string& soundFolder, const WarningSink& warn, std::string& error);

}  // namespace qvx::speak
