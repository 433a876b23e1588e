#pragma once

#include <cstdint>
#include <string>

#include "common/ProgramState.h"
#include "common/UserPrompts.h"
#include "script/Writers.h"

namespace qvx {

// The commands of the main window that write to the working script at once,
// without a dialog of their own.

// Confirms the voice ("switching to paul.") and appends its command.
void ChooseVoice(const ProgramPaths& paths, UserPrompts& prompts, const Voice& voice);

// Announces and appends the gender that NextGender names, then flips it.
void ToggleGender(ProgramState& state, UserPrompts& prompts);

// Asks for a line of text and appends it in lower case (Cancel appends an
// empty line).
void WriteLineOfText(const ProgramPaths& paths, UserPrompts& prompts);

// Asks for the name of a wave file in the program folder and appends its play
// command; once it is written, the "clear data now" item is due.
Refresh ImportSound(const ProgramPaths& paths, UserPrompts& prompts);

// After a Yes, leaves the working script present and empty.
void ClearScript(const ProgramPaths& paths, UserPrompts& prompts);

}  // namespace qvx
