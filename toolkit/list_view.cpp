#include "toolkit/list_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "toolkit/control.h"
#include "toolkit/keys.h"

namespace quill {

ListView::ListView(QWidget* parent, const QString& name, const QRect& geometry)
    : QTreeView(nullptr), rows_(std::make_unique<TextRows>()) {
  PlaceControl(this, parent, name, geometry);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSortingEnabled(false);
  setTextElideMode(Qt::ElideRight);
  header()->setStretchLastSection(false);
  header()->setSectionsMovable(false);
  header()->setSectionsClickable(true);
  header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setModel(rows_.get());
  ConnectSelection();
}

ListView::~ListView() {
  // The view must let go of the model before it is deleted.
  setModel(nullptr);
}

void ListView::SetRows(std::unique_ptr<ListRows> rows) {
  std::unique_ptr<ListRows> old = std::move(rows_);
  rows_ = std::move(rows);
  setModel(rows_.get());
  ConnectSelection();
}

void ListView::ConnectSelection() {
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current, const QModelIndex&) {
            if (current.isValid()) emit CurrentRowChanged(current.row());
          });
}

void ListView::InsertColumn(int position, const QString& title) {
  rows_->InsertColumn(position, title);
}

void ListView::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= ColumnCount()) return;
  header()->resizeSection(column, std::max(width, 0));
}

int ListView::ColumnWidth(int column) const {
  if (column < 0 || column >= ColumnCount()) return 0;
  return header()->sectionSize(column);
}

void ListView::SetColumnAlignment(int column, Qt::Alignment alignment) {
  rows_->SetColumnAlignment(column, alignment);
}

int ListView::AppendRow(const QString& first_column_text, std::int64_t value) {
  return rows_->AppendRow(first_column_text, value);
}

void ListView::SetCellText(int row, int column, const QString& text) {
  rows_->SetCellText(row, column, text);
}

void ListView::DeleteAllRows() { rows_->ClearRows(); }

void ListView::MakeRowVisible(int row) {
  if (row < 0 || row >= RowCount()) return;
  scrollTo(rows_->index(row, 0), QAbstractItemView::EnsureVisible);
}

int ListView::CurrentRow() const {
  const QModelIndexList selected = selectionModel()->selectedRows();
  int first = -1;
  for (const QModelIndex& i : selected) {
    if (first < 0 || i.row() < first) first = i.row();
  }
  return first;
}

void ListView::SetCurrentRow(int row) {
  if (row == -1) {
    selectionModel()->clearSelection();
    return;
  }
  if (row < 0 || row >= RowCount()) return;
  selectionModel()->setCurrentIndex(rows_->index(row, 0),
                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ListView::SetGridLines(bool on) {
  grid_lines_ = on;
  viewport()->update();
}

void ListView::focusInEvent(QFocusEvent* event) {
  // Gaining the keyboard focus moves no row into focus: only the user or SetCurrentRow does.
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
}

void ListView::SetFullRowSelect(bool on) {
  setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
  setAllColumnsShowFocus(on);
}

void ListView::keyPressEvent(QKeyEvent* event) {
  const int code = KeyCode(*event);
  emit KeyPressed(code);
  if (code == kKeyEnter) {
    event->accept();
    return;
  }
  QTreeView::keyPressEvent(event);
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event) {
  QTreeView::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) emit DoubleClicked();
}

void ListView::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                       const QModelIndex& index) const {
  QTreeView::drawRow(painter, option, index);
  if (!grid_lines_) return;
  painter->save();
  painter->setPen(palette().color(QPalette::Midlight));
  const QRect r = option.rect;
  painter->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
  int x = -header()->offset();
  for (int c = 0; c < header()->count(); ++c) {
    x += header()->sectionSize(c);
    painter->drawLine(x - 1, r.top(), x - 1, r.bottom());
  }
  painter->restore();
}

}  // namespace quill
