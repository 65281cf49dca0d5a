#include "toolkit/text_area.h"

#include <QSignalBlocker>

#include "toolkit/control.h"

namespace quill {

TextArea::TextArea(QWidget* parent, const QString& name, const QRect& geometry, bool read_only)
    : QPlainTextEdit(nullptr) {
  PlaceControl(this, parent, name, geometry);
  setReadOnly(read_only);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  connect(this, &QPlainTextEdit::textChanged, this, &TextArea::TextChanged);
}

QString TextArea::Text() const { return toPlainText(); }

void TextArea::SetText(const QString& text) {
  {
    const QSignalBlocker quiet(this);
    setPlainText(WithLfLineEnds(text));
  }
  emit TextChanged();
}

QColor TextArea::Background() const { return palette().color(QPalette::Base); }

void TextArea::SetBackground(const QColor& colour) {
  QPalette p = palette();
  p.setColor(QPalette::Base, colour);
  setPalette(p);
}

}  // namespace quill
