#include "toolkit/window.h"

#include <QEvent>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>

namespace quill {

Window::Window(QWidget* parent, const QString& name, const QString& title, QSize outer_size,
               WindowKind kind)
    : QDialog(parent), kind_(kind) {
  setObjectName(name);
  setWindowTitle(title);
  setAttribute(Qt::WA_DeleteOnClose, false);
  if (kind == WindowKind::kMain) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    SetOuterSize(outer_size.width(), outer_size.height());
  } else {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    SetOuterSize(outer_size.width(), outer_size.height());
  }
}

Window::~Window() = default;

void Window::SetOuterSize(int width, int height) {
  if (kind_ == WindowKind::kModal) {
    setFixedSize(width - kFrameWidth, height - kFrameHeight);
  } else {
    resize(width - kFrameWidth, height - kFrameHeight);
  }
}

void Window::EnsureCreated() {
  if (created_) return;
  created_ = true;
  OnCreated();
}

void Window::CentreOnScreen() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect available = screen->availableGeometry();
  move(available.center() - QPoint(OuterWidth() / 2, OuterHeight() / 2));
}

void Window::Show() {
  EnsureCreated();
  if (!isVisible()) CentreOnScreen();
  show();
  raise();
  activateWindow();
}

void Window::OpenModal() {
  EnsureCreated();
  if (close_pending_ || destroyed_) {  // the creation handler closed it: never shown
    if (!destroyed_) done(QDialog::Rejected);
    return;
  }
  CentreOnScreen();
  setWindowModality(Qt::ApplicationModal);
  exec();
}

void Window::CloseWindow() {
  if (close_pending_ || destroyed_) return;
  close_pending_ = true;
  QTimer::singleShot(0, this, [this] {
    close_pending_ = false;
    if (!destroyed_) done(QDialog::Rejected);
  });
}

bool Window::IsOpen() const { return isVisible() && !destroyed_; }

bool Window::event(QEvent* event) {
  const bool handled = QDialog::event(event);
  if (event->type() == QEvent::WindowActivate && !first_activated_ && created_ && !destroyed_) {
    first_activated_ = true;
    OnFirstActivated();
  }
  return handled;
}

void Window::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  OnSizeChanged(OuterWidth(), OuterHeight());
}

void Window::done(int result) {
  const bool first_time = !destroyed_;
  if (first_time) {
    destroyed_ = true;
    OnWillBeDestroyed();
  }
  QDialog::done(result);
  if (first_time) emit Closed();
}

}  // namespace quill
