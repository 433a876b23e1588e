#include "dialogs/widgets/GeneralInput.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/InputKind.h"
#include "dialogs/ValueInput.h"
#include "dialogs/widgets/DialogLayout.h"
#include "dialogs/widgets/ReturnToMainWindow.h"

namespace qvx {
namespace {

// What the dialog shows while no kind is recorded.
constexpr std::string_view kDesignCaption = "GeneralInput";
constexpr std::string_view kDesignPrompt = "General";

}  // namespace

GeneralInput::GeneralInput(ProgramState& state, UserPrompts& prompts, QWidget* mainWindow,
                           QWidget* parent)
    : QDialog(parent),
      state_(state),
      prompts_(prompts),
      mainWindow_(mainWindow),
      General(new QLabel(ToQString(kDesignPrompt), this)),
      Generic(new QLineEdit(this)),
      Submit(new QPushButton(QStringLiteral("OK"), this)),
      Ccl(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("GeneralInput"));
    setWindowTitle(ToQString(kDesignCaption));
    setFixedSize(TwipSize(4680, 3195));

    General->setObjectName(QStringLiteral("General"));
    General->setGeometry(TwipRect(600, 600, 1215, 495));
    General->setBuddy(Generic);
    Generic->setObjectName(QStringLiteral("Generic"));
    Generic->setGeometry(TwipRect(2400, 600, 1215, 495));
    Submit->setObjectName(QStringLiteral("Submit"));
    Submit->setGeometry(TwipRect(600, 1800, 1215, 495));
    Submit->setDefault(true);
    Submit->setAccessibleName(QStringLiteral("OK"));
    Ccl->setObjectName(QStringLiteral("Ccl"));
    Ccl->setGeometry(TwipRect(2400, 1800, 1215, 495));
    Ccl->setAccessibleName(QStringLiteral("Cancel"));
    setTabOrder(Generic, Submit);
    setTabOrder(Submit, Ccl);

    connect(Submit, &QPushButton::clicked, this, &GeneralInput::Submit_Click);
    connect(Ccl, &QPushButton::clicked, this, &QDialog::reject);
}

void GeneralInput::Open() {
    const InputKindInfo* info = FindInputKind(GetInputKind(state_));
    const QString prompt = ToQString(info ? info->prompt : kDesignPrompt);
    setWindowTitle(ToQString(info ? info->caption : kDesignCaption));
    General->setText(prompt);
    General->setAccessibleName(prompt);
    Generic->setAccessibleName(prompt);
    // Set before clearing: the previous kind's limit must not cut anything.
    Generic->setMaxLength(info && info->limit > 0 ? info->limit : kNoCharacterLimit);
    Generic->clear();
    PresentInPlaceOfMainWindow(this, mainWindow_, Generic);
}

void GeneralInput::Submit_Click() {
    if (SubmitValueInput(state_, Generic->text().toStdString(), prompts_)) accept();
}

void GeneralInput::done(int result) {
    QDialog::done(result);
    ReturnToMainWindow(mainWindow_);
}

}  // namespace qvx
