#pragma once

#include "dialogs/widgets/SlideDialog.h"

namespace qvx {

// Writes sung phoneme entries: one phoneme on one note, or a slide of them.
class Phonemes : public SlideDialog {
    Q_OBJECT
  public:
    Phonemes(ProgramState& state, UserPrompts& prompts, QWidget* mainWindow,
             QWidget* parent = nullptr);

    // Empties every box, unticks Slide and presents the dialog in place of
    // the main window.
    void ShowInPlaceOfMainWindow();

  private:
    void Generate() override;

    QLineEdit* phoneme_;
    QLineEdit* note_;
    QLineEdit* length_;
};

}  // namespace qvx
