#include "common/WorkingFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "common/Result.h"

namespace qvx {
namespace {

constexpr std::string_view kWorkingFolderName = "quillvox";

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Makes the folder and each missing folder above it, private to the user as
// the XDG rules ask; folders that exist are left as they are.
Result<void> MakePrivateFolders(const std::string& folder) {
    for (std::size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
        const std::string part = folder.substr(0, end);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return Fail("the folder " + part + " cannot be made: " + std::strerror(errno));
        if (end == std::string::npos) break;
    }
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return Fail(folder + " is not a folder");
    return {};
}

}  // namespace

UserDataHome UserDataHome::FromEnvironment() {
    return {Env("XDG_DATA_HOME"), Env("HOME")};
}

std::string UserDataHome::Folder() const {
    std::string folder;
    if (xdgDataHome.starts_with('/')) {
        folder = xdgDataHome;
    } else if (home.starts_with('/')) {
        folder = JoinPath(home, ".local/share");
    }
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

bool CanWriteFolder(const std::string& folder) {
    return faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

PathsChoice ChooseProgramPaths(const std::string& programFolder, const UserDataHome& dataHome,
                               const WritableProbe& canWrite) {
    PathsChoice choice{ProgramPaths::InFolder(programFolder), {}};
    if (canWrite(choice.paths.program)) return choice;
    const std::string cannotWrite = "your files cannot be kept: the program folder " +
                                    choice.paths.program + " cannot be written to, and ";
    const std::string base = dataHome.Folder();
    if (base.empty()) {
        choice.error = cannotWrite + "neither XDG_DATA_HOME nor HOME names a folder for them.";
        return choice;
    }
    const std::string working = JoinPath(base, kWorkingFolderName);
    if (const Result<void> made = MakePrivateFolders(working); !made) {
        choice.error = cannotWrite + made.error() + ".";
        return choice;
    }
    choice.paths = ProgramPaths::InFolders(choice.paths.program, working);
    return choice;
}

}  // namespace qvx
