#include "toolkit/control.h"

#include <QWidget>

namespace quill {

void PlaceControl(QWidget* control, QWidget* parent, const QString& name, const QRect& geometry) {
  control->setParent(parent);
  control->setObjectName(name);
  control->setGeometry(geometry);
  control->show();
}

QString WithLfLineEnds(QString text) {
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return text;
}

}  // namespace quill
