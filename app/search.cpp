#include "app/feature_commands.h"

namespace quill {

void SearchGoods(MainWindow&) {}

}  // namespace quill
