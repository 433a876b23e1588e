#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qvx {

// Lines held in one buffer, so that a script of a million lines costs little
// more than its own size.
class ScriptLines {
  public:
    // `text` holds the lines separated by CR LF; empty text has no lines.
    explicit ScriptLines(std::string text);
    // The same, for a caller that already knows about how many lines the
    // text holds, so that it need not be counted again.
    ScriptLines(std::string text, std::size_t expectedLines);

    std::size_t size() const { return starts_.size(); }
    bool empty() const { return starts_.empty(); }
    std::string_view operator[](std::size_t index) const;
    // Where the line starts in text().
    std::size_t Offset(std::size_t index) const { return starts_[index]; }
    // All lines joined by CR LF, as loaded.
    std::string_view text() const { return text_; }
    // Hands the text over and leaves no lines.
    std::string TakeText() &&;

  private:
    void FindStarts(std::size_t expectedLines);

    std::string text_;
    std::vector<std::size_t> starts_;
};

enum class LineKind { Blank, Command, String };

// Reads the script: CR LF and a lone CR end a line, a lone LF stays in its
// line. Every line gets a CR LF; `dropFinalBreak` removes the last one, so
// without it a file of n lines gives n + 1 lines, the last one empty. ASCII
// letters are lower-cased, every other byte is kept. nullopt when the file
// cannot be read.
std::optional<ScriptLines> LoadScriptLines(const std::string& path, bool dropFinalBreak);

// Blank (empty, a lone line-end character, or spaces only), command (begins
// with "[:") or string (text to be spoken).
LineKind ClassifyLine(std::string_view line);
std::vector<LineKind> ClassifyScriptLines(const ScriptLines& lines);

// The text without its last `count` characters; unchanged for a count of 0
// or less, empty when the count reaches the length.
std::string RemoveRight(std::string_view text, std::int32_t count);
// True when every character is a space (U+0020); the empty text included.
bool IsAllSpaces(std::string_view text);
// Occurrences of `part` in `text`, counted from the left without overlap; 0
// for an empty part.
std::int32_t CountOccurrences(std::string_view text, std::string_view part);

}  // namespace qvx
