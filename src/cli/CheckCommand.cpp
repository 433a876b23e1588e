#include "cli/CheckCommand.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>

#include "checker/ScriptCheck.h"
#include "checker/ScriptCorrector.h"
#include "checker/ScriptLines.h"
#include "cli/CheckArguments.h"
#include "common/PrintableText.h"
#include "common/TextFile.h"
#include "script/Writers.h"

namespace qvx {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kProgramName = "quillvox-check";

void PrintFindings(std::string_view file, const std::vector<ScriptFinding>& findings,
                   std::ostream& out) {
    for (const ScriptFinding& finding : findings) {
        out << PrintableText(file) << ':' << FormatNumber(finding.line) << ": "
            << (finding.kind == FindingKind::Error ? "error" : "warning") << ": "
            << PrintableText(finding.logText) << '\n';
    }
}

// Why the file cannot be checked before reading it; empty when it may be read.
// A folder must be refused here, since reading one gives no bytes rather than
// a failure and would pass for an empty, clean script.
std::string ReasonNotToRead(const std::string& file) {
    std::error_code ec;
    const auto status = fs::status(file, ec);
    if (ec || !fs::exists(status)) return "no such file";
    if (fs::is_directory(status)) return "is a folder";
    return "";
}

// Play commands name their wave files relative to the script's own folder.
std::string FolderOf(const std::string& file) {
    const fs::path parent = fs::path(file).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

CheckStatus Found(bool anything) {
    return anything ? kCheckFoundSomething : kCheckClean;
}

CheckStatus CheckFile(const std::string& file, bool fix, std::ostream& out, std::ostream& err) {
    std::string reason = ReasonNotToRead(file);
    std::optional<ScriptLines> lines;
    if (reason.empty()) {
        // The corrector, like the editor's, drops the break after the last line.
        lines = LoadScriptLines(file, fix);
        if (!lines) reason = "cannot be read";
    }
    if (!lines) {
        err << kProgramName << ": " << PrintableText(file) << ": " << reason << ".\n";
        return kCheckFailed;
    }
    const std::string folder = FolderOf(file);
    if (!fix) {
        const auto findings = FindScriptFindings(*lines, folder, false);
        PrintFindings(file, findings, out);
        return Found(!findings.empty());
    }

    const ScriptCorrection correction = CorrectScriptLines(std::move(*lines), folder);
    PrintFindings(file, correction.findings, out);
    if (const FileResult written = RewriteFile(file, correction.text); !written) {
        err << kProgramName << ": " << PrintableText(written.error) << '\n';
        return kCheckFailed;
    }
    if (correction.repaired > 0) {
        out << PrintableText(file) << ": corrections made: " << FormatNumber(correction.repaired)
            << '\n';
    }
    return Found(!correction.FoundNothing());
}

}  // namespace

int RunCheckCommand(const std::vector<std::string_view>& arguments, std::ostream& out,
                    std::ostream& err) {
    const CheckArguments parsed = ParseCheckArguments(arguments);
    if (parsed.help) {
        out << kCheckUsage;
        return kCheckClean;
    }
    if (!parsed.error.empty()) {
        err << kProgramName << ": " << parsed.error << ".\nTry '" << kProgramName << " --help'.\n";
        return kCheckFailed;
    }
    CheckStatus status = kCheckClean;
    for (const std::string& file : parsed.files) {
        status = std::max(status, CheckFile(file, parsed.fix, out, err));
    }
    return status;
}

}  // namespace qvx
