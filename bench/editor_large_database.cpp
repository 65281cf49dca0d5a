#include "bench/editor_large_database.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "storage/goods_database.h"

namespace quill::bench {
namespace {

constexpr std::size_t kHeaderBytes = 548;  // header, field count, six field descriptors
constexpr std::size_t kRecordBytes = 92;
constexpr std::size_t kRecordCountOffset = 16;
constexpr std::size_t kNextIdentifierOffset = 20;

void PutInt32(unsigned char* at, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(bits >> (8 * i));
}

void PutText(unsigned char* at, const std::string& text) {
  std::memcpy(at, text.data(), text.size() < 20 ? text.size() : 20);
}

}  // namespace

LargeGoodsDatabase::LargeGoodsDatabase(int records) {
  std::string pattern = (std::filesystem::temp_directory_path() / "quill-bench-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  directory_ = buffer.data();
  path_ = directory_ / kGoodsDatabaseFileName;

  const auto image = GoodsTemplateImage();
  std::vector<unsigned char> bytes(kHeaderBytes + kRecordBytes * static_cast<std::size_t>(records));
  std::memcpy(bytes.data(), image.data(), kHeaderBytes);
  PutInt32(bytes.data() + kRecordCountOffset, records);
  PutInt32(bytes.data() + kNextIdentifierOffset, records + 1);
  const float price = 12.5f;
  char text[32];
  for (int i = 1; i <= records; ++i) {
    unsigned char* record = bytes.data() + kHeaderBytes + kRecordBytes * (i - 1);
    PutInt32(record, i);
    std::snprintf(text, sizeof text, "G%07d", i);
    PutText(record + 4, text);
    std::snprintf(text, sizeof text, "N%07d", i);
    PutText(record + 24, i % kNeedleSpacing == 0 ? kNeedleItemNumber : text);
    std::memcpy(record + 44, &price, 4);
    PutText(record + 48, "\xB8\xF6");  // 个
    PutInt32(record + 68, i);
    PutText(record + 72, "bench");
  }
  {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write the bench database");
  }
  // Flush now, so that the first synced write of a benchmark does not pay for 92 MB of
  // freshly written pages, which a database in use never has.
  const int fd = ::open(path_.c_str(), O_RDONLY);
  if (fd < 0 || ::fsync(fd) != 0) throw std::runtime_error("cannot sync the bench database");
  ::close(fd);
}

LargeGoodsDatabase::~LargeGoodsDatabase() {
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

}  // namespace quill::bench
