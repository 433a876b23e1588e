#pragma once

#include <QPointer>
#include <QWidget>

#include "common/UserPrompts.h"

namespace qvx {

// Message and input boxes on screen. Each box is parented to the window the
// user sees at that moment (a dialog may have hidden the main window), so
// focus and the screen reader land on it.
class QtUserPrompts : public UserPrompts {
  public:
    explicit QtUserPrompts(QWidget* mainWindow = nullptr) : mainWindow_(mainWindow) {}
    void SetMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }

    void ShowMessage(const std::string& text, const std::string& title, PromptIcon icon) override;
    bool AskYesNo(const std::string& text, const std::string& title) override;
    Answer AskYesNoOrCancel(const std::string& text, const std::string& title) override;
    std::string AskText(const std::string& prompt, const std::string& title) override;

  private:
    QWidget* VisibleParent() const;
    // Shows a Yes/No question and returns the button that ended it.
    int AskQuestion(const std::string& text, const std::string& title, bool cancellable) const;
    QPointer<QWidget> mainWindow_;
};

}  // namespace qvx
