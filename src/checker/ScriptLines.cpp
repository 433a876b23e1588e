#include "checker/ScriptLines.h"

#include <algorithm>

#include "common/AsciiCase.h"
#include "common/TextFile.h"

namespace qvx {
namespace {

// The file's lines each followed by CR LF: a lone CR becomes CR LF, and a
// last line without its terminator gains one. Most files need no more than
// that last CR LF, so the bytes are copied in runs between carriage returns.
std::string WithLineBreaks(std::string bytes) {
    std::size_t loneCr = 0;
    while ((loneCr = bytes.find('\r', loneCr)) != std::string::npos && loneCr + 1 < bytes.size() &&
           bytes[loneCr + 1] == '\n') {
        loneCr += 2;
    }
    std::string text;
    if (loneCr == std::string::npos) {
        text = std::move(bytes);
    } else {
        text.reserve(bytes.size() + bytes.size() / 8);
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

}  // namespace

ScriptLines::ScriptLines(std::string text) : text_(std::move(text)) {
    if (text_.empty()) return;
    // Every line end is a CR LF here, so the CRs count the lines.
    starts_.reserve(static_cast<std::size_t>(std::count(text_.begin(), text_.end(), '\r')) + 1);
    starts_.push_back(0);
    for (std::size_t at = text_.find(kLineEnd); at != std::string::npos;
         at = text_.find(kLineEnd, at + kLineEnd.size())) {
        starts_.push_back(at + kLineEnd.size());
    }
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
    std::string text = WithLineBreaks(std::move(*bytes));
    if (dropFinalBreak)
        text.resize(text.size() >= kLineEnd.size() ? text.size() - kLineEnd.size() : 0);
    for (char& c : text) c = ToLowerAscii(c);
    return ScriptLines(std::move(text));
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
