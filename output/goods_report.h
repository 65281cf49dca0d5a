#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "output/report_grid.h"

namespace quill {

// What the goods list shows: its column titles and, row by row, its cell texts (GBK bytes).
// A row may hold fewer cells than there are titles; missing cells read as empty.
struct ListTable {
  std::vector<std::string> titles;
  std::vector<std::vector<std::string>> rows;
};

inline constexpr int kReportStockColumn = 4;
inline constexpr int kReportSummaryLastColumn = 5;
inline constexpr Rgb kReportSummaryBackground{240, 240, 240};
inline constexpr int kReportRowFontHeight = 14;
inline constexpr int kReportPageHeader = 80;  // tenths of a millimetre
inline constexpr int kReportHeadGap = 60;     // tenths of a millimetre

// "报表商品共计：  N  种 ，总计：  S  件" in GBK bytes.
std::string GoodsReportSummaryText(std::int64_t rows, std::int64_t stock_total);

// The sum of the leading whole numbers of the stock column, added one row at a time in
// double precision and cut toward zero; texts without a number count 0.
std::int64_t GoodsReportStockTotal(const ListTable& list);

// Lays the list out in the grid as the goods report: heading row of titles, the rows exactly
// as shown, and a merged grey summary row below them, with the report's title and page
// header. The previous report's merged ranges and backgrounds are removed first; the page
// margins the grid holds are kept.
void LayOutGoodsReport(ReportGrid& grid, const ListTable& list);

}  // namespace quill
