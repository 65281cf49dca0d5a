#pragma once

#include <QByteArray>
#include <QColor>
#include <QLabel>
#include <QRect>
#include <QString>

class QBuffer;
class QMovie;

namespace quill {

// Shows a picture stretched to the box; an animated GIF plays. Raises Released for the left
// mouse button.
class PictureBox : public QLabel {
  Q_OBJECT

 public:
  PictureBox(QWidget* parent, const QString& name, const QRect& geometry);
  ~PictureBox() override;

  // Any format Qt reads; empty or unreadable bytes leave the box showing only its background.
  void SetPicture(const QByteArray& image_bytes);
  const QByteArray& Picture() const { return bytes_; }
  bool IsAnimated() const { return movie_ != nullptr; }

  void SetBackground(const QColor& colour);
  void SetHandCursor(bool on);
  void SetSunkenEdge(bool on);

 signals:
  void Released();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void DropMovie();

  QByteArray bytes_;
  QBuffer* buffer_ = nullptr;
  QMovie* movie_ = nullptr;
};

}  // namespace quill
