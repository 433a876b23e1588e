#pragma once

#include <QPlainTextEdit>
#include <functional>
#include <optional>

namespace qvx {

// A range of the edit area's text, in its positions, start <= end.
struct EditSelection {
    int start;
    int end;
};

// The edit area: free text the user types, saved into the working script
// only on request.
class ScriptEditor : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit ScriptEditor(QWidget* parent = nullptr);

    // The text exactly as typed, with "\n" line breaks. (toPlainText would
    // also turn non-breaking spaces into plain ones.)
    QString Text() const;

    // Runs when Enter is pressed, on the text before the line break goes in,
    // and gives the selection to make once it is in (the line the check found
    // at fault), or nothing.
    using LineCheck = std::function<std::optional<EditSelection>()>;
    void SetLineCheck(LineCheck check) { lineCheck_ = std::move(check); }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // Ctrl+A (and only Ctrl+A, not with Shift or Alt) selects the whole text.
    void SelectAllEditText();

    LineCheck lineCheck_;
};

}  // namespace qvx
