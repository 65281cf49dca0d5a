#include "app/feature_commands.h"

namespace quill {

void OpenExport(MainWindow&) {}
void BuildGoodsReport(MainWindow&) {}

}  // namespace quill
