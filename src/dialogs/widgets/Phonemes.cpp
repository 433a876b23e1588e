#include "dialogs/widgets/Phonemes.h"

#include <QLineEdit>

#include "dialogs/PhonemeEntries.h"

namespace qvx {

Phonemes::Phonemes(ProgramState& state, UserPrompts& prompts, QWidget* mainWindow, QWidget* parent)
    : SlideDialog(state, prompts, mainWindow, parent),
      txtPhoneme(AddBox("lblPhoneme", QStringLiteral("Phoneme:"), "txtPhoneme", 600)),
      txtNote(AddBox("lblNote", QStringLiteral("Note:"), "txtNote", 1800)),
      txtLength(AddBox("lblLength", QStringLiteral("Length:"), "txtLength", 3000)) {
    setObjectName(QStringLiteral("Phonemes"));
    setWindowTitle(QStringLiteral("New phoneme"));
    AddSlideControls(txtNote, 4200, 5400, QStringLiteral("End Note:"), "lblEndNote", "txtEndNote",
                     6600);
    AddButtons(7800);
}

void Phonemes::Open() {
    txtPhoneme->clear();
    txtNote->clear();
    txtLength->clear();
    ResetSlide();
    Present(txtPhoneme);
}

void Phonemes::Generate() {
    PhonemeForm form;
    form.phoneme = txtPhoneme->text().toStdString();
    form.note = txtNote->text().toStdString();
    form.length = txtLength->text().toStdString();
    form.slide = SlideTicked();
    form.direction = Direction();
    form.endNote = endBox_->text().toStdString();
    if (GeneratePhonemes(state_.paths, form, prompts_)) accept();
}

}  // namespace qvx
