#include "output/goods_report.h"

#include <cmath>
#include <utility>

#include "text/number_formatting.h"
#include "text/number_parsing.h"

namespace quill {
namespace {

constexpr const char* kTitleText =
    "\xC9\xCC\xC6\xB7\xD7\xCA\xC1\xCF\xCF\xEA\xCF\xB8\xB1\xA8\xB1\xED";  // 商品资料详细报表
constexpr const char* kTitleFace = "\xCE\xA2\xC8\xED\xD1\xC5\xBA\xDA";   // 微软雅黑
constexpr int kTitleHeight = 26;

const std::string& CellText(const ListTable& list, std::size_t row, std::size_t column) {
  static const std::string kEmpty;
  const std::vector<std::string>& cells = list.rows[row];
  return column < cells.size() ? cells[column] : kEmpty;
}

}  // namespace

std::string GoodsReportSummaryText(std::int64_t rows, std::int64_t stock_total) {
  std::string text =
      "\xB1\xA8\xB1\xED\xC9\xCC\xC6\xB7\xB9\xB2\xBC\xC6\xA3\xBA  ";  // 报表商品共计：
  text += IntegerToText(rows);
  text += "  \xD6\xD6 \xA3\xAC\xD7\xDC\xBC\xC6\xA3\xBA  ";  // 种 ，总计：
  text += IntegerToText(stock_total);
  text += "  \xBC\xFE";  // 件
  return text;
}

std::int64_t GoodsReportStockTotal(const ListTable& list) {
  // Kept as a whole number in 64 bits so that many large stocks cannot wrap; every partial
  // sum of 32-bit values stays exact in double precision for any list that fits in memory.
  std::int64_t total = 0;
  for (std::size_t row = 0; row < list.rows.size(); ++row) {
    const double sum = static_cast<double>(total) +
                       static_cast<double>(TextToInteger(CellText(list, row, kReportStockColumn)));
    total = static_cast<std::int64_t>(std::trunc(sum));
  }
  return total;
}

void LayOutGoodsReport(ReportGrid& grid, const ListTable& list) {
  const int rows = static_cast<int>(list.rows.size());
  const int columns = static_cast<int>(list.titles.size());

  grid.ClearMerges();
  grid.ClearBackgrounds();
  grid.SetTitle({kTitleText, kTitleFace, kTitleHeight, false, TitleAlignment::kCentre});

  // The column count is set before the titles so that a list wider than the grid keeps
  // every title; with the grid's usual six columns the order makes no difference.
  grid.SetColumnCount(columns);
  for (int column = 0; column < columns; ++column) {
    grid.SetCellText(0, column, list.titles[static_cast<std::size_t>(column)]);
  }
  grid.SetRowCount(rows + 2);
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      grid.SetCellText(
          row + 1, column,
          CellText(list, static_cast<std::size_t>(row), static_cast<std::size_t>(column)));
    }
  }
  if (columns > 0) {
    const int width = static_cast<int>(std::trunc(static_cast<double>(grid.Width()) / columns));
    for (int column = 0; column < columns; ++column) grid.SetColumnWidth(column, width);
  }

  const std::int64_t stock_total = GoodsReportStockTotal(list);
  const int summary_row = rows + 1;
  grid.Merge({summary_row, 0, summary_row, kReportSummaryLastColumn});
  grid.SetCellText(summary_row, 0, GoodsReportSummaryText(rows, stock_total));
  grid.SetBackground({summary_row, 0, summary_row, kReportSummaryLastColumn + 1},
                     kReportSummaryBackground);
  grid.SetFontHeight({1, 0, rows + 3, columns}, kReportRowFontHeight);
  grid.SetPageLayout(PageLayoutValue::kHeadGap, kReportHeadGap);
  grid.SetPageLayout(PageLayoutValue::kPageHeader, kReportPageHeader);
}

}  // namespace quill
