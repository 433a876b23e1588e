#include "cli/CheckArguments.h"

namespace qvx {

CheckArguments ParseCheckArguments(const std::vector<std::string_view>& arguments) {
    CheckArguments parsed;
    bool optionsEnded = false;
    for (const std::string_view argument : arguments) {
        // A lone "-" is a file name like any other; there is no standard input.
        const bool option = !optionsEnded && argument.size() > 1 && argument.front() == '-';
        if (!option) {
            parsed.files.emplace_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            parsed.help = true;
        } else if (argument == "--version") {
            parsed.version = true;
        } else if (argument == "--fix") {
            parsed.fix = true;
        } else if (parsed.error.empty()) {
            parsed.error = "unknown option " + std::string(argument);
        }
    }
    if (parsed.error.empty() && parsed.files.empty()) parsed.error = "no file to check";
    return parsed;
}

}  // namespace qvx
