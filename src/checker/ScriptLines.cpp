#include "checker/ScriptLines.h"

#include <algorithm>

#include "common/AsciiCase.h"

namespace qvx {

bool ScriptLineReader::Next(ScriptLine& line) {
    std::string_view raw;
    if (!reader_.Next(raw)) return false;
    if (reader_.LineNumber() == 1 && !reader_.LineEnd().empty()) lineEnd_ = reader_.LineEnd();
    lowered_.assign(raw);
    for (char& c : lowered_) c = ToLowerAscii(c);
    line.text = lowered_;
    line.number = reader_.LineNumber();
    line.kind = ClassifyLine(lowered_);
    return true;
}

LineKind ClassifyLine(std::string_view line) {
    if (IsAllSpaces(line)) return LineKind::Blank;
    if (line.starts_with("[:")) return LineKind::Command;
    return LineKind::String;
}

bool IsAllSpaces(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

std::int32_t CountOccurrences(std::string_view text, std::string_view part) {
    if (part.empty()) return 0;
    std::int32_t count = 0;
    for (std::size_t at = text.find(part); at != std::string_view::npos;
         at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

}  // namespace qvx
