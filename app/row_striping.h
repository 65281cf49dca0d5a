#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>

class QAbstractItemDelegate;
class QWidget;

namespace quill {

class ListView;

// Windows colour values are 0x00BBGGRR.
QColor FromWindowsColour(unsigned colour);

// Two alternating row backgrounds for a list: rows by position, even rows (the 1st, 3rd, …)
// in the first colour. Cells get the list's own text colour; a selected row is drawn as the
// list draws selections. Removed when the parent window closes.
class RowStriping : public QObject {
  Q_OBJECT

 public:
  explicit RowStriping(QObject* parent = nullptr);
  ~RowStriping() override;

  bool Subclassed() const { return subclassed_; }
  bool On() const { return on_; }
  QColor TextColour() const { return text_colour_; }
  QColor FirstRowColour() const { return first_; }
  QColor SecondRowColour() const { return second_; }
  QColor RowColour(int row) const { return (row + 1) % 2 == 1 ? first_ : second_; }
  ListView* List() const { return list_; }

  // What InstallRowStriping and the parent's close do.
  void Install(QWidget& parent, ListView& list, unsigned first_colour, unsigned second_colour);
  void Remove();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class Delegate;

  QPointer<QWidget> parent_;
  QPointer<ListView> list_;
  QPointer<QAbstractItemDelegate> previous_;
  QPointer<QAbstractItemDelegate> delegate_;
  bool subclassed_ = false;
  bool on_ = false;
  QColor text_colour_;
  QColor first_;
  QColor second_;
};

// Installs once; installing again while installed only updates the list and the colours.
void InstallRowStriping(RowStriping& striping, QWidget& parent, ListView& list,
                        unsigned first_colour, unsigned second_colour);

}  // namespace quill
