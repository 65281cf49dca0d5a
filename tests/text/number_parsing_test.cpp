#include "text/number_parsing.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace quill {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

struct IntegerCase {
  const char* name;
  std::string text;
  std::int32_t expected;
};

void PrintTo(const IntegerCase& row, std::ostream* out) { *out << row.name; }

class TextToIntegerTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(TextToIntegerTest, ReadsLeadingInteger) {
  EXPECT_EQ(TextToInteger(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextToIntegerTest,
    ::testing::Values(IntegerCase{"Plain", "3", 3}, IntegerCase{"Empty", "", 0},
                      IntegerCase{"WithUnit", "37 \xBC\xFE", 37},  // 37 件
                      IntegerCase{"StopsAtPoint", "2.9", 2}, IntegerCase{"Negative", "-2", -2},
                      IntegerCase{"PlusSign", "+5", 5},
                      IntegerCase{"LeadingWhiteSpace", " \t\r\n42", 42},
                      IntegerCase{"SignThenSpaceIsNoNumber", "- 4", 0},
                      IntegerCase{"NoDigits", "\xD4\xAA", 0},  // 元
                      IntegerCase{"LettersFirst", "a12", 0},
                      IntegerCase{"FullWidthDigits", "\xA3\xB1\xA3\xB2", 12},         // １２
                      IntegerCase{"FullWidthMinus", "\xA3\xAD\xA3\xB3", -3},          // －３
                      IntegerCase{"IdeographicSpaceSkipped", "\xA1\xA1\xA3\xB7", 7},  // 　７
                      IntegerCase{"Largest", "2147483647", kMax},
                      IntegerCase{"Smallest", "-2147483648", kMin},
                      IntegerCase{"JustTooLargeSaturates", "2147483648", kMax},
                      IntegerCase{"JustTooSmallSaturates", "-2147483649", kMin},
                      IntegerCase{"HugeSaturates", "99999999999999999999999999", kMax},
                      IntegerCase{"HugeNegativeSaturates", "-99999999999999999999999999", kMin},
                      IntegerCase{"LeadingZeros", "000000000000000000000012", 12}),
    [](const auto& info) { return std::string(info.param.name); });

struct NumberCase {
  const char* name;
  std::string text;
  double expected;
};

void PrintTo(const NumberCase& row, std::ostream* out) { *out << row.name; }

class TextToNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(TextToNumberTest, ReadsLeadingNumber) {
  EXPECT_EQ(TextToNumber(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextToNumberTest,
    ::testing::Values(
        NumberCase{"Money", "37.5 \xD4\xAA", 37.5},  // 37.5 元
        NumberCase{"YuanAlone", "\xD4\xAA", 0.0}, NumberCase{"Empty", "", 0.0},
        NumberCase{"FullWidth", "\xA3\xB1\xA3\xB2\xA3\xAE\xA3\xB5", 12.5},  // １２．５
        NumberCase{"FullWidthNegative", "\xA3\xAD\xA3\xB3\xA3\xB7\xA3\xAE\xA3\xB5", -37.5},
        NumberCase{"Integer", "125500", 125500.0}, NumberCase{"Negative", "-2.25", -2.25},
        NumberCase{"PlusSign", "+4", 4.0}, NumberCase{"LeadingSpace", "  8", 8.0},
        NumberCase{"OnlyFraction", ".5", 0.5}, NumberCase{"TrailingPoint", "5.", 5.0},
        NumberCase{"PointAlone", ".", 0.0}, NumberCase{"SignAlone", "-", 0.0},
        NumberCase{"Exponent", "1.5e3", 1500.0}, NumberCase{"UpperExponent", "2E-2", 0.02},
        NumberCase{"ExponentWithoutDigits", "3e", 3.0},
        NumberCase{"ExponentSignWithoutDigits", "3e+x", 3.0},
        NumberCase{"NoHexadecimal", "0x1A", 0.0}, NumberCase{"NoInfinityWord", "inf", 0.0},
        NumberCase{"NoNanWord", "nan", 0.0}, NumberCase{"SecondPointEnds", "1.2.3", 1.2},
        NumberCase{"Underflow", "1e-999", 0.0},
        NumberCase{"ManyZerosThenUnderflow", "0.0000000001e-400", 0.0},
        NumberCase{"Overflow", "1e999", std::numeric_limits<double>::infinity()},
        NumberCase{"NegativeOverflow", "-1e999", -std::numeric_limits<double>::infinity()},
        NumberCase{"HugeExponentDigits", "1e99999999999999999999",
                   std::numeric_limits<double>::infinity()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextToNumber, ReadsInDoublePrecision) {
  EXPECT_EQ(TextToNumber("0.1"), 0.1);
  EXPECT_NE(TextToNumber("0.1"), static_cast<double>(0.1f));
}

}  // namespace
}  // namespace quill
