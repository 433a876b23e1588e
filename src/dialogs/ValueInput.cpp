#include "dialogs/ValueInput.h"

#include <iterator>
#include <type_traits>
#include <utility>

#include "common/NumericText.h"
#include "dialogs/InputKind.h"

namespace qvx {
namespace {

constexpr std::string_view kValue = "Value:";
constexpr std::string_view kInputErrorDot = "Input error.";
constexpr std::string_view kInputErrorLower = "input error.";
constexpr std::string_view kInputError = "Input Error";

// Kinds that give the same text for both faults.
constexpr std::string_view kTypeInRange = "Please type in a value between {min} and {max}.";
constexpr std::string_view kTypeRange = "Please type a value between {min} and {max}.";

constexpr InputKindInfo Plain(std::int32_t kind, std::string_view menuItem,
                              std::string_view caption, KindWriter writer,
                              std::string_view message) {
    return {kind, menuItem, caption, kValue, writer, message, kInputError, message, kInputError};
}

constexpr InputKindInfo kInputKinds[] = {
    {1, "CharacteristicsMenuVoiceRate", "Voice rate", "Rate:", &kVoiceRate,
     "Please enter a numeric value between {min} and {max}.", kInputErrorDot,
     "Please enter a value between {min} and {max}.", kInputErrorDot, true},
    {2, "CharacteristicsMenuBreathiness", "breathiness", kValue, &kBreathiness,
     "Please type in a numeric value between 1 and {max}.", kInputErrorDot,
     "Please type in a value between {min} and {max}.", kInputErrorLower},
    {3, "CharacteristicsMenuHeadSize", "Head size", kValue, &kHeadSize,
     "Please type a numeric value between {min} and {max}.", kInputErrorDot,
     "Please enter a value between {min} and {max}.", kInputErrorDot},
    Plain(4, "CharacteristicsMenuF4Frequency", "F4 Frequency", FormantWriter{&kFormantFrequency, 4},
          kTypeInRange),
    Plain(5, "CharacteristicsMenuF5Frequency", "F5 Frequency", FormantWriter{&kFormantFrequency, 5},
          kTypeInRange),
    Plain(6, "CharacteristicsMenuF4Bandwidth", "F4 Bandwidth", FormantWriter{&kFormantBandwidth, 4},
          kTypeInRange),
    Plain(7, "CharacteristicsMenuF5Bandwidth", "F5 Bandwidth", FormantWriter{&kFormantBandwidth, 5},
          kTypeInRange),
    Plain(8, "CharacteristicsMenuLaxBreathiness", "Lax breathiness", &kLaxBreathiness, kTypeRange),
    Plain(9, "CharacteristicsMenuSmoothness", "Smoothness", &kSmoothness, kTypeRange),
    Plain(10, "CharacteristicsMenuRichness", "Richness", &kRichness, kTypeRange),
    Plain(11, "CharacteristicsMenuLaryngealisation", "Laryngealisation", &kLaryngealisation,
          kTypeRange),
    Plain(12, "CharacteristicsMenuSampling", "Sampling", &kSampling, kTypeRange),
    Plain(13, "IntonationMenuPitch", "Average Pitch", &kAveragePitch, kTypeRange),
    Plain(14, "IntonationMenuExpression", "Expression (Pitch Range)", &kPitchRange, kTypeRange),
    Plain(15, "IntonationMenuAssertiveness", "Assertiveness", &kAssertiveness, kTypeRange),
    Plain(16, "IntonationMenuHatRise", "Hat rise", &kHatRise, kTypeRange),
    Plain(17, "IntonationMenuBassFall", "Bass fall", &kBassFall, kTypeRange),
    Plain(18, "IntonationMenuSpeed", "Quickness", &kQuickness, kTypeRange),
    Plain(19, "IntonationMenuStressLevel", "Stress level", &kStressLevel, kTypeRange),
    Plain(20, "GainSettingsMenuVoiceLevel", "Voice gain level", &kVoiceGain, kTypeRange),
    Plain(21, "GainSettingsMenuAspirationLevel", "Aspiration gain level", &kAspirationGain,
          kTypeRange),
    Plain(22, "GainSettingsMenuFricationLevel", "Frication gain level", &kFricationGain,
          kTypeRange),
    Plain(23, "GainSettingsMenuNasalisationLevel", "Nasalisation gain level", &kNasalisationGain,
          kTypeRange),
    Plain(24, "GainSettingsMenuFormantResonator1", "Formant resonator1 gain level",
          FormantWriter{&kFormantGain, 1}, kTypeRange),
    Plain(25, "GainSettingsMenuFormantResonator2", "Formant resonator2 gain level",
          FormantWriter{&kFormantGain, 2}, kTypeRange),
    Plain(26, "GainSettingsMenuFormantResonator3", "Formant resonator3 gain level",
          FormantWriter{&kFormantGain, 3}, kTypeRange),
    Plain(27, "GainSettingsMenuFormantResonator4", "Formant resonator4 gain level",
          FormantWriter{&kFormantGain, 4}, kTypeRange),
    Plain(28, "GainSettingsMenuFormantResonator5", "Formant resonator5 gain level",
          FormantWriter{&kFormantGain, 5}, kTypeRange),
    {29,
     "OtherEffectsMenuDTMFToneGenerator",
     "DTMF tones",
     "Number to dial:",
     WriteDial,
     {},
     {},
     {},
     {}},
};

constexpr bool NumberedInOrder() {
    for (std::size_t i = 0; i < std::size(kInputKinds); ++i) {
        if (kInputKinds[i].kind != static_cast<std::int32_t>(i) + 1) return false;
    }
    return std::size(kInputKinds) == kMaxInputKind;
}
static_assert(NumberedInOrder(), "FindInputKind finds kind k in row k - 1");

// The bounds the kind's writer holds a value to.
BoundedCommand WriterBounds(const InputKindInfo& info) {
    if (const auto* command = std::get_if<const BoundedCommand*>(&info.writer)) return **command;
    if (const auto* formant = std::get_if<FormantWriter>(&info.writer)) {
        return formant->command->valueBounds(formant->formant);
    }
    return {};
}

// A message with the writer's bounds filled in.
PromptBox Critical(const InputKindInfo& info, std::string_view text, std::string_view title) {
    const BoundedCommand bounds = WriterBounds(info);
    std::string filled(text);
    for (const auto& [field, value] : {std::pair{std::string_view("{min}"), bounds.min},
                                       std::pair{std::string_view("{max}"), bounds.max}}) {
        if (const auto at = filled.find(field); at != std::string::npos) {
            filled.replace(at, field.size(), FormatNumber(value));
        }
    }
    return {filled, std::string(title), PromptIcon::Critical};
}

}  // namespace

std::span<const InputKindInfo> InputKinds() {
    return kInputKinds;
}

AcceptedRange AcceptedValues(const InputKindInfo& info) {
    const BoundedCommand bounds = WriterBounds(info);
    return {bounds.min, info.acceptsAboveMax ? kNoUpperBound : bounds.max};
}

int CharacterLimit(const InputKindInfo& info) {
    if (std::holds_alternative<TextWriter>(info.writer)) return 0;
    return static_cast<int>(FormatNumber(WriterBounds(info).max).size());
}

const InputKindInfo* FindInputKind(std::int32_t kind) {
    if (kind < 1 || kind > kMaxInputKind) return nullptr;
    return &kInputKinds[static_cast<std::size_t>(kind - 1)];
}

std::optional<PromptBox> CheckValueInput(std::int32_t kind, std::string_view text) {
    const InputKindInfo* info = FindInputKind(kind);
    if (!info || std::holds_alternative<TextWriter>(info->writer)) return std::nullopt;
    const NumericValue number = ParseNumericText(text);
    switch (number.status) {
        case NumericStatus::NotNumeric:
            return Critical(*info, info->notNumericText, info->notNumericTitle);
        case NumericStatus::OutOfRange:
            // Too large for any writer: refused like any value outside the range.
            return Critical(*info, info->outOfRangeText, info->outOfRangeTitle);
        case NumericStatus::Valid:
            if (const AcceptedRange range = AcceptedValues(*info);
                number.value < range.min || number.value > range.max) {
                return Critical(*info, info->outOfRangeText, info->outOfRangeTitle);
            }
            return std::nullopt;
    }
    return std::nullopt;
}

bool SubmitValueInput(const ProgramState& state, std::string_view text, UserPrompts& prompts) {
    const std::int32_t kind = GetInputKind(state);
    const InputKindInfo* info = FindInputKind(kind);
    if (!info) return true;
    if (const auto box = CheckValueInput(kind, text)) {
        box->ShowIn(prompts);
        return false;
    }
    const ProgramPaths& paths = state.paths;
    const auto write = [&](auto writer) {
        using Writer = decltype(writer);
        if constexpr (std::is_same_v<Writer, TextWriter>) {
            return writer(paths, text);
        } else if constexpr (std::is_same_v<Writer, FormantWriter>) {
            return WriteFormantCommand(paths, *writer.command, writer.formant,
                                       ParseNumericText(text).value);
        } else {
            return WriteBoundedCommand(paths, *writer, ParseNumericText(text).value);
        }
    };
    return prompts.Succeeded(std::visit(write, info->writer));
}

}  // namespace qvx
