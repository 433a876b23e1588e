#include "app/ScriptEditor.h"

#include <QKeyEvent>

namespace qvx {

ScriptEditor::ScriptEditor(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("EditArea"));
    setAccessibleName(QStringLiteral("script editor"));
    setTabChangesFocus(true);
}

void ScriptEditor::SelectAllEditText() {
    selectAll();
}

namespace {

// Where a position lands once the range [from, to) is replaced by one char.
int AfterReplacing(int position, int from, int to) {
    if (position <= from) return position;
    if (position < to) return from;
    return position - (to - from) + 1;
}

}  // namespace

void ScriptEditor::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_A && event->modifiers() == Qt::ControlModifier) {
        SelectAllEditText();
        return;
    }
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    // Shift+Return would put in a paragraph separator: every Enter is a plain
    // line break, inserted where the caret was before the check, so a line the
    // check selects stays in place, selected, and is not replaced.
    // Plain positions: cursors would move with the inserted break.
    const QTextCursor caret = textCursor();
    const int from = caret.selectionStart();
    const int to = caret.selectionEnd();
    if (beforeLineBreak) beforeLineBreak();
    const int checkedAnchor = textCursor().anchor();
    const int checkedPosition = textCursor().position();
    const bool checkSelected =
        checkedAnchor != caret.anchor() || checkedPosition != caret.position();

    QTextCursor insertion(document());
    insertion.setPosition(caret.anchor());
    insertion.setPosition(caret.position(), QTextCursor::KeepAnchor);
    insertion.insertText(QStringLiteral("\n"));
    if (checkSelected) {
        QTextCursor selection(document());
        selection.setPosition(AfterReplacing(checkedAnchor, from, to));
        selection.setPosition(AfterReplacing(checkedPosition, from, to), QTextCursor::KeepAnchor);
        setTextCursor(selection);
    } else {
        setTextCursor(insertion);
    }
    ensureCursorVisible();
}

}  // namespace qvx
