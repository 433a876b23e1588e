#include "common/FileExists.h"

#include <filesystem>

namespace qvx {

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    return std::filesystem::exists(path, ec) && !ec;
}

}  // namespace qvx
