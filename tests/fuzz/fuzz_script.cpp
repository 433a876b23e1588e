// A script of any bytes through the three checks and the corrector:
// - the lines read are the file's own lines lower-cased and classified; the
//   findings point at command lines in file order; stopping after the first
//   error cuts the same list short; the check's verdict agrees with them;
// - the check while typing selects, if anything, one whole command line;
// - the corrector writes as many lines as it read, lower case in ASCII with
//   every other byte kept in order, and a second run repairs and changes
//   nothing;
// - a UTF-8 mark is skipped by every reader and kept by the corrector; UTF-16
//   is refused by both checks and the corrector, and never rewritten.
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "checker/ScriptCorrector.h"
#include "checker/TypedCheck.h"
#include "common/AsciiCase.h"
#include "common/FileAccess.h"
#include "common/FileExists.h"
#include "common/TextEncoding.h"
#include "support/RecordingPrompts.h"

namespace {

using namespace qvx;

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

void CheckTheLinesRead(const std::string& script, const std::vector<std::string_view>& lines) {
    ScriptLineReader reader(script);
    std::size_t count = 0;
    for (ScriptLine line; reader.Next(line);) {
        QVX_FUZZ_CHECK(line.number == ++count && count <= lines.size());
        QVX_FUZZ_CHECK(line.text == ToLowerAscii(lines[count - 1]));
        const bool blank = line.text.find_first_not_of(' ') == std::string_view::npos;
        QVX_FUZZ_CHECK(line.kind == (blank                         ? LineKind::Blank
                                     : line.text.starts_with("[:") ? LineKind::Command
                                                                   : LineKind::String));
    }
    QVX_FUZZ_CHECK(reader.status().ok() && count == lines.size());
}

void CheckTheFindings(const ProgramPaths& paths, const std::vector<std::string_view>& lines) {
    const auto all = Findings(paths.script, paths.folder, false);
    std::size_t previous = 1;
    for (const Found& finding : all) {
        QVX_FUZZ_CHECK(finding.line >= previous && finding.line <= lines.size());
        QVX_FUZZ_CHECK(lines[finding.line - 1].starts_with("[:"));
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

    ProgramState state;
    state.paths = paths;
    RecordingPrompts prompts;
    prompts.keep = false;
    QVX_FUZZ_CHECK(CheckScript(state, prompts) == Refresh::Needed);
    QVX_FUZZ_CHECK(state.ScriptCheckPassed == all.empty());
    QVX_FUZZ_CHECK(FileExists(paths.errorLog) == !all.empty());
}

void CheckTheSelection(std::string_view text, const ProgramPaths& paths) {
    RecordingPrompts prompts;
    prompts.keep = false;
    const auto selection = CheckTypedLines(text, paths, prompts);
    if (!selection) return;
    const auto lineEnd = [](char c) { return c == '\r' || c == '\n'; };
    const std::size_t end = selection->start + selection->length;
    QVX_FUZZ_CHECK(end <= text.size());
    QVX_FUZZ_CHECK(selection->start == Utf8MarkOf(text).size() ||
                   lineEnd(text[selection->start - 1]));
    QVX_FUZZ_CHECK(end == text.size() || lineEnd(text[end]));
    const std::string_view line = text.substr(selection->start, selection->length);
    QVX_FUZZ_CHECK(line.starts_with("[:") && line.find_first_of("\r\n") == std::string_view::npos);
}

std::string NonAsciiBytes(std::string_view text) {
    std::string kept;
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) kept += c;
    }
    return kept;
}

// Corrects the script and gives the summary box, the last one shown.
std::string Correct(const ProgramPaths& paths) {
    ProgramState state;
    state.paths = paths;
    RecordingPrompts prompts;
    QVX_FUZZ_CHECK(CorrectScript(state, prompts) == Refresh::Needed && !prompts.boxes.empty());
    return prompts.boxes.back().text;
}

void CheckTheCorrection(const ProgramPaths& paths, std::string_view bytes, std::size_t lines) {
    QVX_FUZZ_CHECK(Correct(paths).starts_with("script was checked.\r\n"));
    const auto corrected = ReadWholeFile(paths.script);
    QVX_FUZZ_CHECK(corrected &&
                   fuzz::Lines(corrected->substr(Utf8MarkOf(*corrected).size())).size() == lines);
    QVX_FUZZ_CHECK(corrected->find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") == std::string::npos);
    QVX_FUZZ_CHECK(NonAsciiBytes(*corrected) == NonAsciiBytes(bytes));
    QVX_FUZZ_CHECK(Correct(paths).find("Number of successful corrections: 0\r\n") !=
                   std::string::npos);
    QVX_FUZZ_CHECK(ReadWholeFile(paths.script) == *corrected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    static const ProgramPaths paths = ProgramPaths::InFolder(fuzz::PrivateFolder());
    fuzz::WriteBytes(paths.script, bytes);
    if (!EncodingRefusal(bytes).empty()) {
        QVX_FUZZ_CHECK(Correct(paths).find("UTF-16") != std::string::npos);
        QVX_FUZZ_CHECK(ReadWholeFile(paths.script) == std::string(bytes) &&
                       !ScriptLineReader(paths.script).status().ok());
        return 0;
    }
    const auto lines = fuzz::Lines(bytes.substr(Utf8MarkOf(bytes).size()));
    CheckTheLinesRead(paths.script, lines);
    CheckTheFindings(paths, lines);
    CheckTheSelection(bytes, paths);
    CheckTheCorrection(paths, bytes, lines.size());
    return 0;
}
