#include "dialogs/ValueInput.h"

#include <array>

#include "common/NumericText.h"
#include "dialogs/InputKind.h"
#include "script/Writers.h"

namespace qvx {
namespace {

using ValueWriter = FileResult (*)(const ProgramPaths&, std::int32_t);
using FormantWriter = FileResult (*)(const ProgramPaths&, std::int32_t, std::int32_t);

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

constexpr InputKindInfo Plain(std::string_view caption, int limit, std::int32_t min,
                              std::int32_t max, ValueWriter writer, std::string_view message) {
    return {caption, kValue,  limit,   min,         max,     writer,     nullptr,
            0,       nullptr, message, kInputError, message, kInputError};
}

constexpr InputKindInfo Formant(std::string_view caption, int limit, std::int32_t min,
                                std::int32_t max, FormantWriter writer, std::int32_t formant,
                                std::string_view message) {
    return {caption, kValue,  limit,   min,         max,     nullptr,    writer,
            formant, nullptr, message, kInputError, message, kInputError};
}

// Index 0 is kind 1.
const std::array<InputKindInfo, 29> kInputKinds{{
    {"Voice rate", "Rate:", 3, 0, kNoUpperBound, WriteVoiceRate, nullptr, 0, nullptr,
     "Please enter a numeric value between 0 and 999.", kInputErrorDot,
     "Please enter a value between 0 and 999.", kInputErrorDot},
    {"breathiness", kValue, 2, 0, 72, WriteBreathiness, nullptr, 0, nullptr,
     "Please type in a numeric value between 1 and 72.", kInputErrorDot,
     "Please type in a value between 0 and 72.", kInputErrorLower},
    {"Head size", kValue, 3, 65, 145, WriteHeadSize, nullptr, 0, nullptr,
     "Please type a numeric value between 65 and 145.", kInputErrorDot,
     "Please enter a value between 65 and 145.", kInputErrorDot},
    Formant("F4 Frequency", 4, 2000, 4650, WriteFormantFrequency, 4, k2000To4650),
    Formant("F5 Frequency", 4, 2500, 4950, WriteFormantFrequency, 5, k2500To4950),
    Formant("F4 Bandwidth", 4, 100, 2048, WriteFormantBandwidth, 4, k100To2048),
    Formant("F5 Bandwidth", 4, 100, 2048, WriteFormantBandwidth, 5, k100To2048),
    Plain("Lax breathiness", 3, 0, 100, WriteLaxBreathiness, k0To100),
    Plain("Smoothness", 3, 0, 100, WriteSmoothness, k0To100),
    Plain("Richness", 3, 0, 100, WriteRichness, k0To100),
    Plain("Laryngealisation", 3, 0, 100, WriteLaryngealisation, k0To100),
    Plain("Sampling", 3, 0, 100, WriteSampling, k0To100),
    Plain("Average Pitch", 3, 100, 300, WriteAveragePitch, k100To300),
    Plain("Expression (Pitch Range)", 3, 1, 250, WritePitchRange, k1To250),
    Plain("Assertiveness", 3, 0, 100, WriteAssertiveness, k0To100),
    Plain("Hat rise", 3, 2, 100, WriteHatRise, k2To100),
    Plain("Bass fall", 2, 0, 40, WriteBassFall, k0To40),
    Plain("Quickness", 3, 0, 100, WriteQuickness, k0To100),
    Plain("Stress level", 3, 1, 100, WriteStressLevel, k1To100),
    Plain("Voice gain level", 2, 0, 86, WriteVoiceGain, k0To86),
    Plain("Aspiration gain level", 2, 0, 86, WriteAspirationGain, k0To86),
    Plain("Frication gain level", 2, 0, 86, WriteFricationGain, k0To86),
    Plain("Nasalisation gain level", 2, 0, 86, WriteNasalisationGain, k0To86),
    Formant("Formant resonator1 gain level", 2, 0, 86, WriteFormantGain, 1, k0To86),
    Formant("Formant resonator2 gain level", 2, 0, 86, WriteFormantGain, 2, k0To86),
    Formant("Formant resonator3 gain level", 2, 0, 86, WriteFormantGain, 3, k0To86),
    Formant("Formant resonator4 gain level", 2, 0, 86, WriteFormantGain, 4, k0To86),
    Formant("Formant resonator5 gain level", 2, 0, 86, WriteFormantGain, 5, k0To86),
    {"DTMF tones", "Number to dial:", 0, 0, 0, nullptr, nullptr, 0, WriteDial, {}, {}, {}, {}},
}};

PromptBox Critical(std::string_view text, std::string_view title) {
    return {std::string(text), std::string(title), PromptIcon::Critical};
}

}  // namespace

const InputKindInfo* FindInputKind(std::int32_t kind) {
    if (kind < 1 || kind > static_cast<std::int32_t>(kInputKinds.size())) return nullptr;
    return &kInputKinds[static_cast<std::size_t>(kind - 1)];
}

std::optional<PromptBox> CheckValueInput(std::int32_t kind, std::string_view text) {
    const InputKindInfo* info = FindInputKind(kind);
    if (!info || info->textWriter) return std::nullopt;
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
    if (info->textWriter) return prompts.Succeeded(info->textWriter(paths, text));
    const std::int32_t value = ParseNumericText(text).value;
    if (info->formantWriter)
        return prompts.Succeeded(info->formantWriter(paths, info->formant, value));
    return prompts.Succeeded(info->valueWriter(paths, value));
}

}  // namespace qvx
