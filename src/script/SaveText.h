#pragma once

#include <string_view>

#include "common/ProgramPaths.h"
#include "common/UserPrompts.h"

namespace qvx {

// How the edit area's text reaches the working script.
enum class SaveMode {
    Create,     // there is no working script yet
    Append,     // after the script's last byte
    Overwrite,  // the script becomes exactly the text
};

// Writes the text (no line break added) and confirms with "data saved.";
// a failed write is reported instead, the old script left whole, and false
// returned.
bool SaveEditText(const ProgramPaths& paths, std::string_view text, SaveMode mode,
                  UserPrompts& prompts);

}  // namespace qvx
