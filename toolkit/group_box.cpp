#include "toolkit/group_box.h"

#include "toolkit/control.h"

namespace quill {

GroupBox::GroupBox(QWidget* parent, const QString& name, const QRect& geometry,
                   const QString& title)
    : QGroupBox(nullptr) {
  PlaceControl(this, parent, name, geometry);
  setTitle(title);
}

}  // namespace quill
