#include "dialogs/widgets/SlideDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/widgets/ComboBoxAccessibility.h"
#include "dialogs/widgets/DialogLayout.h"
#include "dialogs/widgets/ReturnToMainWindow.h"

namespace qvx {
namespace {

constexpr int kLabelLeft = 600;
constexpr int kBoxLeft = 2400;
constexpr int kWidth = 1215;
constexpr int kHeight = 495;
constexpr int kListHeight = 315;
constexpr int kSlideUpIndex = 0;
constexpr int kSlideDownIndex = 1;

// An accessible name is the caption without its colon or access mark.
QString SpokenName(QString caption) {
    caption.remove(QLatin1Char('&'));
    if (caption.endsWith(QLatin1Char(':'))) caption.chop(1);
    return caption;
}

}  // namespace

SlideDialog::SlideDialog(ProgramState& state, UserPrompts& prompts, QWidget* mainWindow,
                         QWidget* parent)
    : QDialog(parent), state_(state), prompts_(prompts), mainWindow_(mainWindow) {}

QLineEdit* SlideDialog::AddBox(const char* labelName, const QString& caption, const char* boxName,
                               int top) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(QLatin1String(labelName));
    label->setGeometry(TwipRect(kLabelLeft, top, kWidth, kHeight));
    auto* box = new QLineEdit(this);
    box->setObjectName(QLatin1String(boxName));
    box->setGeometry(TwipRect(kBoxLeft, top, kWidth, kHeight));
    box->setAccessibleName(SpokenName(caption));
    label->setBuddy(box);
    return box;
}

void SlideDialog::AddSlideControls(QLineEdit* startBox, int tickTop, int directionTop,
                                   const QString& endCaption, const char* endLabelName,
                                   const char* endBoxName, int endTop) {
    startBox_ = startBox;
    slideTick_ = new QCheckBox(QStringLiteral("Slide"), this);
    slideTick_->setObjectName(QStringLiteral("chkSlide"));
    slideTick_->setGeometry(TwipRect(kBoxLeft, tickTop, kWidth, kHeight));
    slideTick_->setAccessibleName(QStringLiteral("Slide"));

    auto* prompt = new QLabel(QStringLiteral("Slide:"), this);
    prompt->setObjectName(QStringLiteral("SlidePrompt"));
    prompt->setGeometry(TwipRect(kLabelLeft, directionTop, kWidth, kHeight));
    InstallComboBoxAccessibility();
    direction_ = new QComboBox(this);
    direction_->setObjectName(QStringLiteral("Slide"));
    direction_->setGeometry(TwipRect(kBoxLeft, directionTop, kWidth, kListHeight));
    direction_->addItems({QStringLiteral("Slide Up"), QStringLiteral("Slide Down")});
    direction_->setAccessibleName(QStringLiteral("Slide direction"));
    prompt->setBuddy(direction_);

    endBox_ = AddBox(endLabelName, endCaption, endBoxName, endTop);
    endLabel_ = findChild<QLabel*>(QLatin1String(endLabelName));
    ShowSlideControls(false);
    connect(slideTick_, &QCheckBox::clicked, this, &SlideDialog::SlideTickClicked);
}

void SlideDialog::AddButtons(int top) {
    auto* gen = new QPushButton(QStringLiteral("&Generate"), this);
    gen->setObjectName(QStringLiteral("Gen"));
    gen->setGeometry(TwipRect(kLabelLeft, top, kWidth, kHeight));
    gen->setDefault(true);
    gen->setAccessibleName(QStringLiteral("Generate"));
    auto* ccl = new QPushButton(QStringLiteral("Cancel"), this);
    ccl->setObjectName(QStringLiteral("Ccl"));
    ccl->setGeometry(TwipRect(kBoxLeft, top, kWidth, kHeight));
    ccl->setAccessibleName(QStringLiteral("Cancel"));
    setFixedSize(TwipSize(kBoxLeft + kWidth + kLabelLeft, top + kHeight + kLabelLeft));

    connect(gen, &QPushButton::clicked, this, [this] { Generate(); });
    connect(ccl, &QPushButton::clicked, this, &QDialog::reject);
}

void SlideDialog::SetBoxCaption(const char* labelName, QLineEdit* box, const QString& caption) {
    findChild<QLabel*>(QLatin1String(labelName))->setText(caption);
    box->setAccessibleName(SpokenName(caption));
}

void SlideDialog::ResetSlide() {
    slideTick_->setChecked(false);
    direction_->setCurrentIndex(-1);
    endBox_->clear();
    ShowSlideControls(false);
}

void SlideDialog::Present(QLineEdit* firstBox) {
    PresentInPlaceOfMainWindow(this, mainWindow_, firstBox);
}

bool SlideDialog::SlideTicked() const {
    return slideTick_->isChecked();
}

SlideDirection SlideDialog::Direction() const {
    switch (direction_->currentIndex()) {
        case kSlideUpIndex:
            return SlideDirection::Up;
        case kSlideDownIndex:
            return SlideDirection::Down;
        default:
            return SlideDirection::None;
    }
}

void SlideDialog::SlideTickClicked() {
    if (!SlideTickAllowed(startBox_->text().toStdString())) slideTick_->setChecked(false);
    ShowSlideControls(slideTick_->isChecked());
}

void SlideDialog::ShowSlideControls(bool shown) {
    for (QWidget* control : {static_cast<QWidget*>(endLabel_), static_cast<QWidget*>(endBox_),
                             static_cast<QWidget*>(direction_)}) {
        control->setEnabled(shown);
        control->setVisible(shown);
    }
}

void SlideDialog::done(int result) {
    QDialog::done(result);
    ReturnToMainWindow(mainWindow_);
}

}  // namespace qvx
