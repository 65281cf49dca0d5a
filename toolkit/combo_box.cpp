#include "toolkit/combo_box.h"

#include "toolkit/control.h"

namespace quill {

ComboBox::ComboBox(QWidget* parent, const QString& name, const QRect& geometry,
                   const QStringList& items, int selected)
    : QComboBox(nullptr) {
  PlaceControl(this, parent, name, geometry);
  setEditable(false);
  addItems(items);
  setCurrentIndex(selected);
}

}  // namespace quill
