#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "support/TempFolder.h"
#include "update/UserFolders.h"

namespace qvx {
namespace {

using test::TempFolder;

// Sets environment variables for one test and puts the old values back.
class ScopedEnvironment {
  public:
    void Set(const char* name, const std::string& value) {
        Remember(name);
        setenv(name, value.c_str(), 1);
    }
    void Unset(const char* name) {
        Remember(name);
        unsetenv(name);
    }
    ~ScopedEnvironment() {
        for (const auto& [name, value] : saved_) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
    }

  private:
    void Remember(const char* name) {
        if (saved_.count(name)) return;
        const char* value = std::getenv(name);
        saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
    }
    std::map<std::string, std::optional<std::string>> saved_;
};

unsigned ModeOf(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return 0;
    return info.st_mode & 0777;
}

TEST(TempFolderTest, UsesAPrivateFolderInTheUserCache) {
    TempFolder folder;
    ScopedEnvironment environment;
    environment.Set("XDG_CACHE_HOME", folder.File("cache"));
    EXPECT_EQ(GetTempFolder(), folder.File("cache/quillvox"));
    EXPECT_EQ(ModeOf(folder.File("cache/quillvox")), 0700u);
}

TEST(TempFolderTest, AnOpenCacheFolderIsNotUsed) {
    TempFolder folder;
    ScopedEnvironment environment;
    environment.Set("XDG_CACHE_HOME", folder.File("cache"));
    std::filesystem::create_directories(folder.File("cache/quillvox"));
    chmod(folder.File("cache/quillvox").c_str(), 0777);
    const std::string temp = GetTempFolder();
    EXPECT_NE(temp, folder.File("cache/quillvox"));
    EXPECT_EQ(ModeOf(temp), 0700u);
    EXPECT_NE(temp, (std::filesystem::temp_directory_path() / "quillvox").string());
}

TEST(TempFolderTest, WithoutAHomeAPrivateFolderIsMadeOnce) {
    ScopedEnvironment environment;
    environment.Unset("XDG_CACHE_HOME");
    environment.Unset("HOME");
    const std::string temp = GetTempFolder();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(ModeOf(temp), 0700u);
    EXPECT_EQ(GetTempFolder(), temp);
    std::filesystem::remove_all(temp);
}

class DownloadFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        environment.Set("HOME", folder.folder());
        environment.Set("XDG_CONFIG_HOME", folder.File("config"));
        environment.Set("XDG_CACHE_HOME", folder.File("cache"));
        environment.Unset("XDG_DOWNLOAD_DIR");
        std::filesystem::create_directories(folder.File("config"));
    }
    TempFolder folder;
    ScopedEnvironment environment;
};

TEST_F(DownloadFolderTest, FollowsTheUserDirsFile) {
    std::filesystem::create_directories(folder.File("Fetched"));
    std::filesystem::create_directories(folder.File("Downloads"));
    folder.Write("config/user-dirs.dirs",
                 "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                 "XDG_DOWNLOAD_DIR=\"$HOME/Fetched\"\n");
    EXPECT_EQ(GetDownloadFolder(), folder.File("Fetched"));
}

TEST_F(DownloadFolderTest, EnvironmentComesFirst) {
    std::filesystem::create_directories(folder.File("Elsewhere"));
    environment.Set("XDG_DOWNLOAD_DIR", folder.File("Elsewhere"));
    EXPECT_EQ(GetDownloadFolder(), folder.File("Elsewhere"));
}

TEST_F(DownloadFolderTest, FallsBackToDownloadsThenTheTempFolder) {
    folder.Write("config/user-dirs.dirs", "XDG_DOWNLOAD_DIR=\"$HOME/Gone\"\n");
    EXPECT_EQ(GetDownloadFolder(), folder.File("cache/quillvox"));
    std::filesystem::create_directories(folder.File("Downloads"));
    EXPECT_EQ(GetDownloadFolder(), folder.File("Downloads"));
}

}  // namespace
}  // namespace qvx
