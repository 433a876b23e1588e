#include "cli/CheckCommand.h"

#include <algorithm>
#include <filesystem>
#include <string>

#include "checker/ScriptCheck.h"
#include "checker/ScriptCorrector.h"
#include "cli/CheckArguments.h"
#include "common/FileAccess.h"
#include "common/PrintableText.h"
#include "common/ProjectVersion.h"

namespace qvx {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kProgramName = "quillvox-check";

// Each finding is printed as soon as it is made, so a script of millions of
// faulty lines costs no more memory than one of its lines.
FindingSink PrintTo(std::ostream& out, const std::string& file) {
    return [&out, shown = PrintableText(file)](const ScriptFinding& finding) {
        out << shown << ':' << finding.Line() << ": "
            << (finding.kind == FindingKind::Error ? "error" : "warning") << ": "
            << PrintableText(finding.LogText()) << '\n';
    };
}

// Play commands name their wave files relative to the script's own folder.
std::string FolderOf(const std::string& file) {
    const fs::path parent = fs::path(file).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

CheckStatus Found(bool anything) {
    return anything ? CheckStatus::FoundSomething : CheckStatus::Clean;
}

CheckStatus Fail(std::ostream& err, const std::string& what) {
    err << kProgramName << ": " << PrintableText(what) << '\n';
    return CheckStatus::Failed;
}

CheckStatus CheckFile(const std::string& file, bool fix, std::ostream& out, std::ostream& err) {
    // A folder, a FIFO or a device is refused here, before anything is read.
    ScriptLineReader reader(file);
    if (!reader.status().ok()) return Fail(err, file + ": " + reader.status().error() + ".");
    FolderFiles waveFiles(FolderOf(file));
    bool found = false;
    const FindingSink print = PrintTo(out, file);
    const FindingSink note = [&found, &print](const ScriptFinding& finding) {
        found = true;
        print(finding);
    };
    if (!fix) {
        if (!CheckScriptLines(reader, waveFiles, false, note)) {
            return Fail(err, file + ": cannot be read: " + reader.status().error() + ".");
        }
        return Found(found);
    }

    Result<ReplacementFile> replacement = ReplacementFile::Create(file);
    if (!replacement) return Fail(err, replacement.error());
    CorrectionCounts counts;
    const Result<void> corrected =
        CorrectScriptLines(reader, waveFiles, *replacement, counts, note);
    if (!corrected) {
        if (!reader.status())
            return Fail(err, file + ": cannot be read: " + corrected.error() + ".");
        return Fail(err, corrected.error());
    }
    if (const Result<void> written = replacement->Commit(); !written)
        return Fail(err, written.error());
    if (counts.repaired > 0) {
        out << PrintableText(file) << ": corrections made: " << counts.repaired << '\n';
    }
    return Found(!counts.FoundNothing());
}

}  // namespace

CheckStatus RunCheckCommand(const std::vector<std::string_view>& arguments, std::ostream& out,
                            std::ostream& err) {
    const CheckArguments parsed = ParseCheckArguments(arguments);
    CheckStatus status = CheckStatus::Clean;
    if (parsed.help) {
        out << kCheckUsage;
    } else if (parsed.version) {
        out << VersionLine(kProgramName);
    } else if (!parsed.error.empty()) {
        err << kProgramName << ": " << parsed.error << ".\nTry '" << kProgramName << " --help'.\n";
        status = CheckStatus::Failed;
    } else {
        for (const std::string& file : parsed.files) {
            status = std::max(status, CheckFile(file, parsed.fix, out, err));
        }
    }
    // Findings that never reached their reader are a failure, not a clean check.
    if (!out.flush()) {
        err << kProgramName << ": the output could not be written.\n";
        status = CheckStatus::Failed;
    }
    return status;
}

}  // namespace qvx
