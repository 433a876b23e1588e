#include "dialogs/ValueInput.h"

#include <iterator>
#include <type_traits>

#include "common/NumericText.h"
#include "dialogs/InputKind.h"
#include "script/Writers.h"

namespace qvx {
namespace {

constexpr std::string_view kValue = "Value:";
constexpr std::string_view kInputErrorDot = "Input error.";
constexpr std::string_view kInputErrorLower = "input error.";
constexpr std::string_view kInputError = "Input Error";

// Kinds that give the same text for both faults.
constexpr std::string_view k2000To4650 = "Please type in a value between 2000 and 4650.";
constexpr std::string_view k2500To4950 = "Please type in a value between 2500 and 4950.";
constexpr std::string_view k100To2048 = "Please type in a value between 100 and 2048.";
constexpr std::string_view k0To100 = "Please type a value between 0 and 100.";
constexpr std::string_view k100To300 = "Please type a value between 100 and 300.";
constexpr std::string_view k1To250 = "Please type a value between 1 and 250.";
constexpr std::string_view k2To100 = "Please type a value between 2 and 100.";
constexpr std::string_view k0To40 = "Please type a value between 0 and 40.";
constexpr std::string_view k1To100 = "Please type a value between 1 and 100.";
constexpr std::string_view k0To86 = "Please type a value between 0 and 86.";

constexpr InputKindInfo Plain(std::int32_t kind, std::string_view menuItem,
                              std::string_view caption, int limit, std::int32_t min,
                              std::int32_t max, KindWriter writer, std::string_view message) {
    return {kind, menuItem, caption, kValue,      limit,   min,
            max,  writer,   message, kInputError, message, kInputError};
}

constexpr InputKindInfo kInputKinds[] = {
    {1, "CharacteristicsMenuVoiceRate", "Voice rate", "Rate:", 3, 0, kNoUpperBound, WriteVoiceRate,
     "Please enter a numeric value between 0 and 999.", kInputErrorDot,
     "Please enter a value between 0 and 999.", kInputErrorDot},
    {2, "CharacteristicsMenuBreathiness", "breathiness", kValue, 2, 0, 72, WriteBreathiness,
     "Please type in a numeric value between 1 and 72.", kInputErrorDot,
     "Please type in a value between 0 and 72.", kInputErrorLower},
    {3, "CharacteristicsMenuHeadSize", "Head size", kValue, 3, 65, 145, WriteHeadSize,
     "Please type a numeric value between 65 and 145.", kInputErrorDot,
     "Please enter a value between 65 and 145.", kInputErrorDot},
    Plain(4, "CharacteristicsMenuF4Frequency", "F4 Frequency", 4, 2000, 4650,
          FormantWriter{WriteFormantFrequency, 4}, k2000To4650),
    Plain(5, "CharacteristicsMenuF5Frequency", "F5 Frequency", 4, 2500, 4950,
          FormantWriter{WriteFormantFrequency, 5}, k2500To4950),
    Plain(6, "CharacteristicsMenuF4Bandwidth", "F4 Bandwidth", 4, 100, 2048,
          FormantWriter{WriteFormantBandwidth, 4}, k100To2048),
    Plain(7, "CharacteristicsMenuF5Bandwidth", "F5 Bandwidth", 4, 100, 2048,
          FormantWriter{WriteFormantBandwidth, 5}, k100To2048),
    Plain(8, "CharacteristicsMenuLaxBreathiness", "Lax breathiness", 3, 0, 100, WriteLaxBreathiness,
          k0To100),
    Plain(9, "CharacteristicsMenuSmoothness", "Smoothness", 3, 0, 100, WriteSmoothness, k0To100),
    Plain(10, "CharacteristicsMenuRichness", "Richness", 3, 0, 100, WriteRichness, k0To100),
    Plain(11, "CharacteristicsMenuLaryngealisation", "Laryngealisation", 3, 0, 100,
          WriteLaryngealisation, k0To100),
    Plain(12, "CharacteristicsMenuSampling", "Sampling", 3, 0, 100, WriteSampling, k0To100),
    Plain(13, "IntonationMenuPitch", "Average Pitch", 3, 100, 300, WriteAveragePitch, k100To300),
    Plain(14, "IntonationMenuExpression", "Expression (Pitch Range)", 3, 1, 250, WritePitchRange,
          k1To250),
    Plain(15, "IntonationMenuAssertiveness", "Assertiveness", 3, 0, 100, WriteAssertiveness,
          k0To100),
    Plain(16, "IntonationMenuHatRise", "Hat rise", 3, 2, 100, WriteHatRise, k2To100),
    Plain(17, "IntonationMenuBassFall", "Bass fall", 2, 0, 40, WriteBassFall, k0To40),
    Plain(18, "IntonationMenuSpeed", "Quickness", 3, 0, 100, WriteQuickness, k0To100),
    Plain(19, "IntonationMenuStressLevel", "Stress level", 3, 1, 100, WriteStressLevel, k1To100),
    Plain(20, "GainSettingsMenuVoiceLevel", "Voice gain level", 2, 0, 86, WriteVoiceGain, k0To86),
    Plain(21, "GainSettingsMenuAspirationLevel", "Aspiration gain level", 2, 0, 86,
          WriteAspirationGain, k0To86),
    Plain(22, "GainSettingsMenuFricationLevel", "Frication gain level", 2, 0, 86,
          WriteFricationGain, k0To86),
    Plain(23, "GainSettingsMenuNasalisationLevel", "Nasalisation gain level", 2, 0, 86,
          WriteNasalisationGain, k0To86),
    Plain(24, "GainSettingsMenuFormantResonator1", "Formant resonator1 gain level", 2, 0, 86,
          FormantWriter{WriteFormantGain, 1}, k0To86),
    Plain(25, "GainSettingsMenuFormantResonator2", "Formant resonator2 gain level", 2, 0, 86,
          FormantWriter{WriteFormantGain, 2}, k0To86),
    Plain(26, "GainSettingsMenuFormantResonator3", "Formant resonator3 gain level", 2, 0, 86,
          FormantWriter{WriteFormantGain, 3}, k0To86),
    Plain(27, "GainSettingsMenuFormantResonator4", "Formant resonator4 gain level", 2, 0, 86,
          FormantWriter{WriteFormantGain, 4}, k0To86),
    Plain(28, "GainSettingsMenuFormantResonator5", "Formant resonator5 gain level", 2, 0, 86,
          FormantWriter{WriteFormantGain, 5}, k0To86),
    {29,
     "OtherEffectsMenuDTMFToneGenerator",
     "DTMF tones",
     "Number to dial:",
     0,
     0,
     0,
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

PromptBox Critical(std::string_view text, std::string_view title) {
    return {std::string(text), std::string(title), PromptIcon::Critical};
}

}  // namespace

std::span<const InputKindInfo> InputKinds() {
    return kInputKinds;
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
            return Critical(info->notNumericText, info->notNumericTitle);
        case NumericStatus::OutOfRange:
            // Too large for any writer: refused like any value outside the range.
            return Critical(info->outOfRangeText, info->outOfRangeTitle);
        case NumericStatus::Valid:
            if (number.value < info->min || number.value > info->max) {
                return Critical(info->outOfRangeText, info->outOfRangeTitle);
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
            return writer.write(paths, writer.formant, ParseNumericText(text).value);
        } else {
            return writer(paths, ParseNumericText(text).value);
        }
    };
    return prompts.Succeeded(std::visit(write, info->writer));
}

}  // namespace qvx
