#include "app/feature_commands.h"

namespace quill {

void DeleteSelectedGoods(MainWindow&) {}

}  // namespace quill
