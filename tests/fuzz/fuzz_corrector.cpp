// The corrector on a script of its own: what it writes has as many lines as
// the script had, is lower case in ASCII, keeps every non-ASCII byte in
// order, and a second correction finds nothing left to repair.
#include <string>

#include "FuzzSupport.h"
#include "checker/ScriptCorrector.h"
#include "common/TextFile.h"
#include "support/RecordingPrompts.h"

namespace {

using namespace qvx;

std::string NonAsciiBytes(std::string_view text) {
    std::string kept;
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) kept += c;
    }
    return kept;
}

bool HasUpperAscii(std::string_view text) {
    return text.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string_view::npos;
}

// Corrects the script and gives the summary box, the last one shown.
std::string Correct(const ProgramPaths& paths) {
    ProgramState state;
    state.paths = paths;
    RecordingPrompts prompts;
    QVX_FUZZ_CHECK(CorrectScript(state, prompts) == Refresh::Needed);
    QVX_FUZZ_CHECK(!prompts.boxes.empty());
    return prompts.boxes.back().text;
}

constexpr std::string_view kNoRepair = "Number of successful corrections: 0\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    static const ProgramPaths paths = ProgramPaths::InFolder(fuzz::PrivateFolder());
    fuzz::WriteBytes(paths.script, bytes);
    const std::size_t lines = fuzz::Lines(bytes).size();

    const std::string firstSummary = Correct(paths);
    QVX_FUZZ_CHECK(firstSummary.starts_with("script was checked.\r\n"));
    const auto corrected = ReadWholeFile(paths.script);
    QVX_FUZZ_CHECK(corrected);
    QVX_FUZZ_CHECK(fuzz::Lines(*corrected).size() == lines);
    QVX_FUZZ_CHECK(!HasUpperAscii(*corrected));
    QVX_FUZZ_CHECK(NonAsciiBytes(*corrected) == NonAsciiBytes(bytes));

    const std::string secondSummary = Correct(paths);
    QVX_FUZZ_CHECK(secondSummary.find(kNoRepair) != std::string::npos);
    // Nothing repaired means nothing changed.
    QVX_FUZZ_CHECK(ReadWholeFile(paths.script) == corrected);
    return 0;
}
