#include "dialogs/widgets/Tones.h"

#include <QLineEdit>

#include "dialogs/ToneEntries.h"
#include "dialogs/widgets/DialogLayout.h"

namespace qvx {

Tones::Tones(ProgramState& state, UserPrompts& prompts, QWidget* mainWindow, QWidget* parent)
    : SlideDialog(state, prompts, mainWindow, parent),
      ToneValue(AddBox("lblNote", QString(), "ToneValue", 600)),
      Length(AddBox("lblLength", QStringLiteral("Length:"), "Length", 1800)) {
    setObjectName(QStringLiteral("Tones"));
    setWindowTitle(QStringLiteral("Tone Generator"));
    AddSlideControls(ToneValue, 3000, 4200, QString(), "lblEndNote", "EndNote", 6000);
    AddButtons(7200);
}

void Tones::Open() {
    // The option may have changed since the last opening: captions and limits
    // always match the checks that Generate will run.
    const ToneSystemInfo& system = CurrentToneSystem(state_.options);
    SetBoxCaption("lblNote", ToneValue, ToQString(system.valueCaption));
    SetBoxCaption("lblEndNote", endBox_, ToQString(system.endCaption));
    ToneValue->setMaxLength(system.limit);
    endBox_->setMaxLength(system.limit);
    ToneValue->clear();
    Length->clear();
    ResetSlide();
    Present(ToneValue);
}

void Tones::Generate() {
    ToneForm form;
    form.value = ToneValue->text().toStdString();
    form.length = Length->text().toStdString();
    form.slide = SlideTicked();
    form.direction = Direction();
    form.endValue = endBox_->text().toStdString();
    if (GenerateTones(state_, form, prompts_)) accept();
}

}  // namespace qvx
