#include "dialogs/widgets/Phonemes.h"

#include <QLineEdit>

#include "dialogs/PhonemeEntries.h"

namespace qvx {

Phonemes::Phonemes(ProgramState& state, UserPrompts& prompts, QWidget* mainWindow, QWidget* parent)
    : SlideDialog(state, prompts, mainWindow, parent),
      phoneme_(AddBox("lblPhoneme", QStringLiteral("Phoneme:"), "txtPhoneme", 600)),
      note_(AddBox("lblNote", QStringLiteral("Note:"), "txtNote", 1800)),
      length_(AddBox("lblLength", QStringLiteral("Length:"), "txtLength", 3000)) {
    setObjectName(QStringLiteral("Phonemes"));
    setWindowTitle(QStringLiteral("New phoneme"));
    AddSlideControls(note_, 4200, 5400, QStringLiteral("End Note:"), "lblEndNote", "txtEndNote",
                     6600);
    AddButtons(7800);
}

void Phonemes::ShowInPlaceOfMainWindow() {
    phoneme_->clear();
    note_->clear();
    length_->clear();
    ResetSlide();
    Present(phoneme_);
}

void Phonemes::Generate() {
    PhonemeForm form;
    form.phoneme = phoneme_->text().toStdString();
    form.note = note_->text().toStdString();
    form.length = length_->text().toStdString();
    form.slide = SlideTicked();
    form.direction = Direction();
    form.endNote = endBox_->text().toStdString();
    if (GeneratePhonemes(state_.paths, form, prompts_)) accept();
}

}  // namespace qvx
