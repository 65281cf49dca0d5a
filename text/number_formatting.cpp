#include "text/number_formatting.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace quill {
namespace {

// The platform writes exponents with at least three digits ("1e-005"), where C on other
// systems writes two; widen the exponent of a "…e±dd" text accordingly.
std::string WidenExponent(std::string text) {
  const std::size_t e = text.find('e');
  if (e == std::string::npos || e + 2 > text.size()) return text;
  const std::size_t digits_start = e + 2;
  const std::size_t digit_count = text.size() - digits_start;
  if (digit_count < 3) text.insert(digits_start, 3 - digit_count, '0');
  return text;
}

std::string NonFiniteText(double value) {
  if (std::isnan(value)) return "nan";
  return value < 0 ? "-inf" : "inf";
}

}  // namespace

std::string IntegerToText(std::int64_t value) { return std::to_string(value); }

std::string DoubleToText(double value) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::general, 13);
  return WidenExponent(std::string(buffer.data(), result.ptr));
}

std::string FloatToText(float value) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  // Every float is an exact decimal of at most 112 significant digits; writing all of them
  // lets the rounding below decide ties on the exact value, not on a rounded copy.
  std::array<char, 160> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                    static_cast<double>(value), std::chars_format::scientific, 120);
  const std::string exact(buffer.data(), result.ptr);

  const bool negative = exact[0] == '-';
  const std::size_t first = negative ? 1 : 0;
  const std::size_t e = exact.find('e');
  std::string digits;  // significant digits, point removed
  for (std::size_t i = first; i < e; ++i) {
    if (exact[i] != '.') digits.push_back(exact[i]);
  }
  int exponent = std::atoi(exact.c_str() + e + 1);

  constexpr int kPrecision = 6;
  std::string kept = digits.substr(0, kPrecision);
  if (digits[kPrecision] >= '5') {  // half or more of the last kept unit: away from zero
    int i = kPrecision - 1;
    while (i >= 0 && kept[i] == '9') kept[i--] = '0';
    if (i >= 0) {
      ++kept[i];
    } else {
      kept.insert(kept.begin(), '1');
      kept.pop_back();
      ++exponent;
    }
  }

  std::string text = negative ? "-" : "";
  if (exponent >= -4 && exponent < kPrecision) {
    if (exponent < 0) {
      text += "0.";
      text.append(static_cast<std::size_t>(-exponent - 1), '0');
      text += kept;
    } else {
      text += kept.substr(0, exponent + 1);
      text += '.';
      text += kept.substr(exponent + 1);
    }
    while (text.back() == '0' && text.find('.') != std::string::npos) text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
  }
  std::string mantissa = kept.substr(0, 1) + "." + kept.substr(1);
  while (mantissa.back() == '0') mantissa.pop_back();
  if (mantissa.back() == '.') mantissa.pop_back();
  text += mantissa;
  text += exponent < 0 ? "e-" : "e+";
  std::string exponent_digits = std::to_string(std::abs(exponent));
  if (exponent_digits.size() < 3) exponent_digits.insert(0, 3 - exponent_digits.size(), '0');
  return text + exponent_digits;
}

std::string MoneyText(std::string number_text) {
  return number_text + " \xD4\xAA";  // " 元"
}

}  // namespace quill
