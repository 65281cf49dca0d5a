#include "toolkit/list_rows.h"

#include <algorithm>

namespace quill {

ListRows::ListRows(QObject* parent) : QAbstractTableModel(parent) {}

void ListRows::InsertColumn(int position, const QString& title) {
  position = std::clamp(position, 0, ColumnCount());
  beginInsertColumns(QModelIndex(), position, position);
  columns_.insert(columns_.begin() + position, Column{title, Qt::AlignLeft});
  OnColumnInserted(position);
  endInsertColumns();
}

QString ListRows::ColumnTitle(int column) const {
  if (column < 0 || column >= ColumnCount()) return {};
  return columns_[static_cast<std::size_t>(column)].title;
}

void ListRows::SetColumnAlignment(int column, Qt::Alignment alignment) {
  if (column < 0 || column >= ColumnCount()) return;
  columns_[static_cast<std::size_t>(column)].alignment = alignment;
  emit headerDataChanged(Qt::Horizontal, column, column);
  if (RowCount() > 0) emit dataChanged(index(0, column), index(RowCount() - 1, column));
}

Qt::Alignment ListRows::ColumnAlignment(int column) const {
  if (column < 0 || column >= ColumnCount()) return Qt::AlignLeft;
  return columns_[static_cast<std::size_t>(column)].alignment;
}

void ListRows::BeginBatch() {
  if (batch_depth_++ == 0) beginResetModel();
}

void ListRows::EndBatch() {
  if (batch_depth_ == 0) return;
  if (--batch_depth_ == 0) endResetModel();
}

int ListRows::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : RowCount();
}

int ListRows::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount();
}

QVariant ListRows::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= RowCount()) return {};
  switch (role) {
    case Qt::DisplayRole: return CellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(ColumnAlignment(index.column()) | Qt::AlignVCenter);
    default: return {};
  }
}

QVariant ListRows::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) return {};
  if (role == Qt::DisplayRole) return ColumnTitle(section);
  if (role == Qt::TextAlignmentRole) {
    return QVariant::fromValue(ColumnAlignment(section) | Qt::AlignVCenter);
  }
  return {};
}

void ListRows::BeginAppend(int first, int last) {
  if (!InBatch()) beginInsertRows(QModelIndex(), first, last);
}

void ListRows::EndAppend() {
  if (!InBatch()) endInsertRows();
}

void ListRows::BeginClear() {
  if (!InBatch()) beginResetModel();
}

void ListRows::EndClear() {
  if (!InBatch()) endResetModel();
}

void ListRows::CellChanged(int row, int column) {
  if (InBatch()) return;
  const QModelIndex at = index(row, column);
  emit dataChanged(at, at, {Qt::DisplayRole});
}

QString TextRows::CellText(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0) return {};
  const Row& r = rows_[static_cast<std::size_t>(row)];
  if (static_cast<std::size_t>(column) >= r.cells.size()) return {};
  return r.cells[static_cast<std::size_t>(column)];
}

void TextRows::SetCellText(int row, int column, const QString& text) {
  if (row < 0 || row >= RowCount() || column < 0 || column >= std::max(ColumnCount(), 1)) return;
  Row& r = rows_[static_cast<std::size_t>(row)];
  if (r.cells.size() <= static_cast<std::size_t>(column)) r.cells.resize(static_cast<std::size_t>(column) + 1);
  r.cells[static_cast<std::size_t>(column)] = text;
  CellChanged(row, column);
}

std::int64_t TextRows::RowValue(int row) const {
  if (row < 0 || row >= RowCount()) return 0;
  return rows_[static_cast<std::size_t>(row)].value;
}

int TextRows::AppendRow(const QString& first_column_text, std::int64_t value) {
  const int at = RowCount();
  BeginAppend(at, at);
  rows_.push_back(Row{{first_column_text}, value});
  EndAppend();
  return at;
}

void TextRows::ClearRows() {
  BeginClear();
  rows_.clear();
  EndClear();
}

void TextRows::OnColumnInserted(int position) {
  for (Row& r : rows_) {
    if (r.cells.size() > static_cast<std::size_t>(position)) {
      r.cells.insert(r.cells.begin() + position, QString());
    }
  }
}

}  // namespace quill
