#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qvx {

inline constexpr std::string_view kCheckUsage =
    "Usage: quillvox-check [--fix] FILE...\n"
    "       quillvox-check --help | --version\n"
    "Checks DECtalk scripts as quillvox's \"check script\" does and prints each\n"
    "finding as FILE:LINE: error: TEXT or FILE:LINE: warning: TEXT.\n"
    "\n"
    "  --fix      correct each file instead, as \"Correct script errors\" does:\n"
    "             repair what can be repaired, report the rest, and rewrite the\n"
    "             file in place in lower case, its lines ended as before\n"
    "  --help     show this help\n"
    "  --version  show the version\n"
    "  --         treat every later argument as a file name\n"
    "\n"
    "Every line is examined, whatever quillvox's options say. Wave files named by\n"
    "play commands are looked for in the checked file's folder. No errors.log is\n"
    "written.\n"
    "\n"
    "Exit status: 0 when nothing was found, 1 when anything was found (repairs\n"
    "included), 2 when a file could not be read or written, the findings could\n"
    "not be printed, or the arguments are wrong.\n";

struct CheckArguments {
    bool help = false;
    bool version = false;
    bool fix = false;
    std::vector<std::string> files;
    std::string error;  // set when the arguments cannot be used
};

CheckArguments ParseCheckArguments(const std::vector<std::string_view>& arguments);

}  // namespace qvx
