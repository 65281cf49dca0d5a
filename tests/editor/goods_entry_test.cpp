#include "editor/goods_entry.h"

#include <cctype>
#include <cstdint>
#include <limits>
#include <string>
#include <variant>

#include <gtest/gtest.h>

#include "editor/temp_goods_database.h"

namespace quill {
namespace {

const std::string kTestGoods = "\xB2\xE2\xCA\xD4\xC9\xCC\xC6\xB7";  // 测试商品
const std::string kFullWidthSpace = "\xA1\xA1";                     // 　

GoodsInput Input(const std::string& name, const std::string& number) {
  return {name, number, "1", "\xB8\xF6", "1", ""};  // 个
}

struct DuplicateCase {
  const char* label;
  std::string name;
  std::string number;
  bool duplicate;
};

class DuplicateScanTest : public ::testing::TestWithParam<DuplicateCase> {};

TEST_P(DuplicateScanTest, ComparesTheJoinedTrimmedKeyWithEveryRecord) {
  testing::TempGoodsDatabase db;
  const DuplicateCase& c = GetParam();
  EXPECT_EQ(IsDuplicateGoods(db.Workspace(), Input(c.name, c.number), 0), c.duplicate);
}

INSTANTIATE_TEST_SUITE_P(
    Template, DuplicateScanTest,
    ::testing::Values(
        DuplicateCase{"same pair", kTestGoods, "K001", true},
        DuplicateCase{"last record", kTestGoods, "K004", true},
        DuplicateCase{"name takes a letter of the number",
                      "\xB2\xE2\xCA\xD4\xC9\xCC\xC6\xB7"
                      "K",
                      "001", true},                                         // 测试商品K
        DuplicateCase{"number takes half of the name", "\xB2\xE2\xCA\xD4",  // 测试
                      "\xC9\xCC\xC6\xB7"
                      "K001",
                      true},  // 商品K001
        DuplicateCase{"ascii spaces around", "  " + kTestGoods + " ", " K001  ", true},
        DuplicateCase{"full-width spaces around", kFullWidthSpace + kTestGoods + kFullWidthSpace,
                      "K001" + kFullWidthSpace, true},
        DuplicateCase{"case matters", kTestGoods, "k001", false},
        DuplicateCase{"tab is kept", kTestGoods + "\t", "K001", false},
        DuplicateCase{"new item number", kTestGoods, "K005", false},
        DuplicateCase{"empty input", "", "", false}),
    [](const auto& info) {
      std::string name = info.param.label;
      for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      }
      return name;
    });

TEST(IsDuplicateGoodsTest, SkipsTheRecordBeingModified) {
  testing::TempGoodsDatabase db;
  // Bookmark 16 is the first template record, 测试商品 / K001.
  EXPECT_FALSE(IsDuplicateGoods(db.Workspace(), Input(kTestGoods, "K001"), 16));
  EXPECT_TRUE(IsDuplicateGoods(db.Workspace(), Input(kTestGoods, "K002"), 16));
  EXPECT_TRUE(IsDuplicateGoods(db.Workspace(), Input(kTestGoods, "K001"), 17));
}

TEST(IsDuplicateGoodsTest, RecordsMarkedDeletedNeverCount) {
  testing::TempGoodsDatabase db;
  ASSERT_TRUE(db.Workspace().GoToBookmark(16));
  ASSERT_TRUE(db.Workspace().Delete());
  EXPECT_FALSE(IsDuplicateGoods(db.Workspace(), Input(kTestGoods, "K001"), 0));
  EXPECT_TRUE(IsDuplicateGoods(db.Workspace(), Input(kTestGoods, "K002"), 0));
}

TEST(IsDuplicateGoodsTest, EmptyDatabaseHasNoDuplicates) {
  testing::TempGoodsDatabase db;
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(db.Workspace().GoTo(1));
    ASSERT_TRUE(db.Workspace().Delete());
    ASSERT_TRUE(db.Workspace().Purge());
  }
  ASSERT_EQ(db.Workspace().RecordCount(), 0);
  EXPECT_FALSE(IsDuplicateGoods(db.Workspace(), Input("", ""), 0));
}

TEST(IsDuplicateGoodsTest, FullTwentyByteFieldsCompareWhole) {
  testing::TempGoodsDatabase db;
  // 一二三四五六七八九十: exactly 20 bytes, stored without a terminator.
  const std::string twenty =
      "\xD2\xBB\xB6\xFE\xC8\xFD\xCB\xC4\xCE\xE5\xC1\xF9\xC6\xDF\xB0\xCB\xBE\xC5\xCA\xAE";
  ASSERT_EQ(twenty.size(), kGoodsTextFieldBytes);
  db.AddGoods(twenty, "ABCDEFGHIJKLMNOPQRST");
  EXPECT_TRUE(IsDuplicateGoods(db.Workspace(), Input(twenty, "ABCDEFGHIJKLMNOPQRST"), 0));
  EXPECT_FALSE(IsDuplicateGoods(db.Workspace(), Input(twenty, "ABCDEFGHIJKLMNOPQRS"), 0));
}

TEST(FitsGoodsTextFieldTest, TwentyBytesIsTheLimit) {
  EXPECT_TRUE(FitsGoodsTextField(""));
  EXPECT_TRUE(FitsGoodsTextField(std::string(20, 'a')));
  EXPECT_FALSE(FitsGoodsTextField(std::string(21, 'a')));
  // Ten two-byte characters fit; one more byte does not.
  EXPECT_TRUE(FitsGoodsTextField(std::string(20, '\xB0')));
  EXPECT_FALSE(FitsGoodsTextField(std::string(20, '\xB0') + "a"));
}

double Number(const EdbValue& value) { return std::get<double>(value); }
const std::string& Text(const EdbValue& value) { return std::get<std::string>(value); }

TEST(GoodsRecordValuesTest, NewModeTrimsNameAndItemNumberOnly) {
  const GoodsInput input{" " + kTestGoods + kFullWidthSpace,
                         kFullWidthSpace + "K005 ",
                         "12.5",
                         " \xB8\xF6 ",
                         "37",
                         " note "};
  const auto values = GoodsRecordValues(input, EditorMode::kNew);
  ASSERT_EQ(values.size(), 6u);
  EXPECT_EQ(Text(values[0]), kTestGoods);
  EXPECT_EQ(Text(values[1]), "K005");
  EXPECT_EQ(Number(values[2]), 12.5);
  EXPECT_EQ(Text(values[3]), " \xB8\xF6 ");
  EXPECT_EQ(Number(values[4]), 37.0);
  EXPECT_EQ(Text(values[5]), " note ");
}

TEST(GoodsRecordValuesTest, ModifyModeStoresEveryTextAsTyped) {
  const GoodsInput input{" " + kTestGoods + kFullWidthSpace,
                         kFullWidthSpace + "K005 ",
                         "12.5",
                         " \xB8\xF6 ",
                         "37",
                         " note "};
  const auto values = GoodsRecordValues(input, EditorMode::kModify);
  EXPECT_EQ(Text(values[0]), input.name);
  EXPECT_EQ(Text(values[1]), input.item_number);
  EXPECT_EQ(Text(values[3]), input.unit);
  EXPECT_EQ(Text(values[5]), input.remark);
}

TEST(GoodsRecordValuesTest, NameOfSpacesOnlyBecomesEmptyInNewMode) {
  const GoodsInput input{"  " + kFullWidthSpace, "K005", "1", "a", "1", ""};
  EXPECT_EQ(Text(GoodsRecordValues(input, EditorMode::kNew)[0]), "");
  EXPECT_EQ(Text(GoodsRecordValues(input, EditorMode::kModify)[0]), input.name);
}

struct StockCase {
  const char* text;
  double stored;
};

class StockValueTest : public ::testing::TestWithParam<StockCase> {};

TEST_P(StockValueTest, StockIsTheNumberHeldByThe32BitField) {
  GoodsInput input = Input("a", "b");
  input.stock = GetParam().text;
  EXPECT_EQ(Number(GoodsRecordValues(input, EditorMode::kNew)[4]), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Texts, StockValueTest,
                         ::testing::Values(StockCase{"37", 37}, StockCase{"-3", -3},
                                           StockCase{"", 0}, StockCase{"-", 0}, StockCase{"2.9", 2},
                                           StockCase{"2147483647", 2147483647.0},
                                           StockCase{"99999999999", 2147483647.0},
                                           StockCase{"-99999999999", -2147483648.0}));

TEST(IsStorableUnitPriceTest, RefusesPricesBeyondSinglePrecision) {
  EXPECT_TRUE(IsStorableUnitPrice("12.5"));
  EXPECT_TRUE(IsStorableUnitPrice(""));
  EXPECT_TRUE(IsStorableUnitPrice("3.4e38"));
  EXPECT_FALSE(IsStorableUnitPrice("3.5e38"));
  EXPECT_FALSE(IsStorableUnitPrice("-1e39"));
  EXPECT_FALSE(IsStorableUnitPrice("1e999"));
}

}  // namespace
}  // namespace quill
