#include "toolkit/edit_box.h"

#include <algorithm>
#include <cstdint>

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPalette>
#include <QToolButton>

#include "text/number_formatting.h"
#include "text/number_parsing.h"
#include "toolkit/control.h"
#include "toolkit/gb18030.h"

namespace quill {
namespace {

constexpr int kShortIntegerMaxLength = 5;

}  // namespace

QString NormalisedDecimalText(const QString& text) {
  const float value = static_cast<float>(TextToNumber(ToGb18030(text)));
  if (value == 0.0f) return {};
  return FromGb18030(FloatToText(value));
}

QString NormalisedShortIntegerText(const QString& text) {
  const std::int32_t value = std::clamp<std::int32_t>(TextToInteger(ToGb18030(text)), -32768, 32767);
  if (value == 0) return {};
  return QString::number(value);
}

EditBox::EditBox(QWidget* parent, const QString& name, const QRect& geometry, InputMode mode)
    : QLineEdit(nullptr), mode_(mode) {
  PlaceControl(this, parent, name, geometry);
  setReadOnly(mode == InputMode::kReadOnly);
  connect(this, &QLineEdit::textChanged, this, [this] { emit TextChanged(); });
}

void EditBox::SetText(const QString& new_text) {
  if (new_text == text()) {
    emit TextChanged();
  } else {
    setText(new_text);
  }
}

QColor EditBox::Background() const { return palette().color(QPalette::Base); }

void EditBox::SetBackground(const QColor& colour) {
  QPalette p = palette();
  p.setColor(QPalette::Base, colour);
  setPalette(p);
}

bool EditBox::AcceptsTyped(InputMode mode, QChar c) {
  if (c.unicode() < 0x20 || c.unicode() == 0x7F) return true;
  const bool digit = c >= u'0' && c <= u'9';
  switch (mode) {
    case InputMode::kFree:
    case InputMode::kReadOnly: return true;
    case InputMode::kDecimalNumber: return digit || c == u'-' || c == u'.';
    case InputMode::kIntegerText:
    case InputMode::kShortInteger: return digit || c == u'-';
  }
  return true;
}

void EditBox::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  const bool is_shortcut = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
  if (!typed.isEmpty() && !is_shortcut && typed.front().unicode() >= 0x20 &&
      typed.front().unicode() != 0x7F) {
    for (QChar c : typed) {
      if (!AcceptsTyped(mode_, c)) return;  // dropped, as a filtered keystroke
    }
    if (mode_ == InputMode::kShortInteger &&
        text().size() - selectedText().size() + typed.size() > kShortIntegerMaxLength) {
      return;
    }
  }
  QLineEdit::keyPressEvent(event);
}

void EditBox::inputMethodEvent(QInputMethodEvent* event) {
  if (mode_ == InputMode::kFree || mode_ == InputMode::kReadOnly) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  QString kept;
  for (QChar c : event->commitString()) {
    if (AcceptsTyped(mode_, c)) kept.append(c);
  }
  if (mode_ == InputMode::kShortInteger) {
    const qsizetype room = kShortIntegerMaxLength - (text().size() - selectedText().size());
    kept.truncate(std::max<qsizetype>(room, 0));
  }
  QInputMethodEvent filtered;
  filtered.setCommitString(kept);
  QLineEdit::inputMethodEvent(&filtered);
}

void EditBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  emit GotFocus();
}

void EditBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // A context menu borrows the focus only for a moment; the text is not done with yet.
  if (event->reason() != Qt::PopupFocusReason) RewriteOnFocusLoss();
  emit LostFocus();
}

void EditBox::RewriteOnFocusLoss() {
  QString rewritten;
  if (mode_ == InputMode::kDecimalNumber) {
    rewritten = NormalisedDecimalText(text());
  } else if (mode_ == InputMode::kShortInteger) {
    rewritten = NormalisedShortIntegerText(text());
  } else {
    return;
  }
  if (rewritten == text()) return;
  const int start = selectionStart();
  const int length = static_cast<int>(selectedText().size());
  setText(rewritten);
  if (start >= 0) setSelection(std::min(start, static_cast<int>(rewritten.size())), length);
}

Spinner* EditBox::AttachSpinner(int width, int minimum, int maximum) {
  if (!spinner_) spinner_ = new Spinner(this, width, minimum, maximum);
  return spinner_;
}

Spinner::Spinner(EditBox* box, int width, int minimum, int maximum)
    : QWidget(box->parentWidget()), box_(box), minimum_(minimum), maximum_(maximum) {
  setObjectName(box->objectName() + QStringLiteral("_spinner"));
  setGeometry(box->x() + box->width(), box->y(), width, box->height());
  up_ = new QToolButton(this);
  up_->setArrowType(Qt::UpArrow);
  down_ = new QToolButton(this);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {up_, down_}) {
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRaise(false);
  }
  setFocusPolicy(Qt::NoFocus);
  connect(up_, &QToolButton::clicked, this, &Spinner::StepUp);
  connect(down_, &QToolButton::clicked, this, &Spinner::StepDown);
  resizeEvent(nullptr);
  show();
}

void Spinner::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

void Spinner::StepUp() {
  const std::int64_t v = TextToInteger(ToGb18030(box_->Text()));
  SetValue(v + 1 >= minimum_ && v + 1 <= maximum_ ? static_cast<int>(v + 1) : minimum_);
}

void Spinner::StepDown() {
  const std::int64_t v = TextToInteger(ToGb18030(box_->Text()));
  SetValue(v - 1 >= minimum_ && v - 1 <= maximum_ ? static_cast<int>(v - 1) : maximum_);
}

void Spinner::SetValue(int value) {
  box_->SetText(QString::number(value));
  box_->setFocus(Qt::OtherFocusReason);
  box_->selectAll();
}

}  // namespace quill
