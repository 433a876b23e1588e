#include "common/FileAccess.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <map>
#include <random>
#include <vector>

#include "common/AsciiCase.h"
#include "common/ProgramPaths.h"

namespace qvx {
namespace {

std::string SystemReason(int code) {
    return code == ENOENT ? "no such file" : std::strerror(code);
}

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

std::string RefusalFor(unsigned mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return "is a folder";
    return "is not a plain file";
}

std::string RefusalToWrite(unsigned mode) {
    if (std::string refusal = RefusalFor(mode); !refusal.empty()) return refusal;
    // A file its owner may not write is left alone, even by a user (such as
    // root) whom the system would let write anyway.
    if ((mode & S_IWUSR) == 0) return "the file is read-only";
    return {};
}

std::string WriteFailure(const std::string& path, const std::string& reason) {
    return "could not write the file " + path + ": " + reason + ".";
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.release();
    }
    return *this;
}

FileHandle::~FileHandle() {
    if (fd_ >= 0) ::close(fd_);
}

int FileHandle::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

Result<FileHandle> OpenForReading(const std::string& path) {
    // Looked at before opening: opening a FIFO or a device can block or act.
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return Fail(SystemReason(errno));
    if (std::string refusal = RefusalFor(status.st_mode); !refusal.empty()) return Fail(refusal);
    FileHandle file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file) return Fail(SystemReason(errno));
    // The path may have been swapped in between: what was opened decides.
    if (::fstat(file.get(), &status) != 0) return Fail(SystemReason(errno));
    if (std::string refusal = RefusalFor(status.st_mode); !refusal.empty()) return Fail(refusal);
    return file;
}

Result<std::string> ReadWholeFile(const std::string& path) {
    const Result<FileHandle> file = OpenForReading(path);
    if (!file) return Fail(file.error());
    std::string content;
    struct stat status {};
    if (::fstat(file->get(), &status) == 0 && status.st_size > 0)
        content.reserve(static_cast<std::size_t>(status.st_size));
    char block[1 << 16];
    for (;;) {
        const ssize_t got = ::read(file->get(), block, sizeof block);
        if (got > 0) {
            content.append(block, static_cast<std::size_t>(got));
        } else if (got == 0) {
            return content;
        } else if (errno != EINTR) {
            return Fail(std::strerror(errno));
        }
    }
}

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

struct FolderFiles::Listing {
    // Lower-cased name to the names that fold to it, each with whether it is
    // a regular file (looked up once, at the first need).
    std::map<std::string, std::map<std::string, std::optional<bool>>, std::less<>> names;
    std::pair<long long, long long> changed;  // the folder's time of last change
};

namespace {

std::pair<long long, long long> ChangeTime(const std::string& folder) {
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0) return {-1, -1};
    return {status.st_mtim.tv_sec, status.st_mtim.tv_nsec};
}

}  // namespace

FolderFiles::FolderFiles(std::string folder) : folder_(std::move(folder)) {}
FolderFiles::~FolderFiles() = default;

void FolderFiles::List() {
    listing_ = std::make_unique<Listing>();
    listing_->changed = ChangeTime(folder_);
    if (DIR* folder = ::opendir(folder_.c_str())) {
        while (const dirent* entry = ::readdir(folder)) {
            const std::string entryName = entry->d_name;
            listing_->names[ToLowerAscii(entryName)].emplace(entryName, std::nullopt);
        }
        ::closedir(folder);
    }
}

std::optional<std::string> FolderFiles::Find(std::string_view name) {
    if (name.empty() || name.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos)
        return std::nullopt;
    if (!listing_) List();
    if (auto found = Look(name)) return found;
    // A file added since (a sound imported meanwhile) is found too; the
    // folder is listed again only when it changed.
    if (ChangeTime(folder_) == listing_->changed) return std::nullopt;
    List();
    return Look(name);
}

std::optional<std::string> FolderFiles::Look(std::string_view name) {
    const auto folded = listing_->names.find(ToLowerAscii(name));
    if (folded == listing_->names.end()) return std::nullopt;
    auto& candidates = folded->second;
    const auto isRegular = [this](const std::string& entryName, std::optional<bool>& known) {
        if (!known) {
            struct stat status {};
            const std::string path = JoinPath(folder_, entryName);
            known = ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
        }
        return *known;
    };
    // The exact spelling first, then the others in byte order.
    if (const auto exact = candidates.find(std::string(name));
        exact != candidates.end() && isRegular(exact->first, exact->second)) {
        return JoinPath(folder_, exact->first);
    }
    for (auto& [entryName, known] : candidates) {
        if (isRegular(entryName, known)) return JoinPath(folder_, entryName);
    }
    return std::nullopt;
}

std::optional<std::string> FindFileIgnoringCase(const std::string& folder, std::string_view name) {
    return FolderFiles(folder).Find(name);
}

}  // namespace qvx
