#pragma once

#include <functional>
#include <string_view>

#include "speak/Script.h"
#include "speak/Warnings.h"

namespace qvx::speak {

using EventSink = std::function<void(const ScriptEvent&)>;

// Reads a script one line at a time; phoneme mode carries over from line to
// line. Command names and option words match by unique abbreviation ("[:ra]"
// is "[:rate]", an exact name always wins), case ignored, and a number may
// follow the name directly ("[:rate100]"). A command never spans lines.
class ScriptParser {
  public:
    // The events of one line (without its line end), in order; whatever
    // cannot be understood is skipped with one warning.
    void ParseLine(std::string_view line, const EventSink& emit, const WarningSink& warn);

  private:
    bool phonemeMode_ = false;
};

}  // namespace qvx::speak
