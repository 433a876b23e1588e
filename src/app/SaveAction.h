#pragma once

#include <QDialog>
#include <functional>

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

    // Saves as chosen; the dialog closes when it returns true and stays open
    // (for another try or Cancel) when the save failed.
    std::function<bool(SaveMode)> onChosen;

  signals:
    void cancelled();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QPushButton* AddButton(const char* name, const QString& caption);
    void Choose(SaveMode mode);
    bool decided_ = false;
};

}  // namespace qvx
