#pragma once

#include <string>
#include <utility>

namespace qvx {

// Outcome of a file write. `error` says in plain words what failed, ready to
// be shown to the user.
struct FileResult {
    bool ok = true;
    std::string error;

    static FileResult Success() { return {}; }
    static FileResult Failure(std::string message) { return {false, std::move(message)}; }
    explicit operator bool() const { return ok; }
};

}  // namespace qvx
