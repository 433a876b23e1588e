#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/LineReader.h"

namespace qvx {

enum class LineKind { Blank, Command, String };

// One line of the script as the full check and the corrector see it.
struct ScriptLine {
    std::string_view text;   // ASCII letters lower-cased, every other byte kept
    std::size_t number = 0;  // from 1
    LineKind kind = LineKind::Blank;
};

// Loads the script for the full check and the corrector, a line at a time:
// lines end at CR LF, a lone CR or a lone LF, and each is lower-cased and
// classified as it is read. The empty line that follows the last one for the
// full check is blank and never examined, so it is not given.
class ScriptLineReader {
  public:
    explicit ScriptLineReader(const std::string& path) : reader_(path) {}

    const Result<void>& status() const { return reader_.status(); }
    bool Next(ScriptLine& line);
    // The line end the script uses: that of its first line, CR LF when that
    // line has none (then it is the only line).
    std::string_view LineEnd() const { return lineEnd_; }
    std::string_view Utf8Mark() const { return reader_.Utf8Mark(); }

  private:
    LineReader reader_;
    std::string lowered_;
    std::string_view lineEnd_ = "\r\n";
};

// Blank (empty or spaces only), command (begins with "[:") or string (text to
// be spoken).
LineKind ClassifyLine(std::string_view line);

// True when every character is a space (U+0020); the empty text included.
bool IsAllSpaces(std::string_view text);
// Occurrences of `part` in `text`, counted from the left without overlap; 0
// for an empty part.
std::int32_t CountOccurrences(std::string_view text, std::string_view part);

}  // namespace qvx
