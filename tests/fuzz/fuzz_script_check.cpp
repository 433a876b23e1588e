// Loading, classifying and checking a script: the loaded lines match the
// file's own lines lower-cased, every line gets its kind, the findings point
// at command lines in file order, stopping after the first error cuts the same
// list short, and the whole check's verdict agrees with the findings.
#include <string>

#include "FuzzSupport.h"
#include "checker/ScriptCheck.h"
#include "checker/ScriptLines.h"
#include "common/AsciiCase.h"
#include "common/FileExists.h"
#include "common/RecordingPrompts.h"
#include "common/TextFile.h"

namespace {

using namespace qvx;

// A loaded line holds no CR, so of the lone line-end characters only LF
// can make a blank line.
LineKind ExpectedKind(std::string_view line) {
    if (line == "\n" || line.find_first_not_of(' ') == std::string_view::npos) {
        return LineKind::Blank;
    }
    return line.starts_with("[:") ? LineKind::Command : LineKind::String;
}

void CheckLoadedLines(std::string_view bytes, const ScriptLines& full, const ScriptLines& dropped) {
    const auto split = SplitLines(bytes);
    // Empty text holds no lines, so an empty file loads as none, and a file
    // of one empty line as none once its final break is dropped.
    if (bytes.empty()) QVX_FUZZ_CHECK(full.empty());
    if (bytes.empty()) return;
    const bool oneEmptyLine = split.size() == 1 && split.front().empty();
    QVX_FUZZ_CHECK(dropped.size() == (oneEmptyLine ? 0 : split.size()));
    QVX_FUZZ_CHECK(full.size() == split.size() + 1);
    for (std::size_t i = 0; i < split.size(); ++i) {
        QVX_FUZZ_CHECK(full[i] == ToLowerAscii(split[i]));
    }
    for (std::size_t i = 0; i < dropped.size(); ++i) QVX_FUZZ_CHECK(dropped[i] == full[i]);
    QVX_FUZZ_CHECK(full[split.size()].empty());
    for (std::size_t i = 0; i < full.size(); ++i) {
        QVX_FUZZ_CHECK(full.text().substr(full.Offset(i), full[i].size()) == full[i]);
    }
}

void CheckFindings(const ScriptLines& lines, const std::string& folder) {
    const auto kinds = ClassifyScriptLines(lines);
    QVX_FUZZ_CHECK(kinds.size() == lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        QVX_FUZZ_CHECK(kinds[i] == ExpectedKind(lines[i]));
    }

    const auto all = FindScriptFindings(lines, folder, false);
    std::int32_t previous = 1;
    for (const ScriptFinding& finding : all) {
        QVX_FUZZ_CHECK(finding.line >= previous);
        QVX_FUZZ_CHECK(static_cast<std::size_t>(finding.line) <= lines.size());
        QVX_FUZZ_CHECK(kinds[static_cast<std::size_t>(finding.line) - 1] == LineKind::Command);
        QVX_FUZZ_CHECK(!finding.boxText.empty() && !finding.logText.empty());
        previous = finding.line;
    }

    std::size_t cut = 0;
    while (cut < all.size() && all[cut].kind != FindingKind::Error) ++cut;
    if (cut < all.size()) ++cut;
    const auto stopped = FindScriptFindings(lines, folder, true);
    QVX_FUZZ_CHECK(stopped.size() == cut);
    for (std::size_t i = 0; i < cut; ++i) {
        QVX_FUZZ_CHECK(stopped[i].line == all[i].line && stopped[i].logText == all[i].logText);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    static const ProgramPaths paths = ProgramPaths::InFolder(fuzz::PrivateFolder());
    fuzz::WriteBytes(paths.script, bytes);

    const auto full = LoadScriptLines(paths.script, false);
    const auto dropped = LoadScriptLines(paths.script, true);
    QVX_FUZZ_CHECK(full && dropped);
    CheckLoadedLines(bytes, *full, *dropped);
    CheckFindings(*full, paths.folder);

    // The whole check, its boxes discarded: clean exactly when nothing is
    // found, and the log kept exactly when something was.
    ProgramState state;
    state.paths = paths;
    RecordingPrompts prompts;
    prompts.keep = false;
    QVX_FUZZ_CHECK(CheckScript(state, prompts));
    const bool clean = FindScriptFindings(*full, paths.folder, false).empty();
    QVX_FUZZ_CHECK(state.ScriptCheckPassed == clean);
    QVX_FUZZ_CHECK(FileExists(paths.errorLog) == !clean);
    return 0;
}
