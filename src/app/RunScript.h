#pragma once

#include <string>

#include "common/Launcher.h"
#include "common/ProgramState.h"
#include "common/UserPrompts.h"

namespace qvx {

// The speaking program beside quillvox in the program folder.
#ifdef _WIN32
inline constexpr const char* kSpeakingProgram = "speak43.exe";
#else
inline constexpr const char* kSpeakingProgram = "speak43";
#endif

inline constexpr const char* kCannotRunMessage =
    "Cannot run external program. Speak43.exe cannot be found.";

// Runs the working script: checks it first while CheckBeforeRun is on (and
// stops when it did not pass), then starts the speaking program of the program
// folder detached, with no arguments, in the working folder, where the script
// and its sound files are. A check that found the script asks for a refresh.
[[nodiscard]] Refresh RunScript(ProgramState& state, UserPrompts& prompts, Launcher& launcher);

}  // namespace qvx
