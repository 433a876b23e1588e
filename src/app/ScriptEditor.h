#pragma once

#include <QPlainTextEdit>
#include <functional>

namespace qvx {

// The edit area: free text the user types, saved into the working script
// only on request.
class ScriptEditor : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit ScriptEditor(QWidget* parent = nullptr);

    // The text exactly as typed, with "\n" line breaks. (toPlainText would
    // also turn non-breaking spaces into plain ones.)
    QString Text() const;

    // Ctrl+A (and only Ctrl+A, not with Shift or Alt) selects the whole text.
    void SelectAllEditText();

    // Runs when Enter is pressed, before the line break goes in; the window
    // sets it (and leaves it empty while the line check is off).
    std::function<void()> beforeLineBreak;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace qvx
