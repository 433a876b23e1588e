#pragma once

#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include "common/Launcher.h"

extern char** environ;

namespace qvx::test {

// Records what would have been started or opened and answers as told.
class RecordingLauncher : public Launcher {
  public:
    struct Call {
        std::string what;  // "start", "file" or "url"
        std::string target;
        std::string folder;
    };
    std::vector<Call> calls;
    bool result = true;

    bool StartDetached(const std::string& program, const std::string& workingFolder) override {
        calls.push_back({"start", program, workingFolder});
        return result;
    }
    bool OpenFile(const std::string& path) override {
        calls.push_back({"file", path, {}});
        return result;
    }
    bool OpenUrl(const std::string& url) override {
        calls.push_back({"url", url, {}});
        return result;
    }
};

// Really starts the program, in its own session and working folder, without
// waiting for it. Documents and addresses are not its business.
class SpawningLauncher : public Launcher {
  public:
    std::vector<pid_t> started;

    ~SpawningLauncher() override {
        for (pid_t pid : started) waitpid(pid, nullptr, 0);
    }
    bool StartDetached(const std::string& program, const std::string& workingFolder) override {
        posix_spawn_file_actions_t actions;
        posix_spawnattr_t attributes;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
        posix_spawnattr_init(&attributes);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
        char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
        pid_t pid = 0;
        const int error = posix_spawn(&pid, program.c_str(), &actions, &attributes, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
        if (error != 0) return false;
        started.push_back(pid);
        return true;
    }
    bool OpenFile(const std::string&) override { return false; }
    bool OpenUrl(const std::string&) override { return false; }
};

}  // namespace qvx::test
