#include "app/ScriptEditor.h"

#include <QKeyEvent>
#include <QTextDocument>
#include <algorithm>

namespace qvx {

ScriptEditor::ScriptEditor(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("EditArea"));
    setAccessibleName(QStringLiteral("script editor"));
    setTabChangesFocus(true);
}

QString ScriptEditor::Text() const {
    QString text = document()->toRawText();
    for (QChar& c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = QLatin1Char('\n');
    }
    return text;
}

void ScriptEditor::SelectAllEditText() {
    selectAll();
}

namespace {

// The check's selection [start, end) once the caret's range [from, to) has
// been replaced by one line break. It never takes in the break: one that
// began before the caret keeps only its part before the break.
std::pair<int, int> SelectionAfterBreak(int start, int end, int from, int to) {
    if (start < from) return {start, std::min(end, from)};
    const auto moved = [&](int position) { return std::max(position, to) - (to - from) + 1; };
    return {moved(start), moved(end)};
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
        const auto [start, end] =
            SelectionAfterBreak(std::min(checkedAnchor, checkedPosition),
                                std::max(checkedAnchor, checkedPosition), from, to);
        QTextCursor selection(document());
        selection.setPosition(start);
        selection.setPosition(end, QTextCursor::KeepAnchor);
        setTextCursor(selection);
    } else {
        setTextCursor(insertion);
    }
    ensureCursorVisible();
}

}  // namespace qvx
