#include "script/ScriptFile.h"

#include "common/AsciiCase.h"

namespace qvx {

FileResult AppendScriptLine(const ProgramPaths& paths, std::string_view text) {
    std::string line(text);
    line += kLineEnd;
    return AppendToFile(paths.script, line);
}

bool ScriptContains(const ProgramPaths& paths, std::string_view text, bool caseSensitive) {
    const auto lines = ReadLines(paths.script);
    if (!lines) return false;
    for (const auto& line : *lines) {
        if (ContainsText(line, text, caseSensitive)) return true;
    }
    return false;
}

int FindLastScriptLine(const ProgramPaths& paths, std::string_view text, bool caseSensitive) {
    const auto lines = ReadLines(paths.script);
    if (!lines) return 0;
    int found = 0;
    for (std::size_t i = 0; i < lines->size(); ++i) {
        if (ContainsText((*lines)[i], text, caseSensitive)) found = static_cast<int>(i) + 1;
    }
    return found;
}

std::string ReadScriptLine(const ProgramPaths& paths, int lineNumber) {
    if (lineNumber < 1) return {};
    const auto lines = ReadLines(paths.script);
    if (!lines || static_cast<std::size_t>(lineNumber) > lines->size()) return {};
    return (*lines)[static_cast<std::size_t>(lineNumber) - 1];
}

}  // namespace qvx
