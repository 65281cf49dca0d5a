#include "output/ui/report_renderer.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "output/goods_report.h"
#include "output/report_grid.h"
#include "toolkit/gb18030.h"

namespace quill {
namespace {

ListTable List(int rows) {
  ListTable list;
  for (const QString& title :
       {u"名称"_qs, u"货号"_qs, u"单价"_qs, u"单位"_qs, u"库存"_qs, u"备注"_qs}) {
    list.titles.push_back(ToGb18030(title));
  }
  for (int row = 0; row < rows; ++row) {
    list.rows.push_back(
        {ToGb18030(u"测试商品"_qs), ToGb18030(u"R%1"_qs.arg(row + 1, 4, 10, QChar(u'0'))),
         ToGb18030(u"125 元"_qs), ToGb18030(u"个"_qs), "10", ToGb18030(u"吉普车"_qs)});
  }
  return list;
}

// The CJK font draws 车 and 页 with the glyphs of the radicals ⻋ and ⻚, and text read back
// from the PDF names the radicals.
QString Readable(QString text) {
  text.replace(QChar(0x2ECB), QChar(u'车'));
  text.replace(QChar(0x2EDA), QChar(u'页'));
  return text;
}

QString WithoutSpaces(QString text) {
  text.remove(QChar(u' '));
  return text;
}

class ReportRendererTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    pdf_ = dir_.filePath(u"report.pdf"_qs);
  }

  bool RenderPdf(const ReportGrid& grid, int* pages = nullptr) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf_);
    printer.setPageSize(QPageSize(QPageSize::A4));
    ApplyGridMargins(grid, printer);
    const ReportRenderer renderer(grid);
    if (pages != nullptr) *pages = renderer.PageCount(printer);
    return renderer.Print(printer);
  }

  // The text of one page (1-based) as poppler reads it back.
  QString PageText(int page) {
    QProcess process;
    process.start(u"pdftotext"_qs, {u"-f"_qs, QString::number(page), u"-l"_qs,
                                    QString::number(page), u"-layout"_qs, pdf_, u"-"_qs});
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return Readable(QString::fromUtf8(process.readAllStandardOutput()));
  }

  QImage PageImage(int page) {
    const QString prefix = dir_.filePath(u"page"_qs);
    QProcess process;
    process.start(u"pdftoppm"_qs,
                  {u"-f"_qs, QString::number(page), u"-l"_qs, QString::number(page), u"-r"_qs,
                   u"72"_qs, u"-singlefile"_qs, u"-png"_qs, pdf_, prefix});
    EXPECT_TRUE(process.waitForFinished(60000));
    return QImage(prefix + u".png"_qs);
  }

  static bool HavePoppler() {
    return !QStandardPaths::findExecutable(u"pdftotext"_qs).isEmpty() &&
           !QStandardPaths::findExecutable(u"pdftoppm"_qs).isEmpty();
  }

  QTemporaryDir dir_;
  QString pdf_;
};

// The longest run of summary-grey pixels on any line of the image.
int LongestGreyRun(const QImage& image) {
  int longest = 0;
  for (int y = 0; y < image.height(); ++y) {
    int run = 0;
    for (int x = 0; x < image.width(); ++x) {
      run = image.pixelColor(x, y) == QColor(240, 240, 240) ? run + 1 : 0;
      longest = std::max(longest, run);
    }
  }
  return longest;
}

TEST_F(ReportRendererTest, OnePageReportHoldsTitleHeadingRowsAndSummary) {
  if (!HavePoppler()) GTEST_SKIP() << "poppler-utils (pdftotext, pdftoppm) not installed";
  ReportGrid grid;
  LayOutGoodsReport(grid, List(4));
  int pages = 0;
  ASSERT_TRUE(RenderPdf(grid, &pages));
  EXPECT_EQ(pages, 1);
  const QString text = PageText(1);
  EXPECT_TRUE(text.contains(u"商品资料详细报表"_qs)) << text.toStdString();
  for (const QString& expected :
       {u"名称"_qs, u"货号"_qs, u"单价"_qs, u"单位"_qs, u"库存"_qs, u"备注"_qs, u"测试商品"_qs,
        u"R0001"_qs, u"R0004"_qs, u"125 元"_qs, u"吉普车"_qs}) {
    EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
  }
  EXPECT_TRUE(WithoutSpaces(text).contains(u"报表商品共计：4种，总计：40件"_qs))
      << text.toStdString();
  EXPECT_TRUE(WithoutSpaces(text).contains(u"第1页/共1页"_qs)) << text.toStdString();
}

TEST_F(ReportRendererTest, LongReportRepeatsHeadingAndEndsWithTheSummary) {
  if (!HavePoppler()) GTEST_SKIP() << "poppler-utils (pdftotext, pdftoppm) not installed";
  constexpr int kRows = 150;
  ReportGrid grid;
  LayOutGoodsReport(grid, List(kRows));
  int pages = 0;
  ASSERT_TRUE(RenderPdf(grid, &pages));
  ASSERT_GE(pages, 3);
  std::vector<int> page_of_row(kRows + 1, 0);
  for (int page = 1; page <= pages; ++page) {
    const QString text = PageText(page);
    EXPECT_TRUE(text.contains(u"商品资料详细报表"_qs)) << "title on page " << page;
    EXPECT_TRUE(text.contains(u"货号"_qs)) << "heading row on page " << page;
    EXPECT_TRUE(WithoutSpaces(text).contains(u"第%1页/共%2页"_qs.arg(page).arg(pages))) << page;
    EXPECT_EQ(WithoutSpaces(text).contains(u"报表商品共计："_qs), page == pages) << page;
    for (int row = 1; row <= kRows; ++row) {
      if (text.contains(u"R%1"_qs.arg(row, 4, 10, QChar(u'0')))) {
        EXPECT_EQ(page_of_row[row], 0) << "row " << row << " on two pages";
        page_of_row[row] = page;
      }
    }
  }
  for (int row = 1; row <= kRows; ++row) {
    EXPECT_NE(page_of_row[row], 0) << "row " << row << " missing";
    if (row > 1) {
      EXPECT_GE(page_of_row[row], page_of_row[row - 1]) << "rows keep their order";
    }
  }
  EXPECT_EQ(page_of_row[1], 1);
  EXPECT_EQ(page_of_row[kRows], pages);
  EXPECT_TRUE(WithoutSpaces(PageText(pages)).contains(u"报表商品共计：150种，总计：1500件"_qs));
}

TEST_F(ReportRendererTest, SummaryIsOneGreyCellAcrossTheTable) {
  if (!HavePoppler()) GTEST_SKIP() << "poppler-utils (pdftotext, pdftoppm) not installed";
  ReportGrid grid;
  LayOutGoodsReport(grid, List(2));
  ASSERT_TRUE(RenderPdf(grid));
  const QImage image = PageImage(1);
  ASSERT_FALSE(image.isNull());
  // 498 grid pixels at 72 per inch are about 373 image pixels; one cell is about 62.
  EXPECT_GT(LongestGreyRun(image), 300);

  // Unmerged, the same grey is cut by the cell lines.
  grid.ClearMerges();
  ASSERT_TRUE(RenderPdf(grid));
  const int unmerged = LongestGreyRun(PageImage(1));
  EXPECT_GT(unmerged, 20);
  EXPECT_LT(unmerged, 80);
}

TEST_F(ReportRendererTest, TableWiderThanThePaperIsScaledToFit) {
  if (!HavePoppler()) GTEST_SKIP() << "poppler-utils (pdftotext, pdftoppm) not installed";
  ReportGrid grid;
  grid.SetColumnCount(12);
  grid.SetRowCount(2);
  for (int column = 0; column < 12; ++column) {
    grid.SetColumnWidth(column, 150);  // 1800 pixels: almost half a metre at 96 per inch
    grid.SetCellText(0, column, "H" + std::to_string(column));
    grid.SetCellText(1, column, "C" + std::to_string(column));
  }
  ASSERT_TRUE(RenderPdf(grid));
  const QString text = PageText(1);
  for (int column = 0; column < 12; ++column) {
    EXPECT_TRUE(text.contains(u"H%1"_qs.arg(column))) << column << "\n" << text.toStdString();
    EXPECT_TRUE(text.contains(u"C%1"_qs.arg(column))) << column;
  }
}

TEST_F(ReportRendererTest, EmptyGridStillGivesOnePage) {
  ReportGrid grid;
  grid.SetRowCount(0);
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf_);
  const ReportRenderer renderer(grid);
  EXPECT_EQ(renderer.PageCount(printer), 1);
  EXPECT_TRUE(renderer.Print(printer));
  EXPECT_TRUE(QFileInfo::exists(pdf_));
}

TEST_F(ReportRendererTest, UnwritablePdfIsReportedAsFailure) {
  ReportGrid grid;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir_.filePath(u"missing/report.pdf"_qs));
  EXPECT_FALSE(ReportRenderer(grid).Print(printer));
}

TEST(ReportMarginsTest, GridMarginsGoToThePrinterAndChangesComeBack) {
  ReportGrid grid;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  ApplyGridMargins(grid, printer);
  const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
  EXPECT_DOUBLE_EQ(margins.left(), 4.0);
  EXPECT_DOUBLE_EQ(margins.right(), 4.0);
  EXPECT_DOUBLE_EQ(margins.top(), 2.0);
  EXPECT_DOUBLE_EQ(margins.bottom(), 2.0);

  printer.setPageMargins(QMarginsF(15, 10, 12.5, 20), QPageLayout::Millimeter);
  TakePrinterMargins(printer, grid);
  EXPECT_EQ(grid.PageLayout(PageLayoutValue::kLeftMargin), 150);
  EXPECT_EQ(grid.PageLayout(PageLayoutValue::kTopMargin), 100);
  EXPECT_EQ(grid.PageLayout(PageLayoutValue::kRightMargin), 125);
  EXPECT_EQ(grid.PageLayout(PageLayoutValue::kBottomMargin), 200);
  EXPECT_EQ(grid.PageLayout(PageLayoutValue::kPageHeader), 60);
}

}  // namespace
}  // namespace quill
