#include "update/UpdateResult.h"

#include <array>

#include "common/NumericText.h"

namespace qvx {
namespace {

struct ResultTexts {
    UpdateResult result;
    std::string_view reason;
    std::string_view advice;
};

constexpr std::array<ResultTexts, 7> kResultTexts{{
    {UpdateResult::Available, "", ""},
    {UpdateResult::NoUpdate, "there are currently no updates at this time. ",
     "Please try again later."},
    {UpdateResult::NotConnected, "you are not connected to the internet. ",
     "Please connect to the internet and try again."},
    {UpdateResult::VersionDownloadFailed, "version information could not be downloaded. ",
     "The server could be unavailable. Please try again later. If the problem persists, please "
     "contact Velmora."},
    {UpdateResult::VersionFileMissing, "the version information file is empty. ",
     "Please contact Velmora so the situation can be assessed."},
    {UpdateResult::VersionDataInvalid, "the version data is invalid. ", "Please contact Velmora."},
    // The advice of a failed check is built from the failure.
    {UpdateResult::CheckFailed, "an unknown error occurred. ", ""},
}};

constexpr std::array<std::string_view, 5> kFailureDescriptions{
    "",
    "the version file is empty",
    "a version part is not a number",
    "a version number is out of range",
    "the version file cannot be read",
};

std::string_view Description(const CheckFailure& failure) {
    const auto index = static_cast<std::size_t>(failure.kind);
    return index < kFailureDescriptions.size() ? kFailureDescriptions[index] : "";
}

const ResultTexts* FindTexts(UpdateResult result) {
    for (const auto& texts : kResultTexts) {
        if (texts.result == result) return &texts;
    }
    return nullptr;
}

}  // namespace

std::string ShowSolution(UpdateResult result, const CheckFailure& failure) {
    if (result == UpdateResult::CheckFailed) {
        return "Please report the following to Velmora. Error number " +
               FormatNumber(failure.Number()) + ", " + std::string(Description(failure)) + ".";
    }
    const ResultTexts* texts = FindTexts(result);
    return texts ? std::string(texts->advice) : std::string();
}

std::string UpdateErrorText(UpdateResult result, const CheckFailure& failure) {
    const ResultTexts* texts = FindTexts(result);
    const std::string_view reason = texts ? texts->reason : "";
    return "the update could not be completed because " + std::string(reason) +
           ShowSolution(result, failure);
}

}  // namespace qvx
