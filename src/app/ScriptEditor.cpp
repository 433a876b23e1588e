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

// The check's selection once the caret's range [from, to) has been replaced
// by one line break. It never takes in the break: one that began before the
// caret keeps only its part before the break.
EditSelection AfterBreak(EditSelection checked, int from, int to) {
    if (checked.start < from) return {checked.start, std::min(checked.end, from)};
    const auto moved = [&](int position) { return std::max(position, to) - (to - from) + 1; };
    return {moved(checked.start), moved(checked.end)};
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
    // line break, put in after the check, which sees the text without it.
    QTextCursor cursor = textCursor();
    const int from = cursor.selectionStart();
    const int to = cursor.selectionEnd();
    const std::optional<EditSelection> checked = lineCheck_ ? lineCheck_() : std::nullopt;
    cursor.insertText(QStringLiteral("\n"));
    if (checked) {
        const EditSelection selection = AfterBreak(*checked, from, to);
        cursor.setPosition(selection.start);
        cursor.setPosition(selection.end, QTextCursor::KeepAnchor);
    }
    setTextCursor(cursor);
    ensureCursorVisible();
}

}  // namespace qvx
