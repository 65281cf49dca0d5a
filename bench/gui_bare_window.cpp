// A bare Qt window program, started and shown the way quillbin starts, that quits once the
// window is active: the yardstick for quillbin's start-up.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("bare"));
  window.resize(937, 571);
  window.show();
  window.activateWindow();
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &app, [&] {
    if (window.isActiveWindow()) app.quit();
  });
  poll.start(0);
  return app.exec();
}
