#pragma once

#include <QDialog>

#include "common/ProgramState.h"
#include "common/UserPrompts.h"
#include "dialogs/SlideForm.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qvx {

// What the phoneme and tone dialogs have in common: labelled boxes, the
// Slide tick with its direction list and end box, Generate and Cancel, and
// taking the main window's place while open. Each dialog adds its controls
// in tab order.
class SlideDialog : public QDialog {
    Q_OBJECT
  public:
    SlideDialog(ProgramState& state, UserPrompts& prompts, QWidget* mainWindow, QWidget* parent);

    // Generate (after a successful write), Cancel, Esc and the close box all
    // end here.
    void done(int result) override;

  protected:
    // A label and the text box it names, both at `top`.
    QLineEdit* AddBox(const char* labelName, const QString& caption, const char* boxName, int top);
    // The tick, the direction list and the end box; `startBox` holds the
    // value the tick rule looks at.
    void AddSlideControls(QLineEdit* startBox, int tickTop, int directionTop,
                          const QString& endCaption, const char* endLabelName,
                          const char* endBoxName, int endTop);
    void AddButtons(int top);
    // Captions that depend on a setting: the label's text and its box's name.
    void SetBoxCaption(const char* labelName, QLineEdit* box, const QString& caption);

    // Back to the opening state: Slide off, no direction, end box empty and
    // hidden.
    void ResetSlide();
    void Present(QLineEdit* firstBox);

    bool SlideTicked() const;
    SlideDirection Direction() const;
    virtual void Generate() = 0;

    ProgramState& state_;
    UserPrompts& prompts_;
    QLineEdit* endBox_ = nullptr;

  private:
    // The user's click on the Slide tick (opening unticks without it).
    void SlideTickClicked();
    void ShowSlideControls(bool shown);

    QWidget* mainWindow_;
    QLineEdit* startBox_ = nullptr;
    QLabel* endLabel_ = nullptr;
    QCheckBox* slideTick_ = nullptr;
    QComboBox* direction_ = nullptr;
};

}  // namespace qvx
