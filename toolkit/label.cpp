#include "toolkit/label.h"

#include <QMouseEvent>
#include <QPainter>

#include "toolkit/control.h"

namespace quill {

Label::Label(QWidget* parent, const QString& name, const QRect& geometry, const QString& caption,
             Kind kind)
    : QLabel(nullptr) {
  PlaceControl(this, parent, name, geometry);
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setWordWrap(false);
  if (kind == Kind::kTransparent) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
  }
  SetCaption(caption);
}

void Label::SetCaption(const QString& caption) {
  caption_ = caption;
  setText(WithLfLineEnds(caption));
}

void Label::SetHandCursor(bool on) {
  if (on) {
    setCursor(Qt::PointingHandCursor);
  } else {
    unsetCursor();
  }
}

void Label::SetTextColour(const QColor& colour) {
  QPalette p = palette();
  p.setColor(QPalette::WindowText, colour);
  setPalette(p);
}

void Label::mousePressEvent(QMouseEvent* event) {
  QLabel::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) emit Pressed();
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton) emit Released();
}

}  // namespace quill

namespace quill {

void Label::SetBackgroundPicture(const QPixmap& picture) {
  background_ = picture;
  update();
}

void Label::paintEvent(QPaintEvent* event) {
  if (!background_.isNull()) {
    QPainter painter(this);
    painter.drawPixmap(rect(), background_);
  }
  QLabel::paintEvent(event);
}

}  // namespace quill
