#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "toolkit/list_rows.h"

namespace quill {

// One goods record as the list keeps it: the stored bytes and numbers, about 100 bytes a row.
// Cell texts are made only when a row is shown.
struct GoodsRow {
  using Text = std::array<char, 20>;  // GBK bytes, NUL-padded; full width has no terminator

  Text name{};
  Text item_number{};
  Text unit{};
  Text remark{};
  float unit_price = 0;
  std::int32_t stock = 0;
  std::int64_t bookmark = 0;

  static Text MakeText(std::string_view gbk);
  static std::string_view View(const Text& text);
};

// The rows of the goods list: 名称, 货号, 单价 + " 元", 单位, 库存 ("%d"), 备注.
class GoodsRows final : public ListRows {
  Q_OBJECT

 public:
  using ListRows::ListRows;

  void Reserve(int rows);
  int AppendGoods(const GoodsRow& row);
  const GoodsRow& Goods(int row) const { return rows_[static_cast<std::size_t>(row)]; }

  int RowCount() const override { return static_cast<int>(rows_.size()); }
  QString CellText(int row, int column) const override;
  void SetCellText(int row, int column, const QString& text) override;
  std::int64_t RowValue(int row) const override;
  int AppendRow(const QString& first_column_text, std::int64_t value) override;
  void ClearRows() override;

 private:
  static std::uint64_t Key(int row, int column) {
    return (static_cast<std::uint64_t>(row) << 8) | static_cast<std::uint64_t>(column);
  }

  std::vector<GoodsRow> rows_;
  // Texts set on single cells: rare, so kept apart from the compact rows.
  std::unordered_map<std::uint64_t, QString> set_texts_;
};

}  // namespace quill
