#include "text/number_formatting.h"

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace quill {
namespace {

struct FloatCase {
  const char* name;
  float value;
  const char* expected;
};

void PrintTo(const FloatCase& row, std::ostream* out) { *out << row.name; }

class FloatToTextTest : public ::testing::TestWithParam<FloatCase> {};

TEST_P(FloatToTextTest, WritesSixSignificantDigitsWithHalvesAwayFromZero) {
  EXPECT_EQ(FloatToText(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FloatToTextTest,
    ::testing::Values(
        FloatCase{"Zero", 0.0f, "0"}, FloatCase{"Whole", 25.0f, "25"},
        FloatCase{"Fifty", 50.0f, "50"}, FloatCase{"OneDecimal", 84.7f, "84.7"},
        FloatCase{"TenthStoredAsFloat", 0.1f, "0.1"}, FloatCase{"Price", 12.5f, "12.5"},
        FloatCase{"SixDigitsPlain", 125500.0f, "125500"},
        FloatCase{"LargestPlain", 999999.0f, "999999"},
        FloatCase{"SevenDigitsRoundUp", 1234567.0f, "1.23457e+006"},
        // An exact tie in the seventh digit: printf's half-to-even would give 1.23456e+06.
        FloatCase{"ExactTieGoesAway", 1234565.0f, "1.23457e+006"},
        FloatCase{"NegativeExactTie", -1234565.0f, "-1.23457e+006"},
        FloatCase{"TieCarriesIntoNewDigit", 999999.5f, "1e+006"},
        FloatCase{"BelowTieStaysDown", 1234564.0f, "1.23456e+006"},
        FloatCase{"Million", 1000000.0f, "1e+006"}, FloatCase{"SmallExponent", 0.00001f, "1e-005"},
        FloatCase{"SmallestPlain", 0.0001f, "0.0001"},
        FloatCase{"SmallFraction", 0.000123456f, "0.000123456"},
        FloatCase{"Negative", -2.5f, "-2.5"},
        FloatCase{"ThirdStoredAsFloat", 1.0f / 3.0f, "0.333333"},
        FloatCase{"TwoThirdsRoundsUp", 2.0f / 3.0f, "0.666667"},
        FloatCase{"FloatMax", std::numeric_limits<float>::max(), "3.40282e+038"},
        FloatCase{"Denormal", std::numeric_limits<float>::denorm_min(), "1.4013e-045"},
        FloatCase{"Infinity", std::numeric_limits<float>::infinity(), "inf"},
        FloatCase{"NegativeInfinity", -std::numeric_limits<float>::infinity(), "-inf"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FloatToText, NotANumberIsNamed) {
  EXPECT_EQ(FloatToText(std::numeric_limits<float>::quiet_NaN()), "nan");
}

// A value whose seven-digit rounding looks like a tie is decided on its exact binary value:
// 5.000005f is 5.0000047683…, below the tie, so it must not round up as a rounded copy would.
TEST(FloatToText, TiesAreDecidedOnTheExactValue) {
  EXPECT_EQ(FloatToText(5.000005f), "5");
  EXPECT_EQ(FloatToText(1.234565f), "1.23457");  // 1.2345650196…, above the tie
  EXPECT_EQ(FloatToText(9.999995f), "10");       // 9.9999952316…, carries into a new digit
}

struct DoubleCase {
  const char* name;
  double value;
  const char* expected;
};

void PrintTo(const DoubleCase& row, std::ostream* out) { *out << row.name; }

class DoubleToTextTest : public ::testing::TestWithParam<DoubleCase> {};

TEST_P(DoubleToTextTest, WritesThirteenSignificantDigits) {
  EXPECT_EQ(DoubleToText(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DoubleToTextTest,
    ::testing::Values(DoubleCase{"Zero", 0.0, "0"}, DoubleCase{"Amount", 37.5, "37.5"},
                      DoubleCase{"SumOfTenths", 0.1 * 3, "0.3"},
                      DoubleCase{"Whole", 125500.0, "125500"},
                      DoubleCase{"Negative", -12.5, "-12.5"},
                      DoubleCase{"ThirteenDigitsPlain", 1234567890123.0, "1234567890123"},
                      DoubleCase{"FourteenDigitsExponent", 12345678901234.0, "1.234567890123e+013"},
                      DoubleCase{"SmallExponent", 0.00001, "1e-005"},
                      DoubleCase{"SmallestPlain", 0.0001, "0.0001"},
                      DoubleCase{"ThreeDigitExponentKept", 1e100, "1e+100"},
                      DoubleCase{"Third", 1.0 / 3.0, "0.3333333333333"},
                      DoubleCase{"Infinity", std::numeric_limits<double>::infinity(), "inf"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IntegerToText, WritesPlainDecimal) {
  EXPECT_EQ(IntegerToText(0), "0");
  EXPECT_EQ(IntegerToText(37), "37");
  EXPECT_EQ(IntegerToText(-2), "-2");
  EXPECT_EQ(IntegerToText(1234567), "1234567");
  EXPECT_EQ(IntegerToText(std::numeric_limits<std::int32_t>::min()), "-2147483648");
  EXPECT_EQ(IntegerToText(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
}

TEST(MoneyText, AppendsSpaceAndYuan) {
  EXPECT_EQ(MoneyText("37.5"), "37.5 \xD4\xAA");  // 37.5 元
  EXPECT_EQ(MoneyText(""), " \xD4\xAA");
  EXPECT_EQ(MoneyText(FloatToText(1234567.0f)), "1.23457e+006 \xD4\xAA");
}

}  // namespace
}  // namespace quill
