#pragma once

#include <string>
#include <string_view>

#include "common/ProgramPaths.h"
#include "common/TextFile.h"

namespace qvx {

// Appends one line, the text and CR LF, to the working script, creating it
// when missing. Nothing goes before the text: a last line that lacks its line
// end is joined.
Result<void> AppendScriptLine(const ProgramPaths& paths, std::string_view text);

// Read-only queries over the working script. Without `caseSensitive` the
// text and each line are compared in ASCII lower case.
bool ScriptContains(const ProgramPaths& paths, std::string_view text, bool caseSensitive);
// Number (from 1) of the last line containing the text; 0 when none does or
// the script is missing.
int FindLastScriptLine(const ProgramPaths& paths, std::string_view text, bool caseSensitive);
// Line n exactly as stored, without its line end; empty for n below 1, past
// the last line, or a missing script.
std::string ReadScriptLine(const ProgramPaths& paths, int lineNumber);

}  // namespace qvx
