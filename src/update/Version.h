#pragma once

#include <string>
#include <string_view>

#include "common/ProjectVersion.h"

namespace qvx {

// The version record of this release: what the about box shows and what the
// update check compares against (the numbers come from the build).
inline constexpr std::string_view kCompanyName = "Velmora";
inline constexpr std::string_view kLegalNotice = "";

// The executable's name without extension; temporary files are named after it.
inline constexpr std::string_view kProgramFileStem = "quillvox";

// "5.0.10": major, minor and revision in plain decimal.
std::string VersionNumberText();

}  // namespace qvx
