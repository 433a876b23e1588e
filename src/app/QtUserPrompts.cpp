#include "app/QtUserPrompts.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "app/TextCodec.h"

namespace qvx {
namespace {

QMessageBox::Icon ToQtIcon(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Question:
            return QMessageBox::Question;
        case PromptIcon::Information:
            return QMessageBox::Information;
        case PromptIcon::Exclamation:
            return QMessageBox::Warning;
        case PromptIcon::Critical:
            return QMessageBox::Critical;
        case PromptIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// CR LF inside a message is one line break on screen.
QString ForDisplay(const std::string& text) {
    return ToDisplayText(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

QWidget* QtUserPrompts::VisibleParent() const {
    if (QWidget* active = QApplication::activeWindow()) return active;
    if (mainWindow_ && mainWindow_->isVisible()) return mainWindow_;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) return window;
    }
    return nullptr;
}

void QtUserPrompts::ShowMessage(const std::string& text, const std::string& title,
                                PromptIcon icon) {
    QMessageBox box(ToQtIcon(icon), ForDisplay(title), ForDisplay(text), QMessageBox::Ok,
                    VisibleParent());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

int QtUserPrompts::AskQuestion(const std::string& text, const std::string& title,
                               bool cancellable) const {
    QMessageBox box(QMessageBox::Question, ForDisplay(title), ForDisplay(text),
                    QMessageBox::Yes | QMessageBox::No, VisibleParent());
    box.setTextFormat(Qt::PlainText);
    if (cancellable) {
        // The box still shows Yes and No only; Esc and the close control
        // press this hidden button, so backing out is never taken for No.
        QPushButton* cancel = box.addButton(QMessageBox::Cancel);
        cancel->hide();
        box.setEscapeButton(cancel);
    } else {
        box.setEscapeButton(QMessageBox::No);
    }
    return box.exec();
}

bool QtUserPrompts::AskYesNo(const std::string& text, const std::string& title) {
    return AskQuestion(text, title, false) == QMessageBox::Yes;
}

UserPrompts::Answer QtUserPrompts::AskYesNoOrCancel(const std::string& text,
                                                    const std::string& title) {
    switch (AskQuestion(text, title, true)) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

std::string QtUserPrompts::AskText(const std::string& prompt, const std::string& title) {
    QInputDialog dialog(VisibleParent());
    dialog.setWindowTitle(ForDisplay(title));
    dialog.setLabelText(ForDisplay(prompt));
    dialog.setTextValue(QString());
    // Cancel answers with the empty text, like an empty entry.
    if (dialog.exec() != QDialog::Accepted) return {};
    return ToBytes(dialog.textValue());
}

}  // namespace qvx
