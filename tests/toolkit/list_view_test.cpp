#include "toolkit/list_view.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "support/gui_wait.h"
#include "toolkit/buttons.h"
#include "toolkit/window.h"

namespace quill {
namespace {

using testing::WaitUntil;

class ListViewTest : public ::testing::Test {
 protected:
  ListViewTest()
      : window_(nullptr, u"SalesRecordsWindow"_qs, u"销售记录"_qs, QSize(624, 433),
                WindowKind::kMain),
        list_(new ListView(&window_, u"超级列表框1"_qs, QRect(146, 8, 462, 352))) {}

  void Fill(int rows) {
    list_->InsertColumn(0, u"客户名称"_qs);
    list_->InsertColumn(1, u"商品名称"_qs);
    for (int i = 0; i < rows; ++i) {
      const int at = list_->AppendRow(QStringLiteral("客户%1").arg(i), 100 + i);
      list_->SetCellText(at, 1, QStringLiteral("商品%1").arg(i));
    }
  }

  void ShowActive() {
    window_.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  }

  Window window_;
  ListView* list_;
};

TEST_F(ListViewTest, RowsColumnsCellsAndValues) {
  Fill(3);
  EXPECT_EQ(list_->objectName(), u"超级列表框1"_qs);
  EXPECT_EQ(list_->geometry(), QRect(146, 8, 462, 352));
  EXPECT_EQ(list_->ColumnCount(), 2);
  EXPECT_EQ(list_->ColumnTitle(1), u"商品名称"_qs);
  EXPECT_EQ(list_->RowCount(), 3);
  EXPECT_EQ(list_->CellText(2, 0), u"客户2"_qs);
  EXPECT_EQ(list_->CellText(2, 1), u"商品2"_qs);
  EXPECT_EQ(list_->RowValue(1), 101);
  EXPECT_EQ(list_->CellText(5, 0), QString());  // no such row
  EXPECT_EQ(list_->CellText(0, 7), QString());  // no such column
  EXPECT_EQ(list_->RowValue(-1), 0);
  list_->SetCellText(9, 0, u"x"_qs);  // ignored, no crash
  EXPECT_EQ(list_->RowCount(), 3);
}

TEST_F(ListViewTest, InsertingAColumnInFrontMovesCellsRight) {
  Fill(1);
  list_->InsertColumn(0, u"序号"_qs);
  EXPECT_EQ(list_->ColumnTitle(0), u"序号"_qs);
  EXPECT_EQ(list_->CellText(0, 0), QString());
  EXPECT_EQ(list_->CellText(0, 1), u"客户0"_qs);
  EXPECT_EQ(list_->CellText(0, 2), u"商品0"_qs);
}

TEST_F(ListViewTest, ColumnWidthsAndAlignment) {
  Fill(1);
  list_->SetColumnWidth(0, 100);
  list_->SetColumnWidth(1, 60);
  EXPECT_EQ(list_->ColumnWidth(0), 100);
  EXPECT_EQ(list_->ColumnWidth(1), 60);
  list_->SetColumnAlignment(1, Qt::AlignRight);
  const QVariant alignment = list_->model()->data(list_->model()->index(0, 1), Qt::TextAlignmentRole);
  EXPECT_TRUE(alignment.value<Qt::Alignment>() & Qt::AlignRight);
  list_->SetColumnWidth(7, 10);  // no such column: ignored
  EXPECT_EQ(list_->ColumnWidth(7), 0);
}

TEST_F(ListViewTest, CurrentRowChangedFiresOnlyWhenARowGainsFocus) {
  Fill(3);
  ShowActive();
  QSignalSpy changed(list_, &ListView::CurrentRowChanged);
  list_->SetCurrentRow(1);
  EXPECT_EQ(list_->CurrentRow(), 1);
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed.at(0).at(0).toInt(), 1);
  list_->SetCurrentRow(1);  // already the focused row
  EXPECT_EQ(changed.count(), 1);
  list_->SetCurrentRow(-1);  // clearing raises nothing
  EXPECT_EQ(list_->CurrentRow(), -1);
  EXPECT_EQ(changed.count(), 1);
  list_->SetCurrentRow(7);  // no such row: nothing changes
  EXPECT_EQ(list_->CurrentRow(), -1);
  EXPECT_EQ(changed.count(), 1);
  list_->SetCurrentRow(2);
  EXPECT_EQ(changed.count(), 2);
  list_->DeleteAllRows();  // deleting raises nothing
  EXPECT_EQ(list_->CurrentRow(), -1);
  EXPECT_EQ(changed.count(), 2);
}

TEST_F(ListViewTest, SelectingRowZeroOfAnEmptyListDoesNothing) {
  Fill(0);
  ShowActive();
  QSignalSpy changed(list_, &ListView::CurrentRowChanged);
  list_->SetCurrentRow(0);
  EXPECT_EQ(list_->CurrentRow(), -1);
  EXPECT_EQ(changed.count(), 0);
}

TEST_F(ListViewTest, GainingKeyboardFocusSelectsNothing) {
  Fill(3);
  ShowActive();
  QSignalSpy changed(list_, &ListView::CurrentRowChanged);
  list_->setFocus();
  ASSERT_TRUE(WaitUntil([&] { return list_->hasFocus(); }));
  EXPECT_EQ(list_->CurrentRow(), -1);
  EXPECT_EQ(changed.count(), 0);
}

TEST_F(ListViewTest, ArrowKeysAndClicksMoveTheCurrentRow) {
  Fill(3);
  ShowActive();
  list_->SetCurrentRow(0);
  list_->setFocus();
  ASSERT_TRUE(WaitUntil([&] { return list_->hasFocus(); }));
  QSignalSpy changed(list_, &ListView::CurrentRowChanged);
  QTest::keyClick(list_, Qt::Key_Down);
  EXPECT_EQ(list_->CurrentRow(), 1);
  const QRect row2 = list_->visualRect(list_->model()->index(2, 0));
  QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, row2.center());
  EXPECT_EQ(list_->CurrentRow(), 2);
  ASSERT_EQ(changed.count(), 2);
  EXPECT_EQ(changed.at(1).at(0).toInt(), 2);
}

TEST_F(ListViewTest, EnterIsReportedAs13AndPressesNoDefaultButton) {
  Fill(2);
  auto* button = new Button(&window_, u"按钮1"_qs, QRect(8, 368, 128, 32), u"删除该天记录"_qs);
  button->SetDefault(true);
  ShowActive();
  list_->setFocus();
  ASSERT_TRUE(WaitUntil([&] { return list_->hasFocus(); }));
  QSignalSpy keys(list_, &ListView::KeyPressed);
  QSignalSpy clicks(button, &Button::clicked);
  QTest::keyClick(list_, Qt::Key_Return);
  QTest::keyClick(list_, Qt::Key_Enter, Qt::KeypadModifier);
  QTest::keyClick(list_, Qt::Key_A);
  ASSERT_EQ(keys.count(), 3);
  EXPECT_EQ(keys.at(0).at(0).toInt(), 13);
  EXPECT_EQ(keys.at(1).at(0).toInt(), 13);
  EXPECT_EQ(keys.at(2).at(0).toInt(), 'A');
  EXPECT_EQ(clicks.count(), 0);
}

TEST_F(ListViewTest, DoubleClickAnywhereIsReported) {
  Fill(1);
  ShowActive();
  QSignalSpy doubles(list_, &ListView::DoubleClicked);
  const QPoint below_rows(20, list_->viewport()->height() - 5);
  QTest::mouseDClick(list_->viewport(), Qt::LeftButton, {}, below_rows);
  const QRect row0 = list_->visualRect(list_->model()->index(0, 0));
  QTest::mouseDClick(list_->viewport(), Qt::LeftButton, {}, row0.center());
  EXPECT_EQ(doubles.count(), 2);
}

TEST_F(ListViewTest, BatchFillRaisesOneResetAndNoRowSignals) {
  list_->InsertColumn(0, u"名称"_qs);
  QSignalSpy inserted(list_->model(), &QAbstractItemModel::rowsInserted);
  QSignalSpy reset(list_->model(), &QAbstractItemModel::modelReset);
  {
    ListView::Batch batch(*list_);
    list_->DeleteAllRows();
    for (int i = 0; i < 100; ++i) list_->AppendRow(QString::number(i), i);
  }
  EXPECT_EQ(list_->RowCount(), 100);
  EXPECT_EQ(inserted.count(), 0);
  EXPECT_EQ(reset.count(), 1);
}

TEST_F(ListViewTest, MakeRowVisibleScrollsToIt) {
  Fill(500);
  ShowActive();
  list_->MakeRowVisible(450);
  const QRect r = list_->visualRect(list_->model()->index(450, 0));
  EXPECT_TRUE(list_->viewport()->rect().intersects(r));
  list_->MakeRowVisible(9999);  // no such row: ignored
}

TEST_F(ListViewTest, GridLinesPaintBetweenCells) {
  Fill(3);
  list_->SetColumnWidth(0, 100);
  list_->SetColumnWidth(1, 120);
  ShowActive();
  const QRect row0 = list_->visualRect(list_->model()->index(0, 0));
  const auto sample = [&] {
    return list_->viewport()->grab().toImage().pixelColor(99, row0.center().y());
  };
  const QColor without = sample();
  list_->SetGridLines(true);
  EXPECT_TRUE(list_->GridLines());
  EXPECT_NE(sample(), without);
}

}  // namespace
}  // namespace quill
