#pragma once

#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

namespace qvx {

inline constexpr std::string_view kProgramUsage =
    "Usage: quillvox [--help] [--version]\n"
    "Quillvox is a keyboard-driven editor for DECtalk speech scripts. It opens\n"
    "its window on the desktop and takes no files on the command line.\n"
    "\n"
    "The working files (demo.txt, settings.ini, errors.log and imported sound\n"
    "files) are kept in the program folder when you can write to it, else in\n"
    "$XDG_DATA_HOME/quillvox (by default ~/.local/share/quillvox).\n"
    "\n"
    "  --help     show this help\n"
    "  --version  show the version\n";

// --help and --version are answered before any window or display is needed:
// the exit status when one of them was given, else nothing.
std::optional<int> AnswerCommandLine(const std::vector<std::string_view>& arguments,
                                     std::ostream& out);

}  // namespace qvx
