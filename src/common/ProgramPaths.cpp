#include "common/ProgramPaths.h"

namespace qvx {

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    path += kPathSeparator;
    path += name;
    return path;
}

ProgramPaths ProgramPaths::InFolder(std::string folder) {
    while (folder.size() > 1 && folder.back() == kPathSeparator) folder.pop_back();
    ProgramPaths paths;
    paths.script = JoinPath(folder, "demo.txt");
    paths.settings = JoinPath(folder, "settings.ini");
    paths.errorLog = JoinPath(folder, "errors.log");
    paths.folder = std::move(folder);
    return paths;
}

}  // namespace qvx
