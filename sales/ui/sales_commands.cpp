#include "app/feature_commands.h"

#include "app/main_window.h"
#include "sales/ui/sales_out_window.h"
#include "sales/ui/sales_records_window.h"
#include "toolkit/list_view.h"

namespace quill {

void OpenSalesOut(MainWindow& main) {
  if (main.GoodsList().RowCount() == 0) return;
  SalesOutWindow window(main);
  window.OpenModal();
}

void OpenSalesRecords(MainWindow& main) {
  SalesRecordsWindow window(&main);
  window.OpenModal();
}

}  // namespace quill
