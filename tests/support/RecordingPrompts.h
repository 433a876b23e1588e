#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/UserPrompts.h"

namespace qvx {

// A UserPrompts that shows nothing, for tests and benchmarks: it keeps every
// box in order and answers from queues (No and the empty text once a queue
// runs dry).
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

    void ShowMessage(const std::string& text, const std::string& title, PromptIcon icon) override {
        Record({Kind::Message, text, title, icon});
    }
    bool AskYesNo(const std::string& text, const std::string& title) override {
        return AskYesNoOrCancel(text, title) == Answer::Yes;
    }
    Answer AskYesNoOrCancel(const std::string& text, const std::string& title) override {
        Record({Kind::Question, text, title, PromptIcon::Question});
        if (answers.empty()) return Answer::No;
        const std::optional<bool> answer = answers.front();
        answers.pop_front();
        if (!answer) return Answer::Cancel;
        return *answer ? Answer::Yes : Answer::No;
    }
    std::string AskText(const std::string& prompt, const std::string& title) override {
        Record({Kind::Input, prompt, title, PromptIcon::None});
        if (textAnswers.empty()) return {};
        std::string answer = std::move(textAnswers.front());
        textAnswers.pop_front();
        return answer;
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& box : boxes) texts.push_back(box.text);
        return texts;
    }

  private:
    void Record(Box box) {
        if (onBox) onBox(box);
        if (keep) boxes.push_back(std::move(box));
    }
};

}  // namespace qvx
