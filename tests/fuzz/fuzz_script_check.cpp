// Reading and checking a script: the lines read are the file's own lines
// lower-cased and classified, the findings point at command lines in file
// order, stopping after the first error cuts the same list short, and the
// whole check's verdict agrees with the findings.
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "checker/ScriptCheck.h"
#include "common/AsciiCase.h"
#include "common/FileAccess.h"
#include "common/FileExists.h"
#include "common/TextFile.h"
#include "support/RecordingPrompts.h"

namespace {

using namespace qvx;

LineKind ExpectedKind(std::string_view line) {
    if (line.find_first_not_of(' ') == std::string_view::npos) return LineKind::Blank;
    return line.starts_with("[:") ? LineKind::Command : LineKind::String;
}

struct Found {
    std::size_t line;
    FindingKind kind;
    std::string log;
};

std::vector<Found> Findings(const std::string& script, const std::string& folder, bool stop) {
    ScriptLineReader reader(script);
    FolderFiles waveFiles(folder);
    std::vector<Found> found;
    QVX_FUZZ_CHECK(CheckScriptLines(reader, waveFiles, stop, [&found](const ScriptFinding& f) {
        QVX_FUZZ_CHECK(!f.BoxText().empty());
        found.push_back({f.Line(), f.kind, f.LogText()});
    }));
    return found;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    static const ProgramPaths paths = ProgramPaths::InFolder(fuzz::PrivateFolder());
    fuzz::WriteBytes(paths.script, bytes);

    const auto split = fuzz::Lines(bytes);
    std::vector<LineKind> kinds;
    ScriptLineReader reader(paths.script);
    for (ScriptLine line; reader.Next(line);) {
        QVX_FUZZ_CHECK(line.number == kinds.size() + 1 && line.number <= split.size());
        QVX_FUZZ_CHECK(line.text == ToLowerAscii(split[line.number - 1]));
        QVX_FUZZ_CHECK(line.kind == ExpectedKind(line.text));
        kinds.push_back(line.kind);
    }
    QVX_FUZZ_CHECK(reader.ok() && kinds.size() == split.size());

    const auto all = Findings(paths.script, paths.folder, false);
    std::size_t previous = 1;
    for (const Found& finding : all) {
        QVX_FUZZ_CHECK(finding.line >= previous && finding.line <= kinds.size());
        QVX_FUZZ_CHECK(kinds[finding.line - 1] == LineKind::Command);
        previous = finding.line;
    }
    std::size_t cut = 0;
    while (cut < all.size() && all[cut].kind != FindingKind::Error) ++cut;
    if (cut < all.size()) ++cut;
    const auto stopped = Findings(paths.script, paths.folder, true);
    QVX_FUZZ_CHECK(stopped.size() == cut);
    for (std::size_t i = 0; i < cut; ++i) {
        QVX_FUZZ_CHECK(stopped[i].line == all[i].line && stopped[i].log == all[i].log);
    }

    // The whole check, its boxes discarded: clean exactly when nothing is
    // found, and the log kept exactly when something was.
    ProgramState state;
    state.paths = paths;
    RecordingPrompts prompts;
    prompts.keep = false;
    QVX_FUZZ_CHECK(CheckScript(state, prompts) == Refresh::Needed);
    QVX_FUZZ_CHECK(state.ScriptCheckPassed == all.empty());
    QVX_FUZZ_CHECK(FileExists(paths.errorLog) == !all.empty());
    return 0;
}
