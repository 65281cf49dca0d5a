#include "output/report_grid.h"

#include <algorithm>
#include <utility>

namespace quill {
namespace {

const ReportCell kEmptyCell{};

}  // namespace

ReportGrid::ReportGrid() : page_layout_{40, 40, 20, 20, 60, 60, 20} {
  SetColumnCount(kInitialColumns);
  SetRowCount(kInitialRows);
}

void ReportGrid::SetRowCount(int rows) {
  rows = std::max(rows, 0);
  cells_.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(column_count_));
  row_count_ = rows;
  CutBackMerges();
}

void ReportGrid::SetColumnCount(int columns) {
  columns = std::max(columns, 0);
  if (columns != column_count_) {
    std::vector<ReportCell> cells(static_cast<std::size_t>(row_count_) *
                                  static_cast<std::size_t>(columns));
    const int kept = std::min(columns, column_count_);
    for (int row = 0; row < row_count_; ++row) {
      for (int column = 0; column < kept; ++column) {
        cells[static_cast<std::size_t>(row) * columns + column] = std::move(At(row, column));
      }
    }
    cells_ = std::move(cells);
    column_count_ = columns;
  }
  column_widths_.resize(static_cast<std::size_t>(columns), kColumnWidth);
  CutBackMerges();
}

ReportCell& ReportGrid::At(int row, int column) {
  return cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(column_count_) +
                static_cast<std::size_t>(column)];
}

const ReportCell& ReportGrid::Cell(int row, int column) const {
  if (row < 0 || row >= row_count_ || column < 0 || column >= column_count_) return kEmptyCell;
  return cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(column_count_) +
                static_cast<std::size_t>(column)];
}

void ReportGrid::SetCellText(int row, int column, std::string text) {
  if (row < 0 || row >= row_count_ || column < 0 || column >= column_count_) return;
  At(row, column).text = std::move(text);
}

int ReportGrid::ColumnWidth(int column) const {
  if (column < 0 || column >= column_count_) return 0;
  return column_widths_[static_cast<std::size_t>(column)];
}

void ReportGrid::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= column_count_) return;
  column_widths_[static_cast<std::size_t>(column)] = std::max(width, 0);
}

std::optional<CellRange> ReportGrid::CutBack(const CellRange& range) const {
  CellRange cut = range;
  cut.first_row = std::max(cut.first_row, 0);
  cut.first_column = std::max(cut.first_column, 0);
  cut.last_row = std::min(cut.last_row, row_count_ - 1);
  cut.last_column = std::min(cut.last_column, column_count_ - 1);
  if (cut.first_row > cut.last_row || cut.first_column > cut.last_column) return std::nullopt;
  return cut;
}

void ReportGrid::CutBackMerges() {
  std::vector<CellRange> kept;
  for (const CellRange& range : merges_) {
    const std::optional<CellRange> cut = CutBack(range);
    if (cut && (cut->first_row != cut->last_row || cut->first_column != cut->last_column)) {
      kept.push_back(*cut);
    }
  }
  merges_ = std::move(kept);
}

void ReportGrid::Merge(const CellRange& range) {
  const std::optional<CellRange> cut = CutBack(range);
  if (!cut || (cut->first_row == cut->last_row && cut->first_column == cut->last_column)) return;
  // A cell belongs to one merged range at most: a new range replaces those it overlaps.
  std::erase_if(merges_, [&](const CellRange& old) {
    return old.first_row <= cut->last_row && cut->first_row <= old.last_row &&
           old.first_column <= cut->last_column && cut->first_column <= old.last_column;
  });
  merges_.push_back(*cut);
}

std::optional<CellRange> ReportGrid::MergeAt(int row, int column) const {
  for (const CellRange& range : merges_) {
    if (range.Contains(row, column)) return range;
  }
  return std::nullopt;
}

void ReportGrid::ClearMerges() { merges_.clear(); }

void ReportGrid::SetBackground(const CellRange& range, Rgb colour) {
  const std::optional<CellRange> cut = CutBack(range);
  if (!cut) return;
  for (int row = cut->first_row; row <= cut->last_row; ++row) {
    for (int column = cut->first_column; column <= cut->last_column; ++column) {
      At(row, column).background = colour;
    }
  }
}

void ReportGrid::ClearBackgrounds() {
  for (ReportCell& cell : cells_) cell.background.reset();
}

void ReportGrid::SetFontHeight(const CellRange& range, int height) {
  const std::optional<CellRange> cut = CutBack(range);
  if (!cut) return;
  for (int row = cut->first_row; row <= cut->last_row; ++row) {
    for (int column = cut->first_column; column <= cut->last_column; ++column) {
      At(row, column).font_height = std::max(height, 0);
    }
  }
}

void ReportGrid::SetTitle(ReportTitle title) { title_ = std::move(title); }

int ReportGrid::PageLayout(PageLayoutValue which) const {
  const int index = static_cast<int>(which) - 1;
  if (index < 0 || index >= static_cast<int>(page_layout_.size())) return 0;
  return page_layout_[static_cast<std::size_t>(index)];
}

void ReportGrid::SetPageLayout(PageLayoutValue which, int tenths_of_mm) {
  const int index = static_cast<int>(which) - 1;
  if (index < 0 || index >= static_cast<int>(page_layout_.size())) return;
  page_layout_[static_cast<std::size_t>(index)] = std::max(tenths_of_mm, 0);
}

}  // namespace quill
