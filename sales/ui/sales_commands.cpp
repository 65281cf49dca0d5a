#include "app/feature_commands.h"

namespace quill {

void OpenSalesOut(MainWindow&) {}
void OpenSalesRecords(MainWindow&) {}

}  // namespace quill
