#pragma once

class QMenuBar;

namespace qvx {

// Has every menu under the menu bar tell a screen reader its name when it
// opens, before its first item; call it once the menus are built.
void AnnounceMenuOpenings(QMenuBar* menuBar);

}  // namespace qvx
