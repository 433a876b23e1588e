#include "speak/SpeakingLock.h"

#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
// glibc 2.36 declares these without C linkage.
extern "C" {
#include <sys/pidfd.h>
}

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <thread>

namespace qvx::speak {
namespace {

using Clock = std::chrono::steady_clock;

// How long a run waits for the one it ends; a run that ends takes a few
// milliseconds.
constexpr std::chrono::milliseconds kLongestWait{2000};
constexpr const char* kNotEnded =
    "the other speak43 speaking in this folder does not end; both speak";

// The abstract address of the lock of `folder` for this user: the user's
// number and a stable hash (FNV-1a) of the folder, which may be too long
// for an address of its own.
sockaddr_un LockAddress(const std::string& folder, socklen_t& length) {
    std::uint64_t hash = 0xcbf29ce484222325;
    for (unsigned char c : folder) hash = (hash ^ c) * 0x100000001b3;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    // The leading NUL puts the name in the abstract namespace.
    const int written = std::snprintf(address.sun_path + 1, sizeof address.sun_path - 1,
                                      "quillvox-speak43-%u-%016llx", unsigned(getuid()),
                                      static_cast<unsigned long long>(hash));
    length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + written);
    return address;
}

std::string Why(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// Asks the holder at `address` to end and waits until it has; a failure when
// it is another user's or does not end before `deadline`.
Result<void> EndHolder(const sockaddr_un& address, socklen_t length, Clock::time_point deadline) {
    const int peer = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (peer < 0) return Fail(Why("cannot make a socket"));
    ucred holder{};
    socklen_t size = sizeof holder;
    Result<void> ended;
    if (connect(peer, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        // Not listening yet or any more, or too many waiting: try again soon.
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } else if (getsockopt(peer, SOL_SOCKET, SO_PEERCRED, &holder, &size) != 0 ||
               holder.uid != getuid() || holder.pid <= 0) {
        ended = Fail("another user's program holds the speaking lock of this folder; both speak");
    } else {
        // The process is opened first and signalled only while it still
        // listens, so its number cannot meanwhile belong to another.
        const int process = pidfd_open(holder.pid, 0);
        char byte = 0;
        if (process >= 0 && recv(peer, &byte, 1, MSG_PEEK) < 0 && errno == EAGAIN) {
            pidfd_send_signal(process, SIGTERM, nullptr, 0);
        }
        if (process >= 0) close(process);
        // Its end resets our waiting connection.
        pollfd hangUp{peer, POLLIN, 0};
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (poll(&hangUp, 1, static_cast<int>(std::max<long long>(left.count(), 0))) <= 0) {
            ended = Fail(kNotEnded);
        }
    }
    close(peer);
    return ended;
}

}  // namespace

SpeakingLock::SpeakingLock(SpeakingLock&& other) noexcept : socket_(other.socket_) {
    other.socket_ = -1;
}

SpeakingLock::~SpeakingLock() {
    if (socket_ >= 0) close(socket_);
}

Result<SpeakingLock> SpeakingLock::Take(const std::string& folder) {
    socklen_t length = 0;
    const sockaddr_un address = LockAddress(folder, length);
    const int own = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (own < 0) return Fail(Why("cannot make a socket"));
    // Runs started together may each end the holder: whichever binds first
    // holds, and the others end it in turn, so one voice remains.
    const Clock::time_point deadline = Clock::now() + kLongestWait;
    Result<void> taken;
    while (taken && bind(own, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        if (errno != EADDRINUSE) {
            taken = Fail(Why("cannot take the speaking lock"));
        } else if (Clock::now() >= deadline) {
            taken = Fail(kNotEnded);
        } else {
            taken = EndHolder(address, length, deadline);
        }
    }
    if (taken && listen(own, SOMAXCONN) != 0) taken = Fail(Why("cannot take the speaking lock"));
    if (!taken) {
        close(own);
        return Fail(taken.error());
    }
    return SpeakingLock(own);
}

}  // namespace qvx::speak
