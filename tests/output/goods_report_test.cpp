#include "output/goods_report.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quill {
namespace {

// GBK texts of the goods list.
const std::string kName = "\xB2\xE2\xCA\xD4\xC9\xCC\xC6\xB7";  // 测试商品
const std::string kYuan = " \xD4\xAA";                         // " 元"

ListTable TemplateList() {
  ListTable list;
  list.titles = {"\xC3\xFB\xB3\xC6", "\xBB\xF5\xBA\xC5", "\xB5\xA5\xBC\xDB",  // 名称 货号 单价
                 "\xB5\xA5\xCE\xBB", "\xBF\xE2\xB4\xE6", "\xB1\xB8\xD7\xA2"};  // 单位 库存 备注
  list.rows = {
      {kName, "K001", "25" + kYuan, "\xB8\xF6", "100", "T\xD0\xF4"},          // 个 T恤
      {kName, "K002", "125" + kYuan, "\xCB\xAB", "200", "\xBF\xE3\xD7\xD3"},  // 双 裤子
      {kName, "K003", "125" + kYuan, "\xCC\xF5", "199", "\xC4\xDA\xD2\xC2"},  // 条 内衣
      {kName, "K004", "125500" + kYuan, "\xC1\xBE", "200",
       "\xBC\xAA\xC6\xD5\xB3\xB5"},  // 辆 吉普车
  };
  return list;
}

// "报表商品共计：  N  种 ，总计：  S  件"
std::string Summary(const std::string& n, const std::string& s) {
  return "\xB1\xA8\xB1\xED\xC9\xCC\xC6\xB7\xB9\xB2\xBC\xC6\xA3\xBA  " + n +
         "  \xD6\xD6 \xA3\xAC\xD7\xDC\xBC\xC6\xA3\xBA  " + s + "  \xBC\xFE";
}

const Rgb kGrey{240, 240, 240};

// Everything a report must hold for `list`, checked cell by cell.
void ExpectReport(const ReportGrid& grid, const ListTable& list, const std::string& summary) {
  const int n = static_cast<int>(list.rows.size());
  ASSERT_EQ(grid.RowCount(), n + 2);
  ASSERT_EQ(grid.ColumnCount(), 6);
  for (int column = 0; column < 6; ++column) {
    EXPECT_EQ(grid.Cell(0, column).text, list.titles[column]) << column;
    EXPECT_EQ(grid.Cell(0, column).font_height, 0) << "heading keeps the grid font";
    EXPECT_FALSE(grid.Cell(0, column).background.has_value());
    EXPECT_EQ(grid.ColumnWidth(column), 83) << column;
  }
  for (int row = 1; row <= n; ++row) {
    for (int column = 0; column < 6; ++column) {
      EXPECT_EQ(grid.Cell(row, column).text, list.rows[row - 1][column]) << row << "," << column;
      EXPECT_EQ(grid.Cell(row, column).font_height, 14) << row << "," << column;
      EXPECT_FALSE(grid.Cell(row, column).background.has_value()) << row << "," << column;
      EXPECT_FALSE(grid.MergeAt(row, column).has_value()) << row << "," << column;
    }
  }
  ASSERT_EQ(grid.Merges().size(), 1u);
  EXPECT_EQ(grid.Merges()[0], (CellRange{n + 1, 0, n + 1, 5}));
  EXPECT_EQ(grid.Cell(n + 1, 0).text, summary);
  for (int column = 0; column < 6; ++column) {
    EXPECT_EQ(grid.Cell(n + 1, column).background, kGrey) << column;
    EXPECT_EQ(grid.Cell(n + 1, column).font_height, 14) << column;
  }
  const ReportTitle& title = grid.Title();
  EXPECT_EQ(title.text, "\xC9\xCC\xC6\xB7\xD7\xCA\xC1\xCF\xCF\xEA\xCF\xB8\xB1\xA8\xB1\xED");
  EXPECT_EQ(title.face, "\xCE\xA2\xC8\xED\xD1\xC5\xBA\xDA");  // 微软雅黑
  EXPECT_EQ(title.height, 26);
  EXPECT_FALSE(title.bold);
  EXPECT_EQ(title.alignment, TitleAlignment::kCentre);
  EXPECT_EQ(grid.PageLayout(PageLayoutValue::kPageHeader), 80);
  EXPECT_EQ(grid.PageLayout(PageLayoutValue::kHeadGap), 60);
}

TEST(GoodsReportTest, SummaryTextHasItsExactSpacing) {
  EXPECT_EQ(GoodsReportSummaryText(4, 699), Summary("4", "699"));
  EXPECT_EQ(GoodsReportSummaryText(0, -3), Summary("0", "-3"));
}

TEST(GoodsReportTest, FullTemplateListGivesSixRowsAndItsTotal) {
  ReportGrid grid;
  const ListTable list = TemplateList();
  LayOutGoodsReport(grid, list);
  ExpectReport(grid, list, Summary("4", "699"));
  EXPECT_EQ(grid.Cell(4, 2).text, "125500" + kYuan);
  // Margins, footer are the grid's own.
  EXPECT_EQ(grid.PageLayout(PageLayoutValue::kLeftMargin), 40);
  EXPECT_EQ(grid.PageLayout(PageLayoutValue::kRightMargin), 40);
  EXPECT_EQ(grid.PageLayout(PageLayoutValue::kTopMargin), 20);
  EXPECT_EQ(grid.PageLayout(PageLayoutValue::kBottomMargin), 20);
  EXPECT_EQ(grid.PageLayout(PageLayoutValue::kPageFooter), 60);
}

TEST(GoodsReportTest, EmptyListGivesHeadingAndSummaryOnly) {
  ReportGrid grid;
  ListTable list = TemplateList();
  list.rows.clear();
  LayOutGoodsReport(grid, list);
  ExpectReport(grid, list, Summary("0", "0"));
}

TEST(GoodsReportTest, NarrowedListGivesOnlyItsRows) {
  ReportGrid grid;
  ListTable list = TemplateList();
  list.rows = {list.rows[2]};
  LayOutGoodsReport(grid, list);
  ExpectReport(grid, list, Summary("1", "199"));
}

TEST(GoodsReportTest, NegativeStockLowersTheTotal) {
  ReportGrid grid;
  ListTable list = TemplateList();
  list.rows[1][4] = "-300";
  LayOutGoodsReport(grid, list);
  ExpectReport(grid, list, Summary("4", "199"));
}

TEST(GoodsReportTest, SecondReportTurnsTheOldSummaryRowIntoADataRow) {
  ReportGrid grid;
  ListTable list = TemplateList();
  LayOutGoodsReport(grid, list);
  list.rows.push_back({"\xC3\xAB\xBD\xED", "A12", "9.9" + kYuan, "\xCC\xF5", "30", ""});  // 毛巾 条
  LayOutGoodsReport(grid, list);
  ExpectReport(grid, list, Summary("5", "729"));
  EXPECT_EQ(grid.Cell(5, 0).text, "\xC3\xAB\xBD\xED");
}

TEST(GoodsReportTest, ShorterSecondReportDropsTheOldRows) {
  ReportGrid grid;
  ListTable list = TemplateList();
  LayOutGoodsReport(grid, list);
  list.rows.resize(1);
  LayOutGoodsReport(grid, list);
  ExpectReport(grid, list, Summary("1", "100"));
  EXPECT_EQ(grid.Cell(3, 0).text, "");
}

TEST(GoodsReportTest, MarginsChangedInThePreviewStayForTheNextReport) {
  ReportGrid grid;
  grid.SetPageLayout(PageLayoutValue::kLeftMargin, 150);
  grid.SetPageLayout(PageLayoutValue::kPageHeader, 10);
  LayOutGoodsReport(grid, TemplateList());
  EXPECT_EQ(grid.PageLayout(PageLayoutValue::kLeftMargin), 150);
  EXPECT_EQ(grid.PageLayout(PageLayoutValue::kPageHeader), 80);
}

struct StockCase {
  const char* name;
  std::vector<std::string> stocks;
  std::int64_t total;
};

class GoodsReportStockTest : public testing::TestWithParam<StockCase> {};

TEST_P(GoodsReportStockTest, TotalsTheLeadingWholeNumbers) {
  ListTable list = TemplateList();
  list.rows.clear();
  for (const std::string& stock : GetParam().stocks)
    list.rows.push_back({"n", "k", "1", "u", stock, ""});
  EXPECT_EQ(GoodsReportStockTotal(list), GetParam().total);
}

INSTANTIATE_TEST_SUITE_P(
    Stocks, GoodsReportStockTest,
    testing::Values(StockCase{"Plain", {"100", "200", "199", "200"}, 699},
                    StockCase{"Negative", {"5", "-3"}, 2},
                    StockCase{"NoNumberCountsZero", {"abc", "", "7"}, 7},
                    StockCase{"FractionIsCut", {"2.9", "37 \xBC\xFE"}, 39},  // 37 件
                    StockCase{"FullWidthDigits", {"\xA3\xB1\xA3\xB2"}, 12},  // １２
                    StockCase{"BeyondThirtyTwoBits", {"2147483647", "2147483647"}, 4294967294LL},
                    StockCase{"Empty", {}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GoodsReportTest, RowsWithMissingCellsReadEmpty) {
  ReportGrid grid;
  ListTable list = TemplateList();
  list.rows = {{"only-name"}};
  LayOutGoodsReport(grid, list);
  EXPECT_EQ(grid.Cell(1, 0).text, "only-name");
  EXPECT_EQ(grid.Cell(1, 5).text, "");
  EXPECT_EQ(grid.Cell(2, 0).text, Summary("1", "0"));
}

}  // namespace
}  // namespace quill
