#include "editor/goods_entry.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "storage/goods_database.h"
#include "text/number_parsing.h"
#include "text/trimming.h"

namespace quill {
namespace {

bool FitsSinglePrecision(double value) {
  return std::isfinite(value) && std::fabs(value) <= std::numeric_limits<float>::max();
}

// 库存 is a 32-bit field; a number beyond it keeps the nearest value it can hold.
double StockValue(std::string_view text) {
  const double value = TextToNumber(text);
  if (std::isnan(value)) return 0.0;
  const double low = std::numeric_limits<std::int32_t>::min();
  const double high = std::numeric_limits<std::int32_t>::max();
  return std::trunc(value < low ? low : value > high ? high : value);
}

}  // namespace

bool FitsGoodsTextField(std::string_view gbk) { return gbk.size() <= kGoodsTextFieldBytes; }

std::string DuplicateKey(std::string_view name, std::string_view item_number) {
  std::string key(name);
  key.append(item_number);
  return key;
}

bool IsDuplicateGoods(EdbWorkspace& db, const GoodsInput& input, int skip_bookmark) {
  const std::string input_key = DuplicateKey(TrimSpaces(input.name), TrimSpaces(input.item_number));
  const int count = db.RecordCount();
  for (int i = 1; i <= count; ++i) {
    if (!db.GoTo(i)) continue;
    EdbDatabase* current = db.Current();
    if (current == nullptr || current->IsDeleted()) continue;
    if (skip_bookmark > 0 && db.Bookmark() == skip_bookmark) continue;
    const std::string name = db.ReadText(kName);
    const std::string number = db.ReadText(kItemNumber);
    // Compare without building the joined key: the scan runs over every record on each save.
    if (name.size() + number.size() == input_key.size() &&
        input_key.compare(0, name.size(), name) == 0 &&
        input_key.compare(name.size(), number.size(), number) == 0) {
      return true;
    }
  }
  return false;
}

std::vector<EdbValue> GoodsRecordValues(const GoodsInput& input, EditorMode mode) {
  const bool trim = mode == EditorMode::kNew;
  return {
      trim ? TrimSpaces(input.name) : input.name,
      trim ? TrimSpaces(input.item_number) : input.item_number,
      TextToNumber(input.unit_price),
      input.unit,
      StockValue(input.stock),
      input.remark,
  };
}

bool IsStorableUnitPrice(std::string_view price_text) {
  return FitsSinglePrecision(TextToNumber(price_text));
}

}  // namespace quill
