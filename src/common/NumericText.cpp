#include "common/NumericText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace qvx {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The pieces of a decimal number, as found by a strict scan of its grammar:
// [sign] digits [. digits] [(e|E) [sign] digits], with at least one mantissa
// digit. Anything else (hex, "inf", grouping, inner blanks) does not parse.
struct DecimalParts {
    bool negative = false;
    std::string_view unsignedText;  // the number without its leading sign
    long significantExponent = 0;   // decimal exponent of the first non-zero digit
    bool allZero = true;
};

std::optional<DecimalParts> ScanDecimal(std::string_view text) {
    DecimalParts parts;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        parts.negative = text[i] == '-';
        ++i;
    }
    parts.unsignedText = text.substr(i);

    long integerDigits = 0;  // digits before the point, leading zeros excluded
    long leadingFractionZeros = 0;
    std::size_t mantissaDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++mantissaDigits) {
        if (text[i] != '0' || !parts.allZero) {
            parts.allZero = false;
            ++integerDigits;
        }
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && IsDigit(text[i]); ++i, ++mantissaDigits) {
            if (text[i] != '0') parts.allZero = false;
            if (parts.allZero) ++leadingFractionZeros;
        }
    }
    if (mantissaDigits == 0) return std::nullopt;

    long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            negativeExponent = text[i++] == '-';
        if (i == text.size() || !IsDigit(text[i])) return std::nullopt;
        // The mantissa can shift the point by at most its length, so an
        // exponent beyond that (plus the 32-bit digits) decides on its own;
        // reading no further keeps the sum from overflowing.
        const long cap = static_cast<long>(text.size()) + 100;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            if (exponent <= cap) exponent = exponent * 10 + (text[i] - '0');
        }
        if (negativeExponent) exponent = -exponent;
    }
    if (i != text.size()) return std::nullopt;

    parts.significantExponent =
        (integerDigits > 0 ? integerDigits - 1 : -(leadingFractionZeros + 1)) + exponent;
    return parts;
}

// Rounds to the nearest whole number, halves to the even neighbour, without
// depending on the floating-point rounding mode in force.
double RoundHalfToEven(double x) {
    const double floor = std::floor(x);
    const double diff = x - floor;
    if (diff < 0.5) return floor;
    if (diff > 0.5) return floor + 1.0;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

}  // namespace

NumericValue ParseNumericText(std::string_view text) {
    const auto parts = ScanDecimal(TrimBlanks(text));
    if (!parts) return {};
    if (parts->allZero || parts->significantExponent < -1) return {NumericStatus::Valid, 0};
    // 2^31 has ten digits: anything of twelve or more cannot fit, and such
    // magnitudes could also overflow a double.
    if (parts->significantExponent > 11) return {NumericStatus::OutOfRange, 0};

    double magnitude = 0.0;
    const auto& digits = parts->unsignedText;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude,
                                        std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != digits.data() + digits.size()) return {};

    const double rounded = RoundHalfToEven(parts->negative ? -magnitude : magnitude);
    if (rounded < std::numeric_limits<std::int32_t>::min() ||
        rounded > std::numeric_limits<std::int32_t>::max()) {
        return {NumericStatus::OutOfRange, 0};
    }
    return {NumericStatus::Valid, static_cast<std::int32_t>(rounded)};
}

std::int32_t Bound(std::int32_t value, std::int32_t min, std::int32_t max) {
    if (value < min) value = min;
    if (value > max) value = max;
    return value;
}

std::string FormatNumber(std::int32_t value) {
    std::array<char, 16> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

}  // namespace qvx
