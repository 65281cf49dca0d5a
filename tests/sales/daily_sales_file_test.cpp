#include "sales/daily_sales_file.h"

#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace quill {
namespace {

struct NameCase {
  const char* name;
  CalendarDate date;
  const char* expected;
};

void PrintTo(const NameCase& row, std::ostream* out) { *out << row.name; }

class DailySalesFileNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(DailySalesFileNameTest, NamesTheDay) {
  EXPECT_EQ(DailySalesFileName(GetParam().date), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DailySalesFileNameTest,
    ::testing::Values(NameCase{"SingleDigitsPadded", {2016, 3, 5}, "2016-03-05.jl"},
                      NameCase{"TwoDigits", {2016, 12, 31}, "2016-12-31.jl"},
                      NameCase{"FirstDay", {2024, 1, 1}, "2024-01-01.jl"},
                      NameCase{"TenIsNotPadded", {2023, 10, 10}, "2023-10-10.jl"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DailySalesFile, LiesInTheRunDirectory) {
  EXPECT_EQ(DailySalesFile("/opt/quill", {2016, 3, 5}),
            std::filesystem::path("/opt/quill/2016-03-05.jl"));
}

TEST(DailySalesFileName, NamesSortInDateOrder) {
  EXPECT_LT(DailySalesFileName({2016, 3, 5}), DailySalesFileName({2016, 3, 10}));
  EXPECT_LT(DailySalesFileName({2016, 9, 30}), DailySalesFileName({2016, 10, 1}));
  EXPECT_LT(DailySalesFileName({2016, 12, 31}), DailySalesFileName({2017, 1, 1}));
}

}  // namespace
}  // namespace quill
