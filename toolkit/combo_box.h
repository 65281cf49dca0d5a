#pragma once

#include <QComboBox>
#include <QRect>
#include <QString>
#include <QStringList>

namespace quill {

// A drop-down list that cannot be edited.
class ComboBox : public QComboBox {
  Q_OBJECT

 public:
  ComboBox(QWidget* parent, const QString& name, const QRect& geometry, const QStringList& items,
           int selected = -1);
  int SelectedIndex() const { return currentIndex(); }
  void SetSelectedIndex(int index) { setCurrentIndex(index); }
};

}  // namespace quill
