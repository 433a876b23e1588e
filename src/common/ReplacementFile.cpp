#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "common/FileAccess.h"

namespace fs = std::filesystem;

namespace qvx {
namespace {

// Why the old file is kept rather than replaced by a rename.
constexpr std::string_view kHardLinks =
    "it has other names (hard links), which would keep the old text, so it was not rewritten";
constexpr std::string_view kOtherOwner =
    "it belongs to another user or group, and rewriting it would take it from them, so it was "
    "not rewritten";
constexpr std::string_view kChangedMeanwhile =
    "it was changed by another program while it was being rewritten, so it was left as it is, "
    "with that change";

unsigned NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666u & ~static_cast<unsigned>(mask);
}

// A temporary that cannot be made in the folder: the folder is the reason.
std::string TemporaryFailure(const fs::path& folder, int code) {
    const std::string reason = std::strerror(code);
    if (code != EACCES && code != EPERM && code != EROFS) return reason;
    return "the folder " + folder.string() + " cannot be written to (" + reason +
           "), and the new version is made there first";
}

// Copies every extended attribute of `from` (ACLs among them) to the open
// file; false with errno set. A file system without them has none to copy.
bool CopyAttributes(const std::string& from, int to) {
    ssize_t size = ::listxattr(from.c_str(), nullptr, 0);
    if (size < 0) return errno == ENOTSUP;
    std::vector<char> names(static_cast<std::size_t>(size));
    size = ::listxattr(from.c_str(), names.data(), names.size());
    if (size < 0) return false;
    std::vector<char> value;
    for (const char* name = names.data(); name < names.data() + size;
         name += std::strlen(name) + 1) {
        ssize_t length = ::getxattr(from.c_str(), name, nullptr, 0);
        if (length >= 0) {
            value.resize(static_cast<std::size_t>(length));
            length = ::getxattr(from.c_str(), name, value.data(), value.size());
        }
        if (length < 0 || ::fsetxattr(to, name, value.data(), std::size_t(length), 0) != 0)
            return false;
    }
    return true;
}

}  // namespace

ReplacementFile::Identity ReplacementFile::IdentityOf(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return {};
    return {true,
            status.st_dev,
            status.st_ino,
            static_cast<unsigned long long>(status.st_size),
            static_cast<unsigned long long>(status.st_mtim.tv_sec),
            static_cast<unsigned long long>(status.st_mtim.tv_nsec)};
}

Result<ReplacementFile> ReplacementFile::Create(const std::string& target) {
    const auto refuse = [&](std::string_view reason) {
        return Fail(WriteFailure(target, std::string(reason)));
    };
    std::error_code ec;
    fs::path resolved = target;
    if (fs::is_symlink(resolved, ec)) {
        resolved = fs::weakly_canonical(resolved, ec);
        if (ec) return refuse(ec.message());
    }
    unsigned mode = NewFileMode();
    struct stat status {};
    const bool exists = ::stat(resolved.c_str(), &status) == 0;
    if (exists) {
        if (const std::string refusal = RefusalToWrite(status.st_mode); !refusal.empty())
            return refuse(refusal);
        if (status.st_nlink > 1) return refuse(kHardLinks);
        mode = status.st_mode & 07777;
    } else if (errno != ENOENT) {
        return refuse(std::strerror(errno));
    }
    const Identity original = IdentityOf(resolved);

    fs::path prefix = resolved.parent_path();
    prefix /= "." + resolved.filename().string() + ".";
    FileHandle file;
    TemporaryPath temporary = TemporaryPath::Make(prefix.string(), [&](const char* path) {
        file = FileHandle(::open(path, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        return bool(file);
    });
    if (!file) return refuse(TemporaryFailure(resolved.parent_path(), errno));
    if (exists && ::fchown(file.get(), status.st_uid, status.st_gid) != 0) {
        const int code = errno;
        ::unlink(temporary.path().c_str());
        return refuse(code == EPERM ? kOtherOwner : std::string_view(std::strerror(code)));
    }
    return ReplacementFile(target, resolved.string(), original, mode, std::move(file),
                           std::move(temporary));
}

ReplacementFile::ReplacementFile(std::string shownPath, std::string target, Identity original,
                                 unsigned mode, FileHandle file, TemporaryPath temporary)
    : shownPath_(std::move(shownPath)),
      target_(std::move(target)),
      original_(original),
      mode_(mode),
      file_(std::move(file)),
      temporary_(std::move(temporary)) {}

ReplacementFile::~ReplacementFile() {
    if (!temporary_.path().empty()) ::unlink(temporary_.path().c_str());
}

Result<void> ReplacementFile::Failure(const std::string& reason) {
    file_ = FileHandle();
    ::unlink(temporary_.path().c_str());
    temporary_ = TemporaryPath();
    return Fail(WriteFailure(shownPath_, reason));
}

Result<void> ReplacementFile::Write(std::string_view bytes) {
    constexpr std::size_t kBlock = std::size_t{1} << 16;
    if (!file_) return Fail(WriteFailure(shownPath_, "it was not opened"));
    if (pending_.size() + bytes.size() < kBlock) {
        pending_.append(bytes);
        return Result<void>{};
    }
    if (!WriteAll(file_.get(), pending_) || !WriteAll(file_.get(), bytes))
        return Failure(std::strerror(errno));
    pending_.clear();
    return Result<void>{};
}

Result<void> ReplacementFile::Commit() {
    if (!file_) return Fail(WriteFailure(shownPath_, "it was not opened"));
    if (!WriteAll(file_.get(), pending_)) return Failure(std::strerror(errno));
    // On the disk before the rename, so a crash leaves the old file or the
    // whole new one.
    if (::fsync(file_.get()) != 0 && errno != EINVAL) return Failure(std::strerror(errno));
    if (original_.exists && !CopyAttributes(target_, file_.get()))
        return Failure(std::string("its extended attributes could not be kept: ") +
                       std::strerror(errno));
    // After the attributes: an access ACL would set the permission bits too.
    if (::fchmod(file_.get(), mode_) != 0) return Failure(std::strerror(errno));
    if (::close(file_.release()) != 0) return Failure(std::strerror(errno));
    // As late as can be: what another program added meanwhile is not lost.
    if (IdentityOf(target_) != original_) return Failure(std::string(kChangedMeanwhile));
    if (::rename(temporary_.path().c_str(), target_.c_str()) != 0)
        return Failure(std::strerror(errno));
    temporary_ = TemporaryPath();
    return Result<void>{};
}

}  // namespace qvx
