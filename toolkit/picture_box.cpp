#include "toolkit/picture_box.h"

#include <QBuffer>
#include <QImage>
#include <QMouseEvent>
#include <QMovie>
#include <QPixmap>

#include "toolkit/control.h"

namespace quill {

PictureBox::PictureBox(QWidget* parent, const QString& name, const QRect& geometry)
    : QLabel(nullptr) {
  PlaceControl(this, parent, name, geometry);
  setScaledContents(true);
}

PictureBox::~PictureBox() { DropMovie(); }

void PictureBox::DropMovie() {
  if (movie_) {
    movie_->stop();
    setMovie(nullptr);
    delete movie_;
    movie_ = nullptr;
  }
  delete buffer_;
  buffer_ = nullptr;
}

void PictureBox::SetPicture(const QByteArray& image_bytes) {
  DropMovie();
  clear();
  bytes_ = image_bytes;
  if (bytes_.isEmpty()) return;
  buffer_ = new QBuffer(&bytes_);
  buffer_->open(QIODevice::ReadOnly);
  auto* movie = new QMovie(buffer_, QByteArray(), this);
  if (movie->isValid() && movie->frameCount() != 1 && movie->format() == "gif") {
    movie_ = movie;
    movie_->setScaledSize(size());
    setMovie(movie_);
    movie_->start();
    return;
  }
  delete movie;
  delete buffer_;
  buffer_ = nullptr;
  QPixmap pixmap;
  if (pixmap.loadFromData(bytes_)) setPixmap(pixmap);
}

void PictureBox::SetBackground(const QColor& colour) {
  QPalette p = palette();
  p.setColor(QPalette::Window, colour);
  setPalette(p);
  setAutoFillBackground(true);
}

void PictureBox::SetHandCursor(bool on) {
  if (on) {
    setCursor(Qt::PointingHandCursor);
  } else {
    unsetCursor();
  }
}

void PictureBox::SetSunkenEdge(bool on) {
  setFrameStyle(on ? (QFrame::Panel | QFrame::Sunken) : QFrame::NoFrame);
  setLineWidth(1);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton) emit Released();
}

void PictureBox::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  if (movie_) movie_->setScaledSize(contentsRect().size());
}

}  // namespace quill
