#pragma once

#include <string>

#include "common/TextFile.h"

namespace qvx {

// The stored value of `key` in `section`, or `fallback`. The section is the
// last header line equal to "[section]"; it runs to the last header after it;
// the key line is the last one there containing "key="; the value is the rest
// of that line after its first "=", untrimmed. Any read failure gives the
// fallback.
std::string ReadIniValue(const std::string& path, const std::string& section,
                         const std::string& key, const std::string& fallback);

// Stores the value, creating the file, section or key line as needed. The
// file is rewritten whole (without its blank lines) when it has the section,
// and appended to when it does not.
FileResult WriteIniValue(const std::string& path, const std::string& section,
                         const std::string& key, const std::string& value);

}  // namespace qvx
