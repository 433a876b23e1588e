#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "support/TempFolder.h"
#include "update/Internet.h"
#include "update/LoopbackServer.h"
#include "update/QVXUpdater.h"

namespace qvx::test {

inline constexpr const char* kAddressPagePath = "/resources/tools/getpublicip.shtml";
inline constexpr const char* kServerAddressPath = "/other/ip.php";
inline constexpr const char* kVersionPath = "/velmora/software/VersionData/qvx.dat";
inline constexpr const char* kInstallerPath = "/velmora/software/qvx.exe";

// Hosts pointing at one loopback server, folders inside the test folder, and
// short limits so a failing case never waits long.
inline NetworkConfig LoopbackConfig(const std::string& baseUrl, const TempFolder& folder) {
    NetworkConfig config{
        baseUrl, baseUrl, folder.File("temp"), folder.File("downloads"), {2, 100, 1}};
    std::filesystem::create_directories(config.tempFolder);
    std::filesystem::create_directories(config.downloadFolder);
    return config;
}

inline void ServeAddressPage(LoopbackServer& server) {
    server.Serve(kAddressPagePath, "<script>var ip = '192.0.2.44';</script>");
}

// One loopback server for both hosts and an updater using it.
class UpdateTest : public ::testing::Test {
  protected:
    int Check() { return updater.CheckForUpdate(updater.VersionFileUrl()); }

    TempFolder folder;
    LoopbackServer server;
    NetworkConfig config = LoopbackConfig(server.Url(), folder);
    QVXUpdater updater{config, VersionTempPath(folder.folder())};
};

// Puts HOME and the user's folder variables back as they were when the test ends.
class SavedEnvironment {
  public:
    SavedEnvironment() {
        for (const char* name : kNames) {
            if (const char* value = std::getenv(name)) saved_[name] = value;
        }
    }
    ~SavedEnvironment() {
        for (const char* name : kNames) {
            if (saved_.count(name))
                setenv(name, saved_[name].c_str(), 1);
            else
                unsetenv(name);
        }
    }

  private:
    static constexpr const char* kNames[] = {"HOME", "XDG_CACHE_HOME", "XDG_CONFIG_HOME",
                                             "XDG_DOWNLOAD_DIR"};
    std::map<std::string, std::string> saved_;
};

}  // namespace qvx::test
