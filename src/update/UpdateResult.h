#pragma once

#include <string>
#include <string_view>

namespace qvx {

// The outcome of an update check, as a signed number.
enum UpdateResult : int {
    kUpdateAvailable = 1,
    kNoUpdate = 0,
    kNotConnected = -1,
    kVersionDownloadFailed = -2,
    kVersionFileMissing = -3,
    kVersionDataInvalid = -4,
    kCheckFailed = -5,
};

// What went wrong when a check ends with kCheckFailed.
enum class CheckFailureKind : int {
    None = 0,
    EmptyFile = 1,
    NotANumber = 2,
    OutOfRange = 3,
    Unreadable = 4,
};

struct CheckFailure {
    CheckFailureKind kind = CheckFailureKind::None;
    int Number() const { return static_cast<int>(kind); }
};

// The line of advice for a result; empty for 1 and for unknown values.
std::string ShowSolution(int result, const CheckFailure& failure);

// The text of the "Error" box for a result that is not 1.
std::string UpdateErrorText(int result, const CheckFailure& failure);

inline constexpr std::string_view kUpdateErrorTitle = "Error";

}  // namespace qvx
