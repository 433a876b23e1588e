#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qvx {

// Outcome of a file write. `error` says in plain words what failed, ready to
// be shown to the user.
struct FileResult {
    bool ok = true;
    std::string error;

    static FileResult Success() { return {}; }
    static FileResult Failure(std::string message) { return {false, std::move(message)}; }
    explicit operator bool() const { return ok; }
};

inline constexpr std::string_view kLineEnd = "\r\n";

// Splits file bytes into lines: CR LF and a lone CR end a line, a lone LF
// stays inside its line, the last line needs no terminator, and empty content
// has no lines.
std::vector<std::string> SplitLines(std::string_view bytes);

// The whole file as bytes; nullopt when it cannot be opened.
std::optional<std::string> ReadWholeFile(const std::string& path);

// The file's lines as SplitLines gives them; nullopt when it cannot be opened.
std::optional<std::vector<std::string>> ReadLines(const std::string& path);

// Appends bytes at the end of the file, creating it when missing. Nothing is
// inserted before them: a last line without its line end is joined.
FileResult AppendToFile(const std::string& path, std::string_view bytes);

// Replaces the file's content atomically: a temporary file in the same folder
// is written and renamed over the old one, so a failure leaves the old file
// whole. A read-only target is refused, its permission bits are kept, and a
// symbolic link is written through to its target.
FileResult RewriteFile(const std::string& path, std::string_view bytes);

// Deletes the file; a missing file is no failure.
FileResult DeleteFileIfPresent(const std::string& path);

}  // namespace qvx
