#pragma once

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRect>
#include <QString>

namespace quill {

// A push button. Only the button whose default flag is set is pressed by Enter in its window.
class Button : public QPushButton {
  Q_OBJECT

 public:
  Button(QWidget* parent, const QString& name, const QRect& geometry, const QString& caption);

  QString Caption() const { return text(); }
  void SetCaption(const QString& caption) { setText(caption); }
  bool IsDefault() const { return isDefault(); }
  void SetDefault(bool on) { setDefault(on); }
};

class CheckBox : public QCheckBox {
  Q_OBJECT

 public:
  CheckBox(QWidget* parent, const QString& name, const QRect& geometry, const QString& caption);
  bool Checked() const { return isChecked(); }
  void SetChecked(bool on) { setChecked(on); }
};

class RadioButton : public QRadioButton {
  Q_OBJECT

 public:
  RadioButton(QWidget* parent, const QString& name, const QRect& geometry, const QString& caption);
  bool Checked() const { return isChecked(); }
  void SetChecked(bool on) { setChecked(on); }
};

}  // namespace quill
