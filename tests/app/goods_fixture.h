#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quill::testing {

// One goods record to write: GBK texts, numbers as double.
struct GoodsValues {
  std::string name;
  std::string item_number;
  double unit_price = 0;
  std::string unit;
  double stock = 0;
  std::string remark;
};

// Writes a goods database at the path holding exactly these records, in order.
bool WriteGoodsDatabase(const std::filesystem::path& path, const std::vector<GoodsValues>& goods);

// Marks the record at this 1-based position deleted without purging it.
bool MarkDeleted(const std::filesystem::path& path, int record_number);

std::string ReadWholeFile(const std::filesystem::path& path);

}  // namespace quill::testing
