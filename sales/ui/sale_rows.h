#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include <QString>

#include "sales/sale_entry.h"
#include "toolkit/list_rows.h"

namespace quill {

// The rows of the sales records list: one sale entry a row, kept as its stored bytes, so a
// day of many sales is listed at once and its cell texts are made only when shown.
class SaleRows final : public ListRows {
  Q_OBJECT

 public:
  using ListRows::ListRows;

  // Replaces every row by the entries, with one notification to the view.
  void SetEntries(std::vector<SaleEntry> entries);
  const std::vector<SaleEntry>& Entries() const { return entries_; }

  int RowCount() const override { return static_cast<int>(entries_.size()); }
  QString CellText(int row, int column) const override;
  void SetCellText(int row, int column, const QString& text) override;
  std::int64_t RowValue(int row) const override;
  int AppendRow(const QString& first_column_text, std::int64_t value) override;
  void ClearRows() override;

 private:
  std::vector<SaleEntry> entries_;
  std::unordered_map<int, std::int64_t> values_;  // rarely set
};

}  // namespace quill
