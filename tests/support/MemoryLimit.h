#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <charconv>
#include <fstream>
#include <functional>
#include <string>

namespace qvx::test {

// A field of /proc/self/status in bytes ("VmSize", "VmHWM").
inline long long ProcessStatusBytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (!line.starts_with(field + ":")) continue;
        long long kib = 0;
        const auto digits = line.find_first_of("0123456789");
        std::from_chars(line.data() + digits, line.data() + line.size(), kib);
        return kib * 1024;
    }
    return 0;
}

// Runs `work` in a child process whose address space may grow by at most
// 1 GB, so a runaway allocation fails at once rather than the machine
// swapping. True when the work ran to its end and its resident size grew by
// less than `growth` bytes (measured too, for builds whose sanitizer reserves
// its whole heap up front, where the address-space limit cannot bite).
inline bool RunsWithin(long long growth, const std::function<void()>& work) {
    constexpr long long kGigabyte = 1LL << 30;
    const pid_t child = fork();
    if (child == 0) {
        std::ofstream("/proc/self/clear_refs") << "5";  // a fresh peak for the child
        const long long startResident = ProcessStatusBytes("VmHWM");
        rlimit limit{};
        getrlimit(RLIMIT_AS, &limit);
        const auto wanted = static_cast<rlim_t>(ProcessStatusBytes("VmSize") + kGigabyte);
        if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur > wanted) limit.rlim_cur = wanted;
        setrlimit(RLIMIT_AS, &limit);
        try {
            work();
        } catch (...) {
            _exit(3);
        }
        _exit(ProcessStatusBytes("VmHWM") - startResident >= growth ? 2 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace qvx::test
