#pragma once

#include <cstdint>
#include <string_view>

namespace quill {

// Folds full-width characters, skips leading white space, reads an optional sign and the
// longest run of digits; the rest is ignored. No digits give 0 ("37 件" → 37, "2.9" → 2).
// Values beyond the 32-bit range saturate at its ends.
std::int32_t TextToInteger(std::string_view gbk);

// Folds full-width characters, skips leading white space and reads the longest leading
// decimal number (sign, digits, point, fraction, exponent) in double precision; the rest is
// ignored. None gives 0 ("37.5 元" → 37.5, "１２．５" → 12.5).
double TextToNumber(std::string_view gbk);

}  // namespace quill
