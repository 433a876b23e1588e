#include "common/ProgramPaths.h"

namespace qvx {
namespace {

std::string WithoutTrailingSeparators(std::string folder) {
    while (folder.size() > 1 && folder.back() == kPathSeparator) folder.pop_back();
    return folder;
}

}  // namespace

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    path += kPathSeparator;
    path += name;
    return path;
}

ProgramPaths ProgramPaths::InFolder(std::string folder) {
    std::string working = folder;
    return InFolders(std::move(folder), std::move(working));
}

ProgramPaths ProgramPaths::InFolders(std::string program, std::string working) {
    ProgramPaths paths;
    paths.program = WithoutTrailingSeparators(std::move(program));
    paths.folder = WithoutTrailingSeparators(std::move(working));
    paths.script = JoinPath(paths.folder, "demo.txt");
    paths.settings = JoinPath(paths.folder, "settings.ini");
    paths.errorLog = JoinPath(paths.folder, "errors.log");
    return paths;
}

}  // namespace qvx
