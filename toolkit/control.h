#pragma once

#include <QRect>
#include <QString>

class QWidget;

namespace quill {

// Puts a control on its window (or group box) as the form gives it: the form name becomes the
// objectName, the geometry is relative to the parent's client area.
void PlaceControl(QWidget* control, QWidget* parent, const QString& name, const QRect& geometry);

// Texts of the forms use CR LF line ends; Qt widgets break lines at LF alone.
QString WithLfLineEnds(QString text);

}  // namespace quill
