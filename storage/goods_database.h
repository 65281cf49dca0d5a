#pragma once

#include <cstddef>
#include <filesystem>
#include <span>

namespace quill {

class FileSystem;

// The goods database beside the program: file name and the alias it is opened under.
inline constexpr const char* kGoodsDatabaseFileName = "商品数据库.edb";         // UTF-8 file name
inline constexpr const char* kGoodsDatabaseAlias = "\xCA\xFD\xBE\xDD\xBF\xE2";  // 数据库 (GBK)

// Field numbers of GoodsRecord.
enum GoodsField : int {
  kName = 1,
  kItemNumber = 2,
  kUnitPrice = 3,
  kUnit = 4,
  kStock = 5,
  kRemark = 6
};

// The built-in 916-byte template: four sample goods records.
std::span<const std::byte> GoodsTemplateImage();

// Writes the template as the whole file when nothing exists at the path; an existing file is
// never touched. True when the file exists afterwards.
bool WriteGoodsTemplateIfMissing(const std::filesystem::path& path);
bool WriteGoodsTemplateIfMissing(const std::filesystem::path& path, FileSystem& fs);

}  // namespace quill
