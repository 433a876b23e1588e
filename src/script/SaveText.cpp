#include "script/SaveText.h"

#include <string>

#include "common/TextFile.h"

namespace qvx {

bool SaveEditText(const ProgramPaths& paths, std::string_view text, SaveMode mode,
                  UserPrompts& prompts) {
    // A new script and an overwrite are whole-file writes: done atomically, a
    // failure leaves no half-written script behind.
    const Result<void> written = mode == SaveMode::Append ? AppendToFile(paths.script, text)
                                                          : RewriteFile(paths.script, text);
    if (!prompts.Succeeded(written)) return false;
    prompts.Message("data saved.");
    return true;
}

}  // namespace qvx
