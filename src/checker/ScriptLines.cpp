#include "checker/ScriptLines.h"

#include <algorithm>

#include "common/TextFile.h"

namespace qvx {
namespace {

// CRs and CR LF pairs, each counted in a loop the compiler can vectorise: the
// script has lone CRs exactly when the counts differ.
struct BreakCounts {
    std::size_t carriageReturns = 0;
    std::size_t pairs = 0;
};

BreakCounts CountBreaks(std::string_view text) {
    BreakCounts counts;
    if (text.empty()) return counts;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        counts.carriageReturns += text[i] == '\r';
        counts.pairs += (text[i] == '\r') & (text[i + 1] == '\n');
    }
    counts.carriageReturns += text.back() == '\r';
    return counts;
}

// The file's lines each followed by CR LF: a lone CR becomes CR LF, and a
// last line without its terminator gains one. Most files need no more than
// that last CR LF, so their bytes are kept where they are.
std::string WithLineBreaks(std::string bytes, std::size_t& lineCount) {
    const BreakCounts counts = CountBreaks(bytes);
    // Every CR ends a line, and so may the end of the text.
    lineCount = counts.carriageReturns + 1;
    std::string text;
    if (counts.carriageReturns == counts.pairs) {
        text = std::move(bytes);
    } else {
        text.reserve(bytes.size() + (counts.carriageReturns - counts.pairs) + kLineEnd.size());
        for (std::size_t start = 0; start < bytes.size();) {
            const std::size_t cr = std::min(bytes.find('\r', start), bytes.size());
            text.append(bytes, start, cr - start);
            if (cr == bytes.size()) break;
            text += kLineEnd;
            start = cr + ((cr + 1 < bytes.size() && bytes[cr + 1] == '\n') ? 2 : 1);
        }
    }
    if (!text.empty() && !text.ends_with(kLineEnd)) text += kLineEnd;
    return text;
}

// ToLowerAscii's rule, written out so that the loop over a whole script is
// vectorised rather than a call per byte.
void LowerAsciiInPlace(std::string& text) {
    for (char& c : text) c = static_cast<char>(c + ((c >= 'A' && c <= 'Z') ? 'a' - 'A' : 0));
}

}  // namespace

ScriptLines::ScriptLines(std::string text) : text_(std::move(text)) {
    FindStarts(CountBreaks(text_).pairs + 1);
}

ScriptLines::ScriptLines(std::string text, std::size_t expectedLines) : text_(std::move(text)) {
    FindStarts(expectedLines);
}

void ScriptLines::FindStarts(std::size_t expectedLines) {
    if (text_.empty()) return;
    starts_.reserve(expectedLines);
    starts_.push_back(0);
    const std::string_view all = text_;
    for (std::size_t at = all.find('\r'); at != all.npos; at = all.find('\r', at + 1)) {
        if (at + 1 == all.size() || all[at + 1] != '\n') continue;
        starts_.push_back(at + kLineEnd.size());
        ++at;
    }
}

std::string ScriptLines::TakeText() && {
    starts_.clear();
    return std::move(text_);
}

std::string_view ScriptLines::operator[](std::size_t index) const {
    const std::size_t start = starts_[index];
    const std::size_t end =
        index + 1 < starts_.size() ? starts_[index + 1] - kLineEnd.size() : text_.size();
    return std::string_view(text_).substr(start, end - start);
}

std::optional<ScriptLines> LoadScriptLines(const std::string& path, bool dropFinalBreak) {
    auto bytes = ReadWholeFile(path);
    if (!bytes) return std::nullopt;
    std::size_t lineCount = 0;
    std::string text = WithLineBreaks(std::move(*bytes), lineCount);
    if (dropFinalBreak)
        text.resize(text.size() >= kLineEnd.size() ? text.size() - kLineEnd.size() : 0);
    LowerAsciiInPlace(text);
    return ScriptLines(std::move(text), lineCount);
}

LineKind ClassifyLine(std::string_view line) {
    if (line == "\r\n" || line == "\r" || line == "\n" || IsAllSpaces(line)) return LineKind::Blank;
    if (line.starts_with("[:")) return LineKind::Command;
    return LineKind::String;
}

std::vector<LineKind> ClassifyScriptLines(const ScriptLines& lines) {
    std::vector<LineKind> kinds;
    kinds.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) kinds.push_back(ClassifyLine(lines[i]));
    return kinds;
}

std::string RemoveRight(std::string_view text, std::int32_t count) {
    if (count <= 0) return std::string(text);
    const auto removed = std::min<std::size_t>(static_cast<std::size_t>(count), text.size());
    return std::string(text.substr(0, text.size() - removed));
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
