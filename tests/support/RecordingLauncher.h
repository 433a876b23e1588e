#pragma once

#include <string>
#include <vector>

#include "common/Launcher.h"

namespace qvx::test {

// Records what would have been started or opened; answers with `succeed`.
class RecordingLauncher : public Launcher {
  public:
    struct Start {
        std::string program;
        std::string workingFolder;
    };
    std::vector<Start> started;
    std::vector<std::string> openedFiles;
    std::vector<std::string> openedUrls;
    bool succeed = true;

    bool StartDetached(const std::string& program, const std::string& workingFolder) override {
        started.push_back({program, workingFolder});
        return succeed;
    }
    bool OpenFile(const std::string& path) override {
        openedFiles.push_back(path);
        return succeed;
    }
    bool OpenUrl(const std::string& url) override {
        openedUrls.push_back(url);
        return succeed;
    }
};

}  // namespace qvx::test
