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

// Downloads go to the first folder that exists of XDG_DOWNLOAD_DIR, the
// user-dirs.dirs entry, ~/Downloads and the temporary folder. That is a
// private folder in the user's cache, or, when others can enter that one, a
// private folder made once per run elsewhere.
TEST(UserFolders, DownloadFolderFirstFoundAndAPrivateTempFolder) {
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
    const std::string cache = folder.File("cache/quillvox");
    EXPECT_EQ(GetDownloadFolder(), cache) << "only existing folders";
    EXPECT_EQ(test::ModeOf(cache), 0700u);
    std::filesystem::create_directory(folder.File("Downloads"));
    EXPECT_EQ(GetDownloadFolder(), folder.File("Downloads"));
    folder.Write("config/user-dirs.dirs",
                 "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                 "  XDG_DOWNLOAD_DIR=\"$HOME/Fetched\"\r\n");
    EXPECT_EQ(GetDownloadFolder(), folder.File("Fetched"));
    setenv("XDG_DOWNLOAD_DIR", folder.File("Elsewhere").c_str(), 1);
    EXPECT_EQ(GetDownloadFolder(), folder.File("Elsewhere"));

    chmod(cache.c_str(), 0777);
    const std::string temp = GetTempFolder();
    EXPECT_NE(temp, cache);
    EXPECT_EQ(test::ModeOf(temp), 0700u);
    EXPECT_NE(temp, (std::filesystem::temp_directory_path() / "quillvox").string());
    unsetenv("XDG_CACHE_HOME");  // also when there is no home at all
    unsetenv("HOME");
    EXPECT_EQ(GetTempFolder(), temp);
    std::filesystem::remove_all(temp);
}

}  // namespace
}  // namespace qvx
