#pragma once

#include <span>

namespace qvx {

// One item of the menu bar, in display order within its parent. Captions mark
// the access key with "&"; an empty caption is set by RefreshSettings before
// the window is first shown. What an item does is found by its name: in the
// voice table (script/Writers), the input-kind table (dialogs/ValueInput),
// the option table (settings/Options), or the main window's handlers.
struct MenuEntry {
    const char* name;    // the object name
    const char* parent;  // the parent menu's object name, "" for the menu bar
    const char* caption;
    const char* shortcut;  // in QKeySequence's portable form, "" for none
    bool submenu;
};

std::span<const MenuEntry> MenuTree();

}  // namespace qvx
