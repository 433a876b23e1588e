#include "common/RecordingPrompts.h"

namespace qvx {

void RecordingPrompts::Record(Box box) {
    if (onBox) onBox(box);
    if (keep) boxes.push_back(std::move(box));
}

void RecordingPrompts::ShowMessage(const std::string& text, const std::string& title,
                                   PromptIcon icon) {
    Record({Kind::Message, text, title, icon});
}

bool RecordingPrompts::AskYesNo(const std::string& text, const std::string& title) {
    return AskYesNoOrCancel(text, title) == Answer::Yes;
}

UserPrompts::Answer RecordingPrompts::AskYesNoOrCancel(const std::string& text,
                                                       const std::string& title) {
    Record({Kind::Question, text, title, PromptIcon::Question});
    if (answers.empty()) return Answer::No;
    const std::optional<bool> answer = answers.front();
    answers.pop_front();
    if (!answer) return Answer::Cancel;
    return *answer ? Answer::Yes : Answer::No;
}

std::string RecordingPrompts::AskText(const std::string& prompt, const std::string& title) {
    Record({Kind::Input, prompt, title, PromptIcon::None});
    if (textAnswers.empty()) return {};
    std::string answer = std::move(textAnswers.front());
    textAnswers.pop_front();
    return answer;
}

std::vector<std::string> RecordingPrompts::Texts() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes) texts.push_back(box.text);
    return texts;
}

}  // namespace qvx
