#include "update/UserFolders.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "common/LineReader.h"
#include "common/ProgramPaths.h"
#include "update/Version.h"

namespace qvx {
namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// A folder we may keep temporary files in: a real directory (not a link
// someone planted), ours, and closed to everybody else.
bool IsPrivateFolder(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid() &&
           (info.st_mode & 077) == 0;
}

std::string CacheFolder() {
    std::string base = Env("XDG_CACHE_HOME");
    if (base.empty() || base.front() != '/') {
        const std::string home = Env("HOME");
        if (home.empty()) return {};
        base = home + "/.cache";
    }
    std::error_code ignored;
    std::filesystem::create_directories(base, ignored);
    const std::string folder = JoinPath(base, kProgramFileStem);
    mkdir(folder.c_str(), 0700);  // an existing folder is checked below
    return IsPrivateFolder(folder) ? folder : std::string();
}

std::string PrivateSystemTempFolder() {
    // Made once per run, so repeated checks do not leave a trail of folders.
    static const std::string folder = [] {
        std::error_code ec;
        std::filesystem::path base = std::filesystem::temp_directory_path(ec);
        if (ec) base = "/tmp";
        std::string pattern = (base / (std::string(kProgramFileStem) + "-XXXXXX")).string();
        return mkdtemp(pattern.data()) ? pattern : std::string();
    }();
    return folder;
}

// The XDG_DOWNLOAD_DIR entry of user-dirs.dirs, e.g. XDG_DOWNLOAD_DIR="$HOME/Downloads".
std::string DownloadDirFromUserDirs(const std::string& home) {
    std::string config = Env("XDG_CONFIG_HOME");
    if (config.empty()) config = home + "/.config";
    constexpr std::string_view kKey = "XDG_DOWNLOAD_DIR=";
    LineReader reader(config + "/user-dirs.dirs");
    for (std::string_view line; reader.Next(line);) {
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        if (!line.starts_with(kKey)) continue;
        line.remove_prefix(kKey.size());
        while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
        if (line.size() >= 2 && line.front() == '"' && line.back() == '"') {
            line = line.substr(1, line.size() - 2);
        }
        if (line.starts_with("$HOME")) return home + std::string(line.substr(5));
        return std::string(line);
    }
    return {};
}

}  // namespace

std::string GetTempFolder() {
    std::string folder = CacheFolder();
    return folder.empty() ? PrivateSystemTempFolder() : folder;
}

std::string GetDownloadFolder() {
    const std::string home = Env("HOME");
    std::string xdg = Env("XDG_DOWNLOAD_DIR");
    if (xdg.empty() && !home.empty()) xdg = DownloadDirFromUserDirs(home);
    if (IsDirectory(xdg)) return xdg;
    if (!home.empty() && IsDirectory(home + "/Downloads")) return home + "/Downloads";
    return GetTempFolder();
}

}  // namespace qvx
