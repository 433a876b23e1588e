#pragma once

#include <string>

#include "common/UserPrompts.h"

namespace qvx {

// A message box a dialog's check asks for, kept as data so the rule that
// chose it can be tested without showing anything.
struct PromptBox {
    std::string text;
    std::string title;
    PromptIcon icon = PromptIcon::None;

    void ShowIn(UserPrompts& prompts) const { prompts.ShowMessage(text, title, icon); }
    bool operator==(const PromptBox&) const = default;
};

}  // namespace qvx
