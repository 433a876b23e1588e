#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/UserPrompts.h"

namespace qvx {

// A UserPrompts that shows nothing: it keeps every box in order and answers
// from queues (No and the empty text once a queue runs dry). Used by tests,
// benchmarks and the command-line tools.
class RecordingPrompts : public UserPrompts {
  public:
    enum class Kind { Message, Question, Input };
    struct Box {
        Kind kind;
        std::string text;
        std::string title;
        PromptIcon icon;
    };

    std::vector<Box> boxes;
    // For the Yes/No boxes: true Yes, false No, nullopt the box closed by Esc
    // or its close control.
    std::deque<std::optional<bool>> answers;
    std::deque<std::string> textAnswers;    // for AskText
    std::function<void(const Box&)> onBox;  // runs while the box "is open"
    bool keep = true;                       // false: count nothing, keep nothing

    void ShowMessage(const std::string& text, const std::string& title, PromptIcon icon) override;
    bool AskYesNo(const std::string& text, const std::string& title) override;
    Answer AskYesNoOrCancel(const std::string& text, const std::string& title) override;
    std::string AskText(const std::string& prompt, const std::string& title) override;

    std::vector<std::string> Texts() const;

  private:
    void Record(Box box);
};

}  // namespace qvx
