#pragma once

#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QRect>
#include <QString>

namespace quill {

// A label; a transparent label lets what lies under it show through. Both raise Pressed and
// Released for the left mouse button. A clickable label gets the hand cursor.
class Label : public QLabel {
  Q_OBJECT

 public:
  enum class Kind { kOpaque, kTransparent };

  Label(QWidget* parent, const QString& name, const QRect& geometry, const QString& caption = {},
        Kind kind = Kind::kOpaque);

  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  void SetHandCursor(bool on);
  void SetTextColour(const QColor& colour);
  // A picture under the caption, stretched to the label.
  void SetBackgroundPicture(const QPixmap& picture);

 signals:
  void Pressed();
  void Released();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
  QPixmap background_;
};

}  // namespace quill
