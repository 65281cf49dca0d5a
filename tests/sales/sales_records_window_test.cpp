#include "sales/ui/sales_records_window.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "app/feature_commands.h"
#include "sales/sales_window_fixture.h"
#include "sales/ui/sales_out_window.h"
#include "support/gui_wait.h"
#include "toolkit/buttons.h"
#include "toolkit/edit_box.h"
#include "toolkit/file_box.h"
#include "toolkit/label.h"
#include "toolkit/list_view.h"
#include "toolkit/seams.h"

namespace quill {
namespace {

#define T "qwerdesfd"
#define RETAIL "\xC1\xE3\xCA\xDB\xBF\xCD\xBB\xA7"  // 零售客户
#define PEN "\xB8\xD6\xB1\xCA - G100"              // 钢笔 - G100
#define YUAN "\xD4\xAA"                            // 元

const std::string kWorkedExample =
    RETAIL T PEN T "12.5 " YUAN T "3" T "37.5 " YUAN T
                   "\r\n"
                   "\r\n" RETAIL T PEN T "12.5 " YUAN T "1" T "12.5 " YUAN T "\r\n";
const QString kNoSales = u"无当天销售记录"_qs;

class SalesRecordsWindowTest : public testing::SalesWindowTest {
 protected:
  void WriteDay(const QString& name, const std::string& bytes) {
    std::ofstream out(RunPath(name), std::ios::binary);
    out << bytes;
  }
  std::unique_ptr<SalesRecordsWindow> Open() {
    auto window = std::make_unique<SalesRecordsWindow>(main.get());
    EXPECT_TRUE(testing::ShowAndActivate(*window));
    return window;
  }
  // Clicks the day's entry in the file box, as the user picks a day.
  void PickDay(SalesRecordsWindow& window, const QString& name) {
    FileBox& days = window.Days();
    const QList<QListWidgetItem*> items = days.findItems(name, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << name.toStdString();
    QTest::mouseClick(days.viewport(), Qt::LeftButton, {},
                      days.visualItemRect(items.front()).center());
    ASSERT_EQ(days.SelectedName(), name);
  }
  std::vector<QString> Row(SalesRecordsWindow& window, int row) {
    std::vector<QString> cells;
    for (int column = 0; column < 5; ++column) {
      cells.push_back(window.Sales().CellText(row, column));
    }
    return cells;
  }
  void ExpectEmptyState(SalesRecordsWindow& window) {
    EXPECT_EQ(window.Days().SelectedName(), QString());
    EXPECT_EQ(window.Sales().RowCount(), 0);
    EXPECT_EQ(window.Totals().Caption(), kNoSales);
    EXPECT_FALSE(window.DeleteButton().isEnabled());
  }
};

TEST_F(SalesRecordsWindowTest, FormHasItsColumnsAndOpensEmpty) {
  auto window = Open();
  EXPECT_EQ(window->Title(), u"销售记录"_qs);
  EXPECT_EQ(window->OuterWidth(), 624);
  EXPECT_EQ(window->OuterHeight(), 433);
  EXPECT_EQ(window->DeleteButton().Caption(), u"删除该天记录"_qs);
  const struct {
    QString title;
    int width;
    Qt::Alignment alignment;
  } expected[] = {{u"客户名称"_qs, 100, Qt::AlignLeft},
                  {u"商品名称"_qs, 120, Qt::AlignLeft},
                  {u"销售单价"_qs, 60, Qt::AlignRight},
                  {u"销售数量"_qs, 60, Qt::AlignRight},
                  {u"实收金额"_qs, 80, Qt::AlignRight}};
  ListView& sales = window->Sales();
  ASSERT_EQ(sales.ColumnCount(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(sales.ColumnTitle(i), expected[i].title);
    EXPECT_EQ(sales.ColumnWidth(i), expected[i].width);
    EXPECT_EQ(sales.Rows().ColumnAlignment(i) & Qt::AlignHorizontal_Mask, expected[i].alignment);
  }
  EXPECT_TRUE(sales.GridLines());
  EXPECT_EQ(window->Days().Names(), QStringList());
  ExpectEmptyState(*window);
  window->CloseWindow();
}

TEST_F(SalesRecordsWindowTest, ListsOnlyDayFilesInDateOrder) {
  WriteDay(u"2016-03-10.jl"_qs, "");
  WriteDay(u"2016-03-05.jl"_qs, "");
  WriteDay(u"2015-12-31.jl"_qs, "");
  WriteDay(u"notes.txt"_qs, "");
  WriteDay(u".hidden.jl"_qs, "");
  std::filesystem::create_directory(RunPath(u"2016-01-01.jl"_qs));
  auto window = Open();
  EXPECT_EQ(window->Days().Names(),
            (QStringList{u"2015-12-31.jl"_qs, u"2016-03-05.jl"_qs, u"2016-03-10.jl"_qs}));
  ExpectEmptyState(*window);
  window->CloseWindow();
}

TEST_F(SalesRecordsWindowTest, PickingADayShowsItsSalesAndTotals) {
  WriteDay(u"2016-03-05.jl"_qs, kWorkedExample);
  auto window = Open();
  PickDay(*window, u"2016-03-05.jl"_qs);
  ASSERT_EQ(window->Sales().RowCount(), 2);
  EXPECT_EQ(Row(*window, 0), (std::vector<QString>{u"零售客户"_qs, u"钢笔 - G100"_qs, u"12.5 元"_qs,
                                                   u"3"_qs, u"37.5 元"_qs}));
  EXPECT_EQ(Row(*window, 1), (std::vector<QString>{u"零售客户"_qs, u"钢笔 - G100"_qs, u"12.5 元"_qs,
                                                   u"1"_qs, u"12.5 元"_qs}));
  EXPECT_EQ(window->Totals().Caption(), u"该天共售出商品： 4 件，总金额： 50 元"_qs);
  EXPECT_TRUE(window->DeleteButton().isEnabled());
  window->CloseWindow();
}

struct DayCase {
  const char* name;
  std::string bytes;
  int rows;
  QString totals;
};

void PrintTo(const DayCase& row, std::ostream* out) { *out << row.name; }

class SalesRecordsDayTest : public SalesRecordsWindowTest,
                            public ::testing::WithParamInterface<DayCase> {};

TEST_P(SalesRecordsDayTest, ShowsTheDay) {
  WriteDay(u"2016-03-05.jl"_qs, GetParam().bytes);
  auto window = Open();
  PickDay(*window, u"2016-03-05.jl"_qs);
  EXPECT_EQ(window->Sales().RowCount(), GetParam().rows);
  EXPECT_EQ(window->Totals().Caption(), GetParam().totals);
  EXPECT_TRUE(window->DeleteButton().isEnabled());
  window->CloseWindow();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SalesRecordsDayTest,
    ::testing::Values(DayCase{"EmptyFile", "", 0, kNoSales},
                      DayCase{"OnlyEmptyLines", "\r\n\r\n", 0, kNoSales},
                      DayCase{"MillionInSinglePrecision",
                              T T T "1" T "1234000" T "\r\n\r\n" T T T "2" T "567 " YUAN T "\r\n",
                              2, u"该天共售出商品： 3 件，总金额： 1.23457e+006 元"_qs},
                      DayCase{"WordsAddZero", "a" T "b" T "c" T "lots" T "many" T "\r\n", 1,
                              u"该天共售出商品： 0 件，总金额： 0 元"_qs},
                      DayCase{"HandEditedLines", "just a note\r\nx" T "y", 2,
                              u"该天共售出商品： 0 件，总金额： 0 元"_qs},
                      DayCase{"NegativeQuantity", T T T "-2" T "-5" T "\r\n", 1,
                              u"该天共售出商品： -2 件，总金额： -5 元"_qs}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SalesRecordsWindowTest, ShortLinesLeaveLaterColumnsEmpty) {
  WriteDay(u"2016-03-05.jl"_qs, "x" T "y");
  auto window = Open();
  PickDay(*window, u"2016-03-05.jl"_qs);
  ASSERT_EQ(window->Sales().RowCount(), 1);
  EXPECT_EQ(Row(*window, 0), (std::vector<QString>{u"x"_qs, u"y"_qs, {}, {}, {}}));
  window->CloseWindow();
}

TEST_F(SalesRecordsWindowTest, ChangingDayReplacesTheRows) {
  WriteDay(u"2016-03-05.jl"_qs, kWorkedExample);
  WriteDay(u"2016-03-06.jl"_qs, "c" T "g" T "1" T "7" T "7" T "\r\n");
  auto window = Open();
  PickDay(*window, u"2016-03-05.jl"_qs);
  PickDay(*window, u"2016-03-06.jl"_qs);
  ASSERT_EQ(window->Sales().RowCount(), 1);
  EXPECT_EQ(window->Sales().CellText(0, 0), u"c"_qs);
  EXPECT_EQ(window->Totals().Caption(), u"该天共售出商品： 7 件，总金额： 7 元"_qs);
  window->CloseWindow();
}

TEST_F(SalesRecordsWindowTest, DayThatDisappearedShowsAsEmpty) {
  WriteDay(u"2016-03-05.jl"_qs, kWorkedExample);
  auto window = Open();
  PickDay(*window, u"2016-03-05.jl"_qs);
  std::filesystem::remove(RunPath(u"2016-03-05.jl"_qs));
  window->ShowSelectedDay();
  EXPECT_EQ(window->Sales().RowCount(), 0);
  EXPECT_EQ(window->Totals().Caption(), kNoSales);
  EXPECT_TRUE(window->DeleteButton().isEnabled());
  window->CloseWindow();
}

TEST_F(SalesRecordsWindowTest, DayThatCannotBeReadSaysSo) {
  WriteDay(u"2016-03-05.jl"_qs, kWorkedExample);
  auto window = Open();
  PickDay(*window, u"2016-03-05.jl"_qs);
  // Replaced by something that cannot be read as a file after it was listed.
  std::filesystem::remove(RunPath(u"2016-03-05.jl"_qs));
  std::filesystem::create_directory(RunPath(u"2016-03-05.jl"_qs));
  window->ShowSelectedDay();
  EXPECT_EQ(window->Sales().RowCount(), 0);
  EXPECT_EQ(window->Totals().Caption(), u"无法读取该天的销售记录文件"_qs);
  EXPECT_TRUE(window->DeleteButton().isEnabled());
  window->CloseWindow();
}

TEST_F(SalesRecordsWindowTest, CancellingTheDeletionChangesNothing) {
  WriteDay(u"2016-03-05.jl"_qs, kWorkedExample);
  auto window = Open();
  PickDay(*window, u"2016-03-05.jl"_qs);
  seams.messages.AnswerNext(kMessageCancel);
  QTest::mouseClick(&window->DeleteButton(), Qt::LeftButton);
  ASSERT_EQ(seams.messages.Count(), 1);
  EXPECT_EQ(seams.messages.Last().text, u"您确定要删除： 2016-03-05 的商品记录？"_qs);
  EXPECT_EQ(seams.messages.Last().caption, u"删除记录："_qs);
  EXPECT_EQ(seams.messages.Last().style, MessageStyle::kOkCancelQuestion);
  EXPECT_TRUE(std::filesystem::exists(RunPath(u"2016-03-05.jl"_qs)));
  EXPECT_EQ(window->Days().SelectedName(), u"2016-03-05.jl"_qs);
  EXPECT_EQ(window->Sales().RowCount(), 2);
  window->CloseWindow();
}

TEST_F(SalesRecordsWindowTest, DeletingADayRemovesItsFileAndEntry) {
  WriteDay(u"2016-03-05.jl"_qs, kWorkedExample);
  WriteDay(u"2016-03-06.jl"_qs, kWorkedExample);
  auto window = Open();
  PickDay(*window, u"2016-03-05.jl"_qs);
  seams.messages.AnswerNext(kMessageOk);
  QTest::mouseClick(&window->DeleteButton(), Qt::LeftButton);
  EXPECT_FALSE(std::filesystem::exists(RunPath(u"2016-03-05.jl"_qs)));
  EXPECT_TRUE(std::filesystem::exists(RunPath(u"2016-03-06.jl"_qs)));
  EXPECT_EQ(window->Days().Names(), QStringList{u"2016-03-06.jl"_qs});
  ExpectEmptyState(*window);
  EXPECT_EQ(seams.messages.Count(), 1) << "only the question";
  window->CloseWindow();
}

TEST_F(SalesRecordsWindowTest, DeletingTheOnlyDayLeavesTheEmptyState) {
  WriteDay(u"2016-03-05.jl"_qs, kWorkedExample);
  auto window = Open();
  PickDay(*window, u"2016-03-05.jl"_qs);
  QTest::mouseClick(&window->DeleteButton(), Qt::LeftButton);
  EXPECT_EQ(window->Days().Names(), QStringList());
  ExpectEmptyState(*window);
  window->CloseWindow();
}

TEST_F(SalesRecordsWindowTest, SalesOfTheOpenWindowsDayAppearOnTheNextOpening) {
  WriteDay(u"2016-03-05.jl"_qs, kWorkedExample);
  auto first = Open();
  first->CloseWindow();
  ASSERT_TRUE(testing::WaitUntil([&] { return !first->IsOpen(); }));
  WriteDay(u"2016-03-06.jl"_qs, kWorkedExample);
  auto second = Open();
  EXPECT_EQ(second->Days().Names(), (QStringList{u"2016-03-05.jl"_qs, u"2016-03-06.jl"_qs}));
  second->CloseWindow();
}

TEST_F(SalesRecordsWindowTest, Button8OpensItModally) {
  WriteDay(u"2016-03-05.jl"_qs, kWorkedExample);
  QStringList names;
  const auto ran = testing::WhenModalShown<SalesRecordsWindow>(u"SalesRecordsWindow"_qs,
                                                               [&](SalesRecordsWindow& window) {
                                                                 names = window.Days().Names();
                                                                 window.CloseWindow();
                                                               });
  QTest::mouseClick(&main->SalesRecordsButton(), Qt::LeftButton);
  ASSERT_TRUE(testing::WaitUntil([&] { return *ran; }));
  EXPECT_EQ(names, QStringList{u"2016-03-05.jl"_qs});
}

// The road of one sale: sold from the main window, then found in the records window.
TEST_F(SalesRecordsWindowTest, SalesMadeFromTheMainWindowAreListedWithTheirTotals) {
  AddAndSelectGoods(u"钢笔"_qs, u"G100"_qs, 12.5, 10);
  for (const char* quantity : {"3", "1"}) {
    const auto sold =
        testing::WhenModalShown<SalesOutWindow>(u"SalesOutWindow"_qs, [&](SalesOutWindow& window) {
          window.QuantityBox().setFocus(Qt::MouseFocusReason);
          window.QuantityBox().selectAll();
          QTest::keyClicks(&window.QuantityBox(), quantity);
          QTest::mouseClick(&window.ConfirmButton(), Qt::LeftButton);
        });
    QTest::mouseClick(&main->SalesOutButton(), Qt::LeftButton);
    ASSERT_TRUE(testing::WaitUntil([&] { return *sold; }));
  }
  std::vector<QString> second_row;
  QString totals;
  const auto browsed = testing::WhenModalShown<SalesRecordsWindow>(
      u"SalesRecordsWindow"_qs, [&](SalesRecordsWindow& window) {
        PickDay(window, u"2016-03-05.jl"_qs);
        second_row = Row(window, 1);
        totals = window.Totals().Caption();
        window.CloseWindow();
      });
  QTest::mouseClick(&main->SalesRecordsButton(), Qt::LeftButton);
  ASSERT_TRUE(testing::WaitUntil([&] { return *browsed; }));
  EXPECT_EQ(second_row, (std::vector<QString>{u"零售客户"_qs, u"钢笔 - G100"_qs, u"12.5 元"_qs,
                                              u"1"_qs, u"12.5 元"_qs}));
  EXPECT_EQ(totals, u"该天共售出商品： 4 件，总金额： 50 元"_qs);
  EXPECT_EQ(main->GoodsList().CellText(main->GoodsList().CurrentRow(), 4), u"6"_qs);
}

}  // namespace
}  // namespace quill
