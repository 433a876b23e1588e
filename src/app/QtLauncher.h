#pragma once

#include "common/Launcher.h"

namespace qvx {

class QtLauncher : public Launcher {
  public:
    bool StartDetached(const std::string& program, const std::string& workingFolder) override;
    bool OpenFile(const std::string& path) override;
    bool OpenUrl(const std::string& url) override;
};

}  // namespace qvx
