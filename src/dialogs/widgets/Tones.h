#pragma once

#include "dialogs/widgets/SlideDialog.h"

namespace qvx {

// Writes pure tones by note number or by frequency, as the tone-system
// option says: one tone, or a slide of them.
class Tones : public SlideDialog {
    Q_OBJECT
  public:
    Tones(ProgramState& state, UserPrompts& prompts, QWidget* mainWindow,
          QWidget* parent = nullptr);

    // Empties every box, unticks Slide, follows the tone system in force and
    // presents the dialog in place of the main window.
    void ShowInPlaceOfMainWindow();

  private:
    void Generate() override;

    QLineEdit* value_;
    QLineEdit* length_;
};

}  // namespace qvx
