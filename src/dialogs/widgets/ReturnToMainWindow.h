#pragma once

class QWidget;

namespace qvx {

// Every way of closing an input dialog ends here: the main window comes back
// and takes the keyboard, so focus (and the screen reader) never lands on
// nothing.
void ReturnToMainWindow(QWidget* mainWindow);

}  // namespace qvx
