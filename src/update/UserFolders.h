#pragma once

#include <string>

namespace qvx {

// A temporary folder that belongs to this user alone: the user's cache folder
// ($XDG_CACHE_HOME or ~/.cache, subfolder quillvox), made with mode 0700 when
// missing, or else a private 0700 folder made once per run under the system
// temporary folder. Never a fixed name shared by all users of /tmp.
std::string GetTempFolder();

// Where downloads for the user go: the XDG download folder (from the
// environment or ~/.config/user-dirs.dirs), else ~/Downloads, else the
// temporary folder above. Only existing folders are chosen.
std::string GetDownloadFolder();

}  // namespace qvx
