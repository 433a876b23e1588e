#include "dialogs/widgets/ReturnToMainWindow.h"

#include <QWidget>

namespace qvx {

void ReturnToMainWindow(QWidget* mainWindow) {
    if (!mainWindow) return;
    mainWindow->show();
    mainWindow->activateWindow();
}

}  // namespace qvx
