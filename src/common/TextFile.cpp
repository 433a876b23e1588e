#include "common/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace qvx {
namespace {

FileResult WriteFailure(const std::string& path, const std::string& reason) {
    return FileResult::Failure("could not write the file " + path + ": " + reason + ".");
}

}  // namespace

FileResult AppendToFile(const std::string& path, std::string_view bytes) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) {
        if (S_ISDIR(status.st_mode)) return WriteFailure(path, "is a folder");
        if (!S_ISREG(status.st_mode)) return WriteFailure(path, "is not a plain file");
        // A file its owner may not write is left alone, even by a user (such
        // as root) whom the system would let write anyway.
        if ((status.st_mode & S_IWUSR) == 0) return WriteFailure(path, "the file is read-only");
    }
    // Non-blocking, so a FIFO put in the file's place cannot hang the program.
    FileHandle file(::open(
        path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
    if (!file || ::fstat(file.get(), &status) != 0) return WriteFailure(path, std::strerror(errno));
    if (!S_ISREG(status.st_mode)) return WriteFailure(path, "is not a plain file");

    const off_t oldLength = status.st_size;
    std::string_view rest = bytes;
    while (!rest.empty()) {
        const ssize_t written = ::write(file.get(), rest.data(), rest.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) {
            const std::string reason = std::strerror(errno);
            // A half-written line would join the next command.
            if (::ftruncate(file.get(), oldLength) != 0) {
                return WriteFailure(path, reason + ", and its last line could not be removed");
            }
            return WriteFailure(path, reason);
        }
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
    if (::close(file.release()) != 0) {
        const std::string reason = std::strerror(errno);
        if (::truncate(path.c_str(), oldLength) != 0) {
            return WriteFailure(path, reason + ", and its last line could not be removed");
        }
        return WriteFailure(path, reason);
    }
    return FileResult::Success();
}

FileResult RewriteFile(const std::string& path, std::string_view bytes) {
    std::string error;
    auto replacement = ReplacementFile::Create(path, error);
    if (!replacement) return FileResult::Failure(error);
    if (FileResult written = replacement->Write(bytes); !written) return written;
    return replacement->Commit();
}

FileResult DeleteFileIfPresent(const std::string& path) {
    std::error_code ec;
    fs::remove(path, ec);
    if (ec)
        return FileResult::Failure("could not delete the file " + path + ": " + ec.message() + ".");
    return FileResult::Success();
}

}  // namespace qvx
