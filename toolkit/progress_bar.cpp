#include "toolkit/progress_bar.h"

#include <algorithm>

#include "toolkit/control.h"

namespace quill {

ProgressBar::ProgressBar(QWidget* parent, const QString& name, const QRect& geometry)
    : QProgressBar(nullptr) {
  PlaceControl(this, parent, name, geometry);
  setRange(0, 100);
  setValue(0);
  setTextVisible(false);
}

void ProgressBar::SetPosition(int position) { setValue(std::clamp(position, 0, 100)); }

}  // namespace quill
