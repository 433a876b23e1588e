#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/FileAccess.h"
#include "common/Result.h"

namespace qvx {

// What the program writes after every line.
inline constexpr std::string_view kLineEnd = "\r\n";

// Appends bytes at the end of the file, creating it when missing. Nothing is
// inserted before them: a last line without its line end is joined. Only a
// regular file is appended to; a read-only one and a UTF-16 one are refused; and a write that
// fails part way cuts the file back to its old length, so no half line stays.
Result<void> AppendToFile(const std::string& path, std::string_view bytes);

// Replaces the file's content atomically (see ReplacementFile): a failure
// leaves the old file whole. A UTF-8 mark the file began with is kept.
Result<void> RewriteFile(const std::string& path, std::string_view bytes);

// Deletes the file; a missing file is no failure.
Result<void> DeleteFileIfPresent(const std::string& path);

}  // namespace qvx
