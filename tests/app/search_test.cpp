#include "app/search.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QTest>

#include "app/main_window.h"
#include "editor/main_window_fixture.h"
#include "editor/temp_goods_database.h"
#include "storage/goods_database.h"
#include "toolkit/buttons.h"
#include "toolkit/combo_box.h"
#include "toolkit/edit_box.h"
#include "toolkit/list_view.h"

namespace quill {
namespace {

const std::string kTestGoods = "\xB2\xE2\xCA\xD4\xC9\xCC\xC6\xB7";  // 测试商品
const std::string kFullWidthSpace = "\xA1\xA1";                     // 　

struct MatchCase {
  const char* label;
  std::string keyword;
  int field;
  std::vector<int> records;
};

class FindMatchingGoodsTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(FindMatchingGoodsTest, WholeNormalisedValuesMatchInRecordOrder) {
  testing::TempGoodsDatabase db;
  db.AddGoods("abc", "X1");    // record 5
  db.AddGoods("abc\t", "X2");  // record 6
  db.AddGoods(" Abc ", "x3");  // record 7
  EXPECT_EQ(FindMatchingGoods(db.Workspace(), GetParam().keyword, GetParam().field),
            GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(
    Keywords, FindMatchingGoodsTest,
    ::testing::Values(MatchCase{"lower_case_item_number", "k001", kItemNumber, {1}},
                      MatchCase{"part_of_an_item_number", "K00", kItemNumber, {}},
                      MatchCase{"name_with_spaces_around",
                                "  " + kTestGoods + kFullWidthSpace,
                                kName,
                                {1, 2, 3, 4}},
                      MatchCase{"part_of_a_name", "\xB2\xE2\xCA\xD4", kName, {}},  // 测试
                      MatchCase{"upper_case_finds_every_case", "ABC", kName, {5, 7}},
                      MatchCase{"lower_case_finds_every_case", "abc", kName, {5, 7}},
                      MatchCase{"tab_on_the_keyword", "abc\t", kName, {6}},
                      MatchCase{"name_keyword_in_item_numbers", "abc", kItemNumber, {}},
                      MatchCase{"item_number_case", "X3", kItemNumber, {7}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(FindMatchingGoodsTest, RecordsMarkedDeletedAreNeverFound) {
  testing::TempGoodsDatabase db;
  ASSERT_TRUE(db.Workspace().GoToBookmark(17));
  ASSERT_TRUE(db.Workspace().Delete());
  EXPECT_EQ(FindMatchingGoods(db.Workspace(), "K002", kItemNumber), std::vector<int>{});
  EXPECT_EQ(FindMatchingGoods(db.Workspace(), kTestGoods, kName), (std::vector<int>{1, 3, 4}));
}

using testing::MainWindowTest;

const QString kNoMatch =
    u"未查找到该货号商品，请核对后重试！\r\n\r\n搜索输入框不输入，则重新载入数据库全部商品。"
    u"\r\n\r\n清空搜索关键字点击搜索即可显示全部商品。"_qs;

class SearchGoodsTest : public MainWindowTest {
 protected:
  void Search(const QString& keyword, int field_index) {
    Main().SearchField().SetSelectedIndex(field_index);
    EditBox& box = Main().Keyword();
    box.setFocus(Qt::MouseFocusReason);
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Delete);
    // Tab moves the focus, so a tab reaches the box only by pasting.
    if (keyword.contains(u'\t')) {
      box.insert(keyword);
    } else {
      testing::Type(box, keyword);
    }
    QTest::mouseClick(&Main().SearchButton(), Qt::LeftButton);
  }
  QStringList ItemNumbers() {
    QStringList numbers;
    for (int row = 0; row < Main().GoodsList().RowCount(); ++row) {
      numbers << Main().GoodsList().CellText(row, 1);
    }
    return numbers;
  }
  bool KeywordIsSelected() {
    const EditBox& box = Main().Keyword();
    return !box.text().isEmpty() && box.selectedText() == box.text();
  }
};

TEST_F(SearchGoodsTest, ItemNumberInAnyCaseNarrowsTheListToItsRecord) {
  Search(u"k001"_qs, 1);
  EXPECT_EQ(ItemNumbers(), QStringList{u"K001"_qs});
  EXPECT_EQ(SelectedRow(), 0);
  EXPECT_EQ(RowText(0), u"测试商品|K001|25 元|个|100|T恤"_qs);
  EXPECT_EQ(SelectionButtonStates(), "11111");
  EXPECT_TRUE(KeywordIsSelected());
  EXPECT_EQ(Messages().Count(), 0);
}

TEST_F(SearchGoodsTest, NameWithSpacesAroundFindsEveryRecordInOrder) {
  Main().GoodsList().SetCurrentRow(2);
  Search(u"  测试商品　"_qs, 0);
  EXPECT_EQ(ItemNumbers(), (QStringList{u"K001"_qs, u"K002"_qs, u"K003"_qs, u"K004"_qs}));
  EXPECT_EQ(SelectedRow(), 0);
}

struct NoMatchCase {
  const char* label;
  QString keyword;
  int field_index;
};

class SearchNoMatchTest : public SearchGoodsTest,
                          public ::testing::WithParamInterface<NoMatchCase> {};

TEST_P(SearchNoMatchTest, NoMatchKeepsTheListAndSelectsTheKeyword) {
  Main().GoodsList().SetCurrentRow(2);
  Search(GetParam().keyword, GetParam().field_index);
  ASSERT_EQ(Messages().Count(), 1);
  EXPECT_EQ(Messages().Last().text, kNoMatch);
  EXPECT_EQ(Messages().Last().caption, u"搜索提示："_qs);
  EXPECT_EQ(Messages().Last().style, MessageStyle::kOkInformation);
  EXPECT_EQ(ItemNumbers(), (QStringList{u"K001"_qs, u"K002"_qs, u"K003"_qs, u"K004"_qs}));
  EXPECT_EQ(SelectedRow(), 2);
  EXPECT_TRUE(KeywordIsSelected());
}

INSTANTIATE_TEST_SUITE_P(Keywords, SearchNoMatchTest,
                         ::testing::Values(NoMatchCase{"part_of_item_number", u"K00"_qs, 1},
                                           NoMatchCase{"item_number_among_names", u"K001"_qs, 0},
                                           NoMatchCase{"part_of_name", u"测试"_qs, 0},
                                           NoMatchCase{"trailing_tab", u"K001\t"_qs, 1}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(SearchGoodsTest, KeywordOfSpacesReloadsTheWholeList) {
  Search(u"K003"_qs, 1);
  ASSERT_EQ(ItemNumbers(), QStringList{u"K003"_qs});
  Search(u" 　 "_qs, 1);
  EXPECT_EQ(Messages().Count(), 0);
  EXPECT_EQ(ItemNumbers(), (QStringList{u"K001"_qs, u"K002"_qs, u"K003"_qs, u"K004"_qs}));
  EXPECT_EQ(SelectedRow(), 0);
  EXPECT_TRUE(KeywordIsSelected());
}

TEST_F(SearchGoodsTest, EmptyKeywordReloadsTheWholeList) {
  Search(u"K004"_qs, 1);
  ASSERT_EQ(ItemNumbers(), QStringList{u"K004"_qs});
  Search(QString(), 1);
  EXPECT_EQ(ItemNumbers().size(), 4);
  EXPECT_EQ(SelectedRow(), 0);
}

TEST_F(SearchGoodsTest, NamesCompareWithoutCaseAndTabsBlockTheMatch) {
  ASSERT_TRUE(
      Db().Add({std::string("abc"), std::string("A1"), 1.0, std::string("x"), 1.0, std::string()}));
  ASSERT_TRUE(Db().Add(
      {std::string("abc\t"), std::string("A2"), 1.0, std::string("x"), 1.0, std::string()}));
  Main().LoadGoodsList();
  Search(u"ABC"_qs, 0);
  EXPECT_EQ(ItemNumbers(), QStringList{u"A1"_qs});
  Search(u"abc"_qs, 0);
  EXPECT_EQ(ItemNumbers(), QStringList{u"A1"_qs});
}

TEST_F(SearchGoodsTest, EnterInTheKeywordBoxSearches) {
  EditBox& box = Main().Keyword();
  Main().SearchField().SetSelectedIndex(1);
  testing::Type(box, u"K002"_qs);
  ASSERT_TRUE(Main().SearchButton().IsDefault());
  QTest::keyClick(&box, Qt::Key_Return);
  EXPECT_EQ(ItemNumbers(), QStringList{u"K002"_qs});
  Main().GoodsList().setFocus(Qt::MouseFocusReason);
  EXPECT_FALSE(Main().SearchButton().IsDefault());
}

TEST_F(SearchGoodsTest, RecordsMarkedDeletedAreNeverFound) {
  ASSERT_TRUE(Db().GoToBookmark(18));
  ASSERT_TRUE(Db().Delete());
  Search(u"K003"_qs, 1);
  ASSERT_EQ(Messages().Count(), 1);
  EXPECT_EQ(Messages().Last().text, kNoMatch);
}

}  // namespace
}  // namespace quill
