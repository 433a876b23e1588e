#include "checker/RunScript.h"

#include "checker/ScriptCheck.h"

namespace qvx {

bool RunScript(ProgramState& state, UserPrompts& prompts, Launcher& launcher) {
    bool checked = false;
    if (state.options.CheckBeforeRun) {
        checked = CheckScript(state, prompts);
        if (!state.ScriptCheckPassed) return checked;
    }
    if (!launcher.StartDetached(state.paths.File(kSpeakingProgram), state.paths.folder)) {
        prompts.Message(kCannotRunMessage);
    }
    return checked;
}

}  // namespace qvx
