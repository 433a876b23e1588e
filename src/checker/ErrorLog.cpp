#include "checker/ErrorLog.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/TextFile.h"
#include "common/UserPrompts.h"

namespace qvx {

namespace {

// The log is made anew by every check: whatever has the name now (an old log,
// or a link or FIFO put in its place) is removed rather than written through
// or waited on, and a fresh file is made.
std::FILE* CreateFresh(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) return nullptr;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    std::FILE* file = ::fdopen(fd, "wb");
    if (!file) ::close(fd);
    return file;
}

}  // namespace

ErrorLog::ErrorLog(std::string path, UserPrompts& prompts)
    : path_(std::move(path)), prompts_(prompts), file_(CreateFresh(path_)) {
    if (!file_) Fail();
}

ErrorLog::~ErrorLog() {
    if (file_) std::fclose(file_);
}

void ErrorLog::Append(std::string_view entry) {
    if (!file_) return;
    const bool written = std::fwrite(entry.data(), 1, entry.size(), file_) == entry.size() &&
                         std::fwrite(kLineEnd.data(), 1, kLineEnd.size(), file_) == kLineEnd.size();
    // Flushed at once: the entry is in the file by the time the next box shows.
    if (!written || std::fflush(file_) != 0) Fail();
}

void ErrorLog::Close() {
    if (!file_) return;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!closed) Fail();
}

void ErrorLog::Remove() {
    Close();
    prompts_.Succeeded(DeleteFileIfPresent(path_));
}

void ErrorLog::Fail() {
    const std::string reason = std::strerror(errno);
    if (file_) std::fclose(file_);
    file_ = nullptr;
    if (failed_) return;
    failed_ = true;
    prompts_.ReportFailure(WriteFailure(path_, reason));
}

}  // namespace qvx
