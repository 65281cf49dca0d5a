#include "app/banner_art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace quill {

QPixmap DrawHeaderBanner(QSize size) {
  QPixmap pixmap(size);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, size.width(), size.height());
  sky.setColorAt(0, QColor(22, 86, 160));
  sky.setColorAt(0.55, QColor(44, 132, 204));
  sky.setColorAt(1, QColor(108, 190, 236));
  p.fillRect(pixmap.rect(), sky);
  // Soft waves along the bottom.
  for (int i = 0; i < 3; ++i) {
    QPainterPath wave;
    const double base = size.height() * (0.62 + 0.12 * i);
    wave.moveTo(0, base);
    wave.cubicTo(size.width() * 0.3, base - 14 + 6 * i, size.width() * 0.6, base + 16 - 4 * i,
                 size.width(), base - 6);
    wave.lineTo(size.width(), size.height());
    wave.lineTo(0, size.height());
    wave.closeSubpath();
    p.fillPath(wave, QColor(255, 255, 255, 28 + 14 * i));
  }
  // A few light circles on the right, where the advertisement may later sit.
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 6; ++i) {
    p.setBrush(QColor(255, 255, 255, 18 + 6 * i));
    const int r = 10 + 7 * i;
    p.drawEllipse(QPoint(size.width() - 60 - 55 * i, size.height() / 2 - 8 + (i % 2) * 14), r, r);
  }
  return pixmap;
}

QIcon DrawProgramIcon() {
  QPixmap pixmap(64, 64);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 110, 190));
  p.drawRoundedRect(4, 4, 56, 56, 12, 12);
  p.setBrush(Qt::white);
  // A stack of three boxes: the goods on the shelf.
  p.drawRect(14, 36, 16, 14);
  p.drawRect(34, 36, 16, 14);
  p.drawRect(24, 18, 16, 14);
  return QIcon(pixmap);
}

}  // namespace quill
