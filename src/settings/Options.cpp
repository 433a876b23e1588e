#include "settings/Options.h"

#include <string>
#include <vector>

#include "common/AsciiCase.h"
#include "script/ScriptFile.h"
#include "settings/IniFile.h"

namespace qvx {

const std::array<OptionSpec, 7> kOptionSpecs{{
    // On for every value but "no", so no slip in the file deletes the script
    // at exit.
    {"KeepDataOnExit", &Options::KeepDataOnExit, "yes", "yes", "no", true, "OptionsMenuDataOnExit",
     "&Clear data on exit", "&Keep data on exit", "data will now be kept on exit.",
     "data will now be cleared on exit.", kApplicationTitle, PromptIcon::None},
    {"ToneSystem", &Options::ToneSystem, "notes", "notes", "frequency", true,
     "OptionsMenuToneSystem", "Change &Tone System to Frequencies",
     "Change &Tone System to Note Numbers",
     "tone system now set to conventional dectalk note numbering.",
     "tone system now set to frequency.", kApplicationTitle, PromptIcon::None},
    {"LogErrors", &Options::LogErrors, "yes", "yes", "no", false, "OptionsMenuLogScriptCheckErrors",
     "Don't log script syntax errors", "Log script syntax errors", "Log errors is now switched on.",
     "Log errors is turned off.", kApplicationTitle, PromptIcon::None},
    {"StopAfterFirstError", &Options::StopAfterFirstError, "no", "yes", "no", false,
     "OptionsMenuStopCheckAfterFirstError", "List all script errors during syntax check",
     "Stop after first error during syntax check", "script will stop after the first error.",
     "script will be fully checked.", kApplicationTitle, PromptIcon::None},
    {"UseEditor", &Options::UseEditor, "yes", "yes", "no", false, "OptionsMenuUseEditor",
     "Disable text editor", "Enable text editor", "editor is now switched on.",
     "editor is now switched off.", kApplicationTitle, PromptIcon::None},
    {"AutoLineCheck", &Options::AutoLineCheck, "yes", "yes", "no", false,
     "OptionsMenuAutoLineCheck", "Disable AutoLine checking", "Enable AutoLine checking",
     "autoline syntax check switched on.", "AutoLine syntax checker turned off.", kApplicationTitle,
     PromptIcon::None},
    {"CheckBeforeRun", &Options::CheckBeforeRun, "yes", "yes", "no", false,
     "OptionsMenuCheckBeforeRun", "&Execute scripts without first checking",
     "Check scripts before being &executed", "Scripts will now be checked before being executed.",
     "Scripts will now be executed without first being checked for errors.", "setting saved",
     PromptIcon::Information},
}};

namespace {

// Whether a stored value (as read, any case) switches the option on.
bool OptionIsOn(const OptionSpec& option, std::string_view stored) {
    const std::string lowered = ToLowerAscii(stored);
    return option.onUnlessOffValue ? lowered != option.offValue : lowered == option.onValue;
}

}  // namespace

void LoadOptions(ProgramState& state) {
    std::vector<std::string> keys;
    for (const auto& option : kOptionSpecs) keys.emplace_back(option.key);
    const auto stored = ReadIniValues(state.paths.settings, std::string(kOptionsSection), keys);
    for (std::size_t i = 0; i < kOptionSpecs.size(); ++i) {
        const OptionSpec& option = kOptionSpecs[i];
        state.options.*option.member =
            OptionIsOn(option, stored[i].value_or(std::string(option.defaultValue)));
    }
}

std::string_view OptionCaption(const OptionSpec& option, const Options& options) {
    return options.*option.member ? option.captionOn : option.captionOff;
}

void DeriveNextGender(ProgramState& state) {
    constexpr std::string_view kGenderPrefix = "[:dv sx ";
    state.NextGender = "female";
    if (!ScriptContains(state.paths, kGenderPrefix, false)) return;
    const std::string line =
        ReadScriptLine(state.paths, FindLastScriptLine(state.paths, kGenderPrefix, false));
    if (line.size() < 2) return;
    const char digit = line[line.size() - 2];
    if (digit == '0') state.NextGender = "male";
}

Refresh ToggleOption(ProgramState& state, const OptionSpec& option, UserPrompts& prompts,
                     const std::function<void(bool on)>& applyStored) {
    bool& on = state.options.*option.member;
    on = !on;
    const auto written =
        WriteIniValue(state.paths.settings, std::string(kOptionsSection), std::string(option.key),
                      std::string(on ? option.onValue : option.offValue));
    if (!prompts.Succeeded(written)) {
        on = !on;
        return Refresh::NotNeeded;
    }
    if (applyStored) applyStored(on);
    prompts.ShowMessage(std::string(on ? option.messageOn : option.messageOff),
                        std::string(option.messageTitle), option.messageIcon);
    return Refresh::Needed;
}

}  // namespace qvx
