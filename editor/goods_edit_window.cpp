#include "app/feature_commands.h"

namespace quill {

void OpenGoodsEditor(MainWindow&, const QString&) {}

}  // namespace quill
