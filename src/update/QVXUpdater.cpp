#include "update/QVXUpdater.h"

#include <array>
#include <filesystem>
#include <tuple>

#include "common/FileExists.h"
#include "common/NumericText.h"
#include "common/ProgramPaths.h"
#include "common/TextFile.h"
#include "update/Version.h"

namespace qvx {
namespace {

constexpr std::string_view kVersionFilePath = "/velmora/software/VersionData/qvx.dat";
constexpr std::string_view kInstallerPath = "/velmora/software/qvx.exe";
constexpr std::string_view kInstallerName = "qvx.exe";

constexpr std::string_view kOfferTitle = "alert!";
constexpr std::string_view kNoConnectionText = "No connection to the internet.";
constexpr std::string_view kDownloadFailedText =
    "Couldn't download because the server seems to be currently unavailable or the update hasn't "
    "been uploaded.";
constexpr std::string_view kCorruptText = "Cannot update. Executable corrupt.";
constexpr std::string_view kRunQuestion =
    "file downloaded. would you like to run the installation for the update?";
constexpr std::string_view kRunTitle = "update";
constexpr std::string_view kCannotStartText = "Cannot start the update installer.";

std::vector<std::string> SplitAtDots(const std::string& line) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t dot = line.find('.'); dot != std::string::npos; dot = line.find('.', start)) {
        parts.push_back(line.substr(start, dot - start));
        start = dot + 1;
    }
    parts.push_back(line.substr(start));
    return parts;
}

// The first line ends at CR or LF: the file comes from a web server, where
// either line end is usual.
std::string FirstLine(const std::string& bytes) {
    return bytes.substr(0, bytes.find_first_of("\r\n"));
}

void ShowError(UserPrompts& prompts, std::string_view text) {
    prompts.ShowMessage(std::string(text), std::string(kUpdateErrorTitle), PromptIcon::Critical);
}

}  // namespace

QVXUpdater::QVXUpdater(NetworkConfig config, std::string versionTempPath)
    : config_(std::move(config)), versionTempPath_(std::move(versionTempPath)) {}

UpdateResult QVXUpdater::CheckForUpdate() {
    versionParts_.clear();
    failure_ = {};
    if (!IsConnected(config_)) return UpdateResult::NotConnected;
    const std::string versionUrl = config_.updateServer + std::string(kVersionFilePath);
    if (!DownloadUrlToFile(versionUrl, versionTempPath_, config_.limits)) {
        return UpdateResult::VersionDownloadFailed;
    }
    if (!FileExists(versionTempPath_)) return UpdateResult::VersionFileMissing;
    return ReadVersionFile();
}

UpdateResult QVXUpdater::ReadVersionFile() {
    const auto bytes = ReadWholeFile(versionTempPath_);
    if (!bytes) {
        failure_.kind = CheckFailureKind::Unreadable;
        return UpdateResult::CheckFailed;
    }
    DeleteFileIfPresent(versionTempPath_);
    if (bytes->empty()) {
        failure_.kind = CheckFailureKind::EmptyFile;
        return UpdateResult::CheckFailed;
    }
    const std::string versionLine = FirstLine(*bytes);
    if (versionLine.find('.') == std::string::npos) return UpdateResult::VersionDataInvalid;
    versionParts_ = SplitAtDots(versionLine);
    if (versionParts_.size() != 3) return UpdateResult::VersionDataInvalid;

    std::array<int, 3> offered{};
    for (std::size_t i = 0; i < offered.size(); ++i) {
        const NumericValue number = ParseNumericText(versionParts_[i]);
        if (number.status != NumericStatus::Valid) {
            failure_.kind = number.status == NumericStatus::OutOfRange
                                ? CheckFailureKind::OutOfRange
                                : CheckFailureKind::NotANumber;
            return UpdateResult::CheckFailed;
        }
        offered[i] = number.value;
    }
    const auto running = std::make_tuple(kVersionMajor, kVersionMinor, kVersionRevision);
    const auto available = std::make_tuple(offered[0], offered[1], offered[2]);
    return available > running ? UpdateResult::Available : UpdateResult::NoUpdate;
}

std::string QVXUpdater::OfferText() const {
    std::string text(kApplicationTitle);
    text += " currently has a downloadable update! current version: ";
    text += VersionNumberText() + ".";
    text += kLineEnd;
    text += "version available: ";
    for (const auto& part : versionParts_) text += part + ".";
    text += kLineEnd;
    text += "would you like to download the update?";
    return text;
}

void QVXUpdater::OfferUpdate(UserPrompts& prompts, Launcher& launcher,
                             const std::function<void()>& endProgram) {
    if (prompts.AskYesNo(OfferText(), std::string(kOfferTitle))) {
        DownloadUpdate(prompts, launcher, endProgram);
    }
}

void QVXUpdater::DownloadUpdate(UserPrompts& prompts, Launcher& launcher,
                                const std::function<void()>& endProgram) {
    if (!IsConnected(config_)) return ShowError(prompts, kNoConnectionText);
    const std::string installer = JoinPath(config_.downloadFolder, kInstallerName);
    const std::string installerUrl = config_.updateServer + std::string(kInstallerPath);
    if (!DownloadUrlToFile(installerUrl, installer, config_.limits)) {
        return ShowError(prompts, kDownloadFailedText);
    }
    if (!FileExists(installer)) return ShowError(prompts, kCorruptText);
    if (!prompts.AskYesNo(std::string(kRunQuestion), std::string(kRunTitle))) return;

    // Runnable by its owner and by nobody else.
    std::error_code ec;
    std::filesystem::permissions(installer, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace, ec);
    if (ec || !launcher.StartDetached(installer, config_.downloadFolder)) {
        return ShowError(prompts, kCannotStartText);
    }
    endProgram();
}

std::string VersionTempPath(const std::string& programFolder) {
    return JoinPath(programFolder, std::string(kProgramFileStem) + "_vc.tmp");
}

void RunUpdateCheck(UserPrompts& prompts, Launcher& launcher, const NetworkConfig& config,
                    const std::string& programFolder, const std::function<void()>& endProgram) {
    QVXUpdater updater(config, VersionTempPath(programFolder));
    const UpdateResult result = updater.CheckForUpdate();
    if (result == UpdateResult::Available)
        return updater.OfferUpdate(prompts, launcher, endProgram);
    prompts.ShowMessage(UpdateErrorText(result, updater.LastFailure()),
                        std::string(kUpdateErrorTitle), PromptIcon::Critical);
}

}  // namespace qvx
