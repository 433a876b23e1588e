#pragma once

#include <string>

#include "common/Result.h"

namespace qvx::speak {

// One speak43 speaking to the sound server per user and folder: the run that
// takes the lock ends the one that holds it, as a player starts over. The lock
// is a listening socket in the abstract namespace, whose name says the user
// and the folder; it vanishes with its process however that ends, so a
// killed run leaves nothing behind and never blocks the next.
class SpeakingLock {
  public:
    SpeakingLock() = default;
    SpeakingLock(SpeakingLock&& other) noexcept;
    SpeakingLock(const SpeakingLock&) = delete;
    SpeakingLock& operator=(const SpeakingLock&) = delete;
    ~SpeakingLock();

    // Ends the run that speaks in `folder` for this user, if any, and takes
    // its place. When that cannot be done in time (the holder does not end,
    // or the name is taken by another user) the failure says why; speaking
    // may go on regardless.
    static Result<SpeakingLock> Take(const std::string& folder);

  private:
    explicit SpeakingLock(int socket) : socket_(socket) {}

    int socket_ = -1;
};

}  // namespace qvx::speak
