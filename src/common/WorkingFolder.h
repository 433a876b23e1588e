#pragma once

#include <functional>
#include <string>

#include "common/ProgramPaths.h"

namespace qvx {

// The user's data folder as the XDG rules give it: $XDG_DATA_HOME when it is
// an absolute path (a relative one is ignored), else $HOME/.local/share.
struct UserDataHome {
    std::string xdgDataHome;
    std::string home;

    static UserDataHome FromEnvironment();
    // Empty when neither variable names an absolute folder.
    std::string Folder() const;
};

// True when this process may make files in the folder.
using WritableProbe = std::function<bool(const std::string& folder)>;
bool CanWriteFolder(const std::string& folder);

struct PathsChoice {
    ProgramPaths paths;
    std::string error;  // why no working folder could be had; paths then keep the program folder
};

// Where the working files live: in the program folder when the user can write
// to it (a built folder, a USB stick, a copy in the home), else in the user's
// data folder under "quillvox", made with mode 0700 on first use (a system-wide
// install). readme.txt and the companion programs always come from the
// program folder.
PathsChoice ChooseProgramPaths(const std::string& programFolder, const UserDataHome& dataHome,
                               const WritableProbe& canWrite = CanWriteFolder);

}  // namespace qvx
