#pragma once

#include <functional>

class QMenu;
class QMenuBar;

namespace qvx {

// Where a focus change goes: to the menu itself (child -1) or to its item
// `child`.
using MenuFocusSink = std::function<void(QMenu* menu, int child)>;

// Has every menu under the menu bar tell a screen reader its name when it
// opens, before its first item; call it once the menus are built. The focus
// changes go to the screen reader, or to `sink` in tests.
void AnnounceMenuOpenings(QMenuBar* menuBar, MenuFocusSink sink = {});

}  // namespace qvx
