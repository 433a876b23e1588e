#include "app/HelpMenu.h"

#include "common/FileExists.h"
#include "common/TextFile.h"
#include "settings/IniFile.h"
#include "update/QVXUpdater.h"
#include "update/UserFolders.h"
#include "update/Version.h"

namespace qvx {
namespace {

constexpr std::string_view kReadmeName = "readme.txt";

std::string WithoutTrailingSlash(std::string url) {
    while (!url.empty() && url.back() == '/') url.pop_back();
    return url;
}

}  // namespace

void HelpMenuAbout(UserPrompts& prompts) {
    std::string text(kApplicationTitle);
    text += " version " + VersionNumberText() + " " + std::string(kLegalNotice) + ".";
    text += kLineEnd;
    text += kCompanyName;
    prompts.Message(text);
}

void HelpMenuReadme(UserPrompts& prompts, Launcher& launcher, const ProgramPaths& paths) {
    const std::string readme = paths.ProgramFile(kReadmeName);
    // Desktop openers often report success for a missing file, so look first.
    if (FileExists(readme) && launcher.OpenFile(readme)) return;
    prompts.Message("The file " + readme + " could not be found.");
}

void HelpMenuVisitWebsite(UserPrompts& prompts, Launcher& launcher) {
    const std::string address(kWebsiteAddress);
    if (launcher.OpenUrl(address)) return;
    prompts.ReportFailure("no web browser could be started. the website is " + address + ".");
}

NetworkConfig LoadNetworkConfig(const std::string& settingsPath) {
    NetworkConfig config;
    config.updateServer = WithoutTrailingSlash(
        ReadIniValue(settingsPath, "QVNetwork", "UpdateServer", kDefaultUpdateServer));
    config.addressServer = WithoutTrailingSlash(
        ReadIniValue(settingsPath, "QVNetwork", "AddressServer", kDefaultAddressServer));
    config.tempFolder = GetTempFolder();
    config.downloadFolder = GetDownloadFolder();
    return config;
}

void HelpMenuCheckForUpdates(UserPrompts& prompts, Launcher& launcher, const ProgramPaths& paths,
                             const std::function<void()>& endProgram) {
    RunUpdateCheck(prompts, launcher, LoadNetworkConfig(paths.settings), paths.folder, endProgram);
}

}  // namespace qvx
