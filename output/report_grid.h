#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quill {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Inclusive cell range, rows and columns counted from 0.
struct CellRange {
  int first_row = 0;
  int first_column = 0;
  int last_row = 0;
  int last_column = 0;
  friend bool operator==(const CellRange&, const CellRange&) = default;
  bool Contains(int row, int column) const {
    return row >= first_row && row <= last_row && column >= first_column && column <= last_column;
  }
};

struct ReportCell {
  std::string text;               // GBK bytes
  std::optional<Rgb> background;  // none: the grid's own colour
  int font_height = 0;            // pixels; 0: the grid's own font
};

enum class TitleAlignment : int { kLeft = 1, kCentre = 2, kRight = 3 };

struct ReportTitle {
  std::string text;  // GBK bytes
  std::string face;  // GBK bytes
  int height = 0;    // pixels; 0: no title
  bool bold = false;
  TitleAlignment alignment = TitleAlignment::kCentre;
};

// The seven page-layout values, numbered as the grid's callers number them.
enum class PageLayoutValue : int {
  kLeftMargin = 1,
  kRightMargin = 2,
  kTopMargin = 3,
  kBottomMargin = 4,
  kPageHeader = 5,
  kPageFooter = 6,
  kHeadGap = 7,  // between the page header and the table
};

// A printable table: cells with text, background and font height, merged ranges, column
// widths, a title and the page layout. Ranges reaching beyond the grid are cut back to it.
// The initial state is the hidden report grid of the main window's form.
class ReportGrid {
 public:
  static constexpr int kInitialRows = 5;
  static constexpr int kInitialColumns = 6;
  static constexpr int kFixedRows = 1;
  static constexpr int kRowHeight = 24;      // pixels
  static constexpr int kColumnWidth = 60;    // pixels, for new columns
  static constexpr int kControlWidth = 500;  // pixels, the grid control on its form

  ReportGrid();

  int RowCount() const { return row_count_; }
  int ColumnCount() const { return column_count_; }
  int FixedRowCount() const { return kFixedRows; }
  int RowHeight() const { return kRowHeight; }
  int Width() const { return kControlWidth; }

  // Growing adds empty cells; shrinking drops cells and cuts merged ranges back.
  void SetRowCount(int rows);
  void SetColumnCount(int columns);

  // Outside the grid: reading gives an empty cell, writing does nothing.
  const ReportCell& Cell(int row, int column) const;
  void SetCellText(int row, int column, std::string text);

  int ColumnWidth(int column) const;
  void SetColumnWidth(int column, int width);

  void Merge(const CellRange& range);
  const std::vector<CellRange>& Merges() const { return merges_; }
  // The merged range that covers the cell, if any.
  std::optional<CellRange> MergeAt(int row, int column) const;
  void ClearMerges();

  void SetBackground(const CellRange& range, Rgb colour);
  void ClearBackgrounds();
  void SetFontHeight(const CellRange& range, int height);

  const ReportTitle& Title() const { return title_; }
  void SetTitle(ReportTitle title);

  // Tenths of a millimetre. Numbers outside 1 … 7 are ignored (read as 0).
  int PageLayout(PageLayoutValue which) const;
  void SetPageLayout(PageLayoutValue which, int tenths_of_mm);

 private:
  // The part of the range inside the grid; none when nothing of it is inside.
  std::optional<CellRange> CutBack(const CellRange& range) const;
  // After a resize: ranges are cut back, those left with one cell or none are dropped.
  void CutBackMerges();
  ReportCell& At(int row, int column);

  int row_count_ = 0;
  int column_count_ = 0;
  std::vector<ReportCell> cells_;  // row-major
  std::vector<int> column_widths_;
  std::vector<CellRange> merges_;
  ReportTitle title_;
  std::array<int, 7> page_layout_{};
};

}  // namespace quill
