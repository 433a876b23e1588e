#include "common/TextFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace qvx {
namespace {

std::string WriteFailure(const std::string& path, const std::string& reason) {
    return "could not write the file " + path + ": " + reason + ".";
}

std::string LastSystemError() {
    return std::strerror(errno);
}

// A file whose owner may not write it is left alone, even by a user (such as
// root) whom the system would let write anyway: the user marked it read-only.
bool IsMarkedReadOnly(const fs::path& path) {
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (ec || !fs::exists(status)) return false;
    return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

// Writes all bytes to an open stream and closes it; false on any failure.
bool WriteAndClose(std::FILE* file, std::string_view bytes) {
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool flushed = std::fflush(file) == 0;
    const bool closed = std::fclose(file) == 0;
    return written && flushed && closed;
}

fs::path ResolveLinks(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_symlink(path, ec)) return path;
    const auto target = fs::weakly_canonical(path, ec);
    return ec ? path : target;
}

}  // namespace

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r') continue;
        lines.emplace_back(bytes.substr(start, i - start));
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
    return lines;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    // Sized up front: a large script is then read without growing copies.
    std::string content;
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (!ec) content.reserve(static_cast<std::size_t>(size));
    char block[1 << 16];
    while (in.read(block, sizeof block) || in.gcount() > 0) content.append(block, in.gcount());
    if (in.bad()) return std::nullopt;
    return content;
}

std::optional<std::vector<std::string>> ReadLines(const std::string& path) {
    auto bytes = ReadWholeFile(path);
    if (!bytes) return std::nullopt;
    return SplitLines(*bytes);
}

FileResult AppendToFile(const std::string& path, std::string_view bytes) {
    if (IsMarkedReadOnly(path))
        return FileResult::Failure(WriteFailure(path, "the file is read-only"));
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (!file) return FileResult::Failure(WriteFailure(path, LastSystemError()));
    if (!WriteAndClose(file, bytes))
        return FileResult::Failure(WriteFailure(path, LastSystemError()));
    return FileResult::Success();
}

FileResult RewriteFile(const std::string& path, std::string_view bytes) {
    const fs::path target = ResolveLinks(path);
    if (IsMarkedReadOnly(target))
        return FileResult::Failure(WriteFailure(path, "the file is read-only"));

    fs::path temporary = target;
    temporary += ".qvx-new";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return FileResult::Failure(WriteFailure(path, LastSystemError()));
    if (!WriteAndClose(file, bytes)) {
        const std::string reason = LastSystemError();
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return FileResult::Failure(WriteFailure(path, reason));
    }

    std::error_code ec;
    const auto old = fs::status(target, ec);
    if (!ec && fs::exists(old)) fs::permissions(temporary, old.permissions(), ec);
    fs::rename(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return FileResult::Failure(WriteFailure(path, ec.message()));
    }
    return FileResult::Success();
}

FileResult DeleteFileIfPresent(const std::string& path) {
    std::error_code ec;
    fs::remove(path, ec);
    if (ec)
        return FileResult::Failure("could not delete the file " + path + ": " + ec.message() + ".");
    return FileResult::Success();
}

}  // namespace qvx
