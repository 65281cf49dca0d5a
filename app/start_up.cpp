#include "app/start_up.h"

#include <QApplication>

#include "app/main_window.h"
#include "app/skin.h"

namespace quill {

int RunQuillbin() {
  LoadSkin();
  MainWindow window;
  QObject::connect(&window, &Window::Closed, qApp, [] { QCoreApplication::exit(0); });
  window.Show();
  return QApplication::exec();
}

}  // namespace quill
