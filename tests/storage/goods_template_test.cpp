#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "storage/edb_database.h"
#include "storage/goods_database.h"
#include "storage/scratch_directory.h"

namespace quill {
namespace {

// The expected image, placed byte by byte at the absolute offsets of the layout tables.
std::vector<std::uint8_t> ExpectedTemplate() {
  std::vector<std::uint8_t> image(916, 0);
  auto put = [&](std::size_t offset, const std::string& bytes) {
    std::memcpy(image.data() + offset, bytes.data(), bytes.size());
  };
  auto put32 = [&](std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) image[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  };
  put(0, "WEDB");
  put32(4, 0x00010000);
  put(8, std::string("\x92\x75\xAE\xBC\x3D\xAA\xE4\x40", 8));
  put32(16, 4);
  put32(20, 20);
  put32(24, 92);
  put32(112, 6);
  const std::array<std::string, 6> names = {"\xC3\xFB\xB3\xC6", "\xBB\xF5\xBA\xC5",
                                            "\xB5\xA5\xBC\xDB", "\xB5\xA5\xCE\xBB",
                                            "\xBF\xE2\xB4\xE6", "\xB1\xB8\xD7\xA2"};
  const std::uint32_t types[6] = {10, 10, 5, 10, 3, 10};
  const std::uint32_t offsets[6] = {4, 24, 44, 48, 68, 72};
  const std::uint32_t widths[6] = {20, 20, 0, 20, 0, 20};
  for (std::size_t f = 0; f < 6; ++f) {
    const std::size_t at = 116 + 72 * f;
    put(at, names[f]);
    put32(at + 20, types[f]);
    put32(at + 24, offsets[f]);
    put32(at + 28, widths[f]);
  }
  const std::string prices[4] = {
      std::string("\x00\x00\xC8\x41", 4), std::string("\x00\x00\xFA\x42", 4),
      std::string("\x00\x00\xFA\x42", 4), std::string("\x00\x1E\xF5\x47", 4)};
  const std::string units[4] = {"\xB8\xF6", "\xCB\xAB", "\xCC\xF5", "\xC1\xBE"};  // 个 双 条 辆
  const std::uint32_t stocks[4] = {100, 200, 199, 200};
  const std::string remarks[4] = {
      std::string(
          "\x54\xD0\xF4\x00\xCA\xC7\xB3\xF5\xCA\xBC\xC8\xED\xBC\xFE\xB5\xC4\xB2\xE2\xCA\xD4", 20),
      std::string(
          "\xBF\xE3\xD7\xD3\x00\xC7\xB3\xF5\xCA\xBC\xC8\xED\xBC\xFE\xB5\xC4\xB2\xE2\xCA\xD4", 20),
      "\xC4\xDA\xD2\xC2",           // 内衣
      "\xBC\xAA\xC6\xD5\xB3\xB5"};  // 吉普车
  for (std::size_t r = 0; r < 4; ++r) {
    const std::size_t at = 548 + 92 * r;
    put32(at, static_cast<std::uint32_t>(16 + r));
    put(at + 4, "\xB2\xE2\xCA\xD4\xC9\xCC\xC6\xB7");  // 测试商品
    put(at + 24, "K00" + std::to_string(r + 1));
    put(at + 44, prices[r]);
    put(at + 48, units[r]);
    put32(at + 68, stocks[r]);
    put(at + 72, remarks[r]);
  }
  return image;
}

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

TEST(GoodsTemplate, ImageIsTheLayoutTablesByteForByte) {
  const std::span<const std::byte> image = GoodsTemplateImage();
  ASSERT_EQ(image.size(), 916u);
  const std::vector<std::uint8_t> expected = ExpectedTemplate();
  for (std::size_t i = 0; i < 916; ++i) {
    ASSERT_EQ(std::to_integer<std::uint8_t>(image[i]), expected[i])
        << "first difference at byte " << i;
  }
}

TEST(GoodsTemplate, WrittenIntoAnEmptyDirectory) {
  test::ScratchDirectory dir;
  const auto path = dir / kGoodsDatabaseFileName;
  ASSERT_TRUE(WriteGoodsTemplateIfMissing(path));
  EXPECT_EQ(FileBytes(path), ExpectedTemplate());
  // Only the database is left behind, no temporary file.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(GoodsTemplate, ExistingFileIsNeverTouched) {
  const std::vector<std::string> contents = {"", "not a database", std::string(916, 'x')};
  for (const std::string& content : contents) {
    test::ScratchDirectory dir;
    const auto path = dir / kGoodsDatabaseFileName;
    std::ofstream(path, std::ios::binary) << content;
    const auto before = std::filesystem::last_write_time(path);
    EXPECT_TRUE(WriteGoodsTemplateIfMissing(path));
    EXPECT_EQ(FileBytes(path), std::vector<std::uint8_t>(content.begin(), content.end()));
    EXPECT_EQ(std::filesystem::last_write_time(path), before);
  }
}

TEST(GoodsTemplate, UnwritableDirectoryReportsFailure) {
  test::ScratchDirectory dir;
  EXPECT_FALSE(WriteGoodsTemplateIfMissing(dir / "missing-subdirectory" / kGoodsDatabaseFileName));
}

TEST(GoodsTemplate, ReadsBackAsTheSampleGoods) {
  test::ScratchDirectory dir;
  const auto path = dir / kGoodsDatabaseFileName;
  ASSERT_TRUE(WriteGoodsTemplateIfMissing(path));
  EdbWorkspace workspace;
  ASSERT_TRUE(workspace.Open(path, kGoodsDatabaseAlias));
  ASSERT_TRUE(workspace.SetCurrent(kGoodsDatabaseAlias));
  ASSERT_EQ(workspace.FieldCount(), 6);
  const std::string field_names[6] = {"\xC3\xFB\xB3\xC6", "\xBB\xF5\xBA\xC5", "\xB5\xA5\xBC\xDB",
                                      "\xB5\xA5\xCE\xBB", "\xBF\xE2\xB4\xE6", "\xB1\xB8\xD7\xA2"};
  for (int f = 1; f <= 6; ++f) EXPECT_EQ(workspace.FieldName(f), field_names[f - 1]);

  struct Row {
    int bookmark;
    std::string item_number;
    double price;
    std::string unit;
    double stock;
    std::string remark;
  };
  const Row rows[4] = {
      {16, "K001", 25.0, "\xB8\xF6", 100, "\x54\xD0\xF4"},                  // 个, T恤
      {17, "K002", 125.0, "\xCB\xAB", 200, "\xBF\xE3\xD7\xD3"},             // 双, 裤子
      {18, "K003", 125.0, "\xCC\xF5", 199, "\xC4\xDA\xD2\xC2"},             // 条, 内衣
      {19, "K004", 125500.0, "\xC1\xBE", 200, "\xBC\xAA\xC6\xD5\xB3\xB5"},  // 辆, 吉普车
  };
  ASSERT_EQ(workspace.RecordCount(), 4);
  for (int r = 1; r <= 4; ++r) {
    SCOPED_TRACE(r);
    const Row& row = rows[r - 1];
    ASSERT_TRUE(workspace.GoTo(r));
    EXPECT_EQ(workspace.Bookmark(), row.bookmark);
    EXPECT_EQ(workspace.ReadText(kName), "\xB2\xE2\xCA\xD4\xC9\xCC\xC6\xB7");
    EXPECT_EQ(workspace.ReadText(kItemNumber), row.item_number);
    EXPECT_EQ(workspace.ReadNumber(kUnitPrice), row.price);
    EXPECT_EQ(workspace.ReadText(kUnit), row.unit);
    EXPECT_EQ(workspace.ReadNumber(kStock), row.stock);
    EXPECT_EQ(workspace.ReadText(kRemark), row.remark);
  }
}

}  // namespace
}  // namespace quill
