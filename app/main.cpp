#include <QApplication>

#include "app/main_window.h"
#include "app/skin.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  quill::LoadSkin();
  quill::MainWindow window;
  QObject::connect(&window, &quill::Window::Closed, &app, [] { QCoreApplication::exit(0); });
  window.Show();
  return app.exec();
}
