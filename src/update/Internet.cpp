#include "update/Internet.h"

#include <curl/curl.h>

#include <memory>
#include <string_view>

#include "common/FileAccess.h"
#include "common/ProgramPaths.h"
#include "common/TextFile.h"

namespace qvx {
namespace {

constexpr std::string_view kIndependentAddressPath = "/resources/tools/getpublicip.shtml";
constexpr std::string_view kServerAddressPath = "/other/ip.php";
constexpr std::string_view kAddressTempName = "~ip.tmp";
constexpr std::string_view kAddressMarker = "var ip =";

size_t WriteToFile(char* data, size_t size, size_t count, void* file) {
    const bool written = static_cast<ReplacementFile*>(file)->Write({data, size * count}).ok();
    return written ? size * count : 0;
}

struct CurlDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct HeaderListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

bool Fetch(const std::string& url, ReplacementFile& file, const DownloadLimits& limits) {
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl) return false;
    std::unique_ptr<curl_slist, HeaderListDeleter> headers(
        curl_slist_append(nullptr, "Cache-Control: no-cache"));
    if (!headers) return false;
    if (!curl_slist_append(headers.get(), "Pragma: no-cache")) return false;

    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, 5L);
    // A secure address must not be redirected to a plain one.
    const bool secure = url.starts_with("https:");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, secure ? "https" : "http,https");
    curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, limits.connectTimeoutSeconds);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, limits.lowSpeedBytesPerSecond);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, limits.lowSpeedSeconds);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, WriteToFile);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &file);
    return curl_easy_perform(handle) == CURLE_OK;
}

// The text between the two single quotes after "var ip ="; empty when the
// page is not shaped that way. A page without the marker is an address page
// of another kind: its whole text is the answer.
std::string AddressFromPage(const std::string& page) {
    const std::size_t marker = page.find(kAddressMarker);
    if (marker == std::string::npos) return page;
    const std::size_t open = page.find('\'', marker + 1);
    if (open == std::string::npos) return {};
    const std::size_t close = page.find('\'', open + 1);
    if (close == std::string::npos) return {};
    return page.substr(open + 1, close - open - 1);
}

std::string WithoutLineEndsAndBlanks(std::string text) {
    for (std::size_t at = text.find(kLineEnd); at != std::string::npos;
         at = text.find(kLineEnd, at)) {
        text.erase(at, kLineEnd.size());
    }
    constexpr std::string_view kBlanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

bool DownloadUrlToFile(const std::string& url, const std::string& path,
                       const DownloadLimits& limits) {
    Result<ReplacementFile> file = ReplacementFile::Create(path);
    return file && Fetch(url, *file, limits) && file->Commit().ok();
}

std::string GetPublicAddress(const NetworkConfig& config) {
    const std::string temp = JoinPath(config.tempFolder, kAddressTempName);
    if (!DownloadUrlToFile(config.addressServer + std::string(kIndependentAddressPath), temp,
                           config.limits)) {
        return {};
    }
    const std::string page = ReadWholeFile(temp).value_or("");
    DeleteFileIfPresent(temp);
    return AddressFromPage(page);
}

std::string GetPublicAddressFromServer(const NetworkConfig& config) {
    // This copy stays; the next download replaces it.
    const std::string temp = JoinPath(config.tempFolder, kAddressTempName);
    if (!DownloadUrlToFile(config.updateServer + std::string(kServerAddressPath), temp,
                           config.limits)) {
        return {};
    }
    return WithoutLineEndsAndBlanks(ReadWholeFile(temp).value_or(""));
}

bool IsConnected(const NetworkConfig& config) {
    return !GetPublicAddress(config).empty() || !GetPublicAddressFromServer(config).empty();
}

}  // namespace qvx
