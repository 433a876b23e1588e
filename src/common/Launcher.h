#pragma once

#include <string>

namespace qvx {

// Starting other programs and opening documents, behind a seam so tests can
// record what would have been started.
class Launcher {
  public:
    virtual ~Launcher() = default;
    // Starts the program without arguments in the given working folder, not
    // waiting for it; false when it could not be started.
    virtual bool StartDetached(const std::string& program, const std::string& workingFolder) = 0;
    // Opens a local file with the program the desktop associates with it.
    virtual bool OpenFile(const std::string& path) = 0;
    // Opens a web address in the user's browser.
    virtual bool OpenUrl(const std::string& url) = 0;
};

}  // namespace qvx
