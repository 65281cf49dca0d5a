#include "app/delete_goods.h"

#include <filesystem>

#include <gtest/gtest.h>
#include <QTest>

#include "app/main_window.h"
#include "editor/goods_edit_window.h"
#include "editor/main_window_fixture.h"
#include "editor/temp_goods_database.h"
#include "storage/goods_database.h"
#include "toolkit/buttons.h"
#include "toolkit/combo_box.h"
#include "toolkit/edit_box.h"
#include "toolkit/list_view.h"

namespace quill {
namespace {

TEST(DeleteGoodsRecordTest, DeletesOnlyTheRecordWithTheBookmark) {
  testing::TempGoodsDatabase db;
  EXPECT_EQ(DeleteGoodsRecord(db.Workspace(), 17), DeleteOutcome::kDeleted);
  ASSERT_EQ(db.Workspace().RecordCount(), 3);
  const int expected[] = {16, 18, 19};
  for (int record = 1; record <= 3; ++record) {
    ASSERT_TRUE(db.Workspace().GoTo(record));
    EXPECT_EQ(db.Workspace().Bookmark(), expected[record - 1]);
  }
  EXPECT_EQ(std::filesystem::file_size(db.Path()), 548u + 92u * 3);
}

TEST(DeleteGoodsRecordTest, StaleBookmarkDeletesNothing) {
  testing::TempGoodsDatabase db;
  for (int bookmark : {0, -16, 15, 20, 999}) {
    ASSERT_TRUE(db.Workspace().GoTo(2));  // a current record that must survive
    EXPECT_EQ(DeleteGoodsRecord(db.Workspace(), bookmark), DeleteOutcome::kNotFound) << bookmark;
    EXPECT_EQ(db.Workspace().RecordCount(), 4) << bookmark;
  }
  ASSERT_TRUE(db.Workspace().GoToBookmark(16));
  ASSERT_TRUE(db.Workspace().Delete());  // marked, not yet purged
  EXPECT_EQ(DeleteGoodsRecord(db.Workspace(), 16), DeleteOutcome::kNotFound);
}

TEST(DeleteQuestionTest, JoinsNameAndItemNumber) {
  EXPECT_EQ(DeleteQuestion(u"测试商品"_qs, u"K001"_qs),
            u"您确定要删除： 测试商品- K001 的商品？"_qs);
}

using testing::MainWindowTest;
using DeleteSelectedGoodsTest = MainWindowTest;

QStringList ItemNumbers(const ListView& list) {
  QStringList numbers;
  for (int row = 0; row < list.RowCount(); ++row) numbers << list.CellText(row, 1);
  return numbers;
}

TEST_F(DeleteSelectedGoodsTest, AsksThenDeletesForGoodAndSelectsTheFirstRow) {
  Main().GoodsList().SetCurrentRow(0);
  QTest::mouseClick(&Main().DeleteGoodsButton(), Qt::LeftButton);
  ASSERT_EQ(Messages().Count(), 1);
  EXPECT_EQ(Messages().Last().text, u"您确定要删除： 测试商品- K001 的商品？"_qs);
  EXPECT_EQ(Messages().Last().caption, u"删除"_qs);
  EXPECT_EQ(Messages().Last().style, MessageStyle::kOkCancelQuestion);
  EXPECT_EQ(ItemNumbers(Main().GoodsList()), (QStringList{u"K002"_qs, u"K003"_qs, u"K004"_qs}));
  EXPECT_EQ(SelectedRow(), 0);
  EXPECT_EQ(SelectionButtonStates(), "11111");
  ASSERT_EQ(Db().RecordCount(), 3);
  ASSERT_TRUE(Db().GoTo(3));
  EXPECT_EQ(Db().Bookmark(), 19);  // K004 keeps its bookmark, one record number up
  EXPECT_EQ(std::filesystem::file_size(DatabasePath()), 548u + 92u * 3);
}

TEST_F(DeleteSelectedGoodsTest, CancelChangesNothing) {
  Main().GoodsList().SetCurrentRow(2);
  Messages().AnswerNext(kMessageCancel);
  QTest::mouseClick(&Main().DeleteGoodsButton(), Qt::LeftButton);
  ASSERT_EQ(Messages().Count(), 1);
  EXPECT_EQ(Messages().Last().text, u"您确定要删除： 测试商品- K003 的商品？"_qs);
  EXPECT_EQ(Db().RecordCount(), 4);
  EXPECT_EQ(ItemNumbers(Main().GoodsList()).size(), 4);
  EXPECT_EQ(SelectedRow(), 2);
  EXPECT_EQ(std::filesystem::file_size(DatabasePath()), 916u);
}

TEST_F(DeleteSelectedGoodsTest, DeletingTheOnlyRecordEmptiesTheListAndDisablesRowButtons) {
  for (int remaining = 4; remaining > 0; --remaining) {
    Main().GoodsList().SetCurrentRow(0);
    QTest::mouseClick(&Main().DeleteGoodsButton(), Qt::LeftButton);
    ASSERT_EQ(Db().RecordCount(), remaining - 1);
  }
  EXPECT_EQ(Main().GoodsList().RowCount(), 0);
  EXPECT_EQ(SelectedRow(), -1);
  EXPECT_EQ(SelectionButtonStates(), "00000");
  EXPECT_EQ(std::filesystem::file_size(DatabasePath()), 548u);
}

TEST_F(DeleteSelectedGoodsTest, DeletingFromASearchResultBringsTheFullListBack) {
  Main().SearchField().SetSelectedIndex(1);
  testing::Type(Main().Keyword(), u"K003"_qs);
  QTest::mouseClick(&Main().SearchButton(), Qt::LeftButton);
  ASSERT_EQ(ItemNumbers(Main().GoodsList()), QStringList{u"K003"_qs});
  QTest::mouseClick(&Main().DeleteGoodsButton(), Qt::LeftButton);
  EXPECT_EQ(ItemNumbers(Main().GoodsList()), (QStringList{u"K001"_qs, u"K002"_qs, u"K004"_qs}));
}

TEST_F(DeleteSelectedGoodsTest, GoodsAddedAfterADeleteGetANewBookmark) {
  Main().GoodsList().SetCurrentRow(3);
  QTest::mouseClick(&Main().DeleteGoodsButton(), Qt::LeftButton);
  ASSERT_EQ(Db().RecordCount(), 3);
  ASSERT_TRUE(RunEditor(u"按钮1"_qs, [](GoodsEditWindow& w) {
    testing::Type(w.NameBox(), u"新"_qs);
    testing::Type(w.ItemNumberBox(), u"K004"_qs);
    testing::Type(w.PriceBox(), u"1"_qs);
    testing::Type(w.UnitBox(), u"个"_qs);
    testing::Type(w.StockBox(), u"1"_qs);
    QTest::mouseClick(&w.SaveButton(), Qt::LeftButton);
  }));
  ASSERT_EQ(Db().RecordCount(), 4);
  ASSERT_TRUE(Db().GoTo(4));
  EXPECT_EQ(Db().Bookmark(), 20);
  EXPECT_EQ(Main().GoodsList().RowValue(3), 20);
}

TEST_F(DeleteSelectedGoodsTest, RowWhoseRecordIsGoneDeletesNothing) {
  Main().GoodsList().SetCurrentRow(0);
  // Another hand removed the first record; the list still shows it with bookmark 16.
  ASSERT_TRUE(Db().GoToBookmark(16));
  ASSERT_TRUE(Db().Delete());
  ASSERT_TRUE(Db().Purge());
  ASSERT_TRUE(Db().GoTo(1));  // K002 is current now and must survive
  QTest::mouseClick(&Main().DeleteGoodsButton(), Qt::LeftButton);
  ASSERT_EQ(Messages().Count(), 1);
  EXPECT_NE(Messages().Last().text.indexOf(u"不存在"_qs), -1);
  EXPECT_EQ(Db().RecordCount(), 3);
  ASSERT_TRUE(Db().GoTo(1));
  EXPECT_EQ(Db().Bookmark(), 17);
}

TEST_F(DeleteSelectedGoodsTest, NoSelectedRowDeletesNothing) {
  Main().GoodsList().SetCurrentRow(-1);  // the buttons do not follow a cleared selection
  ASSERT_TRUE(Main().DeleteGoodsButton().isEnabled());
  QTest::mouseClick(&Main().DeleteGoodsButton(), Qt::LeftButton);
  ASSERT_EQ(Messages().Count(), 1);
  EXPECT_EQ(Messages().Last().text, u"请先在商品列表中选择要删除的商品！"_qs);
  EXPECT_EQ(Db().RecordCount(), 4);
}

}  // namespace
}  // namespace quill
