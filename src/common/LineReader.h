#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/FileAccess.h"

namespace qvx {

// Text comes from editors of every platform: CR LF, a lone CR and a lone LF
// each end a line. The line end is not part of the line, a last line needs
// none, and empty text has no lines.

// The lines of text held in memory.
class LineSplitter {
  public:
    explicit LineSplitter(std::string_view text) : rest_(text) {}
    // The next line; false after the last one.
    bool Next(std::string_view& line);
    // The end of the line last given: "\r\n", "\r", "\n", or "" when it had none.
    std::string_view LineEnd() const { return lineEnd_; }

  private:
    std::string_view rest_;
    std::string_view lineEnd_;
};

// The lines of a file, read through one buffer that is reused from line to
// line, so a file of many lines costs no more memory than its longest line.
// The file is opened as OpenForReading does: a FIFO, a device or a folder is
// refused before anything is read. A UTF-8 byte-order mark is skipped, and a
// UTF-16 file is refused (see TextEncoding.h).
class LineReader {
  public:
    // A line longer than this is refused rather than held whole.
    static constexpr std::size_t kLongestLine = std::size_t{16} << 20;

    explicit LineReader(const std::string& path);

    // A failure when the file could not be opened or read.
    const Result<void>& status() const { return status_; }

    // The next line, valid until the next call; false at the end of the file
    // and on failure.
    bool Next(std::string_view& line);
    // The number of the line last given, from 1.
    std::size_t LineNumber() const { return lineNumber_; }
    // As LineSplitter::LineEnd.
    std::string_view LineEnd() const { return lineEnd_; }
    // The UTF-8 mark the file begins with, for a rewrite to keep; or "".
    std::string_view Utf8Mark() const { return mark_; }

  private:
    bool Fill();

    Result<void> status_;
    FileHandle file_;
    std::string buffer_;
    std::size_t begin_ = 0;  // unread bytes are buffer_[begin_, end_)
    std::size_t end_ = 0;
    bool atEnd_ = false;
    std::size_t lineNumber_ = 0;
    std::string_view lineEnd_;
    std::string_view mark_;
};

}  // namespace qvx
