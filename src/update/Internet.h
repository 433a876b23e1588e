#pragma once

#include <string>

namespace qvx {

// A server that does not answer, or a transfer that crawls, counts as a
// failed download, so the window is never frozen for long.
struct DownloadLimits {
    long connectTimeoutSeconds = 10;
    long lowSpeedBytesPerSecond = 100;
    long lowSpeedSeconds = 10;
};

// Where the update check goes and where it keeps its files.
struct NetworkConfig {
    std::string updateServer;    // base URL of the maker's server, no trailing "/"
    std::string addressServer;   // base URL of the independent address page
    std::string tempFolder;      // holds "~ip.tmp"
    std::string downloadFolder;  // receives the installer
    DownloadLimits limits;
};

// The maker's hosts, unless the caller has others from the user's settings.
inline constexpr const char* kDefaultUpdateServer = "https://www.velmora.com";
inline constexpr const char* kDefaultAddressServer = "https://www.velmora.net";

// Fetches the URL into the file, always past any cache ("Cache-Control:
// no-cache", "Pragma: no-cache"). False on a transport error, an HTTP status
// of 400 or more, or a timeout. The bytes go to a private temporary file in
// the target's folder first (see ReplacementFile), so a failure never leaves
// a partial file under the final name, and only a plain file is replaced.
bool DownloadUrlToFile(const std::string& url, const std::string& path,
                       const DownloadLimits& limits = {});

// The computer's public address as the independent address page reports it;
// empty when the page cannot be fetched or holds no address.
std::string GetPublicAddress(const NetworkConfig& config);

// The same from the update server's own address page; empty on failure.
std::string GetPublicAddressFromServer(const NetworkConfig& config);

// True when either address page gives an address (the update server is asked
// only when the independent page gave nothing).
bool IsConnected(const NetworkConfig& config);

}  // namespace qvx
