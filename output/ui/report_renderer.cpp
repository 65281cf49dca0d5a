#include "output/ui/report_renderer.h"

#include <algorithm>
#include <cmath>

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include "toolkit/gb18030.h"

namespace quill {
namespace {

constexpr double kGridPixelsPerInch = 96.0;
constexpr double kMillimetresPerInch = 25.4;
constexpr int kDefaultFontHeight = 12;  // grid pixels, for cells without a font height of their own
const QColor kHeadingBackground(220, 230, 241);
const QColor kLineColour(96, 96, 96);

// The faces asked for are Windows faces; where they are not installed, Latin letters and
// digits come from a Latin face (the CJK faces' Latin glyphs lose their text in PDF output)
// and Chinese from a CJK face, so no character falls back to a font without it.
const QStringList kFallbackFaces = {u"Microsoft YaHei"_qs,     u"DejaVu Sans"_qs,
                                    u"Noto Sans CJK SC"_qs,    u"Source Han Sans SC"_qs,
                                    u"WenQuanYi Micro Hei"_qs, u"Droid Sans Fallback"_qs};
const QStringList kCellFaces = {u"宋体"_qs,
                                u"SimSun"_qs,
                                u"DejaVu Sans"_qs,
                                u"Noto Sans CJK SC"_qs,
                                u"Source Han Sans SC"_qs,
                                u"WenQuanYi Micro Hei"_qs,
                                u"Droid Sans Fallback"_qs};

QFont FontOf(QStringList faces, double pixel_height, bool bold) {
  QFont font;
  font.setFamilies(faces);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixel_height))));
  font.setBold(bold);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

double TenthsToDevice(int tenths, double dpi) { return tenths / 10.0 / kMillimetresPerInch * dpi; }

}  // namespace

struct ReportRenderer::Geometry {
  double scale = 1;  // device units per grid pixel
  double width = 0;
  double height = 0;
  double header = 0;
  double footer = 0;
  double table_top = 0;
  double table_bottom = 0;
  double row_height = 0;
  std::vector<double> column_left;  // one more than columns: the right edge at the end
  int body_rows_per_page = 1;
};

ReportRenderer::ReportRenderer(const ReportGrid& grid)
    : rows_(grid.RowCount()),
      columns_(grid.ColumnCount()),
      fixed_rows_(std::min(grid.FixedRowCount(), grid.RowCount())),
      row_height_(grid.RowHeight()),
      title_(FromGb18030(grid.Title().text)),
      title_face_(FromGb18030(grid.Title().face)),
      title_height_(grid.Title().height),
      title_bold_(grid.Title().bold),
      title_alignment_(grid.Title().alignment),
      page_header_(grid.PageLayout(PageLayoutValue::kPageHeader)),
      page_footer_(grid.PageLayout(PageLayoutValue::kPageFooter)),
      head_gap_(grid.PageLayout(PageLayoutValue::kHeadGap)) {
  const std::size_t count = static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_);
  cells_.resize(count);
  merge_of_cell_.assign(count, -1);
  for (int row = 0; row < rows_; ++row) {
    for (int column = 0; column < columns_; ++column) {
      const ReportCell& source = grid.Cell(row, column);
      Cell& cell = cells_[static_cast<std::size_t>(row) * columns_ + column];
      if (!source.text.empty()) cell.text = FromGb18030(source.text);
      if (source.background) {
        cell.background =
            QColor(source.background->red, source.background->green, source.background->blue);
      }
      cell.font_height = source.font_height;
    }
  }
  for (int column = 0; column < columns_; ++column)
    column_widths_.push_back(grid.ColumnWidth(column));
  merges_ = grid.Merges();
  for (std::size_t index = 0; index < merges_.size(); ++index) {
    const CellRange& range = merges_[index];
    for (int row = range.first_row; row <= range.last_row; ++row) {
      for (int column = range.first_column; column <= range.last_column; ++column) {
        merge_of_cell_[static_cast<std::size_t>(row) * columns_ + column] = static_cast<int>(index);
      }
    }
  }
}

const ReportRenderer::Cell& ReportRenderer::At(int row, int column) const {
  return cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
                static_cast<std::size_t>(column)];
}

QFont ReportRenderer::CellFont(int height, double scale) const {
  return FontOf(kCellFaces, (height > 0 ? height : kDefaultFontHeight) * scale, false);
}

ReportRenderer::Geometry ReportRenderer::Measure(const QPrinter& printer) const {
  Geometry g;
  const double dpi = printer.resolution();
  const QRectF paint = printer.pageLayout().paintRectPixels(printer.resolution());
  g.width = paint.width();
  g.height = paint.height();
  g.scale = dpi / kGridPixelsPerInch;
  double table_width = 0;
  for (int width : column_widths_) table_width += width;
  if (table_width * g.scale > g.width && table_width > 0) g.scale = g.width / table_width;

  g.header = TenthsToDevice(page_header_, dpi);
  g.footer = TenthsToDevice(page_footer_, dpi);
  g.table_top = g.header + TenthsToDevice(head_gap_, dpi);
  g.table_bottom = std::max(g.table_top, g.height - g.footer);
  g.row_height = row_height_ * g.scale;

  double x = 0;
  g.column_left.push_back(x);
  for (int width : column_widths_) {
    x += width * g.scale;
    g.column_left.push_back(x);
  }
  const double body_space = g.table_bottom - g.table_top - fixed_rows_ * g.row_height;
  if (g.row_height > 0) {
    g.body_rows_per_page = std::max(1, static_cast<int>(std::floor(body_space / g.row_height)));
  }
  return g;
}

int ReportRenderer::PageCount(const QPrinter& printer) const {
  const Geometry g = Measure(printer);
  const int body_rows = rows_ - fixed_rows_;
  return std::max(1, (body_rows + g.body_rows_per_page - 1) / g.body_rows_per_page);
}

bool ReportRenderer::Print(QPrinter& printer) const {
  const Geometry g = Measure(printer);
  const int pages = PageCount(printer);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  for (int page = 0; page < pages; ++page) {
    if (page > 0 && !printer.newPage()) return false;
    PaintPage(painter, g, page, pages);
  }
  return painter.end();
}

void ReportRenderer::PaintPage(QPainter& painter, const Geometry& g, int page,
                               int page_count) const {
  if (!title_.isEmpty() && title_height_ > 0) {
    QStringList faces = kFallbackFaces;
    if (!title_face_.isEmpty()) faces.prepend(title_face_);
    painter.setFont(FontOf(faces, title_height_ * g.scale, title_bold_));
    painter.setPen(Qt::black);
    Qt::Alignment horizontal = Qt::AlignHCenter;
    if (title_alignment_ == TitleAlignment::kLeft) horizontal = Qt::AlignLeft;
    if (title_alignment_ == TitleAlignment::kRight) horizontal = Qt::AlignRight;
    // Aligned over the table rather than the paper, so that it stands above what it names.
    const double width =
        std::min(g.width, g.column_left.back() > 0 ? g.column_left.back() : g.width);
    painter.drawText(QRectF(0, 0, width, g.header),
                     horizontal | Qt::AlignVCenter | Qt::TextDontClip, title_);
  }

  double y = g.table_top;
  if (fixed_rows_ > 0) y = PaintRows(painter, g, 0, fixed_rows_ - 1, y);
  const int first = fixed_rows_ + page * g.body_rows_per_page;
  const int last = std::min(rows_ - 1, first + g.body_rows_per_page - 1);
  if (first <= last) PaintRows(painter, g, first, last, y);

  if (g.footer > 0) {
    painter.setFont(CellFont(0, g.scale));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, g.height - g.footer, g.width, g.footer), Qt::AlignCenter,
                     u"第 %1 页 / 共 %2 页"_qs.arg(page + 1).arg(page_count));
  }
}

double ReportRenderer::PaintRows(QPainter& painter, const Geometry& g, int first, int last,
                                 double y) const {
  // Each merged range becomes one box, from its top-left cell inside this block.
  struct Box {
    QRectF rect;
    const Cell* source;
    bool heading;
  };
  std::vector<Box> boxes;
  boxes.reserve(static_cast<std::size_t>((last - first + 1) * columns_));
  for (int row = first; row <= last; ++row) {
    for (int column = 0; column < columns_; ++column) {
      int row_end = row;
      int column_end = column;
      const int merge = merge_of_cell_[static_cast<std::size_t>(row) * columns_ + column];
      const Cell* source = &At(row, column);
      if (merge >= 0) {
        const CellRange& range = merges_[static_cast<std::size_t>(merge)];
        const int top = std::max(range.first_row, first);
        if (row != top || column != range.first_column) continue;
        row_end = std::min(range.last_row, last);
        column_end = range.last_column;
        source = &At(range.first_row, range.first_column);
      }
      const QRectF rect(g.column_left[column], y + (row - first) * g.row_height,
                        g.column_left[column_end + 1] - g.column_left[column],
                        (row_end - row + 1) * g.row_height);
      boxes.push_back({rect, source, row < fixed_rows_});
    }
  }

  // Backgrounds, lines, then texts: few state changes keep long reports quick to preview.
  for (const Box& box : boxes) {
    QColor background = box.source->background;
    if (!background.isValid() && box.heading) background = kHeadingBackground;
    if (background.isValid()) painter.fillRect(box.rect, background);
  }
  QPen line(kLineColour);
  line.setWidthF(std::max(1.0, g.scale * 0.75));
  painter.setPen(line);
  painter.setBrush(Qt::NoBrush);
  for (const Box& box : boxes) painter.drawRect(box.rect);

  painter.setPen(Qt::black);
  const double padding = 3 * g.scale;
  int font_height = -1;
  for (const Box& box : boxes) {
    if (box.source->text.isEmpty()) continue;
    if (box.source->font_height != font_height) {
      font_height = box.source->font_height;
      painter.setFont(CellFont(font_height, g.scale));
    }
    // drawText clips to the rectangle, so a long text never spills into its neighbour.
    painter.drawText(box.rect.adjusted(padding, 0, -padding, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, box.source->text);
  }
  return y + (last - first + 1) * g.row_height;
}

void ApplyGridMargins(const ReportGrid& grid, QPrinter& printer) {
  const QMarginsF margins(grid.PageLayout(PageLayoutValue::kLeftMargin) / 10.0,
                          grid.PageLayout(PageLayoutValue::kTopMargin) / 10.0,
                          grid.PageLayout(PageLayoutValue::kRightMargin) / 10.0,
                          grid.PageLayout(PageLayoutValue::kBottomMargin) / 10.0);
  printer.setPageMargins(margins, QPageLayout::Millimeter);
}

void TakePrinterMargins(const QPrinter& printer, ReportGrid& grid) {
  const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
  const auto tenths = [](double millimetres) {
    return static_cast<int>(std::lround(millimetres * 10));
  };
  grid.SetPageLayout(PageLayoutValue::kLeftMargin, tenths(margins.left()));
  grid.SetPageLayout(PageLayoutValue::kTopMargin, tenths(margins.top()));
  grid.SetPageLayout(PageLayoutValue::kRightMargin, tenths(margins.right()));
  grid.SetPageLayout(PageLayoutValue::kBottomMargin, tenths(margins.bottom()));
}

}  // namespace quill
