#include "dialogs/SlideForm.h"

#include <algorithm>
#include <limits>

#include "common/NumericText.h"

namespace qvx {
namespace {

constexpr std::int32_t kMinLength = 50;
constexpr std::int32_t kMaxLength = 20000;
constexpr std::string_view kLengthEmpty = "please fill in the length.";
constexpr std::string_view kLengthNotNumeric = "please type in a length between 50 and 20000.";
constexpr std::string_view kLengthTooShort =
    "current length input is less than 50. please type a length between 20 and 20000.";
constexpr std::string_view kLengthTooLong =
    "current length input is more than 20000. please type in a length between 50 and 20000.";
constexpr std::string_view kUpNotAbove =
    "end note can't be lower than the start note if sliding up. please change options and try "
    "again.";
constexpr std::string_view kDownNotBelow =
    "end note can't be higher than the start note if sliding down. please change options and try "
    "again.";
constexpr std::int64_t kSlideFromBelow = 38;

bool StartsWithMinus(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    return first != std::string_view::npos && text[first] == '-';
}

}  // namespace

BoxNumber ReadBoxNumber(std::string_view text) {
    BoxNumber number;
    number.empty = text.empty();
    const NumericValue parsed = ParseNumericText(text);
    number.numeric = parsed.status != NumericStatus::NotNumeric;
    number.fits = parsed.status == NumericStatus::Valid;
    if (number.fits) {
        number.value = parsed.value;
    } else if (number.numeric) {
        number.value = StartsWithMinus(text)
                           ? std::int64_t{std::numeric_limits<std::int32_t>::min()} - 1
                           : std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    }
    return number;
}

void CheckMessages::Add(std::string_view message) {
    text_ += message;
    text_ += "\r\n";
}

void CheckSlideLength(const BoxNumber& length, CheckMessages& messages) {
    if (length.empty) messages.Add(kLengthEmpty);
    if (!length.numeric) {
        messages.Add(kLengthNotNumeric);
        return;
    }
    if (length.value < kMinLength) messages.Add(kLengthTooShort);
    if (length.value > kMaxLength) messages.Add(kLengthTooLong);
}

void CheckSlideEnd(const BoxNumber& start, const BoxNumber& end, SlideDirection direction,
                   const SlideEndRule& rule, CheckMessages& messages) {
    if (end.empty) messages.Add(rule.empty);
    if (!end.numeric) {
        messages.Add(rule.notNumeric);
        return;
    }
    const bool compare = start.numeric && start.fits;
    switch (direction) {
        case SlideDirection::Up:
            if (compare && end.value <= start.value) messages.Add(kUpNotAbove);
            if (end.value > rule.max) messages.Add(rule.aboveMax);
            break;
        case SlideDirection::Down:
            if (compare && end.value >= start.value) messages.Add(kDownNotBelow);
            if (end.value < rule.min) messages.Add(rule.belowMin);
            break;
        case SlideDirection::None:
            // Unchecked ends are held to the range when written; only a value
            // no whole number can carry is refused.
            if (!end.fits) messages.Add(end.value > rule.max ? rule.aboveMax : rule.belowMin);
            break;
    }
}

bool SlideTickAllowed(std::string_view startText) {
    const BoxNumber start = ReadBoxNumber(startText);
    return !(start.numeric && start.value >= kSlideFromBelow);
}

std::vector<std::int32_t> SlideRun(std::int64_t start, std::string_view endText, std::int32_t min,
                                   std::int32_t max) {
    const auto from = static_cast<std::int32_t>(std::clamp<std::int64_t>(start, min, max));
    const BoxNumber end = ReadBoxNumber(endText);
    if (!end.numeric) return {from};
    const auto to = static_cast<std::int32_t>(std::clamp<std::int64_t>(end.value, min, max));
    std::vector<std::int32_t> run;
    const std::int32_t step = to < from ? -1 : 1;
    for (std::int32_t n = from;; n += step) {
        run.push_back(n);
        if (n == to) break;
    }
    return run;
}

}  // namespace qvx
