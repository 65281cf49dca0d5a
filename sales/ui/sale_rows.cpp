#include "sales/ui/sale_rows.h"

#include <string>
#include <utility>

#include "toolkit/gb18030.h"

namespace quill {
namespace {

// The field shown in a column; nullptr for a column beyond the five.
template <class Entry>
auto* Field(Entry& entry, int column) {
  switch (column) {
    case 0:
      return &entry.customer;
    case 1:
      return &entry.goods;
    case 2:
      return &entry.unit_price;
    case 3:
      return &entry.quantity;
    case 4:
      return &entry.amount;
    default:
      return static_cast<decltype(&entry.customer)>(nullptr);
  }
}

}  // namespace

void SaleRows::SetEntries(std::vector<SaleEntry> entries) {
  BeginBatch();
  ClearRows();
  if (!entries.empty()) {
    BeginAppend(0, static_cast<int>(entries.size()) - 1);
    entries_ = std::move(entries);
    EndAppend();
  }
  EndBatch();
}

QString SaleRows::CellText(int row, int column) const {
  if (row < 0 || row >= RowCount()) return {};
  const std::string* field = Field(entries_[static_cast<std::size_t>(row)], column);
  return field ? FromGb18030(*field) : QString();
}

void SaleRows::SetCellText(int row, int column, const QString& text) {
  if (row < 0 || row >= RowCount()) return;
  std::string* field = Field(entries_[static_cast<std::size_t>(row)], column);
  if (!field) return;
  *field = ToGb18030(text);
  CellChanged(row, column);
}

std::int64_t SaleRows::RowValue(int row) const {
  const auto found = values_.find(row);
  return found == values_.end() ? 0 : found->second;
}

int SaleRows::AppendRow(const QString& first_column_text, std::int64_t value) {
  const int row = RowCount();
  BeginAppend(row, row);
  SaleEntry entry;
  entry.customer = ToGb18030(first_column_text);
  entries_.push_back(std::move(entry));
  if (value != 0) values_[row] = value;
  EndAppend();
  return row;
}

void SaleRows::ClearRows() {
  BeginClear();
  entries_.clear();
  values_.clear();
  EndClear();
}

}  // namespace quill
