// The numeric-text rule against strtod in the C locale (this process never
// sets another): on a blank-trimmed text that the decimal grammar accepts and
// strtod reads whole, both give the same verdict and, rounded half to even,
// the same value; the rule calls a text numeric exactly when the grammar does.
#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "FuzzSupport.h"
#include "common/NumericText.h"

namespace {

using namespace qvx;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at;
}

// [sign] digits [. digits] [(e|E) [sign] digits], with a digit in the mantissa.
bool IsDecimal(std::string_view text) {
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    const std::size_t integerEnd = SkipDigits(text, at);
    std::size_t mantissaDigits = integerEnd - at;
    at = integerEnd;
    if (at < text.size() && text[at] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, at + 1);
        mantissaDigits += fractionEnd - at - 1;
        at = fractionEnd;
    }
    if (mantissaDigits == 0) return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
        const std::size_t exponentEnd = SkipDigits(text, at);
        if (exponentEnd == at) return false;
        at = exponentEnd;
    }
    return at == text.size();
}

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::AsText(data, size);
    const std::string_view trimmed = TrimBlanks(text);
    const bool decimal = IsDecimal(trimmed);

    const NumericValue parsed = ParseNumericText(text);
    QVX_FUZZ_CHECK((parsed.status == NumericStatus::NotNumeric) == !decimal);
    if (!decimal) return 0;

    // strtod needs a terminated text; a NUL inside cannot pass the grammar.
    const std::string terminated(trimmed);
    char* end = nullptr;
    const double value = std::strtod(terminated.c_str(), &end);
    if (end != terminated.c_str() + terminated.size()) return 0;

    std::fesetround(FE_TONEAREST);
    // An overflow gives an infinity, which is out of range as well.
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<std::int32_t>::min() ||
        rounded > std::numeric_limits<std::int32_t>::max()) {
        QVX_FUZZ_CHECK(parsed.status == NumericStatus::OutOfRange);
    } else {
        QVX_FUZZ_CHECK(parsed.status == NumericStatus::Valid);
        QVX_FUZZ_CHECK(parsed.value == static_cast<std::int32_t>(rounded));
    }
    return 0;
}
