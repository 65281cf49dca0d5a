#include "output/ui/report_preview.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

#include "output/report_grid.h"
#include "output/ui/report_renderer.h"
#include "toolkit/seams.h"

namespace quill {

bool PaintReportPages(const ReportRenderer& renderer, ReportGrid& grid, QPrinter& printer) {
  TakePrinterMargins(printer, grid);
  if (renderer.Print(printer)) return true;
  ShowMessage(u"打印失败：无法写入所选的打印机或文件。"_qs, MessageStyle::kOkWarning);
  return false;
}

void OpenReportPreview(ReportGrid& grid, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setDocName(u"商品资料详细报表"_qs);
  ApplyGridMargins(grid, printer);
  // The content is fixed while the preview is open; only the page set-up can change, and the
  // renderer reads that from the printer on every repaint.
  const ReportRenderer renderer(grid);
  QPrintPreviewDialog dialog(&printer, parent);
  dialog.setObjectName(QString::fromLatin1(kReportPreviewName));
  dialog.setWindowTitle(u"打印预览"_qs);
  QObject::connect(
      &dialog, &QPrintPreviewDialog::paintRequested, &dialog,
      [&grid, &renderer](QPrinter* target) { PaintReportPages(renderer, grid, *target); });
  dialog.exec();
}

}  // namespace quill
