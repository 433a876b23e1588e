#pragma once

#include <gtest/gtest.h>

#include <filesystem>
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

}  // namespace qvx::test
