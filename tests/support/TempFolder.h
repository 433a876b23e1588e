#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/ProgramPaths.h"
#include "common/TextFile.h"

namespace qvx::test {

// A fresh program folder for one test. It is removed afterwards unless the
// test failed, so the files of a failure can be looked at.
class TempFolder {
  public:
    TempFolder() {
        auto base = std::filesystem::temp_directory_path() / "quillvox-tests";
        std::filesystem::create_directories(base);
        std::string pattern = (base / "XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
        path_ = pattern;
        paths_ = ProgramPaths::InFolder(path_.string());
    }
    ~TempFolder() {
        std::error_code ec;
        if (::testing::Test::HasFailure()) {
            std::fprintf(stderr, "kept the test folder %s\n", path_.c_str());
        } else {
            std::filesystem::remove_all(path_, ec);
        }
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const ProgramPaths& paths() const { return paths_; }
    std::string folder() const { return path_.string(); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    // The file's bytes, or "<missing>" when it does not exist.
    std::string Read(const std::string& name) const {
        return ReadWholeFile(File(name)).value_or("<missing>");
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(File(name)); }

  private:
    std::filesystem::path path_;
    ProgramPaths paths_;
};

}  // namespace qvx::test
