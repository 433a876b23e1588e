#include "common/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "common/TextEncoding.h"

namespace fs = std::filesystem;

namespace qvx {

Result<void> AppendToFile(const std::string& path, std::string_view bytes) {
    const auto failure = [&path](const std::string& reason) {
        return Fail(WriteFailure(path, reason));
    };
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) {
        if (const std::string refusal = RefusalToWrite(status.st_mode); !refusal.empty())
            return failure(refusal);
    }
    // Bytes added to UTF-16 text would be garbage in it.
    if (const std::string_view refusal = EncodingRefusal(FirstBytes(path, 2)); !refusal.empty())
        return failure(std::string(refusal));
    // Non-blocking, so a FIFO put in the file's place cannot hang the program.
    FileHandle file(::open(
        path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
    if (!file || ::fstat(file.get(), &status) != 0) return failure(std::strerror(errno));
    if (const std::string refusal = RefusalFor(status.st_mode); !refusal.empty())
        return failure(refusal);

    const off_t oldLength = status.st_size;
    std::string reason;
    if (!WriteAll(file.get(), bytes) || ::close(file.release()) != 0) {
        reason = std::strerror(errno);
    }
    if (reason.empty()) return Result<void>{};
    // A half-written line would join the next command.
    const int cut = file ? ::ftruncate(file.get(), oldLength) : ::truncate(path.c_str(), oldLength);
    if (cut != 0) return failure(reason + ", and its last line could not be removed");
    return failure(reason);
}

Result<void> RewriteFile(const std::string& path, std::string_view bytes) {
    Result<ReplacementFile> replacement = ReplacementFile::Create(path);
    if (!replacement) return Fail(replacement.error());
    // A new text for a file saved with a UTF-8 mark keeps the mark.
    const bool marked = !Utf8MarkOf(bytes).empty();
    Result<void> written = replacement->Write(marked ? "" : Utf8MarkOf(FirstBytes(path, 3)));
    if (written) written = replacement->Write(bytes);
    if (!written) return written;
    return replacement->Commit();
}

Result<void> DeleteFileIfPresent(const std::string& path) {
    std::error_code ec;
    fs::remove(path, ec);
    if (ec) return Fail("could not delete the file " + path + ": " + ec.message() + ".");
    return Result<void>{};
}

}  // namespace qvx
