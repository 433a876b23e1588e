#pragma once

#include <string>
#include <string_view>

namespace qvx {

template <typename T>
class Result;

// Every box without a title of its own carries the application title.
inline constexpr std::string_view kApplicationTitle = "quillvox";

enum class PromptIcon { None, Question, Information, Exclamation, Critical };

// Every message box and input box of the program goes through this seam, so
// the core can talk to the user and tests can answer in its place. Texts are
// UTF-8 (or raw file bytes, which the real implementation decodes).
class UserPrompts {
  public:
    virtual ~UserPrompts() = default;

    // A modal box with an OK button.
    virtual void ShowMessage(const std::string& text, const std::string& title,
                             PromptIcon icon) = 0;
    // A modal Yes/No box with the question icon; true for Yes. Closing the box
    // any other way answers No.
    virtual bool AskYesNo(const std::string& text, const std::string& title) = 0;
    // The same box for a question the user may back out of: Esc and the
    // window's close control give Cancel rather than No.
    enum class Answer { Yes, No, Cancel };
    virtual Answer AskYesNoOrCancel(const std::string& text, const std::string& title) = 0;
    // A modal input box with an empty default; Cancel gives the empty text.
    virtual std::string AskText(const std::string& prompt, const std::string& title) = 0;

    // The common case: OK only, no icon, the application title.
    void Message(const std::string& text) {
        ShowMessage(text, std::string(kApplicationTitle), PromptIcon::None);
    }
    // A failed write, in plain words, with the critical icon.
    void ReportFailure(const std::string& what) {
        ShowMessage(what, std::string(kApplicationTitle), PromptIcon::Critical);
    }
    // Reports a failed file operation; true when it succeeded.
    bool Succeeded(const Result<void>& result);
};

}  // namespace qvx
