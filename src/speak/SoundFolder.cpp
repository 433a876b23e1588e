#include "speak/SoundFolder.h"

#include <sys/stat.h>

namespace qvx::speak {
namespace {

std::optional<std::pair<time_t, long>> ModificationTime(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    return std::pair{status.st_mtim.tv_sec, status.st_mtim.tv_nsec};
}

}  // namespace

std::optional<std::string> SoundFolder::Find(std::string_view name) {
    if (files_) {
        if (std::optional<std::string> found = files_->Find(name)) return found;
        if (ModificationTime(path_) == listed_) return std::nullopt;
    }
    // Taken before the listing, so that a change made while it is read shows
    // at the next name not found.
    listed_ = ModificationTime(path_);
    files_.emplace(path_);
    return files_->Find(name);
}

}  // namespace qvx::speak
