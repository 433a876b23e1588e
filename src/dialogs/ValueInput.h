#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "common/ProgramState.h"
#include "common/TextFile.h"
#include "common/UserPrompts.h"
#include "dialogs/PromptBox.h"

namespace qvx {

// How one input kind of the value dialog presents itself, what it accepts
// and which writer it calls. Exactly one of the three writers is set; a kind
// with a text writer takes the text as typed and is never checked.
struct InputKindInfo {
    std::string_view caption;
    std::string_view prompt;
    int limit;  // characters the value box takes; 0 means no limit
    std::int32_t min;
    std::int32_t max;
    FileResult (*valueWriter)(const ProgramPaths&, std::int32_t);
    FileResult (*formantWriter)(const ProgramPaths&, std::int32_t formant, std::int32_t value);
    std::int32_t formant;
    FileResult (*textWriter)(const ProgramPaths&, std::string_view);
    std::string_view notNumericText;
    std::string_view notNumericTitle;
    std::string_view outOfRangeText;
    std::string_view outOfRangeTitle;
};

inline constexpr std::int32_t kNoUpperBound = std::numeric_limits<std::int32_t>::max();

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
