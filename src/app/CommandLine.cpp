#include "app/CommandLine.h"

#include "common/ProjectVersion.h"

namespace qvx {

std::optional<int> AnswerCommandLine(const std::vector<std::string_view>& arguments,
                                     std::ostream& out) {
    for (const std::string_view argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            out << kProgramUsage;
        } else if (argument == "--version") {
            out << VersionLine("quillvox");
        } else {
            continue;
        }
        out.flush();
        return out ? 0 : 1;
    }
    return std::nullopt;
}

}  // namespace qvx
