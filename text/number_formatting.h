#pragma once

#include <cstdint>
#include <string>

namespace quill {

// Decimal, "-" for negatives, no grouping ("%d").
std::string IntegerToText(std::int64_t value);

// At most 13 significant digits in the "%.13g" form (37.5; 0.3 for 0.1 * 3).
std::string DoubleToText(double value);

// A single-precision value rounded to six significant digits, halves away from zero, then
// written in the "%.6g" form with a signed three-digit exponent outside 1e-4 … 1e6:
// 25 → "25", 0.1f → "0.1", 1234567 → "1.23457e+006", 0.00001 → "1e-005".
std::string FloatToText(float value);

// A money text: the number text followed by " 元" (a space and 元, GBK bytes D4 AA).
std::string MoneyText(std::string number_text);

}  // namespace quill
