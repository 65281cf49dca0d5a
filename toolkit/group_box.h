#pragma once

#include <QGroupBox>
#include <QRect>
#include <QString>

namespace quill {

// A frame with a title; controls placed in it take their geometry relative to it.
class GroupBox : public QGroupBox {
  Q_OBJECT

 public:
  GroupBox(QWidget* parent, const QString& name, const QRect& geometry, const QString& title = {});
};

}  // namespace quill
