#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "common/FileAccess.h"

namespace qvx::speak {

// The folder the sound files of a script lie in, listed at the first look
// and again only when a name is not found and the folder has changed since:
// thousands of sounds played from a folder of thousands of files cost one
// listing, and a file added while the script is spoken is still found.
class SoundFolder {
  public:
    explicit SoundFolder(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }
    // As FolderFiles::Find.
    std::optional<std::string> Find(std::string_view name);

  private:
    std::string path_;
    std::optional<FolderFiles> files_;
    // The folder's modification time when it was listed.
    std::optional<std::pair<std::time_t, long>> listed_;
};

}  // namespace qvx::speak
