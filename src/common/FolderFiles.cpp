#include "common/FileAccess.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <vector>

#include "common/AsciiCase.h"
#include "common/ProgramPaths.h"

namespace qvx {

struct FolderFiles::Listing {
    // Lower-cased name to the names that fold to it, each with whether it is
    // a regular file (looked up once, at the first need).
    std::map<std::string, std::map<std::string, std::optional<bool>>, std::less<>> names;
    std::pair<long long, long long> changed;  // the folder's time of last change
};

namespace {

std::pair<long long, long long> ChangeTime(const std::string& folder) {
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0) return {-1, -1};
    return {status.st_mtim.tv_sec, status.st_mtim.tv_nsec};
}

}  // namespace

FolderFiles::FolderFiles(std::string folder) : folder_(std::move(folder)) {}
FolderFiles::~FolderFiles() = default;

void FolderFiles::List() {
    listing_ = std::make_unique<Listing>();
    listing_->changed = ChangeTime(folder_);
    if (DIR* folder = ::opendir(folder_.c_str())) {
        while (const dirent* entry = ::readdir(folder)) {
            const std::string entryName = entry->d_name;
            listing_->names[ToLowerAscii(entryName)].emplace(entryName, std::nullopt);
        }
        ::closedir(folder);
    }
}

std::optional<std::string> FolderFiles::Find(std::string_view name) {
    if (name.empty() || name.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos)
        return std::nullopt;
    if (!listing_) List();
    if (auto found = Look(name)) return found;
    // A file added since (a sound imported meanwhile) is found too; the
    // folder is listed again only when it changed.
    if (ChangeTime(folder_) == listing_->changed) return std::nullopt;
    List();
    return Look(name);
}

std::optional<std::string> FolderFiles::Look(std::string_view name) {
    const auto folded = listing_->names.find(ToLowerAscii(name));
    if (folded == listing_->names.end()) return std::nullopt;
    auto& candidates = folded->second;
    const auto isRegular = [this](const std::string& entryName, std::optional<bool>& known) {
        if (!known) {
            struct stat status {};
            const std::string path = JoinPath(folder_, entryName);
            known = ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
        }
        return *known;
    };
    // The exact spelling first, then the others in byte order.
    if (const auto exact = candidates.find(std::string(name));
        exact != candidates.end() && isRegular(exact->first, exact->second)) {
        return JoinPath(folder_, exact->first);
    }
    for (auto& [entryName, known] : candidates) {
        if (isRegular(entryName, known)) return JoinPath(folder_, entryName);
    }
    return std::nullopt;
}

std::optional<std::string> FindFileIgnoringCase(const std::string& folder, std::string_view name) {
    return FolderFiles(folder).Find(name);
}

}  // namespace qvx
