#include "update/HelpMenu.h"

#include "common/FileExists.h"
#include "common/TextFile.h"
#include "update/QVXUpdater.h"
#include "update/Version.h"

namespace qvx {
namespace {

constexpr std::string_view kReadmeName = "readme.txt";

}  // namespace

std::string AboutText() {
    std::string text(kApplicationTitle);
    text += " version " + VersionNumberText() + " " + std::string(kLegalNotice) + ".";
    text += kLineEnd;
    text += kCompanyName;
    return text;
}

void HelpMenuAbout(UserPrompts& prompts) {
    prompts.Message(AboutText());
}

void HelpMenuReadme(UserPrompts& prompts, Launcher& launcher, const ProgramPaths& paths) {
    const std::string readme = paths.File(kReadmeName);
    // Desktop openers often report success for a missing file, so look first.
    if (FileExists(readme) && launcher.OpenFile(readme)) return;
    prompts.Message("The file " + readme + " could not be found.");
}

void HelpMenuVisitWebsite(UserPrompts& prompts, Launcher& launcher) {
    const std::string address(kWebsiteAddress);
    if (launcher.OpenUrl(address)) return;
    prompts.ReportFailure("no web browser could be started. the website is " + address + ".");
}

void RunUpdateCheck(UserPrompts& prompts, Launcher& launcher, const NetworkConfig& config,
                    const ProgramPaths& paths, const std::function<void()>& endProgram) {
    QVXUpdater updater(config, VersionTempPath(paths.folder));
    const int result = updater.CheckForUpdate(updater.VersionFileUrl());
    if (result == kUpdateAvailable) return updater.OfferUpdate(prompts, launcher, endProgram);
    prompts.ShowMessage(UpdateErrorText(result, updater.LastFailure()),
                        std::string(kUpdateErrorTitle), PromptIcon::Critical);
}

void HelpMenuCheckForUpdates(UserPrompts& prompts, Launcher& launcher, const ProgramPaths& paths,
                             const std::function<void()>& endProgram) {
    RunUpdateCheck(prompts, launcher, LoadNetworkConfig(paths.settings), paths, endProgram);
}

}  // namespace qvx
