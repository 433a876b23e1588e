#pragma once

namespace qvx {

// Describes the menus to screen readers the way they read menus over AT-SPI:
// every item tells its access key, the access keys that reach it from the
// menu bar and its shortcut, and an item that opens a submenu has the role of
// a menu. Qt's own menu items give the shortcut alone, which screen readers
// take for the access-key path and never speak. Safe to call more than once;
// call it before the menus are first asked for, since Qt keeps the
// description it made first.
void InstallMenuAccessibility();

}  // namespace qvx
