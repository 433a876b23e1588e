#include "script/ScriptCommands.h"

#include <string_view>

#include "common/Utf8Case.h"
#include "script/ScriptFile.h"
#include "script/Writers.h"

namespace qvx {

void ChooseVoice(const ProgramPaths& paths, UserPrompts& prompts, const Voice& voice) {
    prompts.Message(std::string(voice.message));
    prompts.Succeeded(WriteVoice(paths, voice.number));
}

void ToggleGender(ProgramState& state, UserPrompts& prompts) {
    prompts.Message("switching to " + state.NextGender + ".");
    const bool toMale = state.NextGender == "male";
    prompts.Succeeded(WriteBoundedCommand(state.paths, kGender, toMale ? 1 : 0));
    state.NextGender = toMale ? "female" : "male";
}

void WriteLineOfText(const ProgramPaths& paths, UserPrompts& prompts) {
    const std::string answer =
        prompts.AskText("write the line of text for dectalk to speak:", "line");
    prompts.Succeeded(AppendScriptLine(paths, ToLowerUtf8(answer)));
}

Refresh ImportSound(const ProgramPaths& paths, UserPrompts& prompts) {
    const std::string name = prompts.AskText(
        "type name of sound file. no need to type path or extension, file must be in same "
        "directory of "
        "this program, which is " +
            paths.folder + ".",
        "please:");
    if (!SoundFileExists(paths, name)) {
        prompts.Message(
            "file " + paths.File(name + ".wav") +
            " does not exist. please remember not to type pathname or extension, making sure "
            "that the wave file you have typed is in the same path as the quillvox, which is " +
            paths.folder + ". please try again.");
        return Refresh::NotNeeded;
    }
    return prompts.Succeeded(WritePlay(paths, name)) ? Refresh::Needed : Refresh::NotNeeded;
}

void ClearScript(const ProgramPaths& paths, UserPrompts& prompts) {
    if (!prompts.AskYesNo("delete all data?", "alert!")) return;
    // Rewriting with nothing leaves an empty file whether or not the old one
    // is still there.
    prompts.Succeeded(RewriteFile(paths.script, ""));
}

}  // namespace qvx
