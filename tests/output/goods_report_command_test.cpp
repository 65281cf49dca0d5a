#include "output/ui/output_commands.h"

#include <string>

#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/feature_commands.h"
#include "app/main_window.h"
#include "output/report_grid.h"
#include "output/ui/report_preview.h"
#include "output/ui/report_renderer.h"
#include "storage/goods_database.h"
#include "support/fake_seams.h"
#include "support/gui_wait.h"
#include "toolkit/buttons.h"
#include "toolkit/gb18030.h"
#include "toolkit/list_view.h"

namespace quill {
namespace {

using testing::FakeSeams;
using testing::ShowAndActivate;
using testing::WhenModalShown;

QString Text(const ReportGrid& grid, int row, int column) {
  return FromGb18030(grid.Cell(row, column).text);
}

QString Summary(int n, int s) {
  return u"报表商品共计：  %1  种 ，总计：  %2  件"_qs.arg(n).arg(s);
}

class GoodsReportCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(ShowAndActivate(main_)); }

  // Runs 按钮9 and closes the preview once it shows its pages; gives the preview's page count.
  int PrintReport(const std::function<void(QPrintPreviewDialog&)>& inside = {}) {
    int pages = -1;
    auto ran = WhenModalShown<QPrintPreviewDialog>(
        QString::fromLatin1(kReportPreviewName), [&](QPrintPreviewDialog& dialog) {
          auto* preview = dialog.findChild<QPrintPreviewWidget*>();
          EXPECT_NE(preview, nullptr);
          if (preview != nullptr) {
            testing::WaitUntil([&] { return preview->pageCount() > 0; });
            pages = preview->pageCount();
          }
          if (inside) inside(dialog);
          dialog.reject();
        });
    main_.ReportButton().click();
    EXPECT_TRUE(*ran) << "the preview did not open";
    return pages;
  }

  FakeSeams seams_;
  MainWindow main_;
};

TEST_F(GoodsReportCommandTest, FullListGivesHeadingRecordsAndSummary) {
  EXPECT_EQ(PrintReport(), 1);
  const ReportGrid& grid = ProcessReportGrid();
  ASSERT_EQ(grid.RowCount(), 6);
  ASSERT_EQ(grid.ColumnCount(), 6);
  const QString titles[] = {u"名称"_qs, u"货号"_qs, u"单价"_qs, u"单位"_qs, u"库存"_qs, u"备注"_qs};
  for (int column = 0; column < 6; ++column) EXPECT_EQ(Text(grid, 0, column), titles[column]);
  const QString prices[] = {u"25 元"_qs, u"125 元"_qs, u"125 元"_qs, u"125500 元"_qs};
  for (int row = 1; row <= 4; ++row) {
    EXPECT_EQ(Text(grid, row, 2), prices[row - 1]);
    for (int column = 0; column < 6; ++column) {
      EXPECT_EQ(Text(grid, row, column), main_.GoodsList().CellText(row - 1, column));
    }
  }
  EXPECT_EQ(Text(grid, 5, 0), Summary(4, 699));
  EXPECT_EQ(grid.MergeAt(5, 3), (CellRange{5, 0, 5, 5}));
  EXPECT_EQ(grid.Cell(5, 5).background, (Rgb{240, 240, 240}));
  EXPECT_EQ(FromGb18030(grid.Title().text), u"商品资料详细报表"_qs);
}

TEST_F(GoodsReportCommandTest, NarrowedListGivesOnlyItsRow) {
  ListView& list = main_.GoodsList();
  QStringList kept;
  for (int column = 0; column < 6; ++column) kept << list.CellText(2, column);
  list.DeleteAllRows();
  list.AppendRow(kept[0], 18);
  for (int column = 1; column < 6; ++column) list.SetCellText(0, column, kept[column]);
  PrintReport();
  const ReportGrid& grid = ProcessReportGrid();
  ASSERT_EQ(grid.RowCount(), 3);
  EXPECT_EQ(Text(grid, 1, 1), u"K003"_qs);
  EXPECT_EQ(Text(grid, 2, 0), Summary(1, 199));
}

TEST_F(GoodsReportCommandTest, EmptyListGivesHeadingAndSummaryOnly) {
  main_.GoodsList().DeleteAllRows();
  EXPECT_EQ(PrintReport(), 1);
  const ReportGrid& grid = ProcessReportGrid();
  ASSERT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(Text(grid, 0, 0), u"名称"_qs);
  EXPECT_EQ(Text(grid, 1, 0), Summary(0, 0));
}

TEST_F(GoodsReportCommandTest, SecondReportAfterAddingGoodsHasAnOrdinaryRowWhereTheSummaryWas) {
  PrintReport();
  ASSERT_TRUE(main_.Database().Add(
      {ToGb18030(u"毛巾"_qs), std::string("A12"), 9.9, ToGb18030(u"条"_qs), -30.0, std::string()}));
  main_.LoadGoodsList();
  PrintReport();
  const ReportGrid& grid = ProcessReportGrid();
  ASSERT_EQ(grid.RowCount(), 7);
  EXPECT_EQ(Text(grid, 5, 0), u"毛巾"_qs);
  EXPECT_EQ(Text(grid, 5, 2), u"9.9 元"_qs);
  EXPECT_EQ(Text(grid, 5, 4), u"-30"_qs);
  for (int column = 0; column < 6; ++column) {
    EXPECT_FALSE(grid.MergeAt(5, column).has_value()) << column;
    EXPECT_FALSE(grid.Cell(5, column).background.has_value()) << column;
  }
  EXPECT_EQ(Text(grid, 6, 0), Summary(5, 669));
}

TEST_F(GoodsReportCommandTest, MarginsSetInThePreviewStayForTheNextReport) {
  ReportGrid& grid = ProcessReportGrid();
  const int left = grid.PageLayout(PageLayoutValue::kLeftMargin);
  PrintReport([](QPrintPreviewDialog& dialog) {
    dialog.printer()->setPageMargins(QMarginsF(25, 15, 10, 12), QPageLayout::Millimeter);
    dialog.findChild<QPrintPreviewWidget*>()->updatePreview();
  });
  EXPECT_EQ(grid.PageLayout(PageLayoutValue::kLeftMargin), 250);
  EXPECT_EQ(grid.PageLayout(PageLayoutValue::kTopMargin), 150);
  grid.SetPageLayout(PageLayoutValue::kPageHeader, 5);
  QMarginsF seen;
  PrintReport([&](QPrintPreviewDialog& dialog) {
    seen = dialog.printer()->pageLayout().margins(QPageLayout::Millimeter);
  });
  EXPECT_DOUBLE_EQ(seen.left(), 25);
  EXPECT_EQ(grid.PageLayout(PageLayoutValue::kPageHeader), 80);
  grid.SetPageLayout(PageLayoutValue::kLeftMargin, left);
  grid.SetPageLayout(PageLayoutValue::kTopMargin, 20);
  grid.SetPageLayout(PageLayoutValue::kRightMargin, 40);
  grid.SetPageLayout(PageLayoutValue::kBottomMargin, 20);
}

TEST_F(GoodsReportCommandTest, PrintThatCannotBeWrittenIsToldToTheUser) {
  ReportGrid grid;
  LayOutGoodsReport(grid, ReadListTable(main_.GoodsList()));
  const ReportRenderer renderer(grid);
  QTemporaryDir dir;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath(u"missing/report.pdf"_qs));
  EXPECT_FALSE(PaintReportPages(renderer, grid, printer));
  ASSERT_EQ(seams_.messages.Count(), 1);
  EXPECT_EQ(seams_.messages.Last().style, MessageStyle::kOkWarning);

  printer.setOutputFileName(dir.filePath(u"report.pdf"_qs));
  EXPECT_TRUE(PaintReportPages(renderer, grid, printer));
  EXPECT_EQ(seams_.messages.Count(), 1);
  EXPECT_TRUE(QFileInfo::exists(dir.filePath(u"report.pdf"_qs)));
}

}  // namespace
}  // namespace quill
