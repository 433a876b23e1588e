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

FileResult WriteBoundedCommand(const ProgramPaths& paths, const BoundedCommand& command,
                               std::int32_t value);
FileResult WriteFormantCommand(const ProgramPaths& paths, const FormantCommand& command,
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
FileResult WriteVoice(const ProgramPaths& paths, std::int32_t number);

FileResult WriteVoiceRate(const ProgramPaths& paths, std::int32_t rate);
FileResult WriteAveragePitch(const ProgramPaths& paths, std::int32_t value);
FileResult WritePitchRange(const ProgramPaths& paths, std::int32_t value);
FileResult WriteBreathiness(const ProgramPaths& paths, std::int32_t value);
FileResult WriteGender(const ProgramPaths& paths, std::int32_t value);
FileResult WriteHeadSize(const ProgramPaths& paths, std::int32_t value);
FileResult WriteLaxBreathiness(const ProgramPaths& paths, std::int32_t value);
FileResult WriteSmoothness(const ProgramPaths& paths, std::int32_t value);
FileResult WriteRichness(const ProgramPaths& paths, std::int32_t value);
FileResult WriteSampling(const ProgramPaths& paths, std::int32_t value);
FileResult WriteLaryngealisation(const ProgramPaths& paths, std::int32_t value);
FileResult WriteBassFall(const ProgramPaths& paths, std::int32_t value);
FileResult WriteHatRise(const ProgramPaths& paths, std::int32_t value);
FileResult WriteStressLevel(const ProgramPaths& paths, std::int32_t value);
FileResult WriteAssertiveness(const ProgramPaths& paths, std::int32_t value);
FileResult WriteQuickness(const ProgramPaths& paths, std::int32_t value);
FileResult WriteVoiceGain(const ProgramPaths& paths, std::int32_t value);
FileResult WriteAspirationGain(const ProgramPaths& paths, std::int32_t value);
FileResult WriteFricationGain(const ProgramPaths& paths, std::int32_t value);
FileResult WriteNasalisationGain(const ProgramPaths& paths, std::int32_t value);

FileResult WriteFormantFrequency(const ProgramPaths& paths, std::int32_t formant,
                                 std::int32_t value);
FileResult WriteFormantBandwidth(const ProgramPaths& paths, std::int32_t formant,
                                 std::int32_t value);
FileResult WriteFormantGain(const ProgramPaths& paths, std::int32_t formant, std::int32_t value);

// "[:dial "" + digits + ""]": the text between double quotes (an empty text
// gives "[:dial """]), or as typed when it holds a double quote of its own.
FileResult WriteDial(const ProgramPaths& paths, std::string_view digits);
// Whether the wave file of a sound name lies in the program folder, its
// name matched without regard to ASCII case as the check and speak43 match it.
bool SoundFileExists(const ProgramPaths& paths, std::string_view name);
// "[:play " + name + ".wav]", written only when that sound file lies in the
// program folder; otherwise nothing happens and the script is not touched.
FileResult WritePlay(const ProgramPaths& paths, std::string_view name);

}  // namespace qvx
