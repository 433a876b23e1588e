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
// trailing separator), which holds readme.txt and the companion programs, and
// the working folder, which holds the files the program writes. They are the
// same folder unless the user cannot write to the program folder.
struct ProgramPaths {
    std::string program;   // the program folder
    std::string folder;    // the working folder, also for imported sound files
    std::string script;    // demo.txt, the working script
    std::string settings;  // settings.ini
    std::string errorLog;  // errors.log

    static ProgramPaths InFolder(std::string folder);
    static ProgramPaths InFolders(std::string program, std::string working);
    // A file of the working folder.
    std::string File(std::string_view name) const { return JoinPath(folder, name); }
    // A file that comes with the program.
    std::string ProgramFile(std::string_view name) const { return JoinPath(program, name); }
};

}  // namespace qvx
