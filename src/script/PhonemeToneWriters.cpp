#include "script/PhonemeToneWriters.h"

#include <algorithm>
#include <string>

#include "script/ScriptFile.h"
#include "script/Writers.h"

namespace qvx {

bool IsPhonemeCode(std::string_view code) {
    return std::find(PhonemeCodes.begin(), PhonemeCodes.end(), code) != PhonemeCodes.end();
}

std::int32_t NoteFrequency(std::int32_t note) {
    return ToneFrequencyTable[static_cast<std::size_t>(Bound(note, kMinNote, kMaxNote) - 1)];
}

Result<void> WritePhoneOn(const ProgramPaths& paths) {
    return AppendScriptLine(paths, kPhoneOnLine);
}

Result<void> WritePhonemeEntry(const ProgramPaths& paths, std::string_view code,
                               std::int32_t length, std::int32_t note) {
    const std::int32_t boundedLength = Bound(length, kMinPhonemeLength, kMaxPhonemeLength);
    const std::int32_t boundedNote = Bound(note, kMinNote, kMaxNote);
    if (!IsPhonemeCode(code)) return Result<void>{};
    // "c" is written as a comma, the synthesizer's own spelling of it.
    const std::string_view written = code == "c" ? std::string_view(",") : code;
    return AppendScriptLine(paths, "[" + std::string(written) + "<" + FormatNumber(boundedLength) +
                                       "," + FormatNumber(boundedNote) + ">]");
}

Result<void> WriteToneNote(const ProgramPaths& paths, std::int32_t note, std::int32_t length) {
    return WriteToneFrequency(paths, NoteFrequency(note), length);
}

Result<void> WriteToneFrequency(const ProgramPaths& paths, std::int32_t frequency,
                                std::int32_t length) {
    return AppendScriptLine(
        paths, "[:tone<" + FormatNumber(Bound(frequency, kMinFrequency, kMaxFrequency)) + "," +
                   FormatNumber(length) + ">]");
}

}  // namespace qvx
