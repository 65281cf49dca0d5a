#include "toolkit/buttons.h"

#include "toolkit/control.h"

namespace quill {

Button::Button(QWidget* parent, const QString& name, const QRect& geometry, const QString& caption)
    : QPushButton(nullptr) {
  PlaceControl(this, parent, name, geometry);
  setText(caption);
  // Enter presses the default button only, never just the focused one.
  setAutoDefault(false);
}

CheckBox::CheckBox(QWidget* parent, const QString& name, const QRect& geometry,
                   const QString& caption)
    : QCheckBox(nullptr) {
  PlaceControl(this, parent, name, geometry);
  setText(caption);
}

RadioButton::RadioButton(QWidget* parent, const QString& name, const QRect& geometry,
                         const QString& caption)
    : QRadioButton(nullptr) {
  PlaceControl(this, parent, name, geometry);
  setText(caption);
}

}  // namespace quill
