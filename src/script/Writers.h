#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/NumericText.h"
#include "common/ProgramPaths.h"
#include "common/TextFile.h"

namespace qvx {

// One bounded command: prefix + value + "]". Values outside the bounds are
// silently raised to the minimum, then lowered to the maximum.
struct BoundedCommand {
    std::string_view prefix;
    std::int32_t min;
    std::int32_t max;
};

// A command that carries a formant number: prefix + n + " " + value + "]".
// The formant is bounded first, since the value's bounds depend on it.
struct FormantCommand {
    std::string_view prefix;
    std::int32_t minFormant;
    std::int32_t maxFormant;
    BoundedCommand (*valueBounds)(std::int32_t formant);
};

Result<void> WriteBoundedCommand(const ProgramPaths& paths, const BoundedCommand& command,
                                 std::int32_t value);
Result<void> WriteFormantCommand(const ProgramPaths& paths, const FormantCommand& command,
                                 std::int32_t formant, std::int32_t value);

// One voice: the menu item that chooses it, its number, the line it
// appends and the message that announces it.
struct Voice {
    std::string_view menuItem;
    std::int32_t number;
    std::string_view command;
    std::string_view message;
};
// In the order of the voices menu.
std::span<const Voice> Voices();
// Appends the line of voice number 1..10 (bounded), "[:nb]" .. "[:nv]".
Result<void> WriteVoice(const ProgramPaths& paths, std::int32_t number);

// The value commands, each with the bounds its writer holds a value to; the
// value dialog accepts what these bounds allow.
extern const BoundedCommand kVoiceRate;
extern const BoundedCommand kAveragePitch;
extern const BoundedCommand kPitchRange;
extern const BoundedCommand kBreathiness;
extern const BoundedCommand kGender;
extern const BoundedCommand kHeadSize;
extern const BoundedCommand kLaxBreathiness;
extern const BoundedCommand kSmoothness;
extern const BoundedCommand kRichness;
extern const BoundedCommand kSampling;
extern const BoundedCommand kLaryngealisation;
extern const BoundedCommand kBassFall;
extern const BoundedCommand kHatRise;
extern const BoundedCommand kStressLevel;
extern const BoundedCommand kAssertiveness;
extern const BoundedCommand kQuickness;
extern const BoundedCommand kVoiceGain;
extern const BoundedCommand kAspirationGain;
extern const BoundedCommand kFricationGain;
extern const BoundedCommand kNasalisationGain;
extern const FormantCommand kFormantFrequency;
extern const FormantCommand kFormantBandwidth;
extern const FormantCommand kFormantGain;

// "[:dial "" + digits + ""]": the text between double quotes (an empty text
// gives "[:dial """]), or as typed when it holds a double quote of its own.
Result<void> WriteDial(const ProgramPaths& paths, std::string_view digits);
// Whether the wave file of a sound name lies in the program folder, its
// name matched without regard to ASCII case as the check and speak43 match it.
bool SoundFileExists(const ProgramPaths& paths, std::string_view name);
// "[:play " + name + ".wav]", written only when that sound file lies in the
// program folder; otherwise nothing happens and the script is not touched.
Result<void> WritePlay(const ProgramPaths& paths, std::string_view name);

}  // namespace qvx
