#include "output/ui/output_commands.h"

#include "app/feature_commands.h"
#include "app/main_window.h"
#include "output/report_grid.h"
#include "output/ui/export_window.h"
#include "output/ui/report_preview.h"
#include "toolkit/gb18030.h"
#include "toolkit/list_view.h"
#include "toolkit/seams.h"

namespace quill {

ReportGrid& ProcessReportGrid() {
  static ReportGrid grid;
  return grid;
}

ListTable ReadListTable(const ListView& list) {
  ListTable table;
  const int columns = list.ColumnCount();
  const int rows = list.RowCount();
  table.titles.reserve(static_cast<std::size_t>(columns));
  for (int column = 0; column < columns; ++column) {
    table.titles.push_back(ToGb18030(list.ColumnTitle(column)));
  }
  table.rows.resize(static_cast<std::size_t>(rows));
  for (int row = 0; row < rows; ++row) {
    std::vector<std::string>& cells = table.rows[static_cast<std::size_t>(row)];
    cells.reserve(static_cast<std::size_t>(columns));
    for (int column = 0; column < columns; ++column) {
      cells.push_back(ToGb18030(list.CellText(row, column)));
    }
  }
  return table;
}

void OpenExport(MainWindow& main) {
  if (main.GoodsList().CurrentRow() == -1) {
    ShowMessage(u"当前商品列表没有数据！"_qs);
    return;
  }
  ExportWindow window(&main, main.Database(), main.State().export_text);
  window.OpenModal();
}

void BuildGoodsReport(MainWindow& main) {
  ReportGrid& grid = ProcessReportGrid();
  LayOutGoodsReport(grid, ReadListTable(main.GoodsList()));
  OpenReportPreview(grid, &main);
}

}  // namespace quill
