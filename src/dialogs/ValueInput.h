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

namespace qvx {

// The writers an input kind may call: with the value, with its formant
// number and the value, or with the text as typed (never checked).
using ValueWriter = FileResult (*)(const ProgramPaths&, std::int32_t value);
struct FormantWriter {
    FileResult (*write)(const ProgramPaths&, std::int32_t formant, std::int32_t value);
    std::int32_t formant;
};
using TextWriter = FileResult (*)(const ProgramPaths&, std::string_view text);
using KindWriter = std::variant<ValueWriter, FormantWriter, TextWriter>;

// One input kind of the value dialog: the menu item that records it, how the
// dialog presents itself, what it accepts and which writer it calls.
struct InputKindInfo {
    std::int32_t kind;
    std::string_view menuItem;
    std::string_view caption;
    std::string_view prompt;
    int limit;  // characters the value box takes; 0 means no limit
    std::int32_t min;
    std::int32_t max;
    KindWriter writer;
    std::string_view notNumericText;
    std::string_view notNumericTitle;
    std::string_view outOfRangeText;
    std::string_view outOfRangeTitle;
};

inline constexpr std::int32_t kNoUpperBound = std::numeric_limits<std::int32_t>::max();

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
