#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string_view>
#include <variant>

#include "common/ProgramState.h"
#include "common/TextFile.h"
#include "common/UserPrompts.h"
#include "dialogs/PromptBox.h"
#include "script/Writers.h"

namespace qvx {

// The writers an input kind may call: a value command, a command with its
// formant number, or the text as typed (never checked). A value command's
// bounds are the ones the dialog accepts and its messages name.
struct FormantWriter {
    const FormantCommand* command;
    std::int32_t formant;
};
using TextWriter = Result<void> (*)(const ProgramPaths&, std::string_view text);
using KindWriter = std::variant<const BoundedCommand*, FormantWriter, TextWriter>;

// One input kind of the value dialog: the menu item that records it, how the
// dialog presents itself and which writer it calls. In the texts, {min} and
// {max} stand for the writer's bounds.
struct InputKindInfo {
    std::int32_t kind;
    std::string_view menuItem;
    std::string_view caption;
    std::string_view prompt;
    KindWriter writer;
    std::string_view notNumericText;
    std::string_view notNumericTitle;
    std::string_view outOfRangeText;
    std::string_view outOfRangeTitle;
    bool acceptsAboveMax = false;  // the writer lowers the value instead
};

inline constexpr std::int32_t kNoUpperBound = std::numeric_limits<std::int32_t>::max();

// The values a numeric kind accepts ({0, 0} for a kind that takes text).
struct AcceptedRange {
    std::int32_t min;
    std::int32_t max;
};
AcceptedRange AcceptedValues(const InputKindInfo& info);

// Characters the value box takes: the digits of the writer's largest value;
// 0 (no limit) for a kind that takes text.
int CharacterLimit(const InputKindInfo& info);

// Kinds 1..29 in order.
std::span<const InputKindInfo> InputKinds();

// The kind's row for 1..29; nullptr for 0 (no kind recorded) and anything else.
const InputKindInfo* FindInputKind(std::int32_t kind);

// The critical box a typed text draws for the kind, or nullopt when the text
// is accepted (always for a kind that takes text, and for no kind at all).
std::optional<PromptBox> CheckValueInput(std::int32_t kind, std::string_view text);

// OK in the value dialog: checks the text for the kind and, when it passes,
// calls the kind's writer once. Boxes go through `prompts`. True when the
// dialog may close: the text passed and the line was written (or there was
// nothing to write, kind 0).
bool SubmitValueInput(const ProgramState& state, std::string_view text, UserPrompts& prompts);

}  // namespace qvx
