#pragma once

#include <array>
#include <functional>
#include <string_view>

#include "common/ProgramState.h"
#include "common/UserPrompts.h"

namespace qvx {

inline constexpr std::string_view kOptionsSection = "QVOptions";

// One option: where it is stored, how it reads, which menu item switches it,
// the item's caption in each state (naming what choosing it will do) and the
// confirmation of each switch.
struct OptionSpec {
    std::string_view key;
    bool Options::*member;
    std::string_view defaultValue;
    std::string_view onValue;   // written when switched on
    std::string_view offValue;  // written when switched off
    bool onUnlessOffValue;      // on for anything but offValue (else only for onValue)
    std::string_view menuItem;
    std::string_view captionOn;
    std::string_view captionOff;
    std::string_view messageOn;
    std::string_view messageOff;
    std::string_view messageTitle;
    PromptIcon messageIcon;
};

// In the order of the "&Settings" submenu.
extern const std::array<OptionSpec, 7> kOptionSpecs;

// Reads all seven options into the state, settings.ini read once (missing
// file or key: the option's default).
void LoadOptions(ProgramState& state);

std::string_view OptionCaption(const OptionSpec& option, const Options& options);

// NextGender from the last "[:dv sx " line of the working script: "male"
// after a 0, "female" after 1..9, and "female" when there is no such line or
// its second-to-last character is no digit.
void DeriveNextGender(ProgramState& state);

// Switches the option in memory, stores its new value, runs `applyStored`
// (what the new state changes on screen), confirms the switch and asks for a
// refresh. When the store fails, the failure is reported instead, the option
// is switched back and nothing is applied.
Refresh ToggleOption(ProgramState& state, const OptionSpec& option, UserPrompts& prompts,
                     const std::function<void(bool on)>& applyStored = {});

}  // namespace qvx
