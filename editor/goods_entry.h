#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/edb_database.h"

namespace quill {

// Bytes of each text field of a goods record; longer texts would be cut by the storage.
inline constexpr std::size_t kGoodsTextFieldBytes = 20;

// True when a GBK text is stored whole in a goods text field.
bool FitsGoodsTextField(std::string_view gbk);

// New mode stores the name and item number trimmed; modify mode stores every box as typed.
enum class EditorMode { kNew, kModify };

// The six box texts of the goods editor, as GBK bytes.
struct GoodsInput {
  std::string name;
  std::string item_number;
  std::string unit_price;
  std::string unit;
  std::string stock;
  std::string remark;
};

// The name joined directly with the item number: "测试商品K" + "001" equals "测试商品" + "K001".
std::string DuplicateKey(std::string_view name, std::string_view item_number);

// Scans every live record in record order for one whose stored key equals the trimmed input
// key, byte for byte. The record with skip_bookmark (the one being modified; 0 for none) is
// passed over. Leaves the current record wherever the scan stopped.
bool IsDuplicateGoods(EdbWorkspace& db, const GoodsInput& input, int skip_bookmark);

// The values of fields 1–6 to write for the input in the given mode.
std::vector<EdbValue> GoodsRecordValues(const GoodsInput& input, EditorMode mode);

// A unit price outside the single-precision range cannot be stored as that price.
bool IsStorableUnitPrice(std::string_view price_text);

}  // namespace quill
