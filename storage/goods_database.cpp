#include "storage/goods_database.h"

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "storage/file_system.h"

namespace quill {
namespace {

constexpr std::size_t kTemplateSize = 916;

class ImageWriter {
 public:
  constexpr void Int32(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) Byte(static_cast<std::uint8_t>(bits >> (8 * i)));
  }
  constexpr void Bytes(std::string_view bytes) {
    for (char c : bytes) Byte(static_cast<std::uint8_t>(c));
  }
  // Text padded with zero bytes to the width.
  constexpr void Padded(std::string_view bytes, std::size_t width) {
    Bytes(bytes);
    Zeros(width - bytes.size());
  }
  constexpr void Zeros(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) Byte(0);
  }
  constexpr void Byte(std::uint8_t value) { image[size++] = static_cast<std::byte>(value); }

  std::array<std::byte, kTemplateSize> image{};
  std::size_t size = 0;
};

struct TemplateField {
  std::string_view name;
  std::int32_t type;
  std::int32_t offset;
  std::int32_t width;
};

struct TemplateRecord {
  std::int32_t id;
  std::string_view item_number;
  std::string_view price;  // the float's four stored bytes
  std::string_view unit;
  std::int32_t stock;
  std::string_view remark;  // all 20 stored bytes
};

constexpr std::string_view kGoodsName = "\xB2\xE2\xCA\xD4\xC9\xCC\xC6\xB7";  // 测试商品

constexpr std::array<TemplateField, 6> kFields = {{
    {"\xC3\xFB\xB3\xC6", 10, 4, 20},   // 名称
    {"\xBB\xF5\xBA\xC5", 10, 24, 20},  // 货号
    {"\xB5\xA5\xBC\xDB", 5, 44, 0},    // 单价
    {"\xB5\xA5\xCE\xBB", 10, 48, 20},  // 单位
    {"\xBF\xE2\xB4\xE6", 3, 68, 0},    // 库存
    {"\xB1\xB8\xD7\xA2", 10, 72, 20},  // 备注
}};

// The remarks of records 1 and 2 keep the leftover bytes that the original template carries
// after their terminators.
constexpr std::array<TemplateRecord, 4> kRecords = {{
    {16, "K001", std::string_view("\x00\x00\xC8\x41", 4), "\xB8\xF6", 100,  // 个
     std::string_view(
         "\x54\xD0\xF4\x00\xCA\xC7\xB3\xF5\xCA\xBC\xC8\xED\xBC\xFE\xB5\xC4\xB2\xE2\xCA\xD4",
         20)},                                                              // T恤
    {17, "K002", std::string_view("\x00\x00\xFA\x42", 4), "\xCB\xAB", 200,  // 双
     std::string_view(
         "\xBF\xE3\xD7\xD3\x00\xC7\xB3\xF5\xCA\xBC\xC8\xED\xBC\xFE\xB5\xC4\xB2\xE2\xCA\xD4",
         20)},                                                                       // 裤子
    {18, "K003", std::string_view("\x00\x00\xFA\x42", 4), "\xCC\xF5", 199,           // 条
     std::string_view("\xC4\xDA\xD2\xC2\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 20)},      // 内衣
    {19, "K004", std::string_view("\x00\x1E\xF5\x47", 4), "\xC1\xBE", 200,           // 辆
     std::string_view("\xBC\xAA\xC6\xD5\xB3\xB5\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 20)},  // 吉普车
}};

constexpr std::array<std::byte, kTemplateSize> BuildTemplate() {
  ImageWriter out;
  out.Bytes("WEDB");
  out.Int32(0x00010000);
  out.Bytes(std::string_view("\x92\x75\xAE\xBC\x3D\xAA\xE4\x40", 8));  // 2015-11-13 22:18:10
  out.Int32(4);                                                        // records
  out.Int32(20);                                                       // next identifier
  out.Int32(92);                                                       // record length
  out.Zeros(84);
  out.Int32(static_cast<std::int32_t>(kFields.size()));
  for (const TemplateField& field : kFields) {
    out.Padded(field.name, 20);
    out.Int32(field.type);
    out.Int32(field.offset);
    out.Int32(field.width);
    out.Zeros(40);
  }
  for (const TemplateRecord& record : kRecords) {
    out.Int32(record.id);
    out.Padded(kGoodsName, 20);
    out.Padded(record.item_number, 20);
    out.Bytes(record.price);
    out.Padded(record.unit, 20);
    out.Int32(record.stock);
    out.Bytes(record.remark);
  }
  if (out.size != kTemplateSize) throw "the template image must fill exactly 916 bytes";
  return out.image;
}

constexpr std::array<std::byte, kTemplateSize> kTemplate = BuildTemplate();

}  // namespace

std::span<const std::byte> GoodsTemplateImage() { return kTemplate; }

bool WriteGoodsTemplateIfMissing(const std::filesystem::path& path) {
  return WriteGoodsTemplateIfMissing(path, FileSystem::Posix());
}

bool WriteGoodsTemplateIfMissing(const std::filesystem::path& path, FileSystem& fs) {
  FileIdentity existing;
  const Lookup before = fs.Stat(path, existing);
  if (before != Lookup::kMissing) return before == Lookup::kFound;
  // The complete image goes to a private name first and is then linked to the real name, which
  // fails rather than replace a file that appeared meanwhile; nobody ever sees half a template.
  std::filesystem::path temporary = path;
  temporary += ".new-" + std::to_string(std::random_device{}());
  bool ok = false;
  {
    std::unique_ptr<File> file = fs.Open(temporary, FileMode::kCreateTruncate);
    ok = file && file->WriteAt(0, kTemplate) && file->Sync();
  }
  bool linked = ok && fs.Link(temporary, path);
  fs.Remove(temporary);
  FileIdentity now;
  if (ok && !linked && fs.Stat(path, now) == Lookup::kMissing) {
    // A file system without hard links: create the name exclusively, which still never
    // replaces a file, and write the image into it.
    std::unique_ptr<File> file = fs.Open(path, FileMode::kCreateNew);
    ok = file && file->WriteAt(0, kTemplate) && file->Sync();
    if (file && !ok) fs.Remove(path);  // ours alone, and not a database
  }
  std::filesystem::path directory = path.parent_path();
  if (directory.empty()) directory = ".";
  const bool durable = fs.SyncDirectory(directory);
  return ok && durable && fs.Stat(path, existing) == Lookup::kFound;
}

}  // namespace quill
