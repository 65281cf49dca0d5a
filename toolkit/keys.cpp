#include "toolkit/keys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

namespace quill {

int KeyCode(const QKeyEvent& event) {
  const int key = event.key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) return kKeyEnter;
  if (key == Qt::Key_Escape) return 27;
  if (key == Qt::Key_Space) return 32;
  return key;
}

void PostKeyPress(QWidget* control, int qt_key, const QString& text) {
  QCoreApplication::postEvent(control, new QKeyEvent(QEvent::KeyPress, qt_key, Qt::NoModifier, text));
  QCoreApplication::postEvent(control,
                              new QKeyEvent(QEvent::KeyRelease, qt_key, Qt::NoModifier, text));
}

}  // namespace quill
