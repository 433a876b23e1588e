#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "common/ProgramPaths.h"
#include "common/UserPrompts.h"

namespace qvx {

// A selection to make in the edit area, in bytes of its text as lines joined
// by CR LF.
struct TextSelection {
    std::size_t start = 0;
    std::size_t length = 0;
    bool operator==(const TextSelection&) const = default;
};

// The check made when Enter is pressed in the edit area, on its text before
// the new line break: a single command line gets every rule, one box each, and
// is to be selected when an error was found; several lines go to
// CheckTypedLines. Nothing is lower-cased here, so commands typed in capitals
// are reported.
std::optional<TextSelection> CheckTypedText(std::string_view text, const ProgramPaths& paths,
                                            UserPrompts& prompts);

// The check of several lines: the command lines from the top, up to the first
// finding, whose line is then to be selected.
std::optional<TextSelection> CheckTypedLines(std::string_view text, const ProgramPaths& paths,
                                             UserPrompts& prompts);

}  // namespace qvx
