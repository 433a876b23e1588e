#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/Result.h"

namespace qvx {

// The settings file as lines, blank lines not counted. The section is the
// last line that is exactly "[section]"; it runs to the last header line
// ("[" ... "]") after it, or to the end; a key's line is the last line there
// that contains "key=" anywhere; its value is the rest of that line after its
// first "=", untrimmed. The file is read line by line, once for any number of
// keys.

// The stored values of `keys` in `section`, in the order asked; nullopt where
// a key (or the section, or the file) is missing or cannot be read.
std::vector<std::optional<std::string>> ReadIniValues(const std::string& path,
                                                      const std::string& section,
                                                      std::span<const std::string> keys);

// The stored value of `key` in `section`, or `fallback`.
std::string ReadIniValue(const std::string& path, const std::string& section,
                         const std::string& key, const std::string& fallback);

// Stores the value, creating the file, section or key line as needed. The
// file is rewritten whole (without its blank lines, every line ending in
// CR LF) when it has the section, and appended to when it does not. A file
// that exists but cannot be read (a line too long, UTF-16) is refused.
Result<void> WriteIniValue(const std::string& path, const std::string& section,
                           const std::string& key, const std::string& value);

}  // namespace qvx
