#pragma once

#include <span>

namespace qvx {

// One item of the menu bar, in display order within its parent. Captions mark
// the access key with "&"; an empty caption is set by RefreshSettings before
// the window is first shown.
struct MenuEntry {
    const char* name;    // the object name
    const char* parent;  // the parent menu's object name, "" for the menu bar
    const char* caption;
    const char* shortcut;  // in QKeySequence's portable form, "" for none
    bool submenu;
};

std::span<const MenuEntry> MenuTree();

// Items that choose a voice, with the voice index of WriteVoice.
struct VoiceMenuItem {
    const char* name;
    int voiceIndex;
};
std::span<const VoiceMenuItem> VoiceMenuItems();

// Items that open the value dialog, with the input kind they record.
struct ValueMenuItem {
    const char* name;
    int inputKind;
};
std::span<const ValueMenuItem> ValueMenuItems();

}  // namespace qvx
