#include "app/goods_rows.h"

#include <algorithm>
#include <cstring>

#include "text/number_formatting.h"
#include "toolkit/gb18030.h"

namespace quill {

GoodsRow::Text GoodsRow::MakeText(std::string_view gbk) {
  Text text{};
  std::memcpy(text.data(), gbk.data(), std::min(gbk.size(), text.size()));
  return text;
}

std::string_view GoodsRow::View(const Text& text) {
  const auto end = std::find(text.begin(), text.end(), '\0');
  return std::string_view(text.data(), static_cast<std::size_t>(end - text.begin()));
}

void GoodsRows::Reserve(int rows) {
  if (rows > 0) rows_.reserve(static_cast<std::size_t>(rows));
}

int GoodsRows::AppendGoods(const GoodsRow& row) {
  const int at = RowCount();
  BeginAppend(at, at);
  rows_.push_back(row);
  EndAppend();
  return at;
}

QString GoodsRows::CellText(int row, int column) const {
  if (row < 0 || row >= RowCount() || column < 0) return {};
  if (!set_texts_.empty()) {
    const auto found = set_texts_.find(Key(row, column));
    if (found != set_texts_.end()) return found->second;
  }
  const GoodsRow& goods = rows_[static_cast<std::size_t>(row)];
  switch (column) {
    case 0: return FromGb18030(GoodsRow::View(goods.name));
    case 1: return FromGb18030(GoodsRow::View(goods.item_number));
    case 2: return FromGb18030(MoneyText(FloatToText(goods.unit_price)));
    case 3: return FromGb18030(GoodsRow::View(goods.unit));
    case 4: return QString::fromStdString(IntegerToText(goods.stock));
    case 5: return FromGb18030(GoodsRow::View(goods.remark));
    default: return {};
  }
}

void GoodsRows::SetCellText(int row, int column, const QString& text) {
  if (row < 0 || row >= RowCount() || column < 0 || column > 255) return;
  set_texts_[Key(row, column)] = text;
  CellChanged(row, column);
}

std::int64_t GoodsRows::RowValue(int row) const {
  if (row < 0 || row >= RowCount()) return 0;
  return rows_[static_cast<std::size_t>(row)].bookmark;
}

int GoodsRows::AppendRow(const QString& first_column_text, std::int64_t value) {
  GoodsRow row;
  row.bookmark = value;
  const int at = AppendGoods(row);
  // Kept as set text, so characters beyond the field width are not lost.
  set_texts_[Key(at, 0)] = first_column_text;
  return at;
}

void GoodsRows::ClearRows() {
  BeginClear();
  // The capacity stays: the next reload, of about as many rows, reuses it without faulting
  // in fresh pages.
  rows_.clear();
  set_texts_.clear();
  EndClear();
}

}  // namespace quill
