#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "common/LineReader.h"

// Shared by the fuzz targets: an invariant that breaks is a finding, so it
// says which one and aborts; libFuzzer then keeps the input that did it.
#define QVX_FUZZ_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : ::qvx::fuzz::Fail(#condition, __FILE__, __LINE__))

namespace qvx::fuzz {

[[noreturn]] inline void Fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "\nbroken invariant at %s:%d: %s\n", file, line, what);
    std::abort();
}

// The lines of text, as every reader of the program splits them.
inline std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    LineSplitter splitter(text);
    for (std::string_view line; splitter.Next(line);) lines.push_back(line);
    return lines;
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A folder of this process alone, made under the system temp folder on first
// use and removed at exit, so parallel runs never share files.
class PrivateFolderOwner {
  public:
    PrivateFolderOwner() {
        path_ = (std::filesystem::temp_directory_path() / "quillvox-fuzz-XXXXXX").string();
        if (!mkdtemp(path_.data())) {
            std::perror("cannot make a temporary folder");
            std::abort();
        }
    }
    ~PrivateFolderOwner() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    PrivateFolderOwner(const PrivateFolderOwner&) = delete;
    PrivateFolderOwner& operator=(const PrivateFolderOwner&) = delete;
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

inline const std::string& PrivateFolder() {
    static const PrivateFolderOwner folder;
    return folder.path();
}

// Replaces the file with exactly these bytes; the folder is ours, so a
// failure is a broken test set-up.
inline void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    QVX_FUZZ_CHECK(out.good());
}

}  // namespace qvx::fuzz
