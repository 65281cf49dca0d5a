#include "toolkit/status_bar.h"

#include <QLabel>
#include <QEvent>
#include <QMouseEvent>

#include "toolkit/control.h"

namespace quill {

StatusBar::StatusBar(QWidget* parent, const QString& name, const QRect& geometry)
    : QWidget(nullptr) {
  PlaceControl(this, parent, name, geometry);
  setAutoFillBackground(true);
}

void StatusBar::AddPane(int width, const QString& text) {
  auto* pane = new QLabel(text, this);
  pane->setObjectName(objectName() + QStringLiteral("_pane") + QString::number(panes_.size()));
  pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  pane->setTextFormat(Qt::PlainText);
  pane->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  pane->setGeometry(used_width_, 0, width, height());
  pane->setAttribute(Qt::WA_TransparentForMouseEvents);
  pane->show();
  used_width_ += width;
  panes_.push_back(pane);
}

QString StatusBar::PaneText(int pane) const {
  if (pane < 0 || pane >= PaneCount()) return {};
  return panes_[static_cast<std::size_t>(pane)]->text();
}

int StatusBar::PaneWidth(int pane) const {
  if (pane < 0 || pane >= PaneCount()) return 0;
  return panes_[static_cast<std::size_t>(pane)]->width();
}

void StatusBar::SetPaneText(int pane, const QString& text) {
  if (pane < 0 || pane >= PaneCount()) return;
  panes_[static_cast<std::size_t>(pane)]->setText(text);
}

void StatusBar::SetHandCursor(bool on) {
  if (on) {
    setCursor(Qt::PointingHandCursor);
  } else {
    unsetCursor();
  }
}

void StatusBar::mousePressEvent(QMouseEvent* event) {
  QWidget::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) emit Pressed();
}

void StatusBar::SetDockedToBottom(bool on) {
  docked_ = on;
  if (!parentWidget()) return;
  parentWidget()->removeEventFilter(this);
  if (on) {
    parentWidget()->installEventFilter(this);
    Dock();
  }
}

void StatusBar::Dock() {
  const QWidget* parent = parentWidget();
  setGeometry(0, parent->height() - height(), parent->width(), height());
}

bool StatusBar::eventFilter(QObject* watched, QEvent* event) {
  if (docked_ && watched == parentWidget() && event->type() == QEvent::Resize) Dock();
  return QWidget::eventFilter(watched, event);
}

}  // namespace quill
