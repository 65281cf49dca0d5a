#pragma once

#include <cstdint>
#include <vector>

#include <QAbstractTableModel>
#include <QString>

namespace quill {

// The rows of a report-mode list view. The columns (titles, alignment) live here; the rows
// live in a subclass, so that a list with many rows can keep compact data and make its cell
// texts only when they are shown. Every row carries an integer value.
class ListRows : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit ListRows(QObject* parent = nullptr);

  void InsertColumn(int position, const QString& title);
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  QString ColumnTitle(int column) const;
  void SetColumnAlignment(int column, Qt::Alignment alignment);
  Qt::Alignment ColumnAlignment(int column) const;

  virtual int RowCount() const = 0;
  virtual QString CellText(int row, int column) const = 0;
  virtual void SetCellText(int row, int column, const QString& text) = 0;
  virtual std::int64_t RowValue(int row) const = 0;
  // Appends a row at the end; gives its index.
  virtual int AppendRow(const QString& first_column_text, std::int64_t value) = 0;
  virtual void ClearRows() = 0;

  // Between BeginBatch and EndBatch (nestable) row changes raise no per-row notification; the
  // view is told once, at the end, that everything changed. For filling many rows at once.
  void BeginBatch();
  void EndBatch();
  bool InBatch() const { return batch_depth_ > 0; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 protected:
  // For subclasses: wrap the change of their rows in these so the view follows.
  void BeginAppend(int first, int last);
  void EndAppend();
  void BeginClear();
  void EndClear();
  void CellChanged(int row, int column);
  // Called after a column was inserted, so that stored cells can move right.
  virtual void OnColumnInserted(int /*position*/) {}

 private:
  struct Column {
    QString title;
    Qt::Alignment alignment = Qt::AlignLeft;
  };
  std::vector<Column> columns_;
  int batch_depth_ = 0;
};

// Rows that hold their cell texts as given.
class TextRows final : public ListRows {
  Q_OBJECT

 public:
  using ListRows::ListRows;

  int RowCount() const override { return static_cast<int>(rows_.size()); }
  QString CellText(int row, int column) const override;
  void SetCellText(int row, int column, const QString& text) override;
  std::int64_t RowValue(int row) const override;
  int AppendRow(const QString& first_column_text, std::int64_t value) override;
  void ClearRows() override;

 protected:
  void OnColumnInserted(int position) override;

 private:
  struct Row {
    std::vector<QString> cells;
    std::int64_t value = 0;
  };
  std::vector<Row> rows_;
};

}  // namespace quill
