#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qvx {

// The numeric-text rule shared by every dialog and by the version check: a
// number in plain decimal notation (optional sign, decimal point and
// exponent), blanks around it allowed. Hexadecimal, digit grouping, "inf" and
// "nan" are not numbers, and the rule never depends on the user's locale.
enum class NumericStatus {
    NotNumeric,  // not a decimal number at all (the empty text included)
    OutOfRange,  // a number, but its rounded value does not fit 32 bits
    Valid,
};

struct NumericValue {
    NumericStatus status = NumericStatus::NotNumeric;
    std::int32_t value = 0;  // meaningful only when status is Valid
};

// Converts a numeric text to a signed 32-bit whole number, rounding to the
// nearest and halves to the even neighbour (12.5 gives 12, 13.5 gives 14).
NumericValue ParseNumericText(std::string_view text);

// Raises a value below `min` to it, then lowers one above `max` to that.
std::int32_t Bound(std::int32_t value, std::int32_t min, std::int32_t max);

// Plain decimal: a minus sign when negative, no leading zeros, no plus sign,
// no grouping, no blanks, whatever the user's locale.
std::string FormatNumber(std::int32_t value);

}  // namespace qvx
