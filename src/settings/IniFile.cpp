#include "settings/IniFile.h"

#include <optional>
#include <vector>

namespace qvx {
namespace {

struct IniLayout {
    std::vector<std::string> lines;  // the non-empty lines, in order
    std::optional<std::size_t> section;
    std::optional<std::size_t> bound;  // last header after the section
    std::optional<std::size_t> keyLine;
};

bool IsHeader(const std::string& line) {
    return !line.empty() && line.front() == '[' && line.back() == ']';
}

IniLayout Locate(std::vector<std::string> allLines, const std::string& section,
                 const std::string& key) {
    IniLayout layout;
    for (auto& line : allLines) {
        if (!line.empty()) layout.lines.push_back(std::move(line));
    }
    const auto& lines = layout.lines;
    const std::string header = "[" + section + "]";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == header) layout.section = i;
    }
    if (!layout.section) return layout;

    for (std::size_t i = *layout.section + 1; i < lines.size(); ++i) {
        if (IsHeader(lines[i])) layout.bound = i;
    }
    const std::size_t end = layout.bound.value_or(lines.size());
    const std::string marker = key + "=";
    for (std::size_t i = *layout.section + 1; i < end; ++i) {
        if (lines[i].find(marker) != std::string::npos) layout.keyLine = i;
    }
    return layout;
}

std::string JoinWithLineEnds(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += line;
        bytes += kLineEnd;
    }
    return bytes;
}

}  // namespace

std::string ReadIniValue(const std::string& path, const std::string& section,
                         const std::string& key, const std::string& fallback) {
    auto lines = ReadLines(path);
    if (!lines) return fallback;
    const IniLayout layout = Locate(std::move(*lines), section, key);
    if (!layout.keyLine) return fallback;
    const std::string& line = layout.lines[*layout.keyLine];
    return line.substr(line.find('=') + 1);
}

FileResult WriteIniValue(const std::string& path, const std::string& section,
                         const std::string& key, const std::string& value) {
    const std::string keyLine = key + "=" + value;
    const auto existing = ReadWholeFile(path);
    IniLayout layout;
    if (existing) layout = Locate(SplitLines(*existing), section, key);

    if (!existing || !layout.section) {
        // A hand-edited file may lack its last line end: start on a line of
        // our own so its last value is not changed.
        std::string appended;
        if (existing && !existing->empty() && !existing->ends_with(kLineEnd)) appended += kLineEnd;
        appended += "[" + section + "]" + std::string(kLineEnd) + keyLine + std::string(kLineEnd);
        return AppendToFile(path, appended);
    }

    auto lines = std::move(layout.lines);
    if (layout.keyLine) {
        lines[*layout.keyLine] = keyLine;
    } else if (layout.bound) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*layout.bound), keyLine);
    } else {
        lines.push_back(keyLine);
    }
    return RewriteFile(path, JoinWithLineEnds(lines));
}

}  // namespace qvx
