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
      prompt_(new QLabel(ToQString(kDesignPrompt), this)),
      value_(new QLineEdit(this)),
      submit_(new QPushButton(QStringLiteral("OK"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("GeneralInput"));
    setWindowTitle(ToQString(kDesignCaption));
    setFixedSize(TwipSize(4680, 3195));

    prompt_->setObjectName(QStringLiteral("General"));
    prompt_->setGeometry(TwipRect(600, 600, 1215, 495));
    prompt_->setBuddy(value_);
    value_->setObjectName(QStringLiteral("Generic"));
    value_->setGeometry(TwipRect(2400, 600, 1215, 495));
    submit_->setObjectName(QStringLiteral("Submit"));
    submit_->setGeometry(TwipRect(600, 1800, 1215, 495));
    submit_->setDefault(true);
    submit_->setAccessibleName(QStringLiteral("OK"));
    cancel_->setObjectName(QStringLiteral("Ccl"));
    cancel_->setGeometry(TwipRect(2400, 1800, 1215, 495));
    cancel_->setAccessibleName(QStringLiteral("Cancel"));
    setTabOrder(value_, submit_);
    setTabOrder(submit_, cancel_);

    connect(submit_, &QPushButton::clicked, this, &GeneralInput::Submit);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void GeneralInput::ShowInPlaceOfMainWindow() {
    const InputKindInfo* info = FindInputKind(GetInputKind(state_));
    const QString prompt = ToQString(info ? info->prompt : kDesignPrompt);
    setWindowTitle(ToQString(info ? info->caption : kDesignCaption));
    prompt_->setText(prompt);
    prompt_->setAccessibleName(prompt);
    value_->setAccessibleName(prompt);
    // Set before clearing: the previous kind's limit must not cut anything.
    value_->setMaxLength(info && CharacterLimit(*info) > 0 ? CharacterLimit(*info)
                                                           : kNoCharacterLimit);
    value_->clear();
    PresentInPlaceOfMainWindow(this, mainWindow_, value_);
}

void GeneralInput::Submit() {
    if (SubmitValueInput(state_, value_->text().toStdString(), prompts_)) accept();
}

void GeneralInput::done(int result) {
    QDialog::done(result);
    ReturnToMainWindow(mainWindow_);
}

}  // namespace qvx
