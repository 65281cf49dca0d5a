#pragma once

#include <QColor>
#include <QPlainTextEdit>
#include <QRect>
#include <QString>

namespace quill {

// A multi-line edit box with a vertical scroll bar and wrapped lines. TextChanged is raised
// once for every change, SetText included.
class TextArea : public QPlainTextEdit {
  Q_OBJECT

 public:
  TextArea(QWidget* parent, const QString& name, const QRect& geometry, bool read_only = false);

  QString Text() const;
  void SetText(const QString& text);  // CR LF line ends are taken as line breaks
  QColor Background() const;
  void SetBackground(const QColor& colour);

 signals:
  void TextChanged();
};

}  // namespace quill
