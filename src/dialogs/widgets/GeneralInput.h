#pragma once

#include <QDialog>

#include "common/ProgramState.h"
#include "common/UserPrompts.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace qvx {

// The value dialog: asks for the one value of the input kind recorded last
// and writes its command line.
class GeneralInput : public QDialog {
    Q_OBJECT
  public:
    GeneralInput(ProgramState& state, UserPrompts& prompts, QWidget* mainWindow,
                 QWidget* parent = nullptr);

    // Presents the dialog for the recorded kind, with an empty box, in place
    // of the main window.
    void ShowInPlaceOfMainWindow();

    // OK, Cancel, Esc and the close box all end here.
    void done(int result) override;

  private:
    // OK and Enter: the value checked and written, or the dialog kept open.
    void Submit();

    ProgramState& state_;
    UserPrompts& prompts_;
    QWidget* mainWindow_;
    QLabel* prompt_;
    QLineEdit* value_;
    QPushButton* submit_;
    QPushButton* cancel_;
};

}  // namespace qvx
