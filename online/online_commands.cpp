#include "app/feature_commands.h"

namespace quill {

void OpenAbout(MainWindow&) {}
void LoadBanner(MainWindow&) {}
void OpenBannerLink(MainWindow&) {}
void OpenHomePageFromStatusBar(MainWindow&) {}

}  // namespace quill
