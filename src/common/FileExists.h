#pragma once

#include <string>

namespace qvx {

// True when the path names an existing file or folder (hidden ones too);
// false for an empty, malformed or missing path and on any other failure.
bool FileExists(const std::string& path);

}  // namespace qvx
