#include "support/gui_wait.h"

#include <QDeadlineTimer>
#include <QTimer>

#include "toolkit/window.h"

namespace quill::testing {
namespace {

constexpr int kPollMs = 10;

void Poll(const QString& object_name, std::function<void(QWidget&)> action,
          std::shared_ptr<bool> ran, QDeadlineTimer deadline) {
  QTimer::singleShot(kPollMs, [object_name, action = std::move(action), ran, deadline]() mutable {
    QWidget* found = nullptr;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->objectName() == object_name && modal->isVisible()) found = modal;
    if (!found) found = FindTopLevel(object_name);
    if (found) {
      *ran = true;
      action(*found);
      return;
    }
    if (!deadline.hasExpired()) Poll(object_name, std::move(action), ran, deadline);
  });
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, int timeout_ms) {
  return QTest::qWaitFor(condition, timeout_ms);
}

bool ShowAndActivate(Window& window) {
  window.Show();
  return WaitUntil([&] { return window.FirstActivationDone(); });
}

QWidget* FindTopLevel(const QString& object_name) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == object_name && w->isVisible()) return w;
  }
  return nullptr;
}

std::shared_ptr<bool> WhenShown(const QString& object_name, std::function<void(QWidget&)> action,
                                int timeout_ms) {
  auto ran = std::make_shared<bool>(false);
  Poll(object_name, std::move(action), ran, QDeadlineTimer(timeout_ms));
  return ran;
}

}  // namespace quill::testing
