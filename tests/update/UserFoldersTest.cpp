#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>

#include "update/UpdateFixture.h"
#include "update/UserFolders.h"

namespace qvx {
namespace {

using test::TempFolder;

// Puts HOME and the user's folder variables back as they were when the test ends.
class SavedEnvironment {
  public:
    SavedEnvironment() {
        for (const char* name : {"HOME", "XDG_CACHE_HOME", "XDG_CONFIG_HOME", "XDG_DOWNLOAD_DIR"}) {
            const char* value = std::getenv(name);
            saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
        }
    }
    ~SavedEnvironment() {
        for (const auto& [name, value] : saved_) {
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
        }
    }

  private:
    std::map<std::string, std::optional<std::string>> saved_;
};

unsigned ModeOf(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_mode & 0777 : 0;
}

TEST(TempFolderTest, APrivateFolderInTheUserCacheUnlessOthersCanEnterIt) {
    TempFolder folder;
    SavedEnvironment environment;
    setenv("XDG_CACHE_HOME", folder.File("cache").c_str(), 1);
    const std::string cache = folder.File("cache/quillvox");
    EXPECT_EQ(GetTempFolder(), cache);
    EXPECT_EQ(ModeOf(cache), 0700u);

    chmod(cache.c_str(), 0777);
    const std::string temp = GetTempFolder();
    EXPECT_NE(temp, cache);
    EXPECT_EQ(ModeOf(temp), 0700u);
    EXPECT_NE(temp, (std::filesystem::temp_directory_path() / "quillvox").string());
    // Made once per run, also when there is no home at all.
    unsetenv("XDG_CACHE_HOME");
    unsetenv("HOME");
    EXPECT_EQ(GetTempFolder(), temp);
    std::filesystem::remove_all(temp);
}

TEST(DownloadFolderTest, EnvironmentThenUserDirsThenDownloadsThenTheTempFolder) {
    TempFolder folder;
    SavedEnvironment environment;
    setenv("HOME", folder.folder().c_str(), 1);
    setenv("XDG_CONFIG_HOME", folder.File("config").c_str(), 1);
    setenv("XDG_CACHE_HOME", folder.File("cache").c_str(), 1);
    unsetenv("XDG_DOWNLOAD_DIR");
    std::filesystem::create_directories(folder.File("config"));
    for (const char* name : {"Elsewhere", "Fetched"})
        std::filesystem::create_directory(folder.File(name));

    folder.Write("config/user-dirs.dirs", "XDG_DOWNLOAD_DIR=\"$HOME/Gone\"\n");
    EXPECT_EQ(GetDownloadFolder(), folder.File("cache/quillvox")) << "only existing folders";
    std::filesystem::create_directory(folder.File("Downloads"));
    EXPECT_EQ(GetDownloadFolder(), folder.File("Downloads"));
    folder.Write("config/user-dirs.dirs",
                 "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                 "  XDG_DOWNLOAD_DIR=\"$HOME/Fetched\"\r\n");
    EXPECT_EQ(GetDownloadFolder(), folder.File("Fetched"));
    setenv("XDG_DOWNLOAD_DIR", folder.File("Elsewhere").c_str(), 1);
    EXPECT_EQ(GetDownloadFolder(), folder.File("Elsewhere"));
}

}  // namespace
}  // namespace qvx
