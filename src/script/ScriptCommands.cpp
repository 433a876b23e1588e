#include "script/ScriptCommands.h"

#include <array>
#include <string_view>

#include "common/Utf8Case.h"
#include "common/FileExists.h"
#include "script/ScriptFile.h"
#include "script/Writers.h"

namespace qvx {
namespace {

// By voice index 1..10, as WriteVoice numbers them.
constexpr std::array<std::string_view, 10> kVoiceMessages{
    "switching to betty.",       "switching to dennis.", "switching to frank.",
    "switching to harry.",       "switching to kit.",    "switching to paul.",
    "switching to rita.",        "switching to ursula.", "switching to wendy.",
    "switching to user defined."};

}  // namespace

void ChooseVoice(const ProgramPaths& paths, UserPrompts& prompts, std::int32_t voiceIndex) {
    prompts.Message(
        std::string(kVoiceMessages[static_cast<std::size_t>(Bound(voiceIndex, 1, 10) - 1)]));
    prompts.Succeeded(WriteVoice(paths, voiceIndex));
}

void ToggleGender(ProgramState& state, UserPrompts& prompts) {
    prompts.Message("switching to " + state.NextGender + ".");
    const bool toMale = state.NextGender == "male";
    prompts.Succeeded(WriteGender(state.paths, toMale ? 1 : 0));
    state.NextGender = toMale ? "female" : "male";
}

void WriteLineOfText(const ProgramPaths& paths, UserPrompts& prompts) {
    const std::string answer =
        prompts.AskText("write the line of text for dectalk to speak:", "line");
    prompts.Succeeded(AppendScriptLine(paths, ToLowerUtf8(answer)));
}

bool ImportSound(const ProgramPaths& paths, UserPrompts& prompts) {
    const std::string name = prompts.AskText(
        "type name of sound file. no need to type path or extension, file must be in same "
        "directory of "
        "this program, which is " +
            paths.folder + ".",
        "please:");
    const std::string soundPath = paths.File(name + ".wav");
    if (!FileExists(soundPath)) {
        prompts.Message(
            "file " + soundPath +
            " does not exist. please remember not to type pathname or extension, making sure "
            "that the wave file you have typed is in the same path as the quillvox, which is " +
            paths.folder + ". please try again.");
        return false;
    }
    return prompts.Succeeded(WritePlay(paths, name));
}

void ClearScript(const ProgramPaths& paths, UserPrompts& prompts) {
    if (!prompts.AskYesNo("delete all data?", "alert!")) return;
    // Rewriting with nothing leaves an empty file whether or not the old one
    // is still there.
    prompts.Succeeded(RewriteFile(paths.script, ""));
}

}  // namespace qvx
