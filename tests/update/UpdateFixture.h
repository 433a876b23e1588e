#pragma once

#include <gtest/gtest.h>
#include <httplib.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "support/TempFolder.h"
#include "update/Internet.h"
#include "update/QVXUpdater.h"

namespace qvx::test {

// A real HTTP server on 127.0.0.1, on a port the system picks, running on its
// own thread until the test ends. Pages can be set or changed at any time; a
// page not set is not found.
class LoopbackServer {
  public:
    LoopbackServer() {
        // A proxy set in the environment must not catch loopback requests.
        setenv("no_proxy", "127.0.0.1", 1);
        server_.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
            const auto page = pages_.find(request.path);
            response.status = page == pages_.end() ? 404 : page->second.second;
            if (page != pages_.end()) {
                response.set_content(page->second.first, "application/octet-stream");
            }
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        if (port_ <= 0) throw std::runtime_error("cannot bind a loopback port");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        for (int i = 0; i < 200 && !server_.is_running(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    ~LoopbackServer() {
        server_.stop();
        thread_.join();
    }

    std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_); }
    void Serve(const std::string& path, const std::string& body, int status = 200) {
        std::lock_guard lock(mutex_);
        pages_[path] = {body, status};
    }
    std::vector<httplib::Request> Requests() {
        std::lock_guard lock(mutex_);
        return requests_;
    }

  private:
    httplib::Server server_;
    std::thread thread_;
    int port_ = 0;
    std::mutex mutex_;
    std::map<std::string, std::pair<std::string, int>> pages_;
    std::vector<httplib::Request> requests_;
};

inline constexpr const char* kAddressPagePath = "/resources/tools/getpublicip.shtml";
inline constexpr const char* kServerAddressPath = "/other/ip.php";
inline constexpr const char* kVersionPath = "/velmora/software/VersionData/qvx.dat";
inline constexpr const char* kInstallerPath = "/velmora/software/qvx.exe";

// The permission bits of a file or folder; 0 when it is missing.
inline unsigned ModeOf(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_mode & 0777 : 0;
}

inline void ServeAddressPage(LoopbackServer& server) {
    server.Serve(kAddressPagePath, "<script>var ip = '192.0.2.44';</script>");
}

// One loopback server for both hosts, folders inside the test folder, short
// limits so a failing case never waits long, and an updater using them.
class UpdateTest : public ::testing::Test {
  protected:
    UpdateTest() {
        std::filesystem::create_directories(config.tempFolder);
        std::filesystem::create_directories(config.downloadFolder);
    }
    int Check() { return static_cast<int>(updater.CheckForUpdate()); }

    TempFolder folder;
    LoopbackServer server;
    NetworkConfig config{
        server.Url(), server.Url(), folder.File("temp"), folder.File("downloads"), {2, 100, 1}};
    QVXUpdater updater{config, VersionTempPath(folder.folder())};
};

}  // namespace qvx::test
