#include "app/ScriptEditor.h"

#include <QKeyEvent>

namespace qvx {

ScriptEditor::ScriptEditor(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("EditArea"));
    setAccessibleName(QStringLiteral("script editor"));
    setTabChangesFocus(true);
}

void ScriptEditor::SelectAllEditText() { selectAll(); }

void ScriptEditor::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && beforeLineBreak) beforeLineBreak();
    if (event->key() == Qt::Key_A && event->modifiers() == Qt::ControlModifier) {
        SelectAllEditText();
        return;
    }
    if (enter) {
        // Shift+Return would put in a paragraph separator: every Enter is a
        // plain line break here.
        textCursor().insertText(QStringLiteral("\n"));
        ensureCursorVisible();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

}  // namespace qvx
