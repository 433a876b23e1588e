#include "script/ScriptFile.h"

#include "common/AsciiCase.h"
#include "common/LineReader.h"

namespace qvx {

Result<void> AppendScriptLine(const ProgramPaths& paths, std::string_view text) {
    std::string line(text);
    line += kLineEnd;
    return AppendToFile(paths.script, line);
}

// The queries read the script a line at a time: a script of millions of lines
// costs no more than its longest line.

bool ScriptContains(const ProgramPaths& paths, std::string_view text, bool caseSensitive) {
    LineReader reader(paths.script);
    for (std::string_view line; reader.Next(line);) {
        if (ContainsText(line, text, caseSensitive)) return true;
    }
    return false;
}

int FindLastScriptLine(const ProgramPaths& paths, std::string_view text, bool caseSensitive) {
    LineReader reader(paths.script);
    int found = 0;
    for (std::string_view line; reader.Next(line);) {
        if (ContainsText(line, text, caseSensitive)) found = static_cast<int>(reader.LineNumber());
    }
    return found;
}

std::string ReadScriptLine(const ProgramPaths& paths, int lineNumber) {
    if (lineNumber < 1) return {};
    LineReader reader(paths.script);
    for (std::string_view line; reader.Next(line);) {
        if (reader.LineNumber() == static_cast<std::size_t>(lineNumber)) return std::string(line);
    }
    return {};
}

}  // namespace qvx
