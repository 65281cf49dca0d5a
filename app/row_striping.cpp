#include "app/row_striping.h"

#include <QEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "toolkit/list_view.h"
#include "toolkit/window.h"

namespace quill {

QColor FromWindowsColour(unsigned colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

// Paints the stripe under each unselected cell, then lets the list's own delegate draw the
// cell with the stored text colour.
class RowStriping::Delegate final : public QStyledItemDelegate {
 public:
  Delegate(RowStriping& owner, QAbstractItemDelegate* previous, QObject* parent)
      : QStyledItemDelegate(parent), owner_(owner), previous_(previous) {}

  void SetPrevious(QAbstractItemDelegate* previous) { previous_ = previous; }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem cell = option;
    if (owner_.On()) {
      if (!(option.state & QStyle::State_Selected)) {
        painter->fillRect(option.rect, owner_.RowColour(index.row()));
      }
      cell.palette.setColor(QPalette::Text, owner_.TextColour());
    }
    if (previous_) {
      previous_->paint(painter, cell, index);
    } else {
      QStyledItemDelegate::paint(painter, cell, index);
    }
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return previous_ ? previous_->sizeHint(option, index) : QStyledItemDelegate::sizeHint(option, index);
  }

 private:
  RowStriping& owner_;
  QPointer<QAbstractItemDelegate> previous_;
};

RowStriping::RowStriping(QObject* parent) : QObject(parent) {}

RowStriping::~RowStriping() { Remove(); }

void RowStriping::Install(QWidget& parent, ListView& list, unsigned first_colour,
                          unsigned second_colour) {
  text_colour_ = list.palette().color(QPalette::Text);
  if (parent_ != &parent) {
    if (parent_) parent_->removeEventFilter(this);
    parent_ = &parent;
    parent.installEventFilter(this);
    if (auto* window = qobject_cast<Window*>(&parent)) {
      connect(window, &Window::Closed, this, &RowStriping::Remove, Qt::UniqueConnection);
    }
  }
  if (subclassed_ && list_ != &list) Remove();  // the stripes follow the list given last
  if (!subclassed_) {
    previous_ = list.itemDelegate();
    delegate_ = new Delegate(*this, previous_, &list);
    list.setItemDelegate(delegate_);
    subclassed_ = true;
  }
  list_ = &list;
  on_ = true;
  first_ = FromWindowsColour(first_colour);
  second_ = FromWindowsColour(second_colour);
  list.hide();
  list.show();
  list.viewport()->update();
}

void RowStriping::Remove() {
  if (!subclassed_) return;
  subclassed_ = false;
  if (list_ && list_->itemDelegate() == delegate_) list_->setItemDelegate(previous_);
  if (list_) list_->viewport()->update();
  delete delegate_.data();
}

bool RowStriping::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parent_ && (event->type() == QEvent::Close)) Remove();
  return QObject::eventFilter(watched, event);
}

void InstallRowStriping(RowStriping& striping, QWidget& parent, ListView& list,
                        unsigned first_colour, unsigned second_colour) {
  striping.Install(parent, list, first_colour, second_colour);
}

}  // namespace quill
