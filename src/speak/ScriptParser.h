#pragma once

#include <string_view>

#include "speak/Script.h"

namespace qvx::speak {

// Parses a whole script (file bytes). Lines end as in every text file of the
// program (CR LF or a lone CR); a command never spans lines. Command names and
// phoneme codes ignore case. Phoneme mode carries over from line to line.
ParsedScript ParseScript(std::string_view bytes);

}  // namespace qvx::speak
