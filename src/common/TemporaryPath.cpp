#include "common/FileAccess.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <random>

namespace qvx {
namespace {

// The paths the signal handler removes. Plain atomics of C strings, so the
// handler reads them without locks or allocation.
constexpr int kTemporarySlots = 64;
std::array<std::atomic<const char*>, kTemporarySlots> temporaries{};

int Watch(const char* path) {
    for (int slot = 0; slot < kTemporarySlots; ++slot) {
        const char* expected = nullptr;
        if (temporaries[static_cast<std::size_t>(slot)].compare_exchange_strong(expected, path))
            return slot;
    }
    return -1;  // too many at once: this one is only removed by its owner
}

// How many temporaries are being made right now, each by a thread that holds
// the signals back: a handler on another thread waits for them, and once it
// has begun no new one is made.
std::atomic<int> making{0};
std::atomic<bool> ending{false};

void RemoveTemporariesAndReraise(int signal) {
    ending = true;
    for (int wait = 0; making.load() != 0 && wait < 1000; ++wait) {
        const timespec millisecond{0, 1000000};
        nanosleep(&millisecond, nullptr);
    }
    for (int slot = kTemporarySlots - 1; slot >= 0; --slot) {
        const char* path = temporaries[static_cast<std::size_t>(slot)].exchange(nullptr);
        if (path && ::unlink(path) != 0) ::rmdir(path);
    }
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    sigaction(signal, &fallback, nullptr);
    raise(signal);
}

// The signals that end the process and remove the temporaries first: a closed
// pipe ends it as it ends any program that writes to one.
constexpr std::array kEndingSignals{SIGINT, SIGTERM, SIGHUP, SIGPIPE};

// Holds back the ending signals while it lives, so that a temporary
// file is never made without being watched.
class InterruptionsHeld {
  public:
    InterruptionsHeld() {
        sigset_t held;
        sigemptyset(&held);
        for (const int signal : kEndingSignals) sigaddset(&held, signal);
        pthread_sigmask(SIG_BLOCK, &held, &previous_);
    }
    ~InterruptionsHeld() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    InterruptionsHeld(const InterruptionsHeld&) = delete;
    InterruptionsHeld& operator=(const InterruptionsHeld&) = delete;

  private:
    sigset_t previous_{};
};

}  // namespace

TemporaryPath::TemporaryPath(std::string path)
    : path_(std::make_unique<std::string>(std::move(path))), slot_(Watch(path_->c_str())) {}

TemporaryPath::TemporaryPath(TemporaryPath&& other) noexcept
    : path_(std::move(other.path_)), slot_(std::exchange(other.slot_, -1)) {}

TemporaryPath& TemporaryPath::operator=(TemporaryPath&& other) noexcept {
    if (this != &other) {
        Forget();
        path_ = std::move(other.path_);
        slot_ = std::exchange(other.slot_, -1);
    }
    return *this;
}

TemporaryPath::~TemporaryPath() {
    Forget();
}

const std::string& TemporaryPath::path() const {
    static const std::string none;
    return path_ ? *path_ : none;
}

TemporaryPath TemporaryPath::Make(const std::string& prefix,
                                  const std::function<bool(const char* path)>& create) {
    constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    int failure = EEXIST;
    for (int attempt = 0; attempt < 100 && failure == EEXIST; ++attempt) {
        std::string path = prefix;
        for (int i = 0; i < 8; ++i) path += kLetters[random() % kLetters.size()];
        TemporaryPath made(std::move(path));
        const InterruptionsHeld held;
        ++making;
        const bool created = !ending && create(made.path().c_str());
        failure = ending ? EINTR : errno;
        --making;
        if (created) return made;
        made.Forget();
    }
    errno = failure;
    return {};
}

void TemporaryPath::Forget() {
    if (slot_ >= 0) temporaries[static_cast<std::size_t>(slot_)].store(nullptr);
    slot_ = -1;
}

void RemoveTemporariesOnSignals() {
    struct sigaction action {};
    action.sa_handler = RemoveTemporariesAndReraise;
    sigemptyset(&action.sa_mask);
    for (const int signal : kEndingSignals) sigaction(signal, &action, nullptr);
    // A file grown past the size limit fails its write instead, which is
    // reported like any other failed write.
    action.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &action, nullptr);
}

}  // namespace qvx
