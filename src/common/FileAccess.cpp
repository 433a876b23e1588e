#include "common/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace qvx {
namespace {

std::string SystemReason(int code) {
    return code == ENOENT ? "no such file" : std::strerror(code);
}

}  // namespace

std::string RefusalFor(unsigned mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return "is a folder";
    return "is not a plain file";
}

std::string RefusalToWrite(unsigned mode) {
    if (std::string refusal = RefusalFor(mode); !refusal.empty()) return refusal;
    // A file its owner may not write is left alone, even by a user (such as
    // root) whom the system would let write anyway.
    if ((mode & S_IWUSR) == 0) return "the file is read-only";
    return {};
}

std::string WriteFailure(const std::string& path, const std::string& reason) {
    return "could not write the file " + path + ": " + reason + ".";
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.release();
    }
    return *this;
}

FileHandle::~FileHandle() {
    if (fd_ >= 0) ::close(fd_);
}

int FileHandle::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

Result<FileHandle> OpenForReading(const std::string& path) {
    // Looked at before opening: opening a FIFO or a device can block or act.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return Fail(SystemReason(errno));
    if (std::string refusal = RefusalFor(status.st_mode); !refusal.empty()) return Fail(refusal);
    FileHandle file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file) return Fail(SystemReason(errno));
    // The path may have been swapped in between: what was opened decides.
    if (::fstat(file.get(), &status) != 0) return Fail(SystemReason(errno));
    if (std::string refusal = RefusalFor(status.st_mode); !refusal.empty()) return Fail(refusal);
    return file;
}

Result<std::string> ReadWholeFile(const std::string& path) {
    const Result<FileHandle> file = OpenForReading(path);
    if (!file) return Fail(file.error());
    std::string content;
    struct stat status {};
    if (::fstat(file->get(), &status) == 0 && status.st_size > 0)
        content.reserve(static_cast<std::size_t>(status.st_size));
    char block[1 << 16];
    for (;;) {
        const ssize_t got = ::read(file->get(), block, sizeof block);
        if (got > 0) {
            content.append(block, static_cast<std::size_t>(got));
        } else if (got == 0) {
            return content;
        } else if (errno != EINTR) {
            return Fail(std::strerror(errno));
        }
    }
}

}  // namespace qvx
