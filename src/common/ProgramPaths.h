#pragma once

#include <string>
#include <string_view>

namespace qvx {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// folder + separator + name, the way every file of the program is addressed.
std::string JoinPath(std::string_view folder, std::string_view name);

// The program folder (the folder of the running executable, without a
// trailing separator) and the files the program keeps in it.
struct ProgramPaths {
    std::string folder;
    std::string script;    // demo.txt, the working script
    std::string settings;  // settings.ini
    std::string errorLog;  // errors.log

    static ProgramPaths InFolder(std::string folder);
    std::string File(std::string_view name) const { return JoinPath(folder, name); }
};

}  // namespace qvx
