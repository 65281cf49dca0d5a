#include "text/number_parsing.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

#include "text/full_width_folding.h"

namespace quill {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipSpaces(const std::string& text, std::size_t pos) {
  while (pos < text.size() && IsSpace(text[pos])) ++pos;
  return pos;
}

}  // namespace

std::int32_t TextToInteger(std::string_view gbk) {
  const std::string text = FoldFullWidth(gbk);
  std::size_t pos = SkipSpaces(text, 0);
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  // Accumulate in 64 bits and stop growing once past the 32-bit range, so any run of digits
  // saturates instead of overflowing.
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    if (magnitude <= kLimit) magnitude = magnitude * 10 + (text[pos] - '0');
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (value < std::numeric_limits<std::int32_t>::min()) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(value);
}

double TextToNumber(std::string_view gbk) {
  const std::string text = FoldFullWidth(gbk);
  std::size_t pos = SkipSpaces(text, 0);
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  const std::size_t start = pos;
  std::size_t digits = 0;
  // Decimal exponent of the first significant digit, to tell overflow from underflow.
  long long magnitude_hint = 0;
  bool seen_significant = false;
  long long integer_digits = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos, ++digits, ++integer_digits) {
    if (!seen_significant && text[pos] != '0') {
      seen_significant = true;
      magnitude_hint = 0;
      integer_digits = 0;
    }
  }
  if (seen_significant) magnitude_hint = integer_digits;
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    long long leading_zeros = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos, ++digits) {
      if (!seen_significant) {
        if (text[pos] == '0') {
          ++leading_zeros;
        } else {
          seen_significant = true;
          magnitude_hint = -leading_zeros;
        }
      }
    }
  }
  if (digits == 0) return 0.0;
  std::size_t end = pos;
  long long exponent = 0;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    std::size_t exp_pos = pos + 1;
    bool exp_negative = false;
    if (exp_pos < text.size() && (text[exp_pos] == '+' || text[exp_pos] == '-')) {
      exp_negative = text[exp_pos] == '-';
      ++exp_pos;
    }
    if (exp_pos < text.size() && IsDigit(text[exp_pos])) {
      for (; exp_pos < text.size() && IsDigit(text[exp_pos]); ++exp_pos) {
        if (exponent < 1000000) exponent = exponent * 10 + (text[exp_pos] - '0');
      }
      if (exp_negative) exponent = -exponent;
      end = exp_pos;
    }
  }
  double value = 0.0;
  const auto result =
      std::from_chars(text.data() + start, text.data() + end, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    value = seen_significant && magnitude_hint + exponent > 0
                ? std::numeric_limits<double>::infinity()
                : 0.0;
  } else if (result.ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

}  // namespace quill
