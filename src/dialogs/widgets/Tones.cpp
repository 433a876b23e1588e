#include "dialogs/widgets/Tones.h"

#include <QLineEdit>

#include "dialogs/ToneEntries.h"
#include "dialogs/widgets/DialogLayout.h"

namespace qvx {

Tones::Tones(ProgramState& state, UserPrompts& prompts, QWidget* mainWindow, QWidget* parent)
    : SlideDialog(state, prompts, mainWindow, parent),
      value_(AddBox("lblNote", QString(), "ToneValue", 600)),
      length_(AddBox("lblLength", QStringLiteral("Length:"), "Length", 1800)) {
    setObjectName(QStringLiteral("Tones"));
    setWindowTitle(QStringLiteral("Tone Generator"));
    AddSlideControls(value_, 3000, 4200, QString(), "lblEndNote", "EndNote", 6000);
    AddButtons(7200);
}

void Tones::ShowInPlaceOfMainWindow() {
    // The option may have changed since the last opening: captions and limits
    // always match the checks that Generate will run.
    const ToneSystemInfo& system = CurrentToneSystem(state_.options);
    SetBoxCaption("lblNote", value_, ToQString(system.valueCaption));
    SetBoxCaption("lblEndNote", endBox_, ToQString(system.endCaption));
    value_->setMaxLength(system.limit);
    endBox_->setMaxLength(system.limit);
    value_->clear();
    length_->clear();
    ResetSlide();
    Present(value_);
}

void Tones::Generate() {
    ToneForm form;
    form.value = value_->text().toStdString();
    form.length = length_->text().toStdString();
    form.slide = SlideTicked();
    form.direction = Direction();
    form.endValue = endBox_->text().toStdString();
    if (GenerateTones(state_, form, prompts_)) accept();
}

}  // namespace qvx
