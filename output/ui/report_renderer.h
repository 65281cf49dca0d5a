#pragma once

#include <vector>

#include <QColor>
#include <QFont>
#include <QMarginsF>
#include <QRectF>
#include <QString>

#include "output/report_grid.h"

class QPainter;
class QPrinter;

namespace quill {

// Paints a report grid onto printer pages: the title in the page header, the heading rows
// repeated at the top of every page, merged cells and backgrounds, a page number in the
// footer. Sizes in grid pixels are taken at 96 per inch and the whole table is scaled down
// when it is wider than the page. The grid is copied on construction.
class ReportRenderer {
 public:
  explicit ReportRenderer(const ReportGrid& grid);

  // Page count for the printer's paper and margins.
  int PageCount(const QPrinter& printer) const;
  // Paints every page on the printer, which must not be painting yet. False when the printer
  // cannot be painted on (for example a PDF file that cannot be created).
  bool Print(QPrinter& printer) const;

 private:
  struct Cell {
    QString text;
    QColor background;  // invalid: none
    int font_height = 0;
  };
  struct Geometry;

  Geometry Measure(const QPrinter& printer) const;
  void PaintPage(QPainter& painter, const Geometry& geometry, int page, int page_count) const;
  // Draws rows first … last (a block on one page) with their top at y; merged ranges are cut
  // to the block. Returns the y below the block.
  double PaintRows(QPainter& painter, const Geometry& geometry, int first, int last,
                   double y) const;
  const Cell& At(int row, int column) const;
  QFont CellFont(int height, double scale) const;

  int rows_ = 0;
  int columns_ = 0;
  int fixed_rows_ = 0;
  int row_height_ = 0;
  std::vector<Cell> cells_;
  std::vector<int> column_widths_;
  std::vector<CellRange> merges_;
  std::vector<int> merge_of_cell_;  // index into merges_ or -1, row-major
  QString title_;
  QString title_face_;
  int title_height_ = 0;
  bool title_bold_ = false;
  TitleAlignment title_alignment_ = TitleAlignment::kCentre;
  int page_header_ = 0;  // tenths of a millimetre
  int page_footer_ = 0;
  int head_gap_ = 0;
};

// The grid's four margins onto the printer's page layout, and back after the user changed
// them in the preview's page set-up.
void ApplyGridMargins(const ReportGrid& grid, QPrinter& printer);
void TakePrinterMargins(const QPrinter& printer, ReportGrid& grid);

}  // namespace quill
