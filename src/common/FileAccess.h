#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/Result.h"

namespace qvx {

// An open file descriptor that closes itself.
class FileHandle {
  public:
    FileHandle() = default;
    explicit FileHandle(int fd) : fd_(fd) {}
    FileHandle(FileHandle&& other) noexcept : fd_(other.release()) {}
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle();

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    int release();

  private:
    int fd_ = -1;
};

// Why a file of this type (st_mode) is neither read nor replaced: "is a
// folder", "is not a plain file"; empty for a regular file.
std::string RefusalFor(unsigned mode);
// The same, and "the file is read-only" for one its owner may not write.
std::string RefusalToWrite(unsigned mode);

// What every writer reports when writing `path` failed for `reason`.
std::string WriteFailure(const std::string& path, const std::string& reason);

// Writes every byte, resuming after interruptions; false with errno set.
bool WriteAll(int fd, std::string_view bytes);

// Opens a regular file for reading without ever blocking: a FIFO, a device or
// a folder is refused before anything is read from it. A failure says why in
// plain words ("no such file", "is a folder", "is not a plain file", or the
// system's reason).
Result<FileHandle> OpenForReading(const std::string& path);

// The whole file as bytes, with the same refusals.
Result<std::string> ReadWholeFile(const std::string& path);

// A path (a file, or an empty folder) removed if the process is interrupted
// (SIGINT, SIGTERM, SIGHUP, SIGPIPE) while this object lives; see
// RemoveTemporariesOnSignals. Removing it otherwise is the owner's task.
class TemporaryPath {
  public:
    TemporaryPath() = default;
    explicit TemporaryPath(std::string path);
    TemporaryPath(TemporaryPath&& other) noexcept;
    TemporaryPath& operator=(TemporaryPath&& other) noexcept;
    TemporaryPath(const TemporaryPath&) = delete;
    TemporaryPath& operator=(const TemporaryPath&) = delete;
    ~TemporaryPath();

    // Makes a new file or folder at `prefix` followed by eight random
    // lower-case letters and digits: `create` makes it at the path it is given
    // and returns false with errno set when it cannot (a name already taken is
    // replaced by another). The path is watched from before it exists, so an
    // interruption at any moment, taken on any thread, removes it. Empty on
    // failure, with errno kept.
    static TemporaryPath Make(const std::string& prefix,
                              const std::function<bool(const char* path)>& create);

    const std::string& path() const;
    // Stops watching the path (it was removed, or it is to stay).
    void Forget();

  private:
    std::unique_ptr<std::string> path_;  // kept in place: the signal handler reads it
    int slot_ = -1;
};

// Installs the handlers that remove every path a TemporaryPath watches and
// then let the signal end the process as it would have; SIGXFSZ is ignored,
// so a write past the file-size limit fails and is reported.
void RemoveTemporariesOnSignals();

// A new version of a file, written beside it and put in its place by Commit,
// so a failure or an interruption leaves the old file whole and no stray
// temporary behind:
// - only a regular file (or a missing one) is replaced: a folder, a device or
//   a FIFO is refused, and so is a file its owner may not write;
// - a symbolic link is written through: its target is replaced, the link stays;
// - the temporary gets an unpredictable name in the target's folder, is made
//   with O_EXCL and mode 0600, and receives the old file's owner and group at
//   once, and its extended attributes (ACLs included) and permission bits
//   (a new file: 0666 less the umask) only when it is committed;
// - what a rename would lose is refused instead, with a message, before
//   anything is written: a file with other names (hard links) that would keep
//   the old text, and one whose owner or group this user cannot give the new
//   version (it would be taken over);
// - a file changed by someone else since Create (its size, its time of last
//   change or the file itself) is not replaced: the change is kept;
// - an uncommitted temporary is removed on destruction and on the signals
//   RemoveTemporariesOnSignals handles.
class ReplacementFile {
  public:
    static Result<ReplacementFile> Create(const std::string& target);
    ReplacementFile(ReplacementFile&&) noexcept = default;
    ReplacementFile& operator=(ReplacementFile&&) = delete;
    ~ReplacementFile();

    // For a writer of its own (such as a sound library); not mixed with Write.
    int fd() const { return file_.get(); }
    // Gathers small writes into blocks: a failure may show only at a later
    // Write or at Commit.
    Result<void> Write(std::string_view bytes);
    // Puts the new version in place; after a failure the old file is untouched.
    Result<void> Commit();

  private:
    // What tells whether the file was changed by someone else.
    struct Identity {
        bool exists = false;
        unsigned long long device = 0, inode = 0, size = 0, seconds = 0, nanoseconds = 0;
        bool operator==(const Identity&) const = default;
    };
    static Identity IdentityOf(const std::string& path);

    ReplacementFile(std::string shownPath, std::string target, Identity original, unsigned mode,
                    FileHandle file, TemporaryPath temporary);
    Result<void> Failure(const std::string& reason);

    std::string shownPath_;  // as the caller named it, for messages
    std::string target_;     // the file that is replaced, links followed
    Identity original_;      // the target as it was at Create
    unsigned mode_ = 0;
    FileHandle file_;
    TemporaryPath temporary_;
    std::string pending_;  // written bytes not yet handed to the system
};

// The regular files of one folder, listed once and matched by name without
// regard to ASCII case, as on the platform scripts come from. An exact match
// wins; among names that differ only in case the lowest in byte order is
// taken. A name that is empty or holds a separator or a NUL byte names no
// file of the folder.
class FolderFiles {
  public:
    explicit FolderFiles(std::string folder);
    ~FolderFiles();
    FolderFiles(const FolderFiles&) = delete;
    FolderFiles& operator=(const FolderFiles&) = delete;

    // The path of the file, or nullopt. A name not found is looked for again
    // in a new listing when the folder changed since the last.
    std::optional<std::string> Find(std::string_view name);
    const std::string& folder() const { return folder_; }

  private:
    struct Listing;
    void List();
    std::optional<std::string> Look(std::string_view name);
    std::string folder_;
    std::unique_ptr<Listing> listing_;  // read at the first look
};

// One look in a folder, as FolderFiles::Find.
std::optional<std::string> FindFileIgnoringCase(const std::string& folder, std::string_view name);

}  // namespace qvx
