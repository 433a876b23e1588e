#pragma once

#include <ostream>
#include <string_view>
#include <vector>

namespace qvx {

// Exit statuses of quillvox-check; the worst file decides.
enum class CheckStatus : int { Clean = 0, FoundSomething = 1, Failed = 2 };

// quillvox-check [--fix] FILE...: the full check, or with --fix the corrector
// rewriting each file in place, with every finding printed to `out` as
// "FILE:LINE: error: ..." or "FILE:LINE: warning: ...". Wave files are looked
// for beside each file, every line is examined whatever the options say, and
// no errors.log is written. Failures go to `err`.
CheckStatus RunCheckCommand(const std::vector<std::string_view>& arguments, std::ostream& out,
                            std::ostream& err);

}  // namespace qvx
