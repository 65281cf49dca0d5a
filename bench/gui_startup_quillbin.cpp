// The start-up of quillbin (RunQuillbin, as app/main.cpp runs it) that quits as soon as the
// goods list is filled, so that start-up can be timed against gui_bare_window.
#include <QApplication>
#include <QTimer>

#include "app/start_up.h"
#include "toolkit/window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &app, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* window = qobject_cast<quill::Window*>(w);
      if (window && window->objectName() == QStringLiteral("MainWindow") &&
          window->FirstActivationDone()) {
        QCoreApplication::exit(0);
      }
    }
  });
  poll.start(0);
  return quill::RunQuillbin();
}
