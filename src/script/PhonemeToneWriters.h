#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "common/ProgramPaths.h"
#include "common/TextFile.h"

namespace qvx {

// The frequency in hertz of each note number 1..37 (index 0 is note 1): fixed
// values of the synthesizer, not computed.
inline constexpr std::array<std::int32_t, 37> ToneFrequencyTable{
    262,  276,  294,  312,  328,  350,  372,  394,  416,  440,  468, 496,  524,
    552,  588,  624,  656,  700,  744,  788,  832,  880,  936,  992, 1048, 1104,
    1176, 1248, 1312, 1400, 1488, 1576, 1664, 1760, 1872, 1984, 2096};

// The phoneme codes a sung entry may carry, matched whole and with case.
inline constexpr std::array<std::string_view, 44> PhonemeCodes{
    "aa", "ae", "ah", "ao", "aw", "ax", "ay", "b",  "c",  "ch", "d", "dh", "eh", "en", "ey",
    "f",  "g",  "hx", "ih", "ix", "iy", "jh", "k",  "l",  "lx", "m", "n",  "nx", "or", "ow",
    "oy", "p",  "r",  "rr", "s",  "sh", "t",  "th", "uh", "uw", "v", "w",  "z",  "zh"};

// The line that switches the synthesizer to phonemes, as written and checked.
inline constexpr std::string_view kPhoneOnLine = "[:phone on]";

inline constexpr std::int32_t kMinNote = 1;
inline constexpr std::int32_t kMaxNote = 37;
inline constexpr std::int32_t kMinFrequency = 20;
inline constexpr std::int32_t kMaxFrequency = 20000;
inline constexpr std::int32_t kMinPhonemeLength = 20;
inline constexpr std::int32_t kMaxPhonemeLength = 20000;

bool IsPhonemeCode(std::string_view code);
// The frequency of a note, the note bounded to 1..37 first.
std::int32_t NoteFrequency(std::int32_t note);

Result<void> WritePhoneOn(const ProgramPaths& paths);
// "[code<L,N>]" ("[,<L,N>]" for "c"), length bounded to 20..20000 and note to
// 1..37. A code outside PhonemeCodes writes nothing and succeeds.
Result<void> WritePhonemeEntry(const ProgramPaths& paths, std::string_view code,
                               std::int32_t length, std::int32_t note);
Result<void> WriteToneNote(const ProgramPaths& paths, std::int32_t note, std::int32_t length);
// "[:tone<F,length>]", the frequency bounded to 20..20000, the length as given.
Result<void> WriteToneFrequency(const ProgramPaths& paths, std::int32_t frequency,
                                std::int32_t length);

}  // namespace qvx
