#pragma once

#include <cstdint>
#include <memory>

#include <QRect>
#include <QString>
#include <QTreeView>

#include "toolkit/list_rows.h"

namespace quill {

// A list view in report mode: column headers, rows and columns counted from 0, one row
// selected at most, every row carrying an integer value. The rows live in a ListRows
// (TextRows unless another is plugged in with SetRows).
class ListView : public QTreeView {
  Q_OBJECT

 public:
  ListView(QWidget* parent, const QString& name, const QRect& geometry);
  ~ListView() override;

  // Plugs in other rows; the view takes ownership. Columns are not carried over.
  void SetRows(std::unique_ptr<ListRows> rows);
  ListRows& Rows() const { return *rows_; }

  void InsertColumn(int position, const QString& title);
  int ColumnCount() const { return rows_->ColumnCount(); }
  QString ColumnTitle(int column) const { return rows_->ColumnTitle(column); }
  void SetColumnWidth(int column, int width);
  int ColumnWidth(int column) const;
  void SetColumnAlignment(int column, Qt::Alignment alignment);

  int AppendRow(const QString& first_column_text, std::int64_t value = 0);
  void SetCellText(int row, int column, const QString& text);
  QString CellText(int row, int column) const { return rows_->CellText(row, column); }
  std::int64_t RowValue(int row) const { return rows_->RowValue(row); }
  int RowCount() const { return rows_->RowCount(); }
  void DeleteAllRows();
  void MakeRowVisible(int row);

  // The first selected row, −1 for none.
  int CurrentRow() const;
  // Selects the row and gives it the focus state; −1 clears the selection; a row that does
  // not exist changes nothing.
  void SetCurrentRow(int row);

  void SetGridLines(bool on);
  bool GridLines() const { return grid_lines_; }
  // On (the default): a click anywhere in a row selects the row, drawn across every column.
  void SetFullRowSelect(bool on);

  // Fills many rows with one notification to the view.
  class Batch {
   public:
    explicit Batch(ListView& list) : rows_(list.Rows()) { rows_.BeginBatch(); }
    ~Batch() { rows_.EndBatch(); }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    ListRows& rows_;
  };

 signals:
  // A row gained the focus state it did not have; never for deleting rows or clearing.
  void CurrentRowChanged(int row);
  // Every key press; Enter is 13 (see KeyCode) and goes no further than the list.
  void KeyPressed(int key_code);
  // A left double click anywhere on the list.
  void DoubleClicked();

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

 private:
  void ConnectSelection();

  std::unique_ptr<ListRows> rows_;
  bool grid_lines_ = false;
};

}  // namespace quill
