#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/Launcher.h"
#include "common/UserPrompts.h"
#include "update/Internet.h"
#include "update/UpdateResult.h"

namespace qvx {

// The version check against the update server, the offer and the download
// and start of the installer. It keeps the version parts of the last check so
// the offer can show them.
class QVXUpdater {
  public:
    // versionTempPath: where the version file is fetched to (see VersionTempPath).
    QVXUpdater(NetworkConfig config, std::string versionTempPath);

    // Available when the server offers a newer version; never throws. The
    // file is deleted once its first line has been read.
    UpdateResult CheckForUpdate();

    const CheckFailure& LastFailure() const { return failure_; }

    // The three-line question of the offer.
    std::string OfferText() const;
    // Asks whether to download the newer version; on Yes, DownloadUpdate.
    void OfferUpdate(UserPrompts& prompts, Launcher& launcher,
                     const std::function<void()>& endProgram);

  private:
    UpdateResult ReadVersionFile();
    // Fetches the installer into the download folder and, when the user
    // agrees and it starts, calls endProgram (which must end the program at
    // once, without the exit steps).
    void DownloadUpdate(UserPrompts& prompts, Launcher& launcher,
                        const std::function<void()>& endProgram);

    NetworkConfig config_;
    std::string versionTempPath_;
    std::vector<std::string> versionParts_;
    CheckFailure failure_;
};

// The program folder's "quillvox_vc.tmp".
std::string VersionTempPath(const std::string& programFolder);

// "&Check For Updates" with the hosts and folders given: the check, then the
// offer or the "Error" box. endProgram must end the program at once; it runs
// only after an installer has started.
void RunUpdateCheck(UserPrompts& prompts, Launcher& launcher, const NetworkConfig& config,
                    const std::string& programFolder, const std::function<void()>& endProgram);

}  // namespace qvx
