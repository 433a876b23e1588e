#pragma once

#include <QDialog>

#include "script/SaveText.h"

class QPushButton;

namespace qvx {

// "Save action:": append to or overwrite the existing working script, or
// cancel. No button is the default and Esc does nothing, so a stray key never
// decides what happens to the script.
class SaveAction : public QDialog {
    Q_OBJECT
  public:
    explicit SaveAction(QWidget* parent = nullptr);

  signals:
    // "&Append" or "&Overwrite". After a save the window accepts the dialog,
    // or leaves it open when the save failed. Cancel and the close control
    // reject it themselves, saving nothing.
    void chosen(SaveMode mode);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QPushButton* AddButton(const char* name, const QString& caption);
};

}  // namespace qvx
