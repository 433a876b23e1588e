#pragma once

#include <string>
#include <string_view>

namespace qvx {

// The outcome of an update check; the numbers are the ones users report.
enum class UpdateResult : int {
    Available = 1,
    NoUpdate = 0,
    NotConnected = -1,
    VersionDownloadFailed = -2,
    VersionFileMissing = -3,
    VersionDataInvalid = -4,
    CheckFailed = -5,
};

// What went wrong when a check ends with CheckFailed.
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

// The line of advice for a result; empty for Available and for unknown values.
std::string ShowSolution(UpdateResult result, const CheckFailure& failure);

// The text of the "Error" box for a result that is not Available.
std::string UpdateErrorText(UpdateResult result, const CheckFailure& failure);

inline constexpr std::string_view kUpdateErrorTitle = "Error";

}  // namespace qvx
