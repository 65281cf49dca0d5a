// The start-up of quillbin (the same steps as app/main.cpp) that quits as soon as the goods
// list is filled, so that start-up can be timed against gui_bare_window.
#include <QApplication>
#include <QTimer>

#include "app/main_window.h"
#include "app/skin.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  quill::LoadSkin();
  quill::MainWindow window;
  window.Show();
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &app, [&] {
    if (window.FirstActivationDone()) app.quit();
  });
  poll.start(0);
  return app.exec();
}
