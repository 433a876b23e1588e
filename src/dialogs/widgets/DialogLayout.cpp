#include "dialogs/widgets/DialogLayout.h"

#include <QDialog>

namespace qvx {

void PresentInPlaceOfMainWindow(QDialog* dialog, QWidget* mainWindow, QWidget* firstBox) {
    if (mainWindow) mainWindow->hide();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    firstBox->setFocus(Qt::OtherFocusReason);
}

}  // namespace qvx
