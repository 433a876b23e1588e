#include "app/RunScript.h"

#include "checker/ScriptCheck.h"

namespace qvx {

Refresh RunScript(ProgramState& state, UserPrompts& prompts, Launcher& launcher) {
    Refresh refresh = Refresh::NotNeeded;
    if (state.options.CheckBeforeRun) {
        refresh = CheckScript(state, prompts);
        if (!state.ScriptCheckPassed) return refresh;
    }
    if (!launcher.StartDetached(state.paths.ProgramFile(kSpeakingProgram), state.paths.folder)) {
        prompts.Message(kCannotRunMessage);
    }
    return refresh;
}

}  // namespace qvx
