#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sales/read_sale_entries.h"
#include "sales/sale_entry.h"
#include "sales/sales_day_totals.h"
#include "sales/sales_test_support.h"
#include "text/number_formatting.h"

namespace quill {
namespace {

#define RETAIL "\xC1\xE3\xCA\xDB\xBF\xCD\xBB\xA7"  // 零售客户
#define PEN "\xB8\xD6\xB1\xCA - G100"              // 钢笔 - G100
#define YUAN "\xD4\xAA"                            // 元
#define T "qwerdesfd"
#define BYTES(literal) std::string(literal, sizeof(literal) - 1)

using Entries = std::vector<SaleEntry>;

TEST(SaleLine, WorkedExampleByteForByte) {
  EXPECT_EQ(SaleLine({RETAIL, PEN, "12.5 " YUAN, "3", "37.5 " YUAN}),
            RETAIL T PEN T "12.5 " YUAN T "3" T "37.5 " YUAN T "\r\n");
  EXPECT_EQ(SaleLine({}), T T T T T "\r\n");
}

struct ParseCase {
  const char* name;
  std::string text;
  Entries expected;
};

void PrintTo(const ParseCase& row, std::ostream* out) { *out << row.name; }

class ParseSaleEntriesTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseSaleEntriesTest, Parses) {
  EXPECT_EQ(ParseSaleEntries(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseSaleEntriesTest,
    ::testing::Values(
        ParseCase{"Empty", "", {}},
        ParseCase{"OneLine", "a" T "b" T "c" T "d" T "e" T "\r\n", {{"a", "b", "c", "d", "e"}}},
        ParseCase{"EmptyLinesBetween",
                  "a" T "b" T "c" T "d" T "e" T "\r\n\r\nf" T "g" T "h" T "i" T "j" T "\r\n",
                  {{"a", "b", "c", "d", "e"}, {"f", "g", "h", "i", "j"}}},
        ParseCase{"LeadingEmptyLine",
                  "\r\na" T "b" T "c" T "d" T "e" T "\r\n",
                  {{"a", "b", "c", "d", "e"}}},
        ParseCase{"EmptyCustomer", T "b" T "c" T "d" T "e" T "\r\n", {{"", "b", "c", "d", "e"}}},
        ParseCase{"AllFieldsEmpty", T T T T T "\r\n", {{"", "", "", "", ""}}},
        ParseCase{"FieldHoldingTokenShifts",
                  "a" T "pen" T "x" T "c" T "d" T "e" T "\r\n",
                  {{"a", "pen", "x", "c", "d"}}},
        ParseCase{"LineWithoutToken", "hand written\r\n", {{"hand written", "", "", "", ""}}},
        ParseCase{"FewerFields", "a" T "b\r\n", {{"a", "b", "", "", ""}}},
        ParseCase{
            "LastLineWithoutCrLf", "a" T "b" T "c" T "d" T "e" T, {{"a", "b", "c", "d", "e"}}},
        ParseCase{"LoneLineFeedIsNoLineEnd", "a\nb" T "\r\n", {{"a\nb", "", "", "", ""}}},
        ParseCase{"StopsAtZeroByte",
                  BYTES("a" T "b" T "c" T "d" T "e" T "\r\nf" T "g\0h" T "\r\n"),
                  {{"a", "b", "c", "d", "e"}, {"f", "g", "", "", ""}}},
        ParseCase{"ZeroByteFirst", BYTES("\0a" T "\r\n"), {}},
        // The two-byte character 81 71 ends in a byte that looks like the token's "q".
        ParseCase{"TokenNotFoundInsideCharacter",
                  "\x81q"
                  "werdesfd" T "b" T "\r\n",
                  {{"\x81qwerdesfd", "b", "", "", ""}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct TotalsCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> quantity_and_amount;
  std::int32_t quantity;
  const char* amount_text;  // compared through the single-precision rule
  float amount;
};

void PrintTo(const TotalsCase& row, std::ostream* out) { *out << row.name; }

class TotalSaleEntriesTest : public ::testing::TestWithParam<TotalsCase> {};

TEST_P(TotalSaleEntriesTest, Totals) {
  Entries entries;
  for (const auto& [quantity, amount] : GetParam().quantity_and_amount) {
    entries.push_back({RETAIL, PEN, "1", quantity, amount});
  }
  const SalesDayTotals totals = TotalSaleEntries(entries);
  EXPECT_EQ(totals.quantity, GetParam().quantity);
  EXPECT_EQ(totals.amount, GetParam().amount);
  EXPECT_EQ(FloatToText(totals.amount), GetParam().amount_text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TotalSaleEntriesTest,
    ::testing::Values(
        TotalsCase{"NoEntries", {}, 0, "0", 0.0f},
        TotalsCase{"WorkedExample", {{"3", "37.5 " YUAN}, {"1", "12.5 " YUAN}}, 4, "50", 50.0f},
        TotalsCase{
            "YuanAloneAndEmptyAddNothing", {{"1", YUAN}, {"", ""}, {"2", "5"}}, 3, "5", 5.0f},
        TotalsCase{
            "FullWidthAmount", {{"1", "\xA3\xB3\xA3\xB7\xA3\xAE\xA3\xB5"}}, 1, "37.5", 37.5f},
        TotalsCase{"NegativeQuantity", {{"5", "1"}, {"-2", "1"}}, 3, "2", 2.0f},
        TotalsCase{"WordsAddZero", {{"many", "lots"}, {"2", "3"}}, 2, "3", 3.0f},
        TotalsCase{
            "SinglePrecisionMillion", {{"1", "1234567 " YUAN}}, 1, "1.23457e+006", 1234567.0f},
        // 16777216 + 1 is not a float: each step rounds back to 16777216.
        TotalsCase{"RoundedAfterEveryAddition",
                   {{"1", "16777216"}, {"1", "1"}, {"1", "1"}},
                   3,
                   "1.67772e+007",
                   16777216.0f},
        TotalsCase{"ManyDigitsLost",
                   {{"1", "0.1"}, {"1", "0.2"}},
                   2,
                   "0.3",
                   static_cast<float>(static_cast<double>(0.1f) + 0.2)},
        TotalsCase{"QuantitySaturatesHigh", {{"2147483647", ""}, {"5", ""}}, 2147483647, "0", 0.0f},
        TotalsCase{
            "QuantitySaturatesLow", {{"-2147483648", ""}, {"-5", ""}}, -2147483647 - 1, "0", 0.0f}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadSaleEntries, MissingFileIsADayWithoutSales) {
  testing::TempDir dir;
  const SaleEntriesRead read = ReadSaleEntriesChecked(dir.path() / "2016-03-05.jl");
  EXPECT_FALSE(read.error);
  EXPECT_TRUE(read.entries.empty());
}

TEST(ReadSaleEntries, UnreadablePathIsReportedAndReadsEmpty) {
  testing::TempDir dir;
  // With nothing selected the records window reads the directory itself.
  const SaleEntriesRead read = ReadSaleEntriesChecked(dir.path());
  EXPECT_TRUE(read.error);
  EXPECT_TRUE(read.entries.empty());
  EXPECT_TRUE(ReadSaleEntries(dir.path()).empty());
}

TEST(ReadSaleEntries, ReadsTheFileWhole) {
  testing::TempDir dir;
  const auto path = dir.path() / "2016-03-05.jl";
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "c" + std::to_string(i) + T "g" T "1" T "1" T "1" T "\r\n";
  testing::WriteBytes(path, text);
  const Entries entries = ReadSaleEntries(path);
  ASSERT_EQ(entries.size(), 3000u);
  EXPECT_EQ(entries.back().customer, "c2999");
}

}  // namespace
}  // namespace quill
