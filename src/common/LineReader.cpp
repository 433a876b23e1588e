#include "common/LineReader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/TextEncoding.h"

namespace qvx {
namespace {

constexpr std::size_t kFirstBuffer = std::size_t{1} << 16;

// Where the first line end in `text` begins, or npos.
std::size_t FindLineEnd(std::string_view text) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\r' || text[at] == '\n') return at;
    }
    return std::string_view::npos;
}

std::string_view LineEndAt(std::string_view text, std::size_t at) {
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') return "\r\n";
    return text[at] == '\r' ? "\r" : "\n";
}

}  // namespace

bool LineSplitter::Next(std::string_view& line) {
    if (rest_.empty()) return false;
    const std::size_t at = FindLineEnd(rest_);
    if (at == std::string_view::npos) {
        line = rest_;
        lineEnd_ = {};
        rest_ = {};
        return true;
    }
    line = rest_.substr(0, at);
    lineEnd_ = LineEndAt(rest_, at);
    rest_.remove_prefix(at + lineEnd_.size());
    return true;
}

LineReader::LineReader(const std::string& path) {
    Result<FileHandle> opened = OpenForReading(path);
    if (!opened) {
        status_ = Fail(opened.error());
        return;
    }
    file_ = std::move(*opened);
    // The first bytes tell the encoding, before any line is given.
    if (!Fill()) return;
    const std::string_view start(buffer_.data(), end_);
    mark_ = Utf8MarkOf(start);
    begin_ = mark_.size();
    if (const std::string_view refusal = EncodingRefusal(start); !refusal.empty())
        status_ = Fail(std::string(refusal));
}

bool LineReader::Fill() {
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size()) {
        if (buffer_.size() >= kLongestLine) {
            status_ = Fail("line " + std::to_string(lineNumber_ + 1) + " is longer than " +
                           std::to_string(kLongestLine >> 20) + " MB");
            return false;
        }
        buffer_.resize(buffer_.empty() ? kFirstBuffer : buffer_.size() * 2);
    }
    for (;;) {
        const ssize_t got = ::read(file_.get(), buffer_.data() + end_, buffer_.size() - end_);
        if (got > 0) {
            end_ += static_cast<std::size_t>(got);
            return true;
        }
        if (got == 0) {
            atEnd_ = true;
            return true;
        }
        if (errno != EINTR) {
            status_ = Fail(std::strerror(errno));
            return false;
        }
    }
}

bool LineReader::Next(std::string_view& line) {
    if (!status_) return false;
    for (;;) {
        const std::string_view unread(buffer_.data() + begin_, end_ - begin_);
        const std::size_t at = FindLineEnd(unread);
        // A CR at the very end of what was read may be the first half of CR LF.
        const bool complete = at != std::string_view::npos &&
                              (at + 1 < unread.size() || unread[at] == '\n' || atEnd_);
        if (complete) {
            line = unread.substr(0, at);
            lineEnd_ = LineEndAt(unread, at);
            begin_ += at + lineEnd_.size();
            ++lineNumber_;
            return true;
        }
        if (atEnd_) {
            if (unread.empty()) return false;
            line = unread;
            lineEnd_ = {};
            begin_ = end_;
            ++lineNumber_;
            return true;
        }
        if (!Fill()) return false;
    }
}

}  // namespace qvx
