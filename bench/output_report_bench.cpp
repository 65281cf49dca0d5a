// A goods report of 10,000 rows: reading the list, laying out the grid, and painting every
// page into the print preview (offscreen) or into a PDF file.
//
// With --report-pdf=<file> the program writes that report as a PDF and exits.
#include <cstring>
#include <string>

#include <QApplication>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "output/goods_report.h"
#include "output/report_grid.h"
#include "output/ui/output_commands.h"
#include "output/ui/report_renderer.h"
#include "toolkit/list_view.h"

namespace {

constexpr int kRows = 10000;

// The goods list as the main window fills it.
quill::ListView& GoodsList() {
  static quill::ListView* list = [] {
    auto* view = new quill::ListView(nullptr, QStringLiteral("超级列表框1"), QRect(0, 0, 900, 400));
    const QString titles[] = {u"名称"_qs, u"货号"_qs, u"单价"_qs,
                              u"单位"_qs, u"库存"_qs, u"备注"_qs};
    for (int column = 0; column < 6; ++column) view->InsertColumn(column, titles[column]);
    quill::ListView::Batch batch(*view);
    for (int row = 0; row < kRows; ++row) {
      view->AppendRow(u"测试商品%1"_qs.arg(row), row + 1);
      view->SetCellText(row, 1, u"K%1"_qs.arg(100000 + row));
      view->SetCellText(row, 2, u"%1 元"_qs.arg(125.5 + row % 100));
      view->SetCellText(row, 3, u"个"_qs);
      view->SetCellText(row, 4, QString::number(row % 500 - 20));
      view->SetCellText(row, 5, u"吉普车"_qs);
    }
    return view;
  }();
  return *list;
}

QPrinter& PreviewPrinter(const quill::ReportGrid& grid) {
  static QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  quill::ApplyGridMargins(grid, printer);
  return printer;
}

void BM_LayOutReport(benchmark::State& state) {
  quill::ReportGrid grid;
  for (auto _ : state) {
    quill::LayOutGoodsReport(grid, quill::ReadListTable(GoodsList()));
  }
  state.counters["rows"] = grid.RowCount();
}
BENCHMARK(BM_LayOutReport)->Unit(benchmark::kMillisecond);

// What 按钮9 does up to a preview that shows its pages: grid, renderer, every page painted.
void BM_ReportReadyInPreview(benchmark::State& state) {
  int pages = 0;
  for (auto _ : state) {
    quill::ReportGrid grid;
    quill::LayOutGoodsReport(grid, quill::ReadListTable(GoodsList()));
    const quill::ReportRenderer renderer(grid);
    QPrintPreviewWidget preview(&PreviewPrinter(grid));
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested,
                     [&](QPrinter* printer) { renderer.Print(*printer); });
    preview.resize(900, 1000);
    preview.show();
    preview.updatePreview();
    const QImage shown = preview.grab().toImage();
    benchmark::DoNotOptimize(shown.constBits());
    pages = preview.pageCount();
  }
  state.counters["pages"] = pages;
}
BENCHMARK(BM_ReportReadyInPreview)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReportToPdf(benchmark::State& state) {
  QTemporaryDir dir;
  quill::ReportGrid grid;
  quill::LayOutGoodsReport(grid, quill::ReadListTable(GoodsList()));
  for (auto _ : state) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(u"report.pdf"_qs));
    quill::ApplyGridMargins(grid, printer);
    const quill::ReportRenderer renderer(grid);
    if (!renderer.Print(printer)) state.SkipWithError("PDF not written");
  }
}
BENCHMARK(BM_ReportToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

int WritePdf(const char* path) {
  quill::ReportGrid grid;
  quill::LayOutGoodsReport(grid, quill::ReadListTable(GoodsList()));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromLocal8Bit(path));
  printer.setPageSize(QPageSize(QPageSize::A4));
  quill::ApplyGridMargins(grid, printer);
  return quill::ReportRenderer(grid).Print(printer) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  constexpr const char* kPdfFlag = "--report-pdf=";
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], kPdfFlag, std::strlen(kPdfFlag)) == 0) {
      return WritePdf(argv[i] + std::strlen(kPdfFlag));
    }
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
