#pragma once

#include <QColor>
#include <QLineEdit>
#include <QRect>
#include <QString>

class QToolButton;

namespace quill {

enum class InputMode {
  kFree,
  kReadOnly,
  // Typed: digits, "-", "."; on losing the focus the text becomes the single-precision number
  // text of its leading number, 0 giving the empty text.
  kDecimalNumber,
  // Typed: digits and "-"; never rewritten.
  kIntegerText,
  // Typed: digits and "-", at most 5 characters; on losing the focus the text becomes its
  // integer value clamped to -32768 … 32767, 0 giving the empty text.
  kShortInteger,
};

class Spinner;

// A one-line edit box. Only typed characters are filtered by the input mode; pasted text and
// text set by the program are taken as they are. TextChanged is raised exactly once for every
// change: typed, pasted, rewritten on focus loss, or set by SetText (even to the same text).
class EditBox : public QLineEdit {
  Q_OBJECT

 public:
  EditBox(QWidget* parent, const QString& name, const QRect& geometry,
          InputMode mode = InputMode::kFree);

  InputMode Mode() const { return mode_; }
  QString Text() const { return text(); }
  void SetText(const QString& text);
  void SelectAllText() { selectAll(); }

  QColor Background() const;
  void SetBackground(const QColor& colour);

  // A wrap-around spinner right of the box, as high as the box: up gives v + 1 and down v − 1
  // while that stays within [minimum, maximum], else wraps to the other end; v is the integer
  // value of the text. Mouse only; afterwards the whole text is selected and the box focused.
  Spinner* AttachSpinner(int width, int minimum, int maximum);
  Spinner* AttachedSpinner() const { return spinner_; }

  static bool AcceptsTyped(InputMode mode, QChar c);

 signals:
  void TextChanged();
  void GotFocus();
  void LostFocus();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void RewriteOnFocusLoss();

  InputMode mode_;
  Spinner* spinner_ = nullptr;
};

class Spinner : public QWidget {
  Q_OBJECT

 public:
  Spinner(EditBox* box, int width, int minimum, int maximum);
  void StepUp();
  void StepDown();
  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 private:
  void SetValue(int value);
  void resizeEvent(QResizeEvent* event) override;

  EditBox* box_;
  int minimum_;
  int maximum_;
  QToolButton* up_;
  QToolButton* down_;
};

// The text of the leading number of a text, narrowed to single precision, as a
// single-precision number text; "" for 0.
QString NormalisedDecimalText(const QString& text);
// The integer value of a text clamped to -32768 … 32767, in decimal; "" for 0.
QString NormalisedShortIntegerText(const QString& text);

}  // namespace quill
